#!/usr/bin/env python3
"""Reads screenshots for the end-to-end test of the Windows program.

Pictures are read through ImageMagick's convert as binary PPM, so PNG
screenshots and the BMP card sheet are compared pixel by pixel.

  screen.py pixel SHOT X Y                      colour of one pixel: "r g b"
  screen.py count SHOT X Y W H R G B [TOL]      pixels of that colour in the box
  screen.py menu SHOT X Y W H                   text rows of a popup menu: "y enabled" each
  screen.py same SHOT X Y SHEET SX SY W H       1 when the screen box equals the sheet box
  screen.py board SHOT OX OY SHEET LAYOUT       what lies in the hand, field and drawn slots
  screen.py differ SHOT1 SHOT2 X Y W H          pixels that differ in the box
"""
import subprocess
import sys

CARD_W, CARD_H = 63, 104
FELT = (34, 139, 34)


class Picture:
    def __init__(self, path):
        data = subprocess.run(["convert", path, "-depth", "8", "ppm:-"], check=True,
                              stdout=subprocess.PIPE).stdout
        # P6 header: magic, width, height, maxval, each followed by white space.
        fields, pos = [], 0
        while len(fields) < 4:
            while data[pos:pos + 1].isspace():
                pos += 1
            start = pos
            while not data[pos:pos + 1].isspace():
                pos += 1
            fields.append(data[start:pos])
        self.width, self.height = int(fields[1]), int(fields[2])
        self.pixels = data[pos + 1:]

    def at(self, x, y):
        i = (y * self.width + x) * 3
        return tuple(self.pixels[i:i + 3])

    def row(self, x, y, w):
        i = (y * self.width + x) * 3
        return self.pixels[i:i + 3 * w]

    def box(self, x, y, w, h):
        return b"".join(self.row(x, y + j, w) for j in range(h))


def count(pic, x, y, w, h, colour, tol=0):
    n = 0
    for j in range(y, y + h):
        for i in range(x, x + w):
            p = pic.at(i, j)
            if all(abs(p[k] - colour[k]) <= tol for k in range(3)):
                n += 1
    return n


def menu_rows(pic, x, y, w, h):
    """Text rows of a menu: runs of lines holding dark pixels. A row drawn in
    black is enabled; a greyed row has only grey (and its white shadow)."""
    rows, start, black = [], None, False
    for j in range(y, y + h + 1):
        dark = False
        has_black = False
        if j < y + h:
            for i in range(x + 4, x + w - 4):
                r, g, b = pic.at(i, j)
                if max(r, g, b) < 160 and abs(r - g) < 30 and abs(g - b) < 30:
                    dark = True
                    if max(r, g, b) < 60:
                        has_black = True
        # A separator is one or two lines long; text rows are taller.
        if dark:
            if start is None:
                start, black = j, False
            black = black or has_black
        elif start is not None:
            if j - start >= 5:
                rows.append(((start + j) // 2, 1 if black else 0))
            start = None
    return rows


def read_layout(path):
    """allocation.dat: 8 entries a line, each 3 characters of x and 3 of y."""
    xs, ys = [], []
    with open(path, "rb") as f:
        for line in f:
            line = line.rstrip(b"\r\n")
            for k in range(8):
                xs.append(parse_field(line[6 * k:6 * k + 3]))
                ys.append(parse_field(line[6 * k + 3:6 * k + 6]))
    xs, ys = xs[:208] + [476], ys[:208] + [274]
    return xs, ys


def parse_field(field):
    text = field.decode("ascii", "replace").strip()
    digits = ""
    for i, ch in enumerate(text):
        if ch.isdigit() or (i == 0 and ch in "+-"):
            digits += ch
        else:
            break
    try:
        return int(digits)
    except ValueError:
        return 0


def identify(pic, ox, oy, sheet, x, y):
    """The card face (month, row) shown at board (x, y), framed or not, 'back',
    'back-strip', 'felt' or '?'."""
    shown = pic.box(ox + x, oy + y, CARD_W, CARD_H)
    if shown == sheet.box(756, 0, CARD_W, CARD_H):
        return "back"
    for month in range(12):
        for row in range(8):
            if shown == sheet.box(63 * month, 104 * row, CARD_W, CARD_H):
                return "%d %d" % (month, row)
    # A chosen card is framed by a 3-pixel line over its edge: its inside,
    # 3 pixels in, still tells the card.
    inset = 3
    inside = pic.box(ox + x + inset, oy + y + inset, CARD_W - 2 * inset, CARD_H - 2 * inset)
    for month in range(12):
        for row in range(8):
            if inside == sheet.box(63 * month + inset, 104 * row + inset, CARD_W - 2 * inset,
                                   CARD_H - 2 * inset):
                return "%d %d" % (month, row)
    if count(pic, ox + x + 20, oy + y + 40, 20, 20, FELT) == 400:
        return "felt"
    # Overlapping cells (the computer's fanned hand) show only a left strip.
    if pic.box(ox + x, oy + y, 16, CARD_H) == sheet.box(756, 0, 16, CARD_H):
        return "back-strip"
    return "?"


def main(argv):
    cmd = argv[1]
    if cmd == "pixel":
        print(*Picture(argv[2]).at(int(argv[3]), int(argv[4])))
    elif cmd == "count":
        x, y, w, h, r, g, b = map(int, argv[3:10])
        tol = int(argv[10]) if len(argv) > 10 else 0
        print(count(Picture(argv[2]), x, y, w, h, (r, g, b), tol))
    elif cmd == "menu":
        for centre, enabled in menu_rows(Picture(argv[2]), *map(int, argv[3:7])):
            print(centre, enabled)
    elif cmd == "same":
        pic, sheet = Picture(argv[2]), Picture(argv[5])
        x, y = int(argv[3]), int(argv[4])
        sx, sy, w, h = map(int, argv[6:10])
        print(1 if pic.box(x, y, w, h) == sheet.box(sx, sy, w, h) else 0)
    elif cmd == "board":
        pic, sheet = Picture(argv[2]), Picture(argv[5])
        ox, oy = int(argv[3]), int(argv[4])
        xs, ys = read_layout(argv[6])
        for slot in list(range(0, 8)) + list(range(56, 64)) + list(range(160, 184)) + [208]:
            print(slot, xs[slot], ys[slot], identify(pic, ox, oy, sheet, xs[slot], ys[slot]))
    elif cmd == "differ":
        a, b = Picture(argv[2]), Picture(argv[3])
        x, y, w, h = map(int, argv[4:8])
        print(sum(1 for j in range(y, y + h) for i in range(x, x + w) if a.at(i, j) != b.at(i, j)))
    else:
        sys.exit("unknown command " + cmd)


if __name__ == "__main__":
    main(sys.argv)
