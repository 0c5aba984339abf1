#!/usr/bin/env python3
"""Checks that a BMP is what the program's bitmap loader expects of the card
sheet: "BM", a 40-byte BITMAPINFOHEADER, 819 x 932, bottom-up (positive
height), one plane, 24 bits a pixel, no compression, and pixel data of
exactly the padded row size. Exits non-zero with a message otherwise.

Usage: check_bmp.py FILE.bmp
"""

import struct
import sys

WIDTH, HEIGHT = 819, 932


def problems(data):
    if len(data) < 54 or data[:2] != b"BM":
        return ["not a BMP file"]
    file_size, offset = struct.unpack_from("<I4xI", data, 2)
    header_size, width, height, planes, bits, compression = struct.unpack_from("<IiiHHI", data, 14)
    row = (width * 3 + 3) // 4 * 4
    checks = [
        (header_size == 40, "header is %d bytes, not a 40-byte BITMAPINFOHEADER" % header_size),
        ((width, height) == (WIDTH, HEIGHT), "size %d x %d, expected %d x %d" % (width, height, WIDTH, HEIGHT)),
        (height > 0, "rows are stored top-down"),
        (planes == 1, "%d planes" % planes),
        (bits == 24, "%d bits a pixel, expected 24" % bits),
        (compression == 0, "compression %d, expected none (0)" % compression),
        (offset == 54, "pixel data at %d, expected 54 (no palette, no masks)" % offset),
        (file_size == len(data), "header gives %d bytes, file has %d" % (file_size, len(data))),
        (len(data) >= offset + row * abs(height), "pixel data is short"),
    ]
    return [message for ok, message in checks if not ok]


if __name__ == "__main__":
    with open(sys.argv[1], "rb") as f:
        found = problems(f.read())
    for message in found:
        print("%s: %s" % (sys.argv[1], message), file=sys.stderr)
    sys.exit(1 if found else 0)
