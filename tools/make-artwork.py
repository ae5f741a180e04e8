#!/usr/bin/env python3
"""Draws the player's artwork from simple shapes and writes it into res/:

  toolbar-normal.bmp, toolbar-hover.bmp  the two toolbar strips (IDB_TOOLBARNORMAL,
                                         IDB_TOOLBARHOVER): 34 glyphs of 16 x 16 in one
                                         544 x 16 strip, 24 bits per pixel, magenta
                                         (255, 0, 255) where the toolbar's mask is
  toolbar-normal-24.bmp, toolbar-hover-24.bmp,
  toolbar-normal-32.bmp, toolbar-hover-32.bmp
                                         the same glyphs drawn at 24 x 24 and 32 x 32
                                         (816 x 24 and 1088 x 32) for denser displays
  idle.jpg                               the idle picture (IDR_MAIN), 450 x 250
  handpoint.cur                          the hand cursor (IDC_HANDPOINT), 32 x 32
  playlist-current.ico                   the playlist window's mark of the current entry
                                         (IDR_PLAYLIST_CURRENT), 16 x 16, 24 bits with a mask

Only the standard library is used for the drawing; ImageMagick's `convert` sets
the program name on the idle picture and encodes it as JPEG. The tagline below
the name is not part of the picture: the player draws it in the active
language. The outputs are
committed, so the build does not need this script; run it again after changing
a glyph:  python3 tools/make-artwork.py
"""
import math
import os
import struct
import subprocess
import sys
import tempfile

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
RES = os.path.join(ROOT, "res")

GLYPH = 16  # the shapes' own size: coordinates run from 0 to 16
LARGE_GLYPHS = (24, 32)
GLYPH_COUNT = 34
MASK = (255, 0, 255)
# Edge pixels are blended towards the usual button face so that slanted edges
# look smooth on the toolbar; below this coverage a pixel stays transparent.
FACE = (236, 236, 236)
MIN_COVERAGE = 0.4
SUPERSAMPLE = 4

# --- shapes: predicates over glyph coordinates (0..16, y downwards) ---------


def rect(x0, y0, x1, y1):
    return lambda x, y: x0 <= x < x1 and y0 <= y < y1


def poly(points):
    def inside(x, y):
        hit = False
        n = len(points)
        for i in range(n):
            xa, ya = points[i]
            xb, yb = points[(i + 1) % n]
            if (ya > y) != (yb > y):
                cross = xa + (y - ya) * (xb - xa) / (yb - ya)
                if x < cross:
                    hit = not hit
        return hit
    return inside


def circle(cx, cy, r):
    return lambda x, y: (x - cx) ** 2 + (y - cy) ** 2 <= r * r


def ring(cx, cy, r0, r1, start=None, end=None):
    """Annulus, optionally limited to angles start..end (degrees, clockwise from +x)."""
    def inside(x, y):
        d2 = (x - cx) ** 2 + (y - cy) ** 2
        if not (r0 * r0 <= d2 <= r1 * r1):
            return False
        if start is None:
            return True
        a = math.degrees(math.atan2(y - cy, x - cx)) % 360
        s, e = start % 360, end % 360
        return s <= a <= e if s <= e else (a >= s or a <= e)
    return inside


def segment(xa, ya, xb, yb, width):
    def inside(x, y):
        dx, dy = xb - xa, yb - ya
        t = ((x - xa) * dx + (y - ya) * dy) / (dx * dx + dy * dy)
        t = max(0.0, min(1.0, t))
        px, py = xa + t * dx, ya + t * dy
        return (x - px) ** 2 + (y - py) ** 2 <= (width / 2) ** 2
    return inside


def frame(x0, y0, x1, y1, w=1):
    outer, inner = rect(x0, y0, x1, y1), rect(x0 + w, y0 + w, x1 - w, y1 - w)
    return lambda x, y: outer(x, y) and not inner(x, y)


