#!/usr/bin/env python3
"""Draws the program's pictures into resources/images (standard library only).

emblem.png       142 x 134 true colour: a catchment with hills, fields and a river that
                 carries phosphorus (P) and nitrogen (N) into a bay.
checkmark.png    16 x 16 green check mark on a transparent ground.
swatch_red.png   41 x 25 pure FF0000 (inputs of the budget legend).
swatch_blue.png  41 x 25 pure 0000FF (outputs of the budget legend).

Not part of the build: run it by hand after changing a picture and commit the PNGs.
"""

import math
import os
import struct
import zlib

HERE = os.path.dirname(os.path.abspath(__file__))
IMAGES = os.path.join(HERE, os.pardir, "images")


def write_png(path, width, height, rows, alpha):
    """rows: list of lists of (r, g, b) or (r, g, b, a) tuples."""
    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body))

    raw = bytearray()
    for row in rows:
        raw.append(0)  # filter: none
        for pixel in row:
            raw.extend(pixel)
    colour_type = 6 if alpha else 2
    header = struct.pack(">IIBBBBB", width, height, 8, colour_type, 0, 0, 0)
    with open(path, "wb") as out:
        out.write(b"\x89PNG\r\n\x1a\n")
        out.write(chunk(b"IHDR", header))
        out.write(chunk(b"IDAT", zlib.compress(bytes(raw), 9)))
        out.write(chunk(b"IEND", b""))


def mix(a, b, t):
    return tuple(x + (y - x) * t for x, y in zip(a, b))


def segment_distance(px, py, ax, ay, bx, by):
    dx, dy = bx - ax, by - ay
    t = max(0.0, min(1.0, ((px - ax) * dx + (py - ay) * dy) / (dx * dx + dy * dy)))
    return math.hypot(px - ax - t * dx, py - ay - t * dy)


def polyline_distance(px, py, points):
    return min(segment_distance(px, py, *points[i], *points[i + 1])
               for i in range(len(points) - 1))


# Letters on a 5 x 7 grid, drawn as blocks inside the nutrient badges.
GLYPHS = {
    "P": ["####.", "#...#", "#...#", "####.", "#....", "#....", "#...."],
    "N": ["#...#", "##..#", "#.#.#", "#..##", "#...#", "#...#", "#...#"],
}


def glyph_hit(letter, x, y, left, top, cell):
    column, row = int((x - left) // cell), int((y - top) // cell)
    if x < left or y < top or not (0 <= row < 7 and 0 <= column < 5):
        return False
    return GLYPHS[letter][row][column] == "#"


W, H = 142, 134
SKY_TOP, SKY_LOW = (120, 170, 225), (214, 233, 248)
HILL_FAR, HILL_NEAR = (96, 150, 92), (64, 128, 58)
FIELD_A, FIELD_B = (222, 196, 110), (176, 200, 90)
WATER_DEEP, WATER_SHORE = (22, 78, 160), (70, 140, 210)
RIVER = (48, 118, 200)
BORDER = (40, 60, 90)

# The river runs from the hills through the fields into the bay.
RIVER_PATH = [(28, 40), (40, 52), (52, 58), (60, 70), (72, 78), (70, 90), (76, 100)]
BADGES = [("P", 30, 84, (232, 126, 30)), ("N", 112, 60, (150, 70, 170))]


def far_hill(x):
    return 44 + 10 * math.sin(x / 17.0) + 5 * math.sin(x / 7.0 + 1.0)


def near_hill(x):
    return 58 + 8 * math.sin(x / 23.0 + 2.0)


def bay_inside(x, y):
    # An elliptic bay opening to the bottom edge.
    return ((x - 80) / 70.0) ** 2 + ((y - 140) / 42.0) ** 2 <= 1.0


def emblem_colour(x, y):
    colour = mix(SKY_TOP, SKY_LOW, y / 60.0) if y < 60 else SKY_LOW
    # Sun.
    if math.hypot(x - 112, y - 20) < 11:
        colour = (250, 214, 80)
    # Rain over the catchment: short slanted strokes.
    if y < 36 and x < 70 and (int(x + y * 0.4) % 9 == 0) and (int(y) % 8 < 4):
        colour = (90, 120, 190)
    if y >= far_hill(x):
        colour = HILL_FAR
    if y >= near_hill(x):
        # Fields in stripes: arable land and meadows.
        stripe = int((x * 0.6 + y * 1.3) / 9) % 2
        colour = FIELD_A if stripe else FIELD_B
        if x > 96:
            colour = HILL_NEAR  # forest: natural land
            if (int(x) % 7 in (0, 1)) and (int(y) % 6 < 3):
                colour = (44, 100, 40)
    if polyline_distance(x, y, RIVER_PATH) < 2.2 and y >= far_hill(x) - 2:
        colour = RIVER
    if bay_inside(x, y):
        depth = min(1.0, max(0.0, (y - 100) / 34.0))
        colour = mix(WATER_SHORE, WATER_DEEP, depth)
        if int(y) % 7 == 0 and int(x / 6 + y) % 5 < 3:
            colour = (170, 205, 240)  # waves
    for letter, cx, cy, badge in BADGES:
        r = math.hypot(x - cx, y - cy)
        if r < 11.5:
            colour = (255, 255, 255) if r > 10.0 else badge
            if glyph_hit(letter, x, y, cx - 5, cy - 7, 2.0):
                colour = (255, 255, 255)
    if x < 1.5 or y < 1.5 or x > W - 1.5 or y > H - 1.5:
        colour = BORDER
    return colour


def render(width, height, colour_at, samples):
    rows = []
    for j in range(height):
        row = []
        for i in range(width):
            total = [0.0] * 4
            for sj in range(samples):
                for si in range(samples):
                    c = colour_at(i + (si + 0.5) / samples, j + (sj + 0.5) / samples)
                    if len(c) == 3:
                        c = (*c, 255)
                    for k in range(4):
                        total[k] += c[k]
            n = samples * samples
            row.append(tuple(int(round(v / n)) for v in total))
        rows.append(row)
    return rows


def checkmark_colour(x, y):
    tick = [(2.5, 8.5), (6.0, 12.5), (13.5, 3.5)]
    d = polyline_distance(x, y, tick)
    if d < 1.9:
        return (0, 150, 0, 255)
    if d < 2.6:
        return (0, 90, 0, 255)
    return (0, 0, 0, 0)


def main():
    os.makedirs(IMAGES, exist_ok=True)
    emblem = [[pixel[:3] for pixel in row] for row in render(W, H, emblem_colour, 3)]
    write_png(os.path.join(IMAGES, "emblem.png"), W, H, emblem, alpha=False)
    write_png(os.path.join(IMAGES, "checkmark.png"), 16, 16,
              render(16, 16, checkmark_colour, 4), alpha=True)
    for name, colour in (("swatch_red.png", (255, 0, 0)), ("swatch_blue.png", (0, 0, 255))):
        write_png(os.path.join(IMAGES, name), 41, 25,
                  [[colour] * 41 for _ in range(25)], alpha=False)


if __name__ == "__main__":
    main()
