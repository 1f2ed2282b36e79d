#!/usr/bin/env python3
"""Checks the committed cursor and logo: that they are what the generator
writes today, and that their headers are what the loaders expect.
Run with: python3 -m unittest resources/test_resources.py"""

import os
import struct
import sys
import unittest

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, HERE)
import make_resources  # noqa: E402


def read(name):
    with open(os.path.join(HERE, name), "rb") as f:
        return f.read()


def bit(row_bytes, x):
    return (row_bytes[x // 8] >> (7 - x % 8)) & 1


class CommittedFiles(unittest.TestCase):
    def test_match_the_generator(self):
        self.assertEqual(read("big.cur"), make_resources.cursor_bytes(),
                         "big.cur is stale: run make_resources.py")
        self.assertEqual(read("logo.bmp"), make_resources.bitmap_bytes(make_resources.draw_logo()),
                         "logo.bmp is stale: run make_resources.py")


class Cursor(unittest.TestCase):
    def setUp(self):
        self.data = read("big.cur")

    def test_is_one_32x32_two_colour_cursor_with_hot_spot_at_top_left(self):
        reserved, kind, count = struct.unpack_from("<HHH", self.data, 0)
        self.assertEqual((reserved, kind, count), (0, 2, 1))
        width, height, _, _, hot_x, hot_y, size, offset = struct.unpack_from(
            "<BBBBHHII", self.data, 6)
        self.assertEqual((width, height, hot_x, hot_y), (32, 32, 0, 0))
        self.assertEqual(offset + size, len(self.data))
        header = struct.unpack_from("<IiiHH", self.data, offset)
        self.assertEqual(header, (40, 32, 64, 1, 1))

    def test_tip_is_drawn_and_far_corner_is_transparent(self):
        pixels = 22 + 40 + 8
        # Rows run bottom-up: the top row is the last of each 32-row mask.
        xor_top = self.data[pixels + 31 * 4:pixels + 32 * 4]
        and_top = self.data[pixels + 128 + 31 * 4:pixels + 128 + 32 * 4]
        and_bottom = self.data[pixels + 128:pixels + 128 + 4]
        self.assertEqual((bit(and_top, 0), bit(xor_top, 0)), (0, 0))  # black tip
        self.assertEqual(bit(and_top, 31), 1)
        self.assertEqual(bit(and_bottom, 31), 1)


class Logo(unittest.TestCase):
    def test_is_185x100_with_16_colours_at_4_bits(self):
        data = read("logo.bmp")
        magic, file_size, _, _, offset = struct.unpack_from("<2sIHHI", data, 0)
        self.assertEqual((magic, file_size), (b"BM", len(data)))
        size, width, height, planes, bits, compression = struct.unpack_from("<IiiHHI", data, 14)
        self.assertEqual((size, width, height, planes, bits, compression), (40, 185, 100, 1, 4, 0))
        self.assertEqual(offset, 14 + 40 + 16 * 4)
        stride = 96  # 185 pixels of 4 bits, padded to whole 32-bit words
        self.assertEqual(len(data) - offset, stride * 100)


if __name__ == "__main__":
    unittest.main()