def rotated(points, degrees, cx=8, cy=8):
    a = math.radians(degrees)
    c, s = math.cos(a), math.sin(a)
    return [(cx + (px - cx) * c - (py - cy) * s, cy + (px - cx) * s + (py - cy) * c) for px, py in points]


def rect_points(x0, y0, x1, y1):
    return [(x0, y0), (x1, y0), (x1, y1), (x0, y1)]


# --- colours: (normal, hover) --------------------------------------------------

SLATE = ((44, 62, 92), (0, 104, 214))
GREEN = ((30, 130, 60), (20, 175, 70))
BLUE = ((0, 108, 190), (0, 150, 255))
GREY = ((128, 128, 128), (80, 110, 150))
RED = ((200, 36, 36), (240, 60, 50))
ORANGE = ((220, 120, 20), (255, 150, 30))
FOLDER_BACK = ((196, 142, 24), (226, 170, 40))
FOLDER_FRONT = ((244, 196, 64), (255, 222, 110))
LIGHT = ((220, 226, 234), (235, 244, 255))
ERASE = None  # a layer that cuts a hole


def tri_right(x0, y0, x1, y1):
    return poly([(x0, y0), (x1, (y0 + y1) / 2), (x0, y1)])


def tri_left(x0, y0, x1, y1):
    return poly([(x1, y0), (x0, (y0 + y1) / 2), (x1, y1)])


def loop_glyph(colour):
    return [
        (ring(8, 8.5, 3.6, 5.6, 20, 300), colour),
        (poly([(9.2, 0.6), (14.6, 4.6), (9.2, 7.4)]), colour),
    ]


def power_glyph(colour):
    return [
        (ring(8, 8.8, 4.3, 6.2, -50, 230), colour),
        (rect(7, 1, 9, 9), colour),
    ]


def speaker(colour):
    return [(poly([(1, 6), (4, 6), (8, 2), (8, 14), (4, 10), (1, 10)]), colour)]


def pin(colour, degrees):
    parts = [rect_points(5, 1, 11, 3), rect_points(6, 3, 10, 8), rect_points(3, 8, 13, 10)]
    layers = [(poly(rotated(p, degrees)), colour) for p in parts]
    needle = rotated([(7.4, 10), (8.6, 10), (8.2, 15.5), (7.8, 15.5)], degrees)
    layers.append((poly(needle), GREY if colour is not GREY else SLATE))
    return layers


def fit_frame(inner):
    return [(frame(0, 2, 16, 14), SLATE), (inner, BLUE)]


