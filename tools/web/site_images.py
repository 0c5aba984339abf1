#!/usr/bin/env python3
"""Makes the browser edition's pictures from the card sheet, with nothing but
the standard library: hanaX.png, the sheet itself without loss (browsers do
not all draw BMP), and the two home-screen icons, a card face on the felt.

Usage: site_images.py hanaX.bmp OUTPUT_DIR
"""

import os
import struct
import sys
import zlib

FELT = (34, 139, 34)


def read_bmp(path):
    """Rows of (r, g, b) tuples, top row first, of a 24-bit uncompressed BMP."""
    with open(path, "rb") as f:
        data = f.read()
    if data[:2] != b"BM":
        raise SystemExit("%s: not a BMP file" % path)
    offset = struct.unpack_from("<I", data, 10)[0]
    width, height, _, bits, compression = struct.unpack_from("<iiHHI", data, 18)
    if bits != 24 or compression != 0:
        raise SystemExit("%s: expected 24 bits a pixel, uncompressed" % path)
    stride = (width * 3 + 3) // 4 * 4
    rows = []
    for y in range(abs(height)):
        start = offset + y * stride
        rows.append(data[start:start + width * 3])
    # BMP rows are bottom-up (positive height) and BGR.
    if height > 0:
        rows.reverse()
    pixels = []
    for raw in rows:
        pixels.append([(raw[i + 2], raw[i + 1], raw[i]) for i in range(0, width * 3, 3)])
    return pixels


def write_png(path, pixels):
    height = len(pixels)
    width = len(pixels[0])
    raw = bytearray()
    for row in pixels:
        raw.append(0)  # no filter
        for r, g, b in row:
            raw += bytes((r, g, b))

    def chunk(kind, body):
        return (struct.pack(">I", len(body)) + kind + body +
                struct.pack(">I", zlib.crc32(kind + body) & 0xFFFFFFFF))

    header = struct.pack(">IIBBBBB", width, height, 8, 2, 0, 0, 0)
    png = (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) +
           chunk(b"IDAT", zlib.compress(bytes(raw), 9)) + chunk(b"IEND", b""))
    with open(path, "wb") as f:
        f.write(png)


def icon(sheet, size):
    """The January bright (card 0, the sheet's top-left cell) scaled to fit
    the square with the felt around it, nearest neighbour."""
    card_w, card_h = 63, 104
    scale = size * 0.85 / card_h
    w, h = int(card_w * scale), int(card_h * scale)
    left, top = (size - w) // 2, (size - h) // 2
    out = [[FELT] * size for _ in range(size)]
    for y in range(h):
        sy = min(card_h - 1, int(y / scale))
        for x in range(w):
            sx = min(card_w - 1, int(x / scale))
            out[top + y][left + x] = sheet[sy][sx]
    return out


def main():
    if len(sys.argv) != 3:
        raise SystemExit(__doc__)
    sheet = read_bmp(sys.argv[1])
    out_dir = sys.argv[2]
    os.makedirs(out_dir, exist_ok=True)
    write_png(os.path.join(out_dir, "hanaX.png"), sheet)
    for size in (192, 512):
        write_png(os.path.join(out_dir, "icon-%d.png" % size), icon(sheet, size))


if __name__ == "__main__":
    main()
