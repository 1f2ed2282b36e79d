#!/usr/bin/env python3
"""Writes the module's cursor and logo bitmap beside this script.

big.cur  - the "BIG" cursor: 32 x 32, two colours (AND/XOR masks), a large
           arrow whose tip, the hot spot, is the top left pixel.
logo.bmp - resource 1010: 185 x 100, 4 bits per pixel, 16-colour palette; a
           measuring instrument with a sine trace, the name and two traces.

Standard library only, and deterministic: running it again gives the same
bytes, so the generated files can be committed and compared.
"""

import math
import os
import struct
import sys

HERE = os.path.dirname(os.path.abspath(__file__))

CURSOR_SIZE = 32
# X black outline, o white fill, . transparent; the tip is the hot spot.
ARROW = [
    "X...............................",
    "XX..............................",
    "XoX.............................",
    "XooX............................",
    "XoooX...........................",
    "XooooX..........................",
    "XoooooX.........................",
    "XooooooX........................",
    "XoooooooX.......................",
    "XooooooooX......................",
    "XoooooooooX.....................",
    "XooooooooooX....................",
    "XoooooooooooX...................",
    "XooooooooooooX..................",
    "XoooooooooooooX.................",
    "XooooooooooooooX................",
    "XoooooooooooooooX...............",
    "XooooooooooooooooX..............",
    "XoooooooooXXXXXXXXX.............",
    "XooooXooooX.....................",
    "XoooXXooooX.....................",
    "XooX..XooooX....................",
    "XoX...XooooX....................",
    "XX.....XooooX...................",
    "X......XooooX...................",
    "........XooooX..................",
    "........XooooX..................",
    ".........XooooX.................",
    ".........XooooX.................",
    "..........XooooX................",
    "..........XooooX................",
    "...........XXXX.................",
]

LOGO_WIDTH, LOGO_HEIGHT = 185, 100

# The standard 16-colour display palette, as (red, green, blue).
PALETTE = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0),
    (0, 0, 128), (128, 0, 128), (0, 128, 128), (192, 192, 192),
    (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0),
    (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255),
]
BLACK, MAROON, NAVY, SILVER, GREY, RED, LIME, BLUE, WHITE = 0, 1, 4, 7, 8, 9, 10, 12, 15

GLYPHS = {
    "b": ["10000", "10000", "10110", "11001", "10001", "10001", "11110"],
    "r": ["00000", "00000", "10110", "11001", "10000", "10000", "10000"],
    "e": ["00000", "00000", "01110", "10001", "11111", "10000", "01110"],
    "n": ["00000", "00000", "10110", "11001", "10001", "10001", "10001"],
    "k": ["10000", "10000", "10010", "10100", "11000", "10100", "10010"],
    "_": ["00000", "00000", "00000", "00000", "00000", "00000", "11111"],
    "C": ["01110", "10001", "10000", "10000", "10000", "10001", "01110"],
    "D": ["11110", "10001", "10001", "10001", "10001", "10001", "11110"],
    "E": ["11111", "10000", "10000", "11110", "10000", "10000", "11111"],
    "M": ["10001", "11011", "10101", "10101", "10001", "10001", "10001"],
    "O": ["01110", "10001", "10001", "10001", "10001", "10001", "01110"],
}


