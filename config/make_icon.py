#!/usr/bin/env python3
"""Draws the tool's program icon (a settings slider on a dark tile) and writes
it as a .ico with 16, 32 and 48 pixel images: make_icon.py OUTPUT."""
import struct
import sys


def pixel(size, x, y):
    # Work in a 48-unit space so every size shows the same picture.
    u = (x + 0.5) * 48.0 / size
    v = (y + 0.5) * 48.0 / size
    r = 8.0
    cx = min(max(u, r + 2), 46 - r)
    cy = min(max(v, r + 2), 46 - r)
    if (u - cx) ** 2 + (v - cy) ** 2 > r * r:
        return (0, 0, 0, 0)  # outside the rounded tile
    for row, knob in ((14, 30), (24, 16), (34, 26)):
        if abs(v - row) <= 1.6 and 9 <= u <= 39:
            return (235, 235, 235, 255)
        if (u - knob) ** 2 + (v - row) ** 2 <= 16:
            return (255, 160, 40, 255)
    return (40, 70, 140, 255)


def image(size):
    rows = []
    for y in reversed(range(size)):  # bottom-up, as BMP rows are stored
        for x in range(size):
            r, g, b, a = pixel(size, x, y)
            rows.append(struct.pack('<BBBB', b, g, r, a))
    xor = b''.join(rows)
    mask_row = ((size + 31) // 32) * 4
    and_mask = b''
    for y in reversed(range(size)):
        bits = bytearray(mask_row)
        for x in range(size):
            if pixel(size, x, y)[3] == 0:
                bits[x // 8] |= 0x80 >> (x % 8)
        and_mask += bytes(bits)
    header = struct.pack('<IiiHHIIiiII', 40, size, size * 2, 1, 32, 0,
                         len(xor) + len(and_mask), 0, 0, 0, 0)
    return header + xor + and_mask


def main():
    sizes = (16, 32, 48)
    images = [image(s) for s in sizes]
    out = struct.pack('<HHH', 0, 1, len(sizes))
    offset = 6 + 16 * len(sizes)
    for s, data in zip(sizes, images):
        out += struct.pack('<BBBBHHII', s, s, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
    with open(sys.argv[1], 'wb') as f:
        f.write(out + b''.join(images))


if __name__ == '__main__':
    main()
