#!/usr/bin/env python3
"""Writes the command button's skin strip: five 18 x 21 cells side by side, as a 24-bit BMP.

Cells: 0 normal, 1 pressed, 2 disabled, 3 hot (orange rim), 4 emphasised (blue rim).
Usage: make_skin_strip.py OUTPUT.bmp
"""
import struct
import sys

CELL_W, CELL_H, CELLS = 18, 21, 5

# Colour of every row at the centre of each cell; columns 3 to 13 carry it.
ROWS = [
    # cell 0    cell 1    cell 2    cell 3    cell 4
    ("003C74", "003C74", "C9C7BA", "003C74", "003C74"),
    ("FFFFFF", "D1CCC1", "F5F4EA", "FFF0CF", "CEE7FF"),
    ("FEFEFE", "DCD8CF", "F5F4EA", "FDD889", "BCD4F6"),
    ("FCFCFB", "E5E4DD", "F5F4EA", "FCFCFB", "FCFCFB"),
    ("FAFAF9", "E6E6E0", "F5F4EA", "FAFAF9", "FAFAF9"),
    ("F8F8F6", "E5E4DE", "F5F4EA", "F8F8F6", "F8F8F6"),
    ("F6F6F3", "E4E3DC", "F5F4EA", "F6F6F3", "F6F6F3"),
    ("F6F6F2", "E4E3DC", "F5F4EA", "F6F6F2", "F6F6F2"),
    ("F5F5F1", "E3E3DB", "F5F4EA", "F5F5F1", "F5F5F1"),
    ("F4F4F0", "E3E2DA", "F5F4EA", "F4F4F0", "F4F4F0"),
    ("F3F3EF", "E2E1DA", "F5F4EA", "F3F3EF", "F3F3EF"),
    ("F3F3EE", "E2E1D9", "F5F4EA", "F3F3EE", "F3F3EE"),
    ("F2F2ED", "E2E1D9", "F5F4EA", "F2F2ED", "F2F2ED"),
    ("F1F1ED", "E1E0D9", "F5F4EA", "F1F1ED", "F1F1ED"),
    ("F1F1EC", "E1E0D8", "F5F4EA", "F1F1EC", "F1F1EC"),
    ("F0F0EB", "E0E0D7", "F5F4EA", "F0F0EB", "F0F0EB"),
    ("F0F0EA", "E0E0D7", "F5F4EA", "F0F0EA", "F0F0EA"),
    ("ECEBE6", "E2E2DA", "F5F4EA", "ECEBE6", "ECEBE6"),
    ("E2DFD6", "EAE9E3", "F5F4EA", "F8B330", "89ADE4"),
    ("D6D0C5", "F2F1EE", "F5F4EA", "E59700", "6982EE"),
    ("003C74", "003C74", "C9C7BA", "003C74", "003C74"),
]

# Side rims of the hot and emphasised cells (columns 1, 2, 15, 16), rows 3 to 17, top to bottom.
SIDE_RIMS = {3: ("FEDF9A", "F9B435"), 4: ("BAD3F5", "89ADE4")}

BLUE_FRAME = "003C74"
DISABLED_FRAME = "C9C7BA"
# The 3D face the button sits on: its rounded corners blend into it.
FACE = "ECE9D8"
# Corner of the blue frame: the corner pixel, the two pixels beside it, the one inside it.
BLUE_CORNER, BLUE_BESIDE, BLUE_INSIDE = "DDD7C5", "65869F", "225583"


def rgb(text):
    return tuple(int(text[i:i + 2], 16) for i in (0, 2, 4))


def mix(a, b, t):
    return tuple(round(x + (y - x) * t) for x, y in zip(a, b))


def shade(colour, delta):
    return tuple(max(0, min(255, c + d)) for c, d in zip(colour, delta))


def delta(darker, centre):
    return tuple(x - y for x, y in zip(rgb(darker), rgb(centre)))


# Cell 0 darkens towards its right frame, cell 1 towards its left one; the steps are those of row 10.
CELL0_DARKER = {15: delta("EEEDE7", "F3F3EF"), 16: delta("E8E5DF", "F3F3EF")}
CELL1_DARKER = {1: delta("D7D4CB", "E2E1DA"), 2: delta("DDDBD3", "E2E1DA")}


def cell_pixels(cell):
    """Rows of RGB triples, top row first."""
    pixels = [[rgb(ROWS[y][cell])] * CELL_W for y in range(CELL_H)]
    frame = rgb(DISABLED_FRAME if cell == 2 else BLUE_FRAME)
    last_x, last_y = CELL_W - 1, CELL_H - 1

    for y in range(1, last_y):
        row = pixels[y] = list(pixels[y])
        # The hot and emphasised cells are cell 0 inside their rims; rows 1, 2, 18 and 19 are rim.
        darker = CELL1_DARKER if cell == 1 else CELL0_DARKER if cell == 0 or 3 <= y <= 17 and cell in SIDE_RIMS else {}
        for x, step in darker.items():
            row[x] = shade(row[x], step)
        if cell in SIDE_RIMS and 3 <= y <= 17:
            top, bottom = (rgb(c) for c in SIDE_RIMS[cell])
            rim = mix(top, bottom, (y - 3) / 14)
            for x in (1, 2, 15, 16):
                row[x] = rim
        row[0] = row[last_x] = frame

    # Rounded corners: the same four pixels, mirrored into each corner.
    if cell == 2:
        face, f = rgb(FACE), frame
        corner, beside, inside = mix(face, f, 0.1), mix(face, f, 0.57), mix(face, f, 0.85)
    else:
        corner, beside, inside = rgb(BLUE_CORNER), rgb(BLUE_BESIDE), rgb(BLUE_INSIDE)
    for cx, dx in ((0, 1), (last_x, -1)):
        for cy, dy in ((0, 1), (last_y, -1)):
            pixels[cy][cx] = corner
            pixels[cy][cx + dx] = beside
            pixels[cy + dy][cx] = beside
            pixels[cy + dy][cx + dx] = inside
    return pixels


def write_bmp(path, width, height, rows):
    stride = (width * 3 + 3) & ~3
    image = bytearray()
    for row in reversed(rows):  # bottom-up
        line = bytearray()
        for r, g, b in row:
            line += bytes((b, g, r))
        image += line + bytes(stride - len(line))
    header_size = 14 + 40
    file_header = struct.pack("<2sIHHI", b"BM", header_size + len(image), 0, 0, header_size)
    info_header = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0, len(image), 3780, 3780, 0, 0)
    with open(path, "wb") as out:
        out.write(file_header + info_header + image)


def main():
    if len(sys.argv) != 2:
        sys.exit(__doc__)
    cells = [cell_pixels(c) for c in range(CELLS)]
    strip = [sum((cells[c][y] for c in range(CELLS)), []) for y in range(CELL_H)]
    write_bmp(sys.argv[1], CELL_W * CELLS, CELL_H, strip)


if __name__ == "__main__":
    main()
