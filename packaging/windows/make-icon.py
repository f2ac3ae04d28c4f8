#!/usr/bin/env python3
"""Packs PNG images into one Windows icon (.ico): make-icon.py OUT.ico IN.png...

Windows takes PNG images inside an icon as they are; each image's size is
read off its own header."""
import struct
import sys


def png_size(data):
    if data[:8] != b"\x89PNG\r\n\x1a\n" or data[12:16] != b"IHDR":
        raise SystemExit("make-icon.py: not a PNG image")
    return struct.unpack(">II", data[16:24])


def main(out, pngs):
    images = [open(path, "rb").read() for path in pngs]
    header = struct.pack("<HHH", 0, 1, len(images))
    offset = len(header) + 16 * len(images)
    entries = b""
    for data in images:
        width, height = png_size(data)
        if width > 256 or height > 256:
            raise SystemExit("make-icon.py: an icon image is at most 256 x 256")
        # 256 is written as 0; 32 bits a pixel, one plane.
        entries += struct.pack("<BBBBHHII", width % 256, height % 256, 0, 0, 1, 32,
                               len(data), offset)
        offset += len(data)
    with open(out, "wb") as f:
        f.write(header + entries + b"".join(images))


if __name__ == "__main__":
    if len(sys.argv) < 3:
        raise SystemExit(__doc__.splitlines()[0])
    main(sys.argv[1], sys.argv[2:])
