#!/usr/bin/env python3
"""Packs PNG pictures of the icon into one Windows .ico (each size kept as PNG, as Windows Vista
and later read them). Usage: make_ico.py out.ico picture.png..."""
import struct
import sys


def main():
    out, pictures = sys.argv[1], sys.argv[2:]
    images = []
    for path in pictures:
        with open(path, "rb") as f:
            data = f.read()
        if data[:8] != b"\x89PNG\r\n\x1a\n" or data[12:16] != b"IHDR":
            sys.exit(f"{path} is not a PNG picture")
        width, height = struct.unpack(">II", data[16:24])
        if width > 256 or height > 256:
            sys.exit(f"{path} is larger than an icon may be")
        images.append((width, height, data))
    offset = 6 + 16 * len(images)
    head = struct.pack("<HHH", 0, 1, len(images))
    entries = b""
    for width, height, data in images:
        # 256 is written as 0.
        entries += struct.pack("<BBBBHHII", width % 256, height % 256, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
    with open(out, "wb") as f:
        f.write(head + entries + b"".join(data for _, _, data in images))


main()