GLYPHS = {
    0: [(rect(2, 3, 4, 13), SLATE), (tri_left(4.5, 3, 14, 13), SLATE)],             # previous track
    1: [(tri_left(0.5, 3, 8, 13), SLATE), (tri_left(8, 3, 15.5, 13), SLATE)],       # fast rewind
    2: [(tri_right(3.5, 2, 13.5, 14), GREEN)],                                     # play
    3: [(rect(3, 2, 7, 14), SLATE), (rect(9, 2, 13, 14), SLATE)],                 # pause
    4: [(tri_right(0.5, 3, 8, 13), SLATE), (tri_right(8, 3, 15.5, 13), SLATE)],     # fast forward
    5: [(tri_right(2, 3, 11.5, 13), SLATE), (rect(12, 3, 14, 13), SLATE)],         # next track
    6: [(poly([(1, 3), (6, 3), (7.5, 5), (14, 5), (14, 13), (1, 13)]), FOLDER_BACK),
        (poly([(3.5, 7), (15.5, 7), (13, 13), (1, 13)]), FOLDER_FRONT)],           # open
    7: [(rect(1, 1, 6, 3), SLATE), (rect(1, 1, 3, 6), SLATE),                     # fullscreen
        (rect(10, 1, 15, 3), SLATE), (rect(13, 1, 15, 6), SLATE),
        (rect(1, 13, 6, 15), SLATE), (rect(1, 10, 3, 15), SLATE),
        (rect(10, 13, 15, 15), SLATE), (rect(13, 10, 15, 15), SLATE)],
    8: [(rect(3, 3, 13, 13), SLATE)],                                             # stop
    9: loop_glyph(BLUE),                                                           # loop on
    10: loop_glyph(GREY),                                                          # loop off
    11: [(tri_left(2, 3, 11.5, 13), SLATE), (rect(12, 3, 14, 13), SLATE),
         (rect(12, 3, 14, 4), ERASE), (rect(12, 6, 14, 7), ERASE),
         (rect(12, 9, 14, 10), ERASE), (rect(12, 12, 14, 13), ERASE)],             # previous frame
    12: [(rect(2, 3, 4, 13), SLATE), (tri_right(4.5, 3, 14, 13), SLATE),
         (rect(2, 3, 4, 4), ERASE), (rect(2, 6, 4, 7), ERASE),
         (rect(2, 9, 4, 10), ERASE), (rect(2, 12, 4, 13), ERASE)],                 # next frame
    13: power_glyph(GREY),                                                         # shutdown off
    14: speaker(SLATE) + [(ring(8, 8, 2.8, 4.5, -50, 50), BLUE),
                          (ring(8, 8, 5.8, 7.5, -55, 55), BLUE)],                  # sound on
    15: speaker(SLATE) + [(segment(10, 5, 15, 11, 1.9), RED),
                          (segment(10, 11, 15, 5, 1.9), RED)],                     # muted
    16: fit_frame(rect(2, 3, 14, 13)),                                             # fill completely
    17: pin(GREY, 45),                                                             # not on top
    20: [(rect(1, 7, 8, 10), SLATE), (poly([(7, 3.5), (12.5, 8.5), (7, 13.5)]), SLATE),
         (rect(13, 2, 15, 15), ORANGE)],                                           # jump to last position
    24: [(rect(1, 3, 9, 5), SLATE), (rect(1, 7, 9, 9), SLATE), (rect(1, 11, 9, 13), SLATE),
         (tri_right(10, 4, 16, 12), BLUE)],                                    # playlist
    26: pin(RED, 0),                                                               # on top
    27: fit_frame(rect(2, 6, 14, 10)),                                             # fit without cutting
    28: power_glyph(RED),                                                          # shutdown on
    29: [(rect(1, 5, 15, 14), SLATE), (rect(5, 3, 11, 5), SLATE),
         (circle(8, 9.5, 3.6), LIGHT), (circle(8, 9.5, 2.2), BLUE),
         (rect(12, 6, 14, 7), LIGHT)],                                             # screenshot
    31: [(segment(3, 3, 13, 13, 3), RED), (segment(13, 3, 3, 13, 3), RED)],        # quit
    32: [(poly([(0.5, 8.5), (8, 1), (15.5, 8.5)]), SLATE), (rect(3, 8, 13, 15), SLATE),
         (rect(7, 10, 9, 15), ERASE)],                                             # root menu
    33: [(ring(8, 8, 5.6, 7.2), BLUE), (tri_right(6, 4.5, 12, 11.5), SLATE)],      # resume
}


def render_glyph(layers, variant, size=GLYPH):
    """Returns size x size rows of (r, g, b) with MASK where transparent; the
    shapes are scaled from their 16 x 16 coordinates."""
    rows = []
    n = SUPERSAMPLE
    scale = GLYPH / size
    for py in range(size):
        row = []
        for px in range(size):
            covered, acc = 0, [0, 0, 0]
            for sy in range(n):
                for sx in range(n):
                    x = (px + (sx + 0.5) / n) * scale
                    y = (py + (sy + 0.5) / n) * scale
                    colour = None
                    for inside, palette in layers:
                        if inside(x, y):
                            colour = None if palette is ERASE else palette[variant]
                    if colour is not None:
                        covered += 1
                        for i in range(3):
                            acc[i] += colour[i]
            coverage = covered / (n * n)
            if coverage < MIN_COVERAGE:
                row.append(MASK)
                continue
            mean = [a / covered for a in acc]
            row.append(tuple(int(round(mean[i] * coverage + FACE[i] * (1 - coverage))) for i in range(3)))
        rows.append(row)
    return rows


