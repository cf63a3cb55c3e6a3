#!/usr/bin/env python3
"""Draws the Quorbell program icon (a bell in front of a calendar page) and writes res/Quorbell.ico.

Standard library only. Shapes are described in a unit square (y pointing down) and rendered by
supersampling, so every size gets clean anti-aliased edges. Small sizes use a simpler page.

    python3 tools/make-icon.py [output.ico] [--png SIZE FILE]
"""
import math
import struct
import sys
import zlib

SIZES = [16, 24, 32, 48, 256]

# Colours (R, G, B, A).
INK = (52, 62, 76, 255)
PAPER = (250, 250, 247, 255)
HEADER = (214, 54, 56, 255)
CELL = (176, 190, 206, 255)
CELL_RED = (226, 86, 80, 255)
RING = (88, 98, 112, 255)
BELL_EDGE = (128, 82, 8, 255)
BELL = (244, 178, 34, 255)
BELL_LIGHT = (255, 226, 128, 255)
CLAPPER = (150, 96, 10, 255)


def rounded_rect(x0, y0, x1, y1, r):
    def inside(x, y):
        if x < x0 or x > x1 or y < y0 or y > y1:
            return False
        cx = min(max(x, x0 + r), x1 - r)
        cy = min(max(y, y0 + r), y1 - r)
        return (x - cx) ** 2 + (y - cy) ** 2 <= r * r
    return inside


def circle(cx, cy, r):
    return lambda x, y: (x - cx) ** 2 + (y - cy) ** 2 <= r * r


def ellipse(cx, cy, rx, ry):
    return lambda x, y: ((x - cx) / rx) ** 2 + ((y - cy) / ry) ** 2 <= 1.0


def both(a, b):
    return lambda x, y: a(x, y) and b(x, y)


def bell(cx, top, bottom, grow):
    """A bell: a dome, a flaring body, a lip and a knob; `grow` widens everything (outline)."""
    dome_r = 0.16 + grow
    dome_cy = top + 0.16
    body_top, body_bottom = dome_cy, bottom - 0.05
    lip = rounded_rect(cx - 0.26 - grow, bottom - 0.08 - grow, cx + 0.26 + grow, bottom + grow, 0.03 + grow)
    knob = circle(cx, top - 0.01, 0.035 + grow)

    def inside(x, y):
        if y <= dome_cy and (x - cx) ** 2 + (y - dome_cy) ** 2 <= dome_r * dome_r:
            return True
        if body_top <= y <= body_bottom:
            t = (y - body_top) / (body_bottom - body_top)
            return abs(x - cx) <= 0.16 + 0.07 * t * t + grow
        return lip(x, y) or knob(x, y)
    return inside


def scene(size):
    simple = size <= 24
    layers = []
    # Calendar page with a dark edge, a red header and two binder rings.
    edge = 0.035 if simple else 0.025
    layers.append((INK, rounded_rect(0.04, 0.10, 0.80, 0.90, 0.09)))
    page = rounded_rect(0.04 + edge, 0.10 + edge, 0.80 - edge, 0.90 - edge, 0.09 - edge)
    layers.append((PAPER, page))
    layers.append((HEADER, both(page, lambda x, y: y <= 0.32)))
    for rx in (0.22, 0.56):
        layers.append((RING, rounded_rect(rx - 0.035, 0.03, rx + 0.035, 0.19, 0.03)))
    # Day cells; one marked red as a holiday.
    cols, rows = (3, 2) if simple else (4, 3)
    x0, x1, y0, y1 = 0.13, 0.70, 0.41, 0.82
    cw, ch = (x1 - x0) / cols, (y1 - y0) / rows
    gap = 0.30 if simple else 0.25
    for r in range(rows):
        for c in range(cols):
            colour = CELL_RED if c == 0 and r == 0 else CELL
            layers.append((colour, rounded_rect(x0 + c * cw + cw * gap / 2, y0 + r * ch + ch * gap / 2,
                                                x0 + (c + 1) * cw - cw * gap / 2, y0 + (r + 1) * ch - ch * gap / 2,
                                                0.015)))
    # The bell in front, lower right.
    cx, top, bottom = 0.69, 0.34, 0.87
    outline = 0.04 if simple else 0.03
    layers.append((BELL_EDGE, bell(cx, top, bottom, outline)))
    layers.append((CLAPPER, circle(cx, bottom + 0.035, 0.06)))
    body = bell(cx, top, bottom, 0.0)
    layers.append((BELL, body))
    if not simple:
        layers.append((BELL_LIGHT, both(body, ellipse(cx - 0.08, top + 0.22, 0.035, 0.13))))
    return layers


def render(size):
    """RGBA rows (top first) as bytearrays, straight (not premultiplied) alpha."""
    layers = scene(size)
    n = 4 if size >= 128 else 8
    offsets = [(i + 0.5) / n for i in range(n)]
    rows = []
    for py in range(size):
        row = bytearray()
        for px in range(size):
            samples = [((px + ox) / size, (py + oy) / size) for oy in offsets for ox in offsets]
            # Premultiplied "over" compositing of each layer's coverage.
            r = g = b = a = 0.0
            for colour, inside in layers:
                cover = sum(1 for (x, y) in samples if inside(x, y)) / len(samples)
                if cover == 0:
                    continue
                la = cover * colour[3] / 255.0
                r = colour[0] * la + r * (1 - la)
                g = colour[1] * la + g * (1 - la)
                b = colour[2] * la + b * (1 - la)
                a = la + a * (1 - la)
            if a > 0:
                row += bytes((round(r / a), round(g / a), round(b / a), round(a * 255)))
            else:
                row += bytes(4)
        rows.append(row)
    return rows


def png_bytes(rows, size):
    def chunk(kind, data):
        return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data) & 0xFFFFFFFF)
    raw = b"".join(b"\x00" + bytes(row) for row in rows)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", size, size, 8, 6, 0, 0, 0))
            + chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b""))


def bmp_entry(rows, size):
    """32-bit DIB as icons store it: bottom-up BGRA, then a 1-bit AND mask (1 = transparent)."""
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    pixels = bytearray()
    for row in reversed(rows):
        for i in range(0, len(row), 4):
            pixels += bytes((row[i + 2], row[i + 1], row[i], row[i + 3]))
    stride = ((size + 31) // 32) * 4
    mask = bytearray()
    for row in reversed(rows):
        bits = bytearray(stride)
        for x in range(size):
            if row[x * 4 + 3] == 0:
                bits[x // 8] |= 0x80 >> (x % 8)
        mask += bits
    return header + bytes(pixels) + bytes(mask)


def ico_bytes(images):
    header = struct.pack("<HHH", 0, 1, len(images))
    offset = len(header) + 16 * len(images)
    entries, data = b"", b""
    for size, blob in images:
        dim = 0 if size >= 256 else size
        entries += struct.pack("<BBBBHHII", dim, dim, 0, 0, 1, 32, len(blob), offset + len(data))
        data += blob
    return header + entries + data


def main(argv):
    out = "res/Quorbell.ico"
    png_requests = []
    args = list(argv)
    while args:
        a = args.pop(0)
        if a == "--png":
            png_requests.append((int(args.pop(0)), args.pop(0)))
        else:
            out = a
    images = []
    for size in SIZES:
        rows = render(size)
        images.append((size, png_bytes(rows, size) if size >= 256 else bmp_entry(rows, size)))
        for want, path in png_requests:
            if want == size:
                with open(path, "wb") as f:
                    f.write(png_bytes(rows, size))
    with open(out, "wb") as f:
        f.write(ico_bytes(images))


if __name__ == "__main__":
    main(sys.argv[1:])
