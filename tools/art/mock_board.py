#!/usr/bin/env python3
"""Composes a picture of the board in the middle of a day from the card sheet,
laid out as the painter lays it out: cards at their places from the layout
file, month marker, score panels with pips and kan tokens, a combination
label, the koi-koi badge, the turn label and the hand-card prompt.

It stands in for a screenshot of the program until one is taken under Wine
(see screenshot.sh). Usage: mock_board.py SHEET.bmp LAYOUT.dat OUT.png
"""

import subprocess
import sys

BOARD_W, BOARD_H = 1016, 698
FELT = "#228b22"
DRAWN_PLACE = (476, 274)

# The position shown: month 3, the human to play, the computer has made the
# moon-viewing sake (5 mon) and called koi-koi. Slot -> card.
HUMAN_HAND = [9, 13, 22, 33, 40, 46]
HUMAN_PILES = {8: [0], 13: [4, 20], 22: [1, 5], 32: [2, 3, 14, 30]}
COMPUTER_HAND_COUNT = 6
COMPUTER_PILES = {64: [28], 69: [32], 78: [21], 88: [6, 7, 26, 27, 38]}
FIELD = [10, 12, 16, 24, 36, 41, 45, 18]
MONTH = 3
COUNTERS = ([0, 0, 3], [0, 5, 2])      # TurnGain, TodayMon, MonthMon of each side
KAN = (37, 35)
YAKU = ([], [6])                        # combinations made, by side
KOI_CALLED = (0, 1)


def read_layout(path):
    """The top-left corner of every slot: six digits a slot, x then y, CR LF between lines."""
    with open(path, "rb") as f:
        digits = b"".join(f.read().split()).decode("ascii")
    places = [(int(digits[i:i + 3]), int(digits[i + 3:i + 6])) for i in range(0, len(digits) - 5, 6)]
    return places + [DRAWN_PLACE]


def face(card, second=False):
    return (63 * (card // 4), 104 * (card % 4 + (4 if second else 0)), 63, 104)


def copies(places):
    """Yields (sheet cell, board x, board y) in the painter's order."""
    slots = {}
    for i, card in enumerate(HUMAN_HAND):
        slots[i] = face(card)
    for base, cards in HUMAN_PILES.items():
        for i, card in enumerate(cards):
            slots[base + i] = face(card)
    for i in range(COMPUTER_HAND_COUNT):
        slots[56 + i] = (756, 0, 63, 104)
    for base, cards in COMPUTER_PILES.items():
        for i, card in enumerate(cards):
            slots[base + i] = face(card, second=True)
    dealt = len(HUMAN_HAND) + COMPUTER_HAND_COUNT + len(FIELD) + sum(
        len(c) for c in list(HUMAN_PILES.values()) + list(COMPUTER_PILES.values()))
    for i in range(48 - dealt):
        slots[112 + i] = (756, 0, 63, 104)
    for i, card in enumerate(FIELD):
        slots[160 + i] = face(card)
    for slot in sorted(slots):
        yield slots[slot], places[slot][0], places[slot][1]

    yield (756, 104 + 30 * MONTH, 60, 30), 476, 416
    for side in (0, 1):
        yield from panel(side)
    for side in (0, 1):
        for k in YAKU[side]:
            x = 280 + 55 * k if side == 0 else 685 - 55 * k
            yield (756, 494 + 20 * k, 50, 20), x, 460 if side == 0 else 216
    if KOI_CALLED[0] or KOI_CALLED[1]:
        yield (748, 832 if KOI_CALLED[0] else 872, 50, 20), 476, 246
    yield (616, 852, 200, 20), 4, 442


def panel(side):
    row = 852 + 40 * side
    label_x, label_y = (2, 232) if side == 0 else (964, 250)
    for r, count in enumerate(COUNTERS[side]):
        yield (300 + 50 * r, row, 50, 20), label_x, label_y + 38 * r
        for p in range(count):
            x = 12 + 11 * p if side == 0 else 995 - 11 * p
            yield (600, row, 8, 10), x, label_y + 22 + 38 * r
    yield (450, row, 50, 20), label_x, 360 if side == 0 else 378
    tens, rest = divmod(KAN[side], 10)
    tokens = [(502, 22)] * tens + [(548, 20)] * (rest // 5) + [(584, 16)] * (rest % 5)
    for i, (sx, w) in enumerate(tokens):
        if i % 5 == 0:
            x = 8 if side == 0 else 1008
        y = (382 if side == 0 else 400) + 22 * (i // 5)
        yield (sx, row, w, 20), (x if side == 0 else x - w), y
        x += (w + 2) if side == 0 else -(w + 2)


def main():
    if len(sys.argv) != 4:
        sys.exit("usage: mock_board.py SHEET.bmp LAYOUT.dat OUT.png")
    sheet, layout, out = sys.argv[1:]
    command = ["convert", "-size", "%dx%d" % (BOARD_W, BOARD_H), "xc:" + FELT]
    for (sx, sy, w, h), x, y in copies(read_layout(layout)):
        command += ["(", sheet, "-crop", "%dx%d+%d+%d" % (w, h, sx, sy), "+repage", ")",
                    "-geometry", "+%d+%d" % (x, y), "-composite"]
    # The turn label: a rounded box in the human's colour with the bold text.
    font = subprocess.run(["fc-match", "-f", "%{file}", "IPAMincho"], check=True,
                          capture_output=True, text=True).stdout
    command += ["-fill", "#d1f8f6", "-draw", "roundrectangle 4,464 143,483 5,5",
                "-font", font, "-pointsize", "15", "-fill", "black", "-stroke", "black",
                "-strokewidth", "0.4", "-annotate", "+21+480", "あなたの番です", out]
    subprocess.run(command, check=True)


if __name__ == "__main__":
    main()