def bmp_bytes(width, height, pixel):
    """24-bit bottom-up BMP; pixel(x, y) gives (r, g, b)."""
    stride = (width * 3 + 3) & ~3
    body = bytearray()
    for y in range(height - 1, -1, -1):
        line = bytearray()
        for x in range(width):
            r, g, b = pixel(x, y)
            line += bytes((b, g, r))
        line += b"\0" * (stride - len(line))
        body += line
    header = struct.pack("<2sIHHI", b"BM", 14 + 40 + len(body), 0, 0, 54)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0, len(body), 2835, 2835, 0, 0)
    return header + info + bytes(body)


def write_strip(path, variant, size=GLYPH):
    glyphs = [render_glyph(GLYPHS[i], variant, size) if i in GLYPHS else None for i in range(GLYPH_COUNT)]

    def pixel(x, y):
        glyph = glyphs[x // size]
        return MASK if glyph is None else glyph[y][x % size]

    with open(path, "wb") as f:
        f.write(bmp_bytes(size * GLYPH_COUNT, size, pixel))


# --- idle picture ---------------------------------------------------------------

IDLE_W, IDLE_H = 450, 250


def idle_pixels():
    """Dark blue background with a soft glow and a ringed play symbol."""
    cx, cy = 92, 125
    ring_in, ring_out = 38, 45
    triangle = poly([(cx - 13, cy - 22), (cx + 24, cy), (cx - 13, cy + 22)])
    n = 3
    out = []
    for y in range(IDLE_H):
        row = []
        for x in range(IDLE_W):
            t = y / (IDLE_H - 1)
            base = [18 - 10 * t, 26 - 14 * t, 44 - 22 * t]
            glow = max(0.0, 1 - math.hypot(x - cx, y - cy) / 220)
            base = [base[0] + 10 * glow, base[1] + 30 * glow, base[2] + 60 * glow]
            ring_hits = tri_hits = 0
            for sy in range(n):
                for sx in range(n):
                    px, py = x + (sx + 0.5) / n, y + (sy + 0.5) / n
                    d = math.hypot(px - cx, py - cy)
                    if ring_in <= d <= ring_out:
                        ring_hits += 1
                    elif triangle(px, py):
                        tri_hits += 1
            ring_share, tri_share = ring_hits / (n * n), tri_hits / (n * n)
            ring_colour = (40 + 40 * (1 - t), 140 + 40 * (1 - t), 235)
            tri_colour = (236, 242, 250)
            pixel = [base[i] * (1 - ring_share - tri_share) + ring_colour[i] * ring_share + tri_colour[i] * tri_share
                     for i in range(3)]
            row.append(tuple(max(0, min(255, int(round(v)))) for v in pixel))
        out.append(row)
    return out


def write_idle(path):
    pixels = idle_pixels()
    with tempfile.TemporaryDirectory() as tmp:
        ppm = os.path.join(tmp, "idle.ppm")
        with open(ppm, "wb") as f:
            f.write(b"P6 %d %d 255\n" % (IDLE_W, IDLE_H))
            for row in pixels:
                f.write(bytes(v for p in row for v in p))
        subprocess.run(["convert", ppm,
                        "-font", "DejaVu-Sans-Bold", "-pointsize", "42", "-fill", "#eef3fa",
                        "-annotate", "+156+137", "Zentravue",
                        "-strip", "-sampling-factor", "4:2:0", "-quality", "90", path], check=True)


# --- hand cursor -----------------------------------------------------------------

# '#' outline (black), 'o' fill (white), '.' transparent. Hotspot: the fingertip.
HAND = [
    ".....##.........",
    "....#oo#........",
    "....#oo#........",
    "....#oo#........",
    "....#oo#........",
    "....#oo###......",
    "....#oo#oo###...",
    "....#oo#oo#oo##.",
    ".##.#oo#oo#oo#o#",
    "#oo##oooooooo#o#",
    "#ooo#oooooooooo#",
    ".#oo#oooooooooo#",
    "..#ooooooooooo#.",
    "..#ooooooooooo#.",
    "...#oooooooooo#.",
    "...#ooooooooo#..",
    "....#oooooooo#..",
    "....#oooooooo#..",
    "....##########..",
]
HAND_HOTSPOT = (5, 0)


def write_cursor(path):
    size = 32
    xor_rows, and_rows = [], []
    for y in range(size):
        xor_bits, and_bits = 0, 0
        for x in range(size):
            ch = HAND[y][x] if y < len(HAND) and x < len(HAND[y]) else "."
            transparent = ch == "."
            white = ch == "o"
            xor_bits = (xor_bits << 1) | (1 if white else 0)
            and_bits = (and_bits << 1) | (1 if transparent else 0)
        xor_rows.append(struct.pack(">I", xor_bits))
        and_rows.append(struct.pack(">I", and_bits))
    image = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 1, 0, 0, 0, 0, 2, 0)
    image += bytes((0, 0, 0, 0, 255, 255, 255, 0))
    image += b"".join(reversed(xor_rows)) + b"".join(reversed(and_rows))
    header = struct.pack("<HHH", 0, 2, 1)
    entry = struct.pack("<BBBBHHII", size, size, 2, 0, HAND_HOTSPOT[0], HAND_HOTSPOT[1], len(image), 6 + 16)
    with open(path, "wb") as f:
        f.write(header + entry + image)


