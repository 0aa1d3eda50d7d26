#!/usr/bin/env python3
"""Draws town.bmp, the background picture of the sample town Millbrook: fields, woods, the built-up
centre, the river, the lake and the pond, as a 400 x 300 pixel 24-bit Windows bitmap.

One pixel is 100 map units; the picture covers the town's whole range, so the editor stretches it
exactly under the vector layers. Run from anywhere: python3 data/sample/make_town_bitmap.py
"""
import math
import os
import random
import struct

WIDTH, HEIGHT = 400, 300
UNITS_PER_PIXEL = 100
# The town's range relative to its centre: x -20000..20000, y -15000..15000 (y grows northward).
X0, Y_TOP = -20000, 15000
# Streets of the built-up centre (map offsets): Main Street and the four cross streets, Station Road.
STREETS_Y = (0, -3500, -1000, 1500, 4000)
STREETS_X = (0,)


def to_map(px, py):
    """Map offset from the town centre of the middle of pixel (px, py); row 0 is the north edge."""
    return X0 + (px + 0.5) * UNITS_PER_PIXEL, Y_TOP - (py + 0.5) * UNITS_PER_PIXEL


def river_y(x):
    # The river of the sample map: a point every 1000 units, y = -9000 + 2500 sin(i * 0.35).
    i = (x - X0) / 1000.0
    return -9000 + 2500 * math.sin(i * 0.35)


def in_ellipse(x, y, cx, cy, rx, ry):
    return ((x - cx) / rx) ** 2 + ((y - cy) / ry) ** 2 <= 1.0


def main():
    rng = random.Random(1852)
    # Fields: a coarse grid of plots, each with its own crop colour.
    crops = [(232, 238, 206), (222, 234, 196), (240, 236, 210), (214, 230, 188), (236, 230, 200)]
    plots = {}
    woods = [(15500, -9000, 4500, 3500), (-16500, 9000, 3500, 4500), (17000, 13000, 3000, 2000)]
    rows = []
    for py in range(HEIGHT):
        row = []
        for px in range(WIDTH):
            x, y = to_map(px, py)
            key = (int((x + 20000) // 2500), int((y + 15000) // 2000))
            if key not in plots:
                plots[key] = rng.choice(crops)
            r, g, b = plots[key]
            # Hedges between plots.
            if (x + 20000) % 2500 < 100 or (y + 15000) % 2000 < 100:
                r, g, b = (196, 214, 170)
            for cx, cy, rx, ry in woods:
                if in_ellipse(x, y, cx, cy, rx, ry):
                    r, g, b = (168, 200, 150) if (px * 7 + py * 3) % 5 else (150, 186, 134)
            # The built-up centre: pale plaster with darker house blocks.
            if abs(x) < 9000 and -6500 < y < 6000:
                r, g, b = (242, 238, 232)
                near_street = any(abs(y - sy) < 220 for sy in STREETS_Y) or any(abs(x - sx) < 220 for sx in STREETS_X)
                if not near_street and 80 < (x + 9000) % 600 < 480 and 60 < (y + 6500) % 500 < 400:
                    r, g, b = (226, 208, 200)
            # Water: the river band, the lake and the mill pond.
            if abs(y - river_y(x)) < 260:
                r, g, b = (176, 208, 238)
            if in_ellipse(x, y, 11000, 8000, 3500, 2200) or in_ellipse(x, y, -12000, -4000, 1200, 900):
                r, g, b = (170, 204, 236)
            row.append((r, g, b))
        rows.append(row)
    # Bottom-up rows of BGR triples, each padded to 4 bytes.
    pixels = bytearray()
    pad = (4 - (WIDTH * 3) % 4) % 4
    for row in reversed(rows):
        for r, g, b in row:
            pixels += bytes((b, g, r))
        pixels += b"\0" * pad
    header_size = 14 + 40
    file_header = struct.pack("<2sIHHI", b"BM", header_size + len(pixels), 0, 0, header_size)
    info_header = struct.pack("<IiiHHIIiiII", 40, WIDTH, HEIGHT, 1, 24, 0, len(pixels), 3780, 3780, 0, 0)
    out = os.path.join(os.path.dirname(os.path.abspath(__file__)), "town.bmp")
    with open(out, "wb") as f:
        f.write(file_header + info_header + pixels)
    print("wrote", out)


if __name__ == "__main__":
    main()
