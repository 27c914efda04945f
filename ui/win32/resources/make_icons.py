#!/usr/bin/env python3
"""Draws the program's icon and its two pictures and writes them as .ico files.

The shapes are described in a 32 x 32 design space and rendered with 4 x 4 supersampling at
each size an icon carries, so every size is drawn, not scaled: 32-bit BGRA with alpha.
Usage: make_icons.py OUTPUT_FOLDER
"""
import math
import struct
import sys
from pathlib import Path

BLUE = (0x1E, 0x64, 0xD2)
DARK_BLUE = (0x0F, 0x3C, 0x8C)
WHITE = (0xFF, 0xFF, 0xFF)


def rounded_rect(x0, y0, x1, y1, r):
    def inside(x, y):
        cx = min(max(x, x0 + r), x1 - r)
        cy = min(max(y, y0 + r), y1 - r)
        return (x - cx) ** 2 + (y - cy) ** 2 <= r * r and x0 <= x <= x1 and y0 <= y <= y1
    return inside


def thick_segment(ax, ay, bx, by, half_width):
    def inside(x, y):
        dx, dy = bx - ax, by - ay
        t = max(0.0, min(1.0, ((x - ax) * dx + (y - ay) * dy) / (dx * dx + dy * dy)))
        px, py = ax + t * dx, ay + t * dy
        return (x - px) ** 2 + (y - py) ** 2 <= half_width ** 2
    return inside


def plus_sign():
    arm = 3.4
    vertical = rounded_rect(16 - arm, 4, 16 + arm, 28, 2)
    horizontal = rounded_rect(4, 16 - arm, 28, 16 + arm, 2)
    return [(lambda x, y: vertical(x, y) or horizontal(x, y), BLUE)]


def double_chevron():
    shapes = []
    for left in (5.0, 15.0):
        upper = thick_segment(left, 7, left + 10, 16, 2.6)
        lower = thick_segment(left + 10, 16, left, 25, 2.6)
        shapes.append((lambda x, y, u=upper, l=lower: u(x, y) or l(x, y), BLUE))
    return shapes


def program_icon():
    tile = rounded_rect(1.5, 1.5, 30.5, 30.5, 6)
    shapes = [(tile, BLUE)]
    arm = 1.9
    vertical = rounded_rect(10 - arm, 9, 10 + arm, 23, 1)
    horizontal = rounded_rect(3, 16 - arm, 17, 16 + arm, 1)
    shapes.append((lambda x, y: vertical(x, y) or horizontal(x, y), WHITE))
    for left in (18.0, 23.0):
        upper = thick_segment(left, 10, left + 5, 16, 1.6)
        lower = thick_segment(left + 5, 16, left, 22, 1.6)
        shapes.append((lambda x, y, u=upper, l=lower: u(x, y) or l(x, y), WHITE))
    return shapes


def render(shapes, size, samples=4):
    """Rows of (b, g, r, a), top row first."""
    scale = 32.0 / size
    rows = []
    for py in range(size):
        row = []
        for px in range(size):
            accumulated = [0.0, 0.0, 0.0, 0.0]
            for sy in range(samples):
                for sx in range(samples):
                    x = (px + (sx + 0.5) / samples) * scale
                    y = (py + (sy + 0.5) / samples) * scale
                    color = None
                    for inside, shape_color in shapes:  # later shapes lie on top
                        if inside(x, y):
                            color = shape_color
                    if color is not None:
                        for i in range(3):
                            accumulated[i] += color[i]
                        accumulated[3] += 1
            count = samples * samples
            alpha = accumulated[3] / count
            if alpha == 0:
                row.append((0, 0, 0, 0))
            else:
                r, g, b = (accumulated[i] / accumulated[3] for i in range(3))
                row.append((round(b), round(g), round(r), round(alpha * 255)))
        rows.append(row)
    return rows


def icon_image(rows):
    size = len(rows)
    header = struct.pack('<IiiHHIIiiII', 40, size, size * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    pixels = b''.join(bytes(pixel) for row in reversed(rows) for pixel in row)
    mask_stride = ((size + 31) // 32) * 4
    mask = bytearray()
    for row in reversed(rows):
        bits = bytearray(mask_stride)
        for x, pixel in enumerate(row):
            if pixel[3] == 0:
                bits[x // 8] |= 0x80 >> (x % 8)
        mask += bits
    return header + pixels + bytes(mask)


def write_icon(path, shapes, sizes):
    images = [icon_image(render(shapes, size)) for size in sizes]
    directory = struct.pack('<HHH', 0, 1, len(images))
    offset = 6 + 16 * len(images)
    entries = b''
    for size, image in zip(sizes, images):
        entries += struct.pack('<BBBBHHII', size % 256, size % 256, 0, 0, 1, 32, len(image), offset)
        offset += len(image)
    path.write_bytes(directory + entries + b''.join(images))


def main():
    folder = Path(sys.argv[1])
    folder.mkdir(parents=True, exist_ok=True)
    write_icon(folder / 'quillmora.ico', program_icon(), [16, 24, 32, 48, 64])
    picture_sizes = [32, 40, 48, 64]  # 100 %, 125 %, 150 %, 200 %
    write_icon(folder / 'plus-sign.ico', plus_sign(), picture_sizes)
    write_icon(folder / 'double-chevron.ico', double_chevron(), picture_sizes)


if __name__ == '__main__':
    main()
