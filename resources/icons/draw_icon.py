#!/usr/bin/env python3
"""Draws the program's 128-pixel icon (the desktop menu's picture of it).

The same picture as the window icon the program paints for itself: a blue
tile, a wave of water, and the white probe with its orange sensor. Plain
Python (zlib for the PNG), so the icon can be drawn again anywhere:

    python3 draw_icon.py kelp-collector-128.png
"""
import struct
import sys
import zlib

SIZE = 128
SUB = 4  # samples per pixel edge, for smooth edges
UNIT = SIZE / 32.0  # the picture is laid out on a 32-unit grid


def rounded_rect(x, y, w, h, r):
    def inside(px, py):
        if px < x or px > x + w or py < y or py > y + h:
            return False
        cx = min(max(px, x + r), x + w - r)
        cy = min(max(py, y + r), y + h - r)
        return (px - cx) ** 2 + (py - cy) ** 2 <= r * r
    return inside


def cubic(p0, p1, p2, p3, steps=24):
    pts = []
    for i in range(1, steps + 1):
        t = i / steps
        a = (1 - t) ** 3
        b = 3 * (1 - t) ** 2 * t
        c = 3 * (1 - t) * t * t
        d = t ** 3
        pts.append((a * p0[0] + b * p1[0] + c * p2[0] + d * p3[0],
                    a * p0[1] + b * p1[1] + c * p2[1] + d * p3[1]))
    return pts


def polygon(points):
    def inside(px, py):
        hit = False
        n = len(points)
        for i in range(n):
            x1, y1 = points[i]
            x2, y2 = points[(i + 1) % n]
            if (y1 > py) != (y2 > py):
                if px < x1 + (py - y1) * (x2 - x1) / (y2 - y1):
                    hit = not hit
        return hit
    return inside


def circle(cx, cy, r):
    return lambda px, py: (px - cx) ** 2 + (py - cy) ** 2 <= r * r


tile = rounded_rect(1, 1, 30, 30, 5)
wave_outline = [(1, 18)]
wave_outline += cubic((1, 18), (8, 13), (12, 23), (18, 18))
wave_outline += cubic((18, 18), (23, 14), (27, 20), (31, 17))
wave_outline += [(31, 31), (1, 31)]
wave_shape = polygon(wave_outline)
wave = lambda px, py: tile(px, py) and wave_shape(px, py)

LAYERS = [
    (tile, (0x1E, 0x5A, 0x9C)),
    (wave, (0x5C, 0xC8, 0xF0)),
    (rounded_rect(14, 4, 4, 19, 2), (0xF5, 0xF5, 0xF5)),
    (circle(16, 24, 3), (0xFF, 0xB0, 0x20)),
]


def pixel(x, y):
    r = g = b = a = 0.0
    n = SUB * SUB
    for sy in range(SUB):
        for sx in range(SUB):
            px = (x + (sx + 0.5) / SUB) / UNIT
            py = (y + (sy + 0.5) / SUB) / UNIT
            colour = None
            for shape, rgb in LAYERS:
                if shape(px, py):
                    colour = rgb
            if colour is not None:
                r += colour[0]
                g += colour[1]
                b += colour[2]
                a += 1
    if a == 0:
        return (0, 0, 0, 0)
    return (round(r / a), round(g / a), round(b / a), round(255 * a / n))


def png(width, height, rows):
    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)
    raw = b"".join(b"\0" + bytes(v for p in row for v in p) for row in rows)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 6, 0, 0, 0))
            + chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b""))


def main():
    out = sys.argv[1] if len(sys.argv) > 1 else "kelp-collector-128.png"
    rows = [[pixel(x, y) for x in range(SIZE)] for y in range(SIZE)]
    with open(out, "wb") as f:
        f.write(png(SIZE, SIZE, rows))


if __name__ == "__main__":
    main()
