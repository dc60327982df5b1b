#!/usr/bin/env python3
"""Flattens an RGBA PNG (as rsvg-convert writes it) onto a key colour.

Each pixel becomes either the key colour (mostly transparent) or its own
colour made opaque (mostly covered), never a blend with the key, so a keyed
copy leaves no tinted fringe. A drawn pixel that happens to equal the key is
nudged off it, and pixel (0, 0) always holds the key: the item takes the
transparent colour from there. Standard library only (zlib, struct).

usage: flatten_key.py in.png out.png [RRGGBB]
"""
import struct
import sys
import zlib


def read_rgba(path):
    with open(path, "rb") as f:
        data = f.read()
    if data[:8] != b"\x89PNG\r\n\x1a\n":
        raise SystemExit(f"{path}: not a PNG")
    pos, idat, header = 8, b"", None
    while pos < len(data):
        (length,) = struct.unpack(">I", data[pos:pos + 4])
        kind = data[pos + 4:pos + 8]
        body = data[pos + 8:pos + 8 + length]
        pos += 12 + length
        if kind == b"IHDR":
            header = struct.unpack(">IIBBBBB", body)
        elif kind == b"IDAT":
            idat += body
        elif kind == b"IEND":
            break
    width, height, depth, colour, _, _, interlace = header
    if depth != 8 or colour != 6 or interlace != 0:
        raise SystemExit(f"{path}: expected 8-bit RGBA, not interlaced")
    raw = zlib.decompress(idat)
    stride, bpp = width * 4, 4
    rows, prev, at = [], bytearray(stride), 0
    for _ in range(height):
        kind = raw[at]
        line = bytearray(raw[at + 1:at + 1 + stride])
        at += 1 + stride
        for i in range(stride):
            a = line[i - bpp] if i >= bpp else 0
            b = prev[i]
            c = prev[i - bpp] if i >= bpp else 0
            if kind == 1:
                line[i] = (line[i] + a) & 255
            elif kind == 2:
                line[i] = (line[i] + b) & 255
            elif kind == 3:
                line[i] = (line[i] + (a + b) // 2) & 255
            elif kind == 4:
                p = a + b - c
                pa, pb, pc = abs(p - a), abs(p - b), abs(p - c)
                pred = a if pa <= pb and pa <= pc else (b if pb <= pc else c)
                line[i] = (line[i] + pred) & 255
        rows.append(line)
        prev = line
    return width, height, rows


def chunk(kind, body):
    return (struct.pack(">I", len(body)) + kind + body +
            struct.pack(">I", zlib.crc32(kind + body) & 0xFFFFFFFF))


def write_rgb(path, width, height, rows):
    raw = b"".join(b"\x00" + bytes(r) for r in rows)
    png = (b"\x89PNG\r\n\x1a\n" +
           chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 2, 0, 0, 0)) +
           chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b""))
    with open(path, "wb") as f:
        f.write(png)


def main():
    if len(sys.argv) not in (3, 4):
        raise SystemExit(__doc__)
    key = bytes.fromhex(sys.argv[3] if len(sys.argv) == 4 else "FF00FF")
    width, height, rows = read_rgba(sys.argv[1])
    out = []
    for y, line in enumerate(rows):
        rgb = bytearray()
        for x in range(width):
            r, g, b, a = line[4 * x:4 * x + 4]
            if a < 128 or (x == 0 and y == 0):
                rgb += key
                continue
            # rsvg writes straight (not premultiplied) colour: use it as is.
            pixel = bytearray((r, g, b))
            if bytes(pixel) == key:
                pixel[1] = pixel[1] + 1 if pixel[1] < 255 else 254
            rgb += pixel
        out.append(rgb)
    write_rgb(sys.argv[2], width, height, out)


if __name__ == "__main__":
    main()
