#!/usr/bin/env python3
"""Writes Bootwarden's icon, a green start arrow on a blue tile, in 16 x 16 and 32 x 32 with
alpha, as a Windows .ico file.

Usage: make_bootwarden_icon.py OUTPUT.ico
"""
import struct
import sys


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


def image(draw, size):
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    pixels = bytearray()
    mask = bytearray()
    mask_row = ((size + 31) // 32) * 4
    for y in range(size - 1, -1, -1):  # bottom-up
        bits = bytearray(mask_row)
        for x in range(size):
            rgb = draw(x, y, size)
            if rgb is None:
                pixels += bytes((0, 0, 0, 0))
                bits[x // 8] |= 0x80 >> (x % 8)
            else:
                r, g, b = rgb
                pixels += bytes((b, g, r, 255))
        mask += bits
    return header + bytes(pixels) + bytes(mask)


def main():
    if len(sys.argv) != 2:
        sys.exit(__doc__)
    images = [image(bootwarden_pixel, size) for size in (16, 32)]
    out = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for size, data in zip((16, 32), images):
        out += struct.pack("<BBBBHHII", size, size, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
    with open(sys.argv[1], "wb") as f:
        f.write(out + b"".join(images))


if __name__ == "__main__":
    main()