def pack_bits(bits):
    """1-bit row, leftmost pixel in the high bit, padded to 32 bits."""
    row = bytearray((len(bits) + 31) // 32 * 4)
    for x, bit in enumerate(bits):
        if bit:
            row[x // 8] |= 0x80 >> (x % 8)
    return bytes(row)


def cursor_bytes():
    shape = ARROW
    # Black outline (AND 0, XOR 0), white fill (AND 0, XOR 1), clear (AND 1).
    xor_rows = [pack_bits([c == "o" for c in row]) for row in reversed(shape)]
    and_rows = [pack_bits([c == "." for c in row]) for row in reversed(shape)]
    pixels = b"".join(xor_rows) + b"".join(and_rows)
    colours = bytes([0, 0, 0, 0, 255, 255, 255, 0])
    header = struct.pack("<IiiHHIIiiII", 40, CURSOR_SIZE, CURSOR_SIZE * 2, 1, 1, 0,
                         len(pixels), 0, 0, 2, 0)
    image = header + colours + pixels
    hot_x, hot_y = 0, 0
    directory = struct.pack("<HHH", 0, 2, 1)
    entry = struct.pack("<BBBBHHII", CURSOR_SIZE, CURSOR_SIZE, 2, 0, hot_x, hot_y,
                        len(image), 6 + 16)
    return directory + entry + image


class Canvas:
    def __init__(self, width, height, colour):
        self.width, self.height = width, height
        self.pixels = [[colour] * width for _ in range(height)]

    def put(self, x, y, colour):
        if 0 <= x < self.width and 0 <= y < self.height:
            self.pixels[y][x] = colour

    def fill_rect(self, left, top, right, bottom, colour):
        for y in range(top, bottom):
            for x in range(left, right):
                self.put(x, y, colour)

    def frame_rect(self, left, top, right, bottom, colour, thickness=1):
        for t in range(thickness):
            for x in range(left + t, right - t):
                self.put(x, top + t, colour)
                self.put(x, bottom - 1 - t, colour)
            for y in range(top + t, bottom - t):
                self.put(left + t, y, colour)
                self.put(right - 1 - t, y, colour)

    def rounded_rect(self, left, top, right, bottom, radius, fill, outline):
        def inside(x, y):
            cx = min(max(x, left + radius), right - 1 - radius)
            cy = min(max(y, top + radius), bottom - 1 - radius)
            return (x - cx) ** 2 + (y - cy) ** 2 <= radius * radius

        for y in range(top, bottom):
            for x in range(left, right):
                if inside(x, y):
                    rim = not all(inside(x + dx, y + dy)
                                  for dx, dy in ((-1, 0), (1, 0), (0, -1), (0, 1)))
                    self.put(x, y, outline if rim else fill)

    def disc(self, cx, cy, radius, fill, outline):
        for y in range(cy - radius, cy + radius + 1):
            for x in range(cx - radius, cx + radius + 1):
                d = math.hypot(x - cx, y - cy)
                if d <= radius + 0.3:
                    self.put(x, y, outline if d > radius - 1 else fill)

    def line(self, x0, y0, x1, y1, colour):
        steps = max(abs(x1 - x0), abs(y1 - y0), 1)
        for i in range(steps + 1):
            self.put(round(x0 + (x1 - x0) * i / steps), round(y0 + (y1 - y0) * i / steps), colour)

    def wave(self, left, right, middle, amplitude, periods, phase, colour, thick=False):
        span = right - left
        previous = None
        for x in range(left, right + 1):
            y = round(middle - amplitude * math.sin(2 * math.pi * periods * (x - left) / span + phase))
            if previous is not None:
                self.line(x - 1, previous, x, y, colour)
                if thick:
                    self.line(x - 1, previous + 1, x, y + 1, colour)
            previous = y

    def text(self, left, top, text, scale, colour):
        x = left
        for char in text:
            for row, bits in enumerate(GLYPHS[char]):
                for column, bit in enumerate(bits):
                    if bit == "1":
                        self.fill_rect(x + column * scale, top + row * scale,
                                       x + (column + 1) * scale, top + (row + 1) * scale, colour)
            x += 6 * scale


def draw_logo():
    canvas = Canvas(LOGO_WIDTH, LOGO_HEIGHT, WHITE)
    canvas.frame_rect(0, 0, LOGO_WIDTH, LOGO_HEIGHT, NAVY, 3)
    canvas.frame_rect(5, 5, LOGO_WIDTH - 5, LOGO_HEIGHT - 5, SILVER)

    # The instrument: body, display with a sine trace, range dial, sockets.
    canvas.rounded_rect(11, 11, 79, 90, 6, GREY, BLACK)
    canvas.fill_rect(17, 17, 73, 49, BLACK)
    canvas.frame_rect(16, 16, 74, 50, SILVER)
    for x in range(20, 72, 8):
        canvas.put(x, 33, GREY)
    canvas.wave(19, 71, 33, 11, 1.5, 0, LIME)
    canvas.disc(45, 66, 11, SILVER, BLACK)
    canvas.line(45, 66, 52, 58, RED)
    canvas.disc(45, 66, 2, BLACK, BLACK)
    canvas.disc(23, 83, 3, RED, MAROON)
    canvas.disc(67, 83, 3, BLACK, BLACK)

    # Name, and voltage and current traces beneath it.
    canvas.text(91, 16, "brenk_C", 2, NAVY)
    canvas.text(108, 38, "DEMO", 2, BLUE)
    canvas.line(90, 72, 175, 72, SILVER)
    canvas.wave(90, 175, 72, 12, 2, 0, RED, thick=True)
    canvas.wave(90, 175, 72, 7, 2, -0.6, BLUE, thick=True)
    return canvas


def bitmap_bytes(canvas):
    stride = (canvas.width * 4 + 31) // 32 * 4
    rows = []
    for row in reversed(canvas.pixels):
        packed = bytearray(stride)
        for x, colour in enumerate(row):
            packed[x // 2] |= colour << (4 if x % 2 == 0 else 0)
        rows.append(bytes(packed))
    pixels = b"".join(rows)
    palette = b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in PALETTE)
    offset = 14 + 40 + len(palette)
    info = struct.pack("<IiiHHIIiiII", 40, canvas.width, canvas.height, 1, 4, 0,
                       len(pixels), 2835, 2835, 16, 0)
    file_header = struct.pack("<2sIHHI", b"BM", offset + len(pixels), 0, 0, offset)
    return file_header + info + palette + pixels


def write(name, data):
    with open(os.path.join(HERE, name), "wb") as out:
        out.write(data)


def main():
    write("big.cur", cursor_bytes())
    write("logo.bmp", bitmap_bytes(draw_logo()))
    return 0


if __name__ == "__main__":
    sys.exit(main())