# --- current-entry mark -----------------------------------------------------------


def write_current_mark(path):
    """A blue play triangle: 16 x 16, 24-bit colour and a 1-bit mask."""
    glyph = render_glyph([(tri_right(4, 2.5, 13, 13.5), BLUE)], 0)
    size = 16
    stride = (size * 3 + 3) & ~3
    colour = bytearray()
    mask_stride = 4  # 16 bits padded to 32
    mask = bytearray()
    for y in range(size - 1, -1, -1):
        line = bytearray()
        bits = 0
        for x in range(size):
            pixel = glyph[y][x]
            transparent = pixel == MASK
            r, g, b = (0, 0, 0) if transparent else pixel
            line += bytes((b, g, r))
            bits = (bits << 1) | (1 if transparent else 0)
        colour += line + b"\0" * (stride - len(line))
        mask += struct.pack(">H", bits) + b"\0" * (mask_stride - 2)
    image = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 24, 0, len(colour) + len(mask), 0, 0, 0, 0)
    image += bytes(colour) + bytes(mask)
    header = struct.pack("<HHH", 0, 1, 1)
    entry = struct.pack("<BBBBHHII", size, size, 0, 0, 1, 24, len(image), 6 + 16)
    with open(path, "wb") as f:
        f.write(header + entry + image)


def main():
    write_strip(os.path.join(RES, "toolbar-normal.bmp"), 0)
    write_strip(os.path.join(RES, "toolbar-hover.bmp"), 1)
    for size in LARGE_GLYPHS:
        write_strip(os.path.join(RES, "toolbar-normal-%d.bmp" % size), 0, size)
        write_strip(os.path.join(RES, "toolbar-hover-%d.bmp" % size), 1, size)
    write_cursor(os.path.join(RES, "handpoint.cur"))
    write_current_mark(os.path.join(RES, "playlist-current.ico"))
    write_idle(os.path.join(RES, "idle.jpg"))
    return 0


if __name__ == "__main__":
    sys.exit(main())
