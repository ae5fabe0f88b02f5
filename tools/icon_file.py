"""Writes Windows .ico files: 32-bit images with alpha, plus the AND mask older systems read."""
import struct


def write_ico(path, images):
    """images: (size, rows) pairs; rows top first, each a list of RGBA tuples."""
    blobs = []
    for size, rows in images:
        pixels = b"".join(struct.pack("BBBB", b, g, r, a) for row in reversed(rows) for r, g, b, a in row)
        mask_stride = ((size + 31) // 32) * 4
        mask = b""
        for row in reversed(rows):
            line = bytearray(mask_stride)
            for x, (_, _, _, a) in enumerate(row):
                if a == 0:
                    line[x // 8] |= 0x80 >> (x % 8)
            mask += bytes(line)
        # The height counts the colour image and the mask together.
        header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, len(pixels) + len(mask), 0, 0, 0, 0)
        blobs.append((size, header + pixels + mask))
    offset = 6 + 16 * len(blobs)
    directory = struct.pack("<HHH", 0, 1, len(blobs))
    data = b""
    for size, blob in blobs:
        directory += struct.pack("<BBBBHHII", size % 256, size % 256, 0, 0, 1, 32, len(blob), offset + len(data))
        data += blob
    with open(path, "wb") as out:
        out.write(directory + data)
