#!/usr/bin/env python3
"""Draws Plugwarden's pictures into a folder:

  tooltip_glyph.bmp  the 16 x 16 information glyph of the module tooltip, on its background
  tooltip_side.bmp   the 3 x 61 left and right border strip (golden brown, dark outside)
  tooltip_edge.bmp   the 74 x 3 top and bottom border strip
  plugwarden.ico     the program icon, 16, 32 and 48 pixels square

Usage: make_plugwarden_assets.py OUTPUT_FOLDER
"""
import os
import struct
import sys

from icon_file import write_ico

BACKGROUND = (240, 236, 216)  # the tooltip's background: the glyph sits on it
GOLD_DARK = (0x8C, 0x73, 0x10)
GOLD_LIGHT = (0xBD, 0xA5, 0x31)
GLYPH_BLUE = (0x1E, 0x5A, 0xC8)
GLYPH_RIM = (0x10, 0x3C, 0x8C)
WHITE = (255, 255, 255)


def mix(a, b, t):
    return tuple(round(x + (y - x) * t) for x, y in zip(a, b))


def write_bmp(path, rows):
    """rows: top row first, each a list of RGB triples; written as a 24-bit bottom-up BMP."""
    height, width = len(rows), len(rows[0])
    stride = (width * 3 + 3) & ~3
    image = b""
    for row in reversed(rows):
        line = b"".join(struct.pack("BBB", b, g, r) for r, g, b in row)
        image += line + b"\0" * (stride - len(line))
    header_size = 14 + 40
    with open(path, "wb") as out:
        out.write(struct.pack("<2sIHHI", b"BM", header_size + len(image), 0, 0, header_size))
        out.write(struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0, len(image), 3780, 3780, 0, 0))
        out.write(image)


def strip_shades():
    """Outside to inside: the darkest shade at the window's edge."""
    return [GOLD_DARK, mix(GOLD_DARK, GOLD_LIGHT, 0.5), GOLD_LIGHT]


def side_strip():
    shades = strip_shades()
    # The left strip's outside is its left column; the same picture serves on the right.
    return [[shades[x] for x in range(3)] for _ in range(61)]


def edge_strip():
    shades = strip_shades()
    return [[shades[y]] * 74 for y in range(3)]


def coverage(size, inside, samples=4):
    """Per pixel, the share of sub-samples for which inside(x, y) holds (x, y in pixel units)."""
    grid = []
    for py in range(size):
        row = []
        for px in range(size):
            hits = 0
            for sy in range(samples):
                for sx in range(samples):
                    if inside(px + (sx + 0.5) / samples, py + (sy + 0.5) / samples):
                        hits += 1
            row.append(hits / (samples * samples))
        grid.append(row)
    return grid


def info_glyph():
    size = 16
    centre = size / 2

    def disc(r):
        return lambda x, y: (x - centre) ** 2 + (y - centre) ** 2 <= r * r

    def letter(x, y):
        dot = (x - centre) ** 2 + (y - 4.6) ** 2 <= 1.3 ** 2
        stem = 7.0 <= x <= 9.0 and 6.8 <= y <= 12.2
        foot = 6.0 <= x <= 10.0 and 11.2 <= y <= 12.4
        serif = 6.0 <= x <= 9.0 and 6.8 <= y <= 7.8
        return dot or stem or foot or serif

    rim, face, mark = coverage(size, disc(7.5)), coverage(size, disc(6.5)), coverage(size, letter)
    rows = []
    for y in range(size):
        row = []
        for x in range(size):
            inner = mix(GLYPH_BLUE, mix(GLYPH_BLUE, WHITE, 0.35), max(0.0, 1 - y / 10))
            colour = mix(BACKGROUND, GLYPH_RIM, rim[y][x])
            colour = mix(colour, inner, face[y][x])
            colour = mix(colour, WHITE, mark[y][x])
            row.append(colour)
        rows.append(row)
    return rows


def icon_pixels(size):
    """RGBA rows, top first: a golden shield with a blue plug on it."""
    s = size / 32.0

    def shield(x, y):
        x, y = x / s, y / s
        if not 3 <= y <= 30:
            return False
        half = 13 if y < 17 else 13 * max(0.0, (30 - y) / 13) ** 0.7
        return abs(x - 16) <= half

    def shield_inner(x, y):
        x, y = x / s, y / s
        if not 5 <= y <= 27.5:
            return False
        half = 11 if y < 17 else 11 * max(0.0, (27.5 - y) / 10.5) ** 0.7
        return abs(x - 16) <= half

    def plug(x, y):
        x, y = x / s, y / s
        body = 10.5 <= x <= 21.5 and 13 <= y <= 20 or 13.5 <= x <= 18.5 and 20 <= y <= 23.5
        prongs = (12.5 <= x <= 14.5 or 17.5 <= x <= 19.5) and 8 <= y <= 13
        cord = 15 <= x <= 17 and 23.5 <= y <= 26.5
        return body or prongs or cord

    outer, inner, mark = coverage(size, shield), coverage(size, shield_inner), coverage(size, plug)
    rows = []
    for y in range(size):
        row = []
        for x in range(size):
            colour = mix(GOLD_DARK, GOLD_LIGHT, inner[y][x])
            colour = mix(colour, mix(GLYPH_RIM, GLYPH_BLUE, 1 - y / size), mark[y][x])
            row.append(colour + (round(255 * outer[y][x]),))
        rows.append(row)
    return rows


def main():
    if len(sys.argv) != 2:
        sys.exit(__doc__)
    folder = sys.argv[1]
    os.makedirs(folder, exist_ok=True)
    write_bmp(os.path.join(folder, "tooltip_glyph.bmp"), info_glyph())
    write_bmp(os.path.join(folder, "tooltip_side.bmp"), side_strip())
    write_bmp(os.path.join(folder, "tooltip_edge.bmp"), edge_strip())
    write_ico(os.path.join(folder, "plugwarden.ico"), [(size, icon_pixels(size)) for size in (16, 32, 48)])


if __name__ == "__main__":
    main()
