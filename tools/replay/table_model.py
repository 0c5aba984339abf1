"""Independent Python model of the table: shuffle, deal, draw, capture bookkeeping and scoring."""

# This model is written from the rules of the game alone, not from the C++
# sources, so that replaying the simulator's traces through it checks the two
# against each other.  Names follow the game's own vocabulary (`SlotCards`,
# `RecordCapture`, ...) so a reader can hold one beside the other.

SLOT_COUNT = 209
STOCK_FIRST, STOCK_LAST = 112, 159
FIELD_FIRST, FIELD_LAST = 160, 183
OVERLAY_OFFSET = 24
DRAWN_SLOT = 208

# Yaku indices, in `YakuProgress` order.
FIVE_BRIGHTS, FOUR_BRIGHTS, RED_RIBBONS, BLUE_RIBBONS, BOAR_DEER_BUTTERFLY = 0, 1, 2, 3, 4
CURTAIN_SAKE, MOON_SAKE, ANIMAL_SET, RIBBON_SET, CHAFF_SET = 5, 6, 7, 8, 9

# Pile index and base offset within a side's 56-slot block.
BRIGHT, ANIMAL, RIBBON, CHAFF = 0, 1, 2, 3
PILE_BASE = (8, 13, 22, 32)

# Pause lengths of the board painter's calls, in milliseconds.
DEAL_CARD_MS = 80
MOVE_MS = 500


def s8(value):
    """Wraps to a signed 8-bit value: the game's counters are that wide."""
    value &= 0xFF
    return value - 256 if value >= 128 else value


def month_of(card):
    return card // 4


# The capture table: captor's counter changes, the other side's counter
# changes, and the pile.  Rows are data so each can be held against the rule.
def _capture_row(card):
    if card in (0, 44):
        return {FIVE_BRIGHTS: 1, FOUR_BRIGHTS: 1}, {FIVE_BRIGHTS: -6, FOUR_BRIGHTS: -5}, BRIGHT
    if card == 8:
        return ({FIVE_BRIGHTS: 1, FOUR_BRIGHTS: 1, CURTAIN_SAKE: 1},
                {FIVE_BRIGHTS: -6, FOUR_BRIGHTS: -5, CURTAIN_SAKE: -3}, BRIGHT)
    if card == 28:
        return ({FIVE_BRIGHTS: 1, FOUR_BRIGHTS: 1, MOON_SAKE: 1},
                {FIVE_BRIGHTS: -6, FOUR_BRIGHTS: -5, MOON_SAKE: -3}, BRIGHT)
    if card == 40:
        return {FIVE_BRIGHTS: 1, FOUR_BRIGHTS: -5}, {FIVE_BRIGHTS: -6}, BRIGHT
    if card in (1, 5, 9):
        return {RED_RIBBONS: 1, RIBBON_SET: 1}, {RED_RIBBONS: -4}, RIBBON
    if card in (21, 33, 37):
        return {BLUE_RIBBONS: 1, RIBBON_SET: 1}, {BLUE_RIBBONS: -4}, RIBBON
    if card in (13, 17, 25, 42):
        return {RIBBON_SET: 1}, {}, RIBBON
    if card in (20, 24, 36):
        return {BOAR_DEER_BUTTERFLY: 1, ANIMAL_SET: 1}, {BOAR_DEER_BUTTERFLY: -4}, ANIMAL
    if card in (4, 12, 16, 29, 41):
        return {ANIMAL_SET: 1}, {}, ANIMAL
    if card == 32:
        return ({CURTAIN_SAKE: 1, MOON_SAKE: 1, ANIMAL_SET: 1, CHAFF_SET: 1},
                {CURTAIN_SAKE: -3, MOON_SAKE: -3}, ANIMAL)
    return {CHAFF_SET: 1}, {}, CHAFF


CAPTURE_TABLE = tuple(_capture_row(card) for card in range(48))

# Scoring combinations: (threshold, mon as a function of the counter).
SCORING_TABLE = (
    (5, lambda n: 10),      # FiveBrights
    (4, lambda n: 8),       # FourBrights
    (3, lambda n: 6),       # RedRibbons
    (3, lambda n: 6),       # BlueRibbons
    (3, lambda n: 5),       # BoarDeerButterfly
    (2, lambda n: 5),       # CurtainSake
    (2, lambda n: 5),       # MoonSake
    (5, lambda n: n - 4),   # AnimalSet
    (5, lambda n: n - 4),   # RibbonSet
    (10, lambda n: n - 9),  # ChaffSet
)


