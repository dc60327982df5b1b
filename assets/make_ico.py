#!/usr/bin/env python3
"""Packs pictures into a Windows icon file (.ico) of 32-bit images, the form
a program's icon resource takes. As a program it packs PNG renderings of one
picture (rsvg-convert's 8-bit RGBA), one image per file:

usage: make_ico.py OUTPUT.ico IN.png [IN.png ...]
"""
import os
import struct
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from flatten_key import read_rgba  # noqa: E402


def dib(size, rows):
    """One icon image: header, BGRA pixels bottom-up, then the AND mask
    (set where the picture is fully transparent). rows: top-down RGBA."""
    xor = b''
    mask_row = ((size + 31) // 32) * 4
    and_mask = b''
    for row in reversed(rows):
        bits = bytearray(mask_row)
        for x in range(size):
            r, g, b, a = row[4 * x:4 * x + 4]
            xor += struct.pack('<BBBB', b, g, r, a)
            if a == 0:
                bits[x // 8] |= 0x80 >> (x % 8)
        and_mask += bytes(bits)
    header = struct.pack('<IiiHHIIiiII', 40, size, size * 2, 1, 32, 0,
                         len(xor) + len(and_mask), 0, 0, 0, 0)
    return header + xor + and_mask


def write_ico(path, pictures):
    """pictures: (size, top-down RGBA rows) per image, square."""
    images = [dib(size, rows) for size, rows in pictures]
    out = struct.pack('<HHH', 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for (size, _), data in zip(pictures, images):
        out += struct.pack('<BBBBHHII', size % 256, size % 256, 0, 0, 1, 32,
                           len(data), offset)
        offset += len(data)
    with open(path, 'wb') as f:
        f.write(out + b''.join(images))


def main():
    if len(sys.argv) < 3:
        raise SystemExit(__doc__)
    pictures = []
    for png in sys.argv[2:]:
        width, height, rows = read_rgba(png)
        if width != height:
            raise SystemExit(f"{png}: an icon image is square")
        pictures.append((width, rows))
    write_ico(sys.argv[1], pictures)


if __name__ == '__main__':
    main()
