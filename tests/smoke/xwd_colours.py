#!/usr/bin/env python3
"""Counts the distinct colours of an xwd screenshot, and optionally writes it as a PNG.

Usage: xwd_colours.py shot.xwd [out.png]
       xwd_colours.py --sign BMPS shot.xwd [out.png]
       xwd_colours.py --lit X,Y[:X,Y...] shot.xwd
       xwd_colours.py --bartender BMPS BARS shot.xwd
With --sign, counts instead the pixels of the title sign: those in a colour of BMPS/klosed.bmp
that neither the fires nor the explosions have. With --lit, prints 1 or 0 for each point, as it is
lit or black; only those points are read, so that a screen can be watched closely. With
--bartender, prints for each of the three bars the pixels in the bartender's own colours (those of
BMPS/bartender.bmp that the floor has not) where he stands at that bar (as the bars' table in the
JSON file BARS has it), on a screen that shows the 800 by 600 picture 1.28 times as large; only
those places are read.
"""
import json
import struct
import sys
import zlib


def xwd_layout(data):
    fields = struct.unpack(">25I", data[:100])
    header_size, _version, _format, _depth, width, height = fields[:6]
    byte_order, bits_per_pixel, bytes_per_line = fields[7], fields[11], fields[12]
    ncolors = fields[19]
    offset = header_size + ncolors * 12
    if bits_per_pixel not in (24, 32):
        raise SystemExit(f"unsupported xwd: {bits_per_pixel} bits per pixel")
    return width, height, byte_order, bits_per_pixel // 8, bytes_per_line, offset


def lit_points(path, points):
    data = open(path, "rb").read()
    _width, _height, byte_order, step, bytes_per_line, offset = xwd_layout(data)
    order = "little" if byte_order == 0 else "big"
    lit = []
    for x, y in points:
        at = offset + y * bytes_per_line + x * step
        lit.append("1" if int.from_bytes(data[at:at + step], order) & 0xFFFFFF else "0")
    return " ".join(lit)


# Where the bartender stands at each bar, standing pose, in the 800 by 600 picture: his base
# position in the bars' table that the build wrote (bars.json), plus the pose's offset; and the
# pose's size.
POSE_OFFSET = (35, 12)
BARTENDER_SIZE = (65, 126)


def bartender_places(bars_json):
    bars = json.load(open(bars_json))
    return [(bar["baseX"] + POSE_OFFSET[0], bar["baseY"] + POSE_OFFSET[1]) for bar in bars]


SCALE = 1.28


def bartender_pixels(bmps, bars_json, path):
    own = bmp_colours(f"{bmps}/bartender.bmp") - bmp_colours(f"{bmps}/floor.bmp") - {0x00FF00}
    data = open(path, "rb").read()
    _width, _height, byte_order, step, bytes_per_line, offset = xwd_layout(data)
    order = "little" if byte_order == 0 else "big"
    counts = []
    for left, top in bartender_places(bars_json):
        x0, x1 = round(left * SCALE), round((left + BARTENDER_SIZE[0]) * SCALE)
        count = 0
        for y in range(round(top * SCALE), round((top + BARTENDER_SIZE[1]) * SCALE)):
            line = offset + y * bytes_per_line
            count += sum(1 for x in range(x0, x1)
                         if int.from_bytes(data[line + x * step:line + (x + 1) * step], order) & 0xFFFFFF in own)
        counts.append(str(count))
    return " ".join(counts)


def read_xwd(path):
    data = open(path, "rb").read()
    width, height, byte_order, step, bytes_per_line, offset = xwd_layout(data)
    rows = []
    for y in range(height):
        line = data[offset + y * bytes_per_line:offset + y * bytes_per_line + width * step]
        pixels = [int.from_bytes(line[x:x + step], "little" if byte_order == 0 else "big")
                  for x in range(0, width * step, step)]
        rows.append(pixels)
    return width, height, rows


def write_png(path, width, height, rows):
    raw = b"".join(
        b"\x00" + b"".join(struct.pack("BBB", (p >> 16) & 255, (p >> 8) & 255, p & 255) for p in row)
        for row in rows)
    def chunk(kind, body):
        return struct.pack(">I", len(body)) + kind + body + struct.pack(">I", zlib.crc32(kind + body))
    png = b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 2, 0, 0, 0))
    png += chunk(b"IDAT", zlib.compress(raw, 6)) + chunk(b"IEND", b"")
    open(path, "wb").write(png)


def bmp_colours(path):
    """The colours of a 24-bit BMP."""
    data = open(path, "rb").read()
    offset = struct.unpack("<I", data[10:14])[0]
    width, height = struct.unpack("<ii", data[18:26])
    stride = (width * 3 + 3) & ~3
    colours = set()
    for y in range(abs(height)):
        line = data[offset + y * stride:offset + y * stride + width * 3]
        colours.update(int.from_bytes(line[x:x + 3], "little") for x in range(0, width * 3, 3))
    return colours


def main():
    args = sys.argv[1:]
    if args[0] == "--lit":
        points = [tuple(int(v) for v in point.split(",")) for point in args[1].split(":")]
        print(lit_points(args[2], points))
        return
    if args[0] == "--bartender":
        print(bartender_pixels(args[1], args[2], args[3]))
        return
    sign = None
    if args[0] == "--sign":
        bmps = args[1]
        sign = bmp_colours(f"{bmps}/klosed.bmp") - bmp_colours(f"{bmps}/fire.bmp") \
            - bmp_colours(f"{bmps}/explosion.bmp") - {0}
        args = args[2:]
    width, height, rows = read_xwd(args[0])
    if len(args) > 1:
        write_png(args[1], width, height, rows)
    if sign is None:
        print(len({p & 0xFFFFFF for row in rows for p in row}))
    else:
        print(sum(1 for row in rows for p in row if p & 0xFFFFFF in sign))


if __name__ == "__main__":
    main()