class Table:
    """The whole game state as plain lists, plus the pause clock.

    The clock adds up every pause the game would wait; painting itself is
    not modelled, only the pause arguments of each `PaintBoard` call."""

    def __init__(self, opponent=0):
        self.OpponentId = opponent
        self.SlotCards = [-1] * SLOT_COUNT
        self.CardSlots = [-1] * 48
        self.Owner = [-1] * 48
        self.FieldByMonth = [0] * 12
        self.ComputerHandByMonth = [0] * 12
        self.TakenByMonth = [0] * 12
        self.YakuProgress = [[0] * 10, [0] * 10]
        self.YakuScore = [[0] * 10, [0] * 10]
        self.PileCount = [[0] * 4, [0] * 4]
        self.TurnGain = [0, 0]
        self.TodayMon = [0, 0]
        self.MonthMon = [0, 0]
        self.KanBalance = [36, 36]
        self.KoiCalled = [0, 0]
        self.MonthNumber = 1
        self.TurnCount = 1
        self.CurrentSide = 1
        self.OtherSide = 0
        self.clock_ms = 0

    # Pacing -------------------------------------------------------------
    def Pause(self, ms):
        if ms > 0:
            self.clock_ms += ms

    def PaintBoard(self, scene=-1, pauseBefore=0, message=-1, amount=0,
                   highlightSlot=-1, pauseAfter=0):
        del scene, message, amount, highlightSlot  # nothing is drawn here
        self.Pause(pauseBefore)
        self.Pause(pauseAfter)

    # Moves --------------------------------------------------------------
    def move_card(self, card, destination):
        """Destination first, then the source, then `CardSlots`: the order every move keeps."""
        source = self.CardSlots[card]
        self.SlotCards[destination] = card
        if source != destination:
            self.SlotCards[source] = -1
        self.CardSlots[card] = destination

    def ShuffleStock(self, stock):
        """Lays out the stock in the given order; the order itself comes from
        the trace, since the generator is the program's own business."""
        self.SlotCards = [-1] * SLOT_COUNT
        for offset, card in enumerate(stock):
            self.SlotCards[STOCK_FIRST + offset] = card
            self.CardSlots[card] = STOCK_FIRST + offset

    def stock_top(self):
        for slot in range(STOCK_LAST, STOCK_FIRST - 1, -1):
            if self.SlotCards[slot] != -1:
                return slot
        return -1

    def DealCards(self, leader):
        other = 1 - leader
        self.Pause(500)
        packets = (
            [56 * leader + i for i in range(4)],
            [56 * other + i for i in range(4)],
            [160 + i for i in range(4)],
            [56 * leader + 4 + i for i in range(4)],
            [56 * other + 4 + i for i in range(4)],
            [164 + i for i in range(4)],
        )
        source = STOCK_LAST
        for packet in packets:
            for destination in packet:
                self.move_card(self.SlotCards[source], destination)
                source -= 1
                self.PaintBoard(2, DEAL_CARD_MS)
            self.Pause(500)
        for card in range(48):
            slot = self.CardSlots[card]
            if 56 <= slot <= 63:
                self.Owner[card] = 2
            elif FIELD_FIRST <= slot <= FIELD_LAST:
                self.Owner[card] = 3
            else:
                self.Owner[card] = -1
        self.FieldByMonth = [0] * 12
        self.ComputerHandByMonth = [0] * 12
        self.TakenByMonth = [0] * 12
        for slot in range(56, 64):
            self.ComputerHandByMonth[month_of(self.SlotCards[slot])] += 1
        for slot in range(160, 168):
            self.FieldByMonth[month_of(self.SlotCards[slot])] += 1
        self.PaintBoard(3)

    def DrawFromStock(self):
        top = self.stock_top()
        if top < 0:
            raise ModelError("draw from an empty stock")
        self.move_card(self.SlotCards[top], DRAWN_SLOT)
        self.PaintBoard(3, MOVE_MS)
        return self.SlotCards[DRAWN_SLOT]

    def DiscardToField(self, match_list):
        card = match_list[0]
        slot = next((s for s in range(FIELD_FIRST, FIELD_LAST + 1) if self.SlotCards[s] == -1), -1)
        if slot < 0:
            raise ModelError("no empty field slot for card %d" % card)
        self.move_card(card, slot)
        month = month_of(card)
        if self.Owner[card] == 2:
            self.ComputerHandByMonth[month] = s8(self.ComputerHandByMonth[month] - 1)
        self.FieldByMonth[month] = s8(self.FieldByMonth[month] + 1)
        self.Owner[card] = 3
        self.PaintBoard(3, MOVE_MS)

    def FindMatches(self, card):
        match_list = [card, -1, -1, -1]
        found = 0
        for slot in range(FIELD_FIRST, FIELD_LAST + 1):
            other = self.SlotCards[slot]
            if other != -1 and month_of(other) == month_of(card) and found < 3:
                found += 1
                match_list[found] = other
        return found, match_list

    def CaptureCards(self, side, match_list):
        first_field_slot = self.CardSlots[match_list[1]]
        self.PaintBoard(highlightSlot=first_field_slot, pauseAfter=MOVE_MS)
        self.move_card(match_list[0], first_field_slot + OVERLAY_OFFSET)
        self.PaintBoard(3, MOVE_MS)
        for card in match_list:
            if card == -1:
                break
            self.move_card(card, self.RecordCapture(side, card))
            self.PaintBoard(3, MOVE_MS)

    def RecordCapture(self, side, card):
        month = month_of(card)
        if self.Owner[card] == 2:
            self.ComputerHandByMonth[month] = s8(self.ComputerHandByMonth[month] - 1)
        elif self.Owner[card] == 3:
            self.FieldByMonth[month] = s8(self.FieldByMonth[month] - 1)
        self.TakenByMonth[month] = s8(self.TakenByMonth[month] + 1)
        self.Owner[card] = side
        own, others, pile = CAPTURE_TABLE[card]
        for yaku, delta in own.items():
            self.YakuProgress[side][yaku] = s8(self.YakuProgress[side][yaku] + delta)
        for yaku, delta in others.items():
            self.YakuProgress[self.OtherSide][yaku] = s8(self.YakuProgress[self.OtherSide][yaku] + delta)
        destination = 56 * side + PILE_BASE[pile] + self.PileCount[side][pile]
        self.PileCount[side][pile] = s8(self.PileCount[side][pile] + 1)
        return destination

    # Scoring ------------------------------------------------------------
    def ScoreCombinations(self, side):
        total = 0
        for yaku, (threshold, mon) in enumerate(SCORING_TABLE):
            n = self.YakuProgress[side][yaku]
            if n >= threshold:
                value = mon(n)
                self.YakuScore[side][yaku] = s8(value)
                total += value
        return total

    def is_closed_month(self, month):
        """Every card of the month captured, on the field or in the computer's hand."""
        return (self.TakenByMonth[month] + self.FieldByMonth[month]
                + self.ComputerHandByMonth[month]) == 4

    def state(self):
        """The table state in the trace's key order."""
        return {
            "SlotCards": list(self.SlotCards),
            "Owner": list(self.Owner),
            "FieldByMonth": list(self.FieldByMonth),
            "ComputerHandByMonth": list(self.ComputerHandByMonth),
            "TakenByMonth": list(self.TakenByMonth),
            "YakuProgress": [list(row) for row in self.YakuProgress],
            "YakuScore": [list(row) for row in self.YakuScore],
            "PileCount": [list(row) for row in self.PileCount],
            "TurnGain": list(self.TurnGain),
            "TodayMon": list(self.TodayMon),
            "MonthMon": list(self.MonthMon),
            "KanBalance": list(self.KanBalance),
            "KoiCalled": list(self.KoiCalled),
            "MonthNumber": self.MonthNumber,
            "TurnCount": self.TurnCount,
            "CurrentSide": self.CurrentSide,
            "OtherSide": self.OtherSide,
        }


class ModelError(Exception):
    """The model reached a situation the rules say cannot occur."""
