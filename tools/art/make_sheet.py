#!/usr/bin/env python3
"""Writes the SVG of the card sheet "hanaX.bmp": 819 x 932 pixels, every cell
at the place where the board painter copies it from.

Usage: make_sheet.py OUT.svg
The layout below is the sheet's cell table; build_sheet.sh renders the SVG
and stores it as the 24-bit BMP the program loads.
"""

import sys

import deck
import pieces
from svg import at, document, g, rect

SHEET_W, SHEET_H = 819, 932
FELT = "#228b22"  # (34, 139, 34), the table felt: unused parts of the sheet blend into the board


def cells():
    """Yields (x, y, markup) for every picture of the sheet, in layout order."""
    for card in range(48):
        month, k = divmod(card, 4)
        yield 63 * month, 104 * k, deck.card_face(card, "first")
        yield 63 * month, 104 * (4 + k), deck.card_face(card, "second")
    yield 756, 0, deck.card_back()
    for month in range(1, 13):
        yield 756, 104 + 30 * month, pieces.month_marker(month)
    for k in range(10):
        yield 756, 494 + 20 * k, pieces.yaku_label(k)
    yield 748, 832, pieces.koikoi_badge(0)
    yield 748, 872, pieces.koikoi_badge(1)
    for side in (0, 1):
        y = 852 + 40 * side
        for r in range(3):
            yield 300 + 50 * r, y, pieces.counter_label(side, r)
        yield 450, y, pieces.kan_label(side)
        yield 502, y, pieces.ten_kan()
        yield 548, y, pieces.five_kan()
        yield 584, y, pieces.one_kan()
        yield 600, y, pieces.pip(side)
    yield 616, 852, pieces.prompt(pieces.HAND_PROMPT)
    yield 616, 892, pieces.prompt(pieces.FIELD_PROMPT)


def sheet_svg():
    placed = [g(markup, transform=at(x, y)) for x, y, markup in cells()]
    return document(SHEET_W, SHEET_H, rect(0, 0, SHEET_W, SHEET_H, FELT), *placed)


if __name__ == "__main__":
    if len(sys.argv) != 2:
        sys.exit("usage: make_sheet.py OUT.svg")
    with open(sys.argv[1], "w", encoding="utf-8") as out:
        out.write(sheet_svg())
