#!/usr/bin/env python3
"""Draws the shield that the settings dialog puts on its OK button when
confirming will ask for administrator rights, and writes res/Shield.ico
(IDR_SHIELD) with a 16 x 16 and a 32 x 32 picture, 32 bits per pixel.

Only the standard library is used. The output is committed, so the build does
not need this script; run it again after changing the drawing:
  python3 tools/make-shield-icon.py
"""
import os
import struct

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
OUT = os.path.join(ROOT, "res", "Shield.ico")

SUPERSAMPLE = 4
BLUE = (32, 92, 200)
YELLOW = (250, 200, 40)
EDGE = (40, 40, 60)


def inside_shield(x, y):
    """Shield outline in unit coordinates (0..1, y downwards)."""
    if y < 0.08 or y > 0.96 or x < 0.12 or x > 0.88:
        return False
    if y < 0.55:
        # Straight sides with a slight dip in the middle of the top edge.
        return y >= 0.08 + 0.05 * (1 - abs(x - 0.5) * 2)
    # Lower half narrows to a point.
    half = 0.38 * (1 - ((y - 0.55) / 0.41) ** 1.6)
    return abs(x - 0.5) <= half


def colour_at(x, y):
    left = x < 0.5
    top = y < 0.5
    return BLUE if left == top else YELLOW


def draw(size):
    pixels = []
    for py in range(size):
        row = []
        for px in range(size):
            hits = 0
            edge = 0
            colour = [0, 0, 0]
            for sy in range(SUPERSAMPLE):
                for sx in range(SUPERSAMPLE):
                    x = (px + (sx + 0.5) / SUPERSAMPLE) / size
                    y = (py + (sy + 0.5) / SUPERSAMPLE) / size
                    if not inside_shield(x, y):
                        continue
                    hits += 1
                    d = 1.2 / size
                    border = not all(inside_shield(x + dx, y + dy)
                                     for dx, dy in ((d, 0), (-d, 0), (0, d), (0, -d)))
                    c = EDGE if border else colour_at(x, y)
                    edge += border
                    for i in range(3):
                        colour[i] += c[i]
            if hits == 0:
                row.append((0, 0, 0, 0))
            else:
                alpha = round(255 * hits / SUPERSAMPLE ** 2)
                row.append(tuple(round(c / hits) for c in colour) + (alpha,))
        pixels.append(row)
    return pixels


def icon_image(size):
    pixels = draw(size)
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    xor = bytearray()
    for row in reversed(pixels):
        for r, g, b, a in row:
            xor += bytes((b, g, r, a))
    mask_row = ((size + 31) // 32) * 4
    mask = bytearray()
    for row in reversed(pixels):
        bits = bytearray(mask_row)
        for x, (_, _, _, a) in enumerate(row):
            if a == 0:
                bits[x // 8] |= 0x80 >> (x % 8)
        mask += bits
    return header + bytes(xor) + bytes(mask)


def main():
    sizes = [16, 32]
    images = [icon_image(s) for s in sizes]
    out = bytearray(struct.pack("<HHH", 0, 1, len(sizes)))
    offset = 6 + 16 * len(sizes)
    for size, image in zip(sizes, images):
        out += struct.pack("<BBBBHHII", size, size, 0, 0, 1, 32, len(image), offset)
        offset += len(image)
    for image in images:
        out += image
    with open(OUT, "wb") as f:
        f.write(out)


if __name__ == "__main__":
    main()
