#!/usr/bin/env python3
"""Draws the program icon (a diskette with an arrow) as a 32x32 and a 16x16
32-bit image and writes them as one .ico file: make-icon.py OUTPUT."""
import struct
import sys


def pixel(x, y, size):
    """Colour (b, g, r, a) of one pixel; y counts from the top."""
    u, v = x / size, y / size
    body, shutter, label, arrow = (170, 90, 40), (200, 200, 200), (250, 250, 250), (40, 160, 40)
    if not (0.06 <= u <= 0.94 and 0.06 <= v <= 0.94):
        return (0, 0, 0, 0)
    if u > 0.82 and v < 0.18:  # cut corner
        return (0, 0, 0, 0)
    if 0.28 <= u <= 0.72 and v <= 0.34:
        return shutter + (255,) if not (0.55 <= u <= 0.65 and 0.1 <= v <= 0.28) else body + (255,)
    if 0.18 <= u <= 0.82 and v >= 0.5:
        # label with a down arrow
        if 0.45 <= u <= 0.55 and 0.55 <= v <= 0.75:
            return arrow + (255,)
        if v >= 0.72 and abs(u - 0.5) <= (0.88 - v) and v <= 0.88:
            return arrow + (255,)
        return label + (255,)
    return body + (255,)


def image(size):
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    rows = []
    for y in reversed(range(size)):  # bottom-up
        rows.append(b"".join(bytes(pixel(x, y, size)) for x in range(size)))
    mask_row = ((size + 31) // 32) * 4
    return header + b"".join(rows) + bytes(mask_row * size)


def main():
    images = [image(32), image(16)]
    out = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for size, data in zip((32, 16), images):
        out += struct.pack("<BBBBHHII", size, size, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
    out += b"".join(images)
    with open(sys.argv[1], "wb") as f:
        f.write(out)


if __name__ == "__main__":
    main()
