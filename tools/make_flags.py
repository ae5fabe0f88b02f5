#!/usr/bin/env python3
"""Draws the flag pictures of the language packs: one 16 x 11 Windows bitmap (24 bits, bottom-up)
per pack, named like the pack. Standard library only.

    tools/make_flags.py lang            writes lang/<Language>.bmp
    tools/make_flags.py --check lang    fails when a committed picture differs from what this draws
"""
import math
import struct
import sys
from pathlib import Path

WIDTH, HEIGHT = 16, 11

BLACK = (0, 0, 0)
WHITE = (255, 255, 255)
RED = (206, 17, 38)
GREEN = (0, 122, 61)
GOLD = (255, 206, 0)
NAVY = (1, 33, 105)
FRENCH_BLUE = (0, 35, 149)
FRENCH_RED = (237, 41, 57)
SPANISH_RED = (170, 21, 27)
SPANISH_YELLOW = (241, 191, 0)


def bands(colours, sizes, vertical=False):
    """Stripes of the given colours, sizes in pixels along the height (or the width)."""
    edges = []
    for colour, size in zip(colours, sizes):
        edges += [colour] * size
    return lambda x, y: edges[x if vertical else y]


def union_flag(x, y):
    # The 60 x 30 design sampled at the pixel centres.
    fx, fy = (x + 0.5) * 60 / WIDTH, (y + 0.5) * 30 / HEIGHT
    diagonal = min(abs(30 * fx - 60 * fy), abs(30 * fx + 60 * fy - 1800)) / math.hypot(30, 60)
    if abs(fx - 30) < 2.8 or abs(fy - 15) < 2.8:
        return RED
    if abs(fx - 30) < 6 or abs(fy - 15) < 6:
        return WHITE
    if diagonal < 1:
        return RED
    if diagonal < 3:
        return WHITE
    return NAVY


def pan_arab(x, y):
    # Black, white and green with a red triangle at the hoist.
    middle = (HEIGHT - 1) / 2
    if abs(y - middle) <= middle * (1 - x / 6):
        return RED
    return bands([BLACK, WHITE, GREEN], [4, 3, 4])(x, y)


FLAGS = {
    "Arabic": pan_arab,
    "English": union_flag,
    "French": bands([FRENCH_BLUE, WHITE, FRENCH_RED], [5, 6, 5], vertical=True),
    "German": bands([BLACK, RED, GOLD], [4, 3, 4]),
    "Spanish": bands([SPANISH_RED, SPANISH_YELLOW, SPANISH_RED], [3, 5, 3]),
}


def bitmap(draw):
    row_size = (WIDTH * 3 + 3) // 4 * 4
    pixels = bytearray()
    for y in reversed(range(HEIGHT)):  # bottom-up rows
        row = bytearray()
        for x in range(WIDTH):
            r, g, b = draw(x, y)
            row += bytes((b, g, r))
        pixels += row + bytes(row_size - len(row))
    header = struct.pack("<2sIHHI", b"BM", 14 + 40 + len(pixels), 0, 0, 14 + 40)
    info = struct.pack("<IiiHHIIiiII", 40, WIDTH, HEIGHT, 1, 24, 0, len(pixels), 2835, 2835, 0, 0)
    return header + info + bytes(pixels)


def main(argv):
    check = "--check" in argv
    folders = [a for a in argv if a != "--check"]
    if len(folders) != 1:
        print(__doc__, file=sys.stderr)
        return 2
    folder = Path(folders[0])
    stale = []
    for language, draw in FLAGS.items():
        path = folder / f"{language}.bmp"
        data = bitmap(draw)
        if check:
            if not path.is_file() or path.read_bytes() != data:
                stale.append(str(path))
        else:
            path.write_bytes(data)
    if stale:
        print("Out of date (run tools/make_flags.py lang): " + ", ".join(stale), file=sys.stderr)
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
