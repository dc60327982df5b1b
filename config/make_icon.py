#!/usr/bin/env python3
"""Draws the tool's program icon (a settings slider on a dark tile) and writes
it as a .ico with 16, 32 and 48 pixel images: make_icon.py OUTPUT."""
import os
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), '..', 'assets'))
from make_ico import write_ico  # noqa: E402


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


def rows(size):
    return [bytes(c for x in range(size) for c in pixel(size, x, y)) for y in range(size)]


def main():
    write_ico(sys.argv[1], [(s, rows(s)) for s in (16, 32, 48)])


if __name__ == '__main__':
    main()
