#!/usr/bin/env python3
"""Draws the four 16 x 16 icons of the file association page and writes them
into res/system/:

  add.ico           IDR_ADD           a green plus
  delete.ico        IDR_DELETE        a red cross
  select-all.ico    IDR_SELECT_ALL    a ticked box
  deselect-all.ico  IDR_DESELECT_ALL  an empty box

32 bits per pixel with alpha; standard library only. The outputs are
committed, so the build does not need this script; run it again after
changing a shape:  python3 tools/make-system-icons.py
"""
import os
import struct

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
OUT = os.path.join(ROOT, "res", "system")
SIZE = 16
SUPERSAMPLE = 4


def plus(x, y):
    return (6.5 <= x < 9.5 and 2 <= y < 14) or (2 <= x < 14 and 6.5 <= y < 9.5)


def cross(x, y):
    if not (2.5 <= x < 13.5 and 2.5 <= y < 13.5):
        return False
    return abs(x - y) < 1.7 or abs(x + y - 16) < 1.7


def box(x, y):
    inside = 2 <= x < 14 and 2 <= y < 14
    hole = 3.5 <= x < 12.5 and 3.5 <= y < 12.5
    return inside and not hole


def tick(x, y):
    # Two strokes: down-right from (4.5, 8) to (7, 10.5), up-right to (12, 4.5).
    def near(ax, ay, bx, by, width):
        dx, dy = bx - ax, by - ay
        t = max(0.0, min(1.0, ((x - ax) * dx + (y - ay) * dy) / (dx * dx + dy * dy)))
        px, py = ax + t * dx, ay + t * dy
        return (x - px) ** 2 + (y - py) ** 2 < width * width
    return near(4.5, 8, 7, 10.5, 1.2) or near(7, 10.5, 12, 4.5, 1.2)


ICONS = [
    ("add.ico", [(plus, (40, 150, 40))]),
    ("delete.ico", [(cross, (200, 40, 40))]),
    ("select-all.ico", [(box, (70, 70, 70)), (tick, (40, 130, 40))]),
    ("deselect-all.ico", [(box, (70, 70, 70))]),
]


def render(layers):
    pixels = []
    for row in range(SIZE):
        line = []
        for col in range(SIZE):
            colour, cover = (0, 0, 0), 0.0
            for shape, rgb in layers:
                hits = 0
                for sy in range(SUPERSAMPLE):
                    for sx in range(SUPERSAMPLE):
                        if shape(col + (sx + 0.5) / SUPERSAMPLE, row + (sy + 0.5) / SUPERSAMPLE):
                            hits += 1
                if hits:
                    colour, cover = rgb, max(cover, hits / SUPERSAMPLE ** 2)
            line.append((colour, int(round(cover * 255))))
        pixels.append(line)
    return pixels


def ico_bytes(pixels):
    # BITMAPINFOHEADER with doubled height (XOR + AND), bottom-up rows, BGRA.
    header = struct.pack("<IiiHHIIiiII", 40, SIZE, SIZE * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    xor = b"".join(struct.pack("<BBBB", b, g, r, a)
                   for line in reversed(pixels) for (r, g, b), a in line)
    mask_row = (SIZE + 31) // 32 * 4
    andmask = b""
    for line in reversed(pixels):
        bits = 0
        for col, (_, a) in enumerate(line):
            if a == 0:
                bits |= 1 << (mask_row * 8 - 1 - col)
        andmask += bits.to_bytes(mask_row, "big")
    image = header + xor + andmask
    directory = struct.pack("<HHH", 0, 1, 1)
    entry = struct.pack("<BBBBHHII", SIZE, SIZE, 0, 0, 1, 32, len(image), 6 + 16)
    return directory + entry + image


def main():
    os.makedirs(OUT, exist_ok=True)
    for name, layers in ICONS:
        with open(os.path.join(OUT, name), "wb") as f:
            f.write(ico_bytes(render(layers)))


if __name__ == "__main__":
    main()
