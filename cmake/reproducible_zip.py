#!/usr/bin/env python3
"""Zips files and folders the same way every time: members sorted by name, each dated
SOURCE_DATE_EPOCH, files 0644 (0755 where executable) and folders 0755, whatever the umask made.

Usage: reproducible_zip.py <zip> <folder> <member>...
  Each member is a file or a folder inside <folder>, stored under its path relative to <folder>.
"""
import os
import sys
import time
import zipfile


def members(root, names):
    for name in names:
        path = os.path.join(root, name)
        if os.path.isdir(path):
            yield name + "/"
            for parent, folders, files in os.walk(path):
                folders.sort()
                for entry in folders + files:
                    relative = os.path.relpath(os.path.join(parent, entry), root)
                    yield relative + ("/" if entry in folders else "")
        else:
            yield name


def main():
    if len(sys.argv) < 4:
        sys.exit(__doc__)
    output, root, names = sys.argv[1], sys.argv[2], sys.argv[3:]
    # Zip's dates start in 1980 and count in local time: the epoch's own UTC fields are written.
    epoch = max(int(os.environ["SOURCE_DATE_EPOCH"]), 315532800)
    date = time.gmtime(epoch)[:6]
    partial = output + ".part"
    with zipfile.ZipFile(partial, "w") as archive:
        for name in sorted(set(members(root, names))):
            path = os.path.join(root, name)
            info = zipfile.ZipInfo(name, date)
            info.create_system = 3  # Unix, so that the modes below are read
            if name.endswith("/"):
                info.external_attr = (0o40755 << 16) | 0x10
                archive.writestr(info, b"")
                continue
            executable = os.stat(path).st_mode & 0o100
            info.external_attr = (0o100755 if executable else 0o100644) << 16
            info.compress_type = zipfile.ZIP_DEFLATED
            with open(path, "rb") as source:
                archive.writestr(info, source.read(), compresslevel=9)
    os.replace(partial, output)


if __name__ == "__main__":
    main()
