#!/usr/bin/env python3
"""Writes Bootwarden's icon, a green start arrow on a blue tile, in 16, 32 and 48 pixels with
alpha, as a Windows .ico file.

Usage: make_bootwarden_icon.py OUTPUT.ico
"""
import sys

from icon_file import write_ico


def inside_rounded(x, y, size, radius):
    """Whether the pixel centre lies in a square of `size` with corners of `radius`."""
    cx, cy = x + 0.5, y + 0.5
    nx = min(max(cx, radius), size - radius)
    ny = min(max(cy, radius), size - radius)
    return (cx - nx) ** 2 + (cy - ny) ** 2 <= radius ** 2


def bootwarden_pixel(x, y, size):
    s = size / 32.0
    if not inside_rounded(x, y, size, 5 * s):
        return None
    # A right-pointing arrow in the middle: the start.
    u, v = (x + 0.5) / s, (y + 0.5) / s
    if 7 <= u <= 17 and 13 <= v <= 19:
        return (0x3C, 0xC8, 0x4E)
    if 16 <= u <= 26 and abs(v - 16) <= (26 - u) * 0.9:
        return (0x3C, 0xC8, 0x4E)
    # The tile darkens towards the bottom.
    shade = int(0x90 - 0x40 * (y / size))
    return (0x1E, 0x50, shade + 0x60)


def icon_rows(size):
    """RGBA rows, top first; outside the tile is transparent."""
    rows = []
    for y in range(size):
        row = []
        for x in range(size):
            rgb = bootwarden_pixel(x, y, size)
            row.append((0, 0, 0, 0) if rgb is None else rgb + (255,))
        rows.append(row)
    return rows


def main():
    if len(sys.argv) != 2:
        sys.exit(__doc__)
    write_ico(sys.argv[1], [(size, icon_rows(size)) for size in (16, 32, 48)])


if __name__ == "__main__":
    main()
