#!/usr/bin/env python3
"""Writes the board layout file "allocation.dat" from a few named measures.

The board is 1016 x 698 pixels and every card cell 63 x 104. The painter's
fixed places (score panels at both sides, combination labels, prompts, turn
labels, the koi-koi badge, the month marker and the drawn card at 476, 274)
leave a band in the middle, y 236..459, for the field: two rows of three
columns either side of the drawn card. Above it are the computer's hand and
piles with the stock over the drawn card; below, the human's piles and hand.
Cards are laid in the lowest empty field slot, so the low field slots get the
middle band and the rarely reached high ones the spare room of the side rows.

Usage: make_layout.py [OUTPUT]       write the file (default: stdout)
       make_layout.py --check FILE   exit 1 unless FILE is what we write
"""

import sys

CARD_W, CARD_H = 63, 104
DRAWN_X = 476                 # the drawn card's fixed column, also the stock's

MARGIN = 6                    # left edge of the side rows
GROUP_GAP = 12                # between piles and groups of a row
PILE_STEP = 16                # fan of a capture pile: each card shows its left 16 px
COMPUTER_HAND_STEP = 22       # the computer's hand is face down: a tight fan will do
HUMAN_HAND_STEP = CARD_W + 5  # the human's cards are clicked: they never overlap
OVERLAY_DX, OVERLAY_DY = 14, 0  # a capturing card lies right of its field card's month
FIELD_STEP = CARD_W + OVERLAY_DX  # field columns leave room for the laid card
CENTER_GAP = 8                # between the drawn card's column and the field beside it
STOCK_STACK = 12              # the stock shifts 1 px right and down every 12 cards

TOP_OUTER_Y, TOP_INNER_Y = 0, 105          # the computer's rows (turn label at y 210)
FIELD_UPPER_Y, FIELD_LOWER_Y = 238, 354    # between the label rows at y 216 and y 460
BOTTOM_INNER_Y, BOTTOM_OUTER_Y = 488, 594  # the human's rows (turn label ends at y 484)
SPARE_FIELD_X = 567           # first column of the side rows' spare field places

SLOTS = 208                   # SlotIds 0..207 are in the file; DrawnSlot is fixed


def fan(x, y, count, step):
    return [(x + step * i, y) for i in range(count)]


def width(count, step):
    return CARD_W + step * (count - 1)


def field_places():
    """Field places in the order of the field slots 160..183."""
    left = [DRAWN_X - CENTER_GAP - FIELD_STEP * (i + 1) for i in range(3)]
    right = [DRAWN_X + CARD_W + CENTER_GAP + FIELD_STEP * i for i in range(3)]
    places = []
    # The deal fills the four columns nearest the drawn card, then outwards.
    for lx, rx in zip(left, right):
        for x in (lx, rx):
            places += [(x, FIELD_UPPER_Y), (x, FIELD_LOWER_Y)]
    places += fan(SPARE_FIELD_X, TOP_INNER_Y, 5, FIELD_STEP)
    places += fan(SPARE_FIELD_X, BOTTOM_INNER_Y, 5, FIELD_STEP)
    # The last two, almost never reached, beside the computer's chaff pile.
    chaff_end = COMPUTER_CHAFF_X + width(24, PILE_STEP)
    places += fan(chaff_end + GROUP_GAP, TOP_OUTER_Y, 2, FIELD_STEP)
    return places


# The computer's outer row: hand, bright pile, chaff pile.
COMPUTER_HAND_X = MARGIN
COMPUTER_BRIGHT_X = COMPUTER_HAND_X + width(8, COMPUTER_HAND_STEP) + GROUP_GAP
COMPUTER_CHAFF_X = COMPUTER_BRIGHT_X + width(5, PILE_STEP) + GROUP_GAP
# The computer's inner row: animal and ribbon piles left of the stock.
COMPUTER_ANIMAL_X = MARGIN
COMPUTER_RIBBON_X = COMPUTER_ANIMAL_X + width(9, PILE_STEP) + GROUP_GAP
# The human's inner row: bright, animal and ribbon piles; outer row: hand, chaff.
HUMAN_BRIGHT_X = MARGIN
HUMAN_ANIMAL_X = HUMAN_BRIGHT_X + width(5, PILE_STEP) + GROUP_GAP
HUMAN_RIBBON_X = HUMAN_ANIMAL_X + width(9, PILE_STEP) + GROUP_GAP
HUMAN_HAND_X = MARGIN
HUMAN_CHAFF_X = HUMAN_HAND_X + width(8, HUMAN_HAND_STEP) + GROUP_GAP


def slot_places():
    human = (fan(HUMAN_HAND_X, BOTTOM_OUTER_Y, 8, HUMAN_HAND_STEP)
             + fan(HUMAN_BRIGHT_X, BOTTOM_INNER_Y, 5, PILE_STEP)
             + fan(HUMAN_ANIMAL_X, BOTTOM_INNER_Y, 9, PILE_STEP)
             + fan(HUMAN_RIBBON_X, BOTTOM_INNER_Y, 10, PILE_STEP)
             + fan(HUMAN_CHAFF_X, BOTTOM_OUTER_Y, 24, PILE_STEP))
    computer = (fan(COMPUTER_HAND_X, TOP_OUTER_Y, 8, COMPUTER_HAND_STEP)
                + fan(COMPUTER_BRIGHT_X, TOP_OUTER_Y, 5, PILE_STEP)
                + fan(COMPUTER_ANIMAL_X, TOP_INNER_Y, 9, PILE_STEP)
                + fan(COMPUTER_RIBBON_X, TOP_INNER_Y, 10, PILE_STEP)
                + fan(COMPUTER_CHAFF_X, TOP_OUTER_Y, 24, PILE_STEP))
    stock = [(DRAWN_X + i // STOCK_STACK, TOP_INNER_Y + i // STOCK_STACK) for i in range(48)]
    field = field_places()
    overlays = [(x + OVERLAY_DX, y + OVERLAY_DY) for x, y in field]
    places = human + computer + stock + field + overlays
    assert len(places) == SLOTS, len(places)
    return places


def layout_text():
    places = slot_places()
    lines = []
    for line in range(SLOTS // 8):
        entries = places[8 * line:8 * line + 8]
        for x, y in entries:
            assert 0 <= x <= 999 and 0 <= y <= 999, (x, y)
        lines.append("".join("%03d%03d" % xy for xy in entries) + "\r\n")
    return "".join(lines).encode("ascii")


def main(argv):
    data = layout_text()
    if len(argv) == 3 and argv[1] == "--check":
        with open(argv[2], "rb") as f:
            if f.read() != data:
                print("%s differs from the generated layout" % argv[2], file=sys.stderr)
                return 1
        return 0
    if len(argv) == 2:
        with open(argv[1], "wb") as f:
            f.write(data)
        return 0
    if len(argv) == 1:
        sys.stdout.buffer.write(data)
        return 0
    print(__doc__, file=sys.stderr)
    return 2


if __name__ == "__main__":
    sys.exit(main(sys.argv))
