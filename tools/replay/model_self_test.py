"""Self-test of the replay model against the rules' worked examples (run by replay.py --self-test)."""

from flow_model import FlowModel, NEXT_TURN, NEW_DAY, NEW_MONTH
from opponents_model import CardWorth, ChooseHandCard, ChooseFieldCard, DecideKoiKoi
from table_model import Table, month_of, FIVE_BRIGHTS, FOUR_BRIGHTS, RED_RIBBONS, BLUE_RIBBONS, \
    CURTAIN_SAKE, MOON_SAKE, ANIMAL_SET, RIBBON_SET, CHAFF_SET


def table_with(opponent, hand, field, stock=()):
    """A table with the computer's hand, the field and the stock (bottom first) laid out, the
    month counters and `Owner` as the deal would set them, and nothing captured."""
    t = Table(opponent)
    for slots, cards, owner in ((range(56, 64), hand, 2), (range(160, 184), field, 3),
                                (range(112, 160), stock, -1)):
        for slot, card in zip(slots, cards):
            t.SlotCards[slot] = card
            t.CardSlots[card] = slot
            t.Owner[card] = owner
    for card in hand:
        t.ComputerHandByMonth[month_of(card)] += 1
    for card in field:
        t.FieldByMonth[month_of(card)] += 1
    return t


class ScriptedFlow(FlowModel):
    """The flow with the trace replaced by a script: the human's answers are given, and what
    the model would compare with a trace is logged instead."""

    def __init__(self, table, answers=()):
        super().__init__(None, table.OpponentId)
        self.t = table
        self.answers = list(answers)
        self.log = []

    def human_answer(self, question):
        self.log.append(("asked", question))
        return self.answers.pop(0)

    def check_computer_play(self, capture, match_list):
        self.log.append(("play", capture, list(match_list)))

    def check_computer_answer(self, answer):
        self.log.append(("answer", answer))

    def check_record(self, result):
        self.log.append(("record", result))

    def check_scored(self, side, code):
        self.log.append(("scored", side, code))


class Checker:
    def __init__(self):
        self.failures = 0
        self.count = 0

    def equal(self, what, got, expected):
        self.count += 1
        if got != expected:
            self.failures += 1
            print("self-test FAILED: %s: got %r, expected %r" % (what, got, expected))


def check_worth_tables(check):
    t = Table()
    for opponent, expected in ((1, {0: 34, 2: 19, 8: 64, 32: 75, 38: 19}),
                               (3, {0: 22, 2: 15, 8: 52, 40: 3, 45: 6})):
        for card, worth in expected.items():
            check.equal("opponent %d worth of %d" % (opponent, card),
                        CardWorth(t, opponent, 1, card), worth)
    for opponent in range(4):
        for card in (-1, 48, 127, 255):
            check.equal("opponent %d worth of %d" % (opponent, card), CardWorth(t, opponent, 0, card), 0)
        check.equal("only the low byte counts", CardWorth(t, opponent, 0, 256), CardWorth(t, opponent, 0, 0))

    # Opponent 2's rising term for the crane, and the flat table's rain man.
    for p0, crane, rain_man in ((0, 24, 0), (1, 30, 0), (2, 40, 0), (3, 60, 0), (4, 120, 120), (-1, 0, 0)):
        t.YakuProgress[1][FIVE_BRIGHTS] = p0
        check.equal("graded crane at %d" % p0, CardWorth(t, 2, 1, 0), crane)
        check.equal("flat rain man at %d" % p0, CardWorth(t, 0, 1, 40), rain_man)
    p = t.YakuProgress[1]
    p[CURTAIN_SAKE], p[MOON_SAKE], p[ANIMAL_SET], p[CHAFF_SET] = 1, 1, 4, 9
    check.equal("graded sake cup", CardWorth(t, 2, 1, 32), 144)
    p[RED_RIBBONS], p[BLUE_RIBBONS] = -4, -4  # rising terms ruled out: only the ribbon count is left
    for count, red, blue in ((4, 6, 12), (5, 12, 12), (3, 3, 6), (-1, 0, 0)):
        p[RIBBON_SET] = count
        check.equal("graded red ribbon, ribbon count %d" % count, CardWorth(t, 2, 1, 1), red)
        check.equal("graded blue ribbon, ribbon count %d" % count, CardWorth(t, 2, 1, 21), blue)

    # The chaff of January loses its bonus once the crane is in the human's piles only.
    t = Table()
    for owner, dragon, tortoise in ((-1, 19, 15), (1, 19, 15), (0, 11, 11)):
        t.Owner[0] = owner
        check.equal("opponent 1 card 2, crane owner %d" % owner, CardWorth(t, 1, 1, 2), dragon)
        check.equal("opponent 3 card 2, crane owner %d" % owner, CardWorth(t, 3, 1, 2), tortoise)


def check_move_choice(check):
    field = (2, 3, 28, 47, 36, 41, 17, 5)
    expected = {0: [38, 36, -1, -1], 1: [30, 28, -1, -1], 2: [30, 28, -1, -1], 3: [30, 28, -1, -1]}
    for opponent, choice in expected.items():
        t = table_with(opponent, (0, 13, 22, 30, 45, 7, 10, 38), field)
        check.equal("worked example, opponent %d" % opponent, ChooseHandCard(t, opponent), (True, choice))
        # The December variant: two December cards in hand, one on the field.
        t = table_with(opponent, (0, 13, 22, 30, 45, 46, 10, 38), field)
        check.equal("December variant, opponent %d" % opponent, ChooseHandCard(t, opponent),
                    (True, [46, 47, -1, -1]))

    cases = (  # (what, hand, field, taken months, expected)
        ("a lone card without match is laid down", (12,), (0,), (), (False, [12, -1, -1, -1])),
        ("equal captures: the later hand slot", (2, 6), (3, 7), (), (True, [6, 7, -1, -1])),
        ("equal discards: the later hand slot", (14, 18), (0,), (), (False, [18, -1, -1, -1])),
        ("three matches take all", (0, 14), (1, 2, 3), (), (True, [0, 1, 2, 3])),
        ("two equal matches: the lower field slot", (1,), (3, 2), (), (True, [1, 3, -1, -1])),
        ("a closed month's card is laid down first", (44, 14), (0,), (11,), (False, [44, -1, -1, -1])),
    )
    for what, hand, field_cards, closed, result in cases:
        t = table_with(0, hand, field_cards)
        for month in closed:  # the cards not in hand or on the field count as captured
            t.TakenByMonth[month] = 4 - t.ComputerHandByMonth[month] - t.FieldByMonth[month]
        check.equal(what, ChooseHandCard(t, 0), result)
    t = table_with(0, (), (2, 3))
    match_list = [1, 2, 3, -1]
    ChooseFieldCard(t, 0, match_list)
    check.equal("drawn card, equal matches", match_list, [1, 2, -1, -1])
    match_list = [0, 2, 1, -1]  # the red ribbon beats the chaff
    ChooseFieldCard(t, 0, match_list)
    check.equal("drawn card, better match second", match_list, [0, 1, -1, -1])


def check_capture_and_scoring(check):
    t = Table()
    t.CurrentSide, t.OtherSide = 1, 0
    for card in (0, 8, 28, 44):
        t.RecordCapture(1, card)
    check.equal("four brights", t.ScoreCombinations(1), 8)
    check.equal("rain man pile slot", t.RecordCapture(1, 40), 64 + 4)
    check.equal("five brights counters", t.YakuProgress[1][:2], [5, -1])
    check.equal("five brights total", t.ScoreCombinations(1), 10)
    check.equal("four brights entry stays", t.YakuScore[1][FOUR_BRIGHTS], 8)
    check.equal("other side's bright counters", t.YakuProgress[0][:2], [-30, -20])
    t.RecordCapture(1, 32)  # the sake cup completes both sake sets
    check.equal("sake cup total", t.ScoreCombinations(1), 20)
    # The curtain and the moon took 3 each already; the sake cup takes 3 more from both.
    check.equal("other side's sake counters", t.YakuProgress[0][5:7], [-6, -6])


def check_pause_clock(check):
    t = table_with(0, (), (), tuple(range(24, 48)) + tuple(range(24)))
    t.DealCards(1)
    check.equal("deal", t.clock_ms, 5420)
    t = table_with(0, (), (1, 2, 3), ())
    t.clock_ms = 0
    t.SlotCards[0], t.CardSlots[0] = 0, 0
    t.CaptureCards(0, [0, 1, 2, 3])
    check.equal("capture of three field cards", t.clock_ms, 3000)

    # After a human play: the computer takes one field card, lays its drawn card down.
    t = table_with(0, (38, 44), (36,), (0,))
    t.TurnCount, t.CurrentSide, t.OtherSide = 2, 0, 1
    flow = ScriptedFlow(t)
    flow.computer_after_click()
    check.equal("computer play after a human play", (t.clock_ms, t.CurrentSide, t.TurnCount), (4500, 0, 3))


def score_case(side, red, blue, month_mon, other_mon, turn, answers=(7,)):
    """Scores a play that brings `side` to the given red/blue ribbon counters."""
    t = Table(0)
    t.CurrentSide, t.OtherSide = side, 1 - side
    t.YakuProgress[side][RED_RIBBONS] = red
    t.YakuProgress[side][BLUE_RIBBONS] = blue
    t.MonthMon = [0, 0]
    t.MonthMon[side], t.MonthMon[1 - side] = month_mon, other_mon
    t.TurnCount = turn
    flow = ScriptedFlow(t, answers)
    code = flow.ScoreAfterPlay(side)
    return code, t.clock_ms, flow.log, t.MonthMon, t.KanBalance


def check_day_end_and_stakes(check):
    cases = (  # (what, side, red, blue, month mon, other's, turn, code, clock, log, month mon, kan)
        ("6 mon, no koi-koi", 0, 3, 0, 0, 0, 3, NEW_DAY, 5000, [("asked", "koikoi")], [6, 0], [36, 36]),
        ("no question at play 15", 0, 3, 0, 0, 0, 15, NEW_DAY, 5000, [], [6, 0], [36, 36]),
        ("nothing new", 0, 2, 0, 0, 0, 16, NEW_DAY, 0, [], [0, 0], [36, 36]),
        ("10 mon alone, loser has mon: 2 kan", 0, 3, 3, 0, 4, 3, NEW_MONTH, 8000,
         [("asked", "koikoi"), ("record", 2)], [0, 0], [38, 34]),
        ("10 mon alone, loser has none: 3 kan", 0, 3, 3, 0, 0, 3, NEW_MONTH, 8000,
         [("asked", "koikoi"), ("record", 3)], [0, 0], [39, 33]),
        ("over several days, loser has mon: 1 kan", 1, 3, 0, 4, 2, 5, NEW_MONTH, 9500,
         [("answer", 7), ("record", -1)], [0, 0], [35, 37]),
        ("over several days, loser has none: 2 kan", 1, 3, 0, 4, 0, 5, NEW_MONTH, 9500,
         [("answer", 7), ("record", -2)], [0, 0], [34, 38]),
    )
    for what, side, red, blue, mine, other, turn, code, clock, log, month_mon, kan in cases:
        check.equal(what, score_case(side, red, blue, mine, other, turn), (code, clock, log, month_mon, kan))
    code, clock, log, _, _ = score_case(0, 3, 0, 0, 0, 3, answers=(6,))
    check.equal("koi-koi called", (code, clock, log), (NEXT_TURN, 3500, [("asked", "koikoi")]))


def check_koikoi_decision(check):
    t = Table()
    t.YakuProgress[1][ANIMAL_SET] = 4
    for month_mon, answer in ((4, 7), (3, 6)):
        t.MonthMon[1], t.TodayMon[1] = month_mon, 6
        check.equal("opponent 1, month mon %d" % month_mon, DecideKoiKoi(t, 1), answer)
    t.MonthMon[1] = 3
    for counter, value in ((RED_RIBBONS, 2), (FIVE_BRIGHTS, 4), (MOON_SAKE, 1), (CHAFF_SET, 9),
                           (RED_RIBBONS, -4)):
        saved = t.YakuProgress[0][counter]
        t.YakuProgress[0][counter] = value
        check.equal("opponent 1, human counter %d at %d" % (counter, value),
                    DecideKoiKoi(t, 1), 6 if value < 0 else 7)
        t.YakuProgress[0][counter] = saved

    # Opponent 2, one blue ribbon short with the missing one in hand and one card of its month on the field.
    t = table_with(2, (33,), (34,))
    t.YakuProgress[1][BLUE_RIBBONS], t.YakuProgress[1][RIBBON_SET] = 2, 4
    t.Owner[21] = t.Owner[37] = 1
    check.equal("opponent 2 plays on", DecideKoiKoi(t, 2), 6)
    t.YakuProgress[1][BLUE_RIBBONS] = 0
    check.equal("opponent 2 with no set one short", DecideKoiKoi(t, 2), 7)

    # Opponent 3's look-ahead: the missing ribbon and a mate in hand, nothing of the month on the field.
    t = table_with(3, (33, 34), ())
    t.YakuProgress[1][BLUE_RIBBONS], t.YakuProgress[1][CHAFF_SET] = 2, 9
    t.Owner[21] = t.Owner[37] = 1
    for month, turn, answer in ((1, 11, 6), (1, 13, 7), (2, 12, 6), (2, 13, 6), (2, 14, 7)):
        t.MonthNumber, t.TurnCount = month, turn
        check.equal("opponent 3 look-ahead, month %d play %d" % (month, turn), DecideKoiKoi(t, 3), answer)
        check.equal("opponent 2 never looks ahead", DecideKoiKoi(t, 2), 7)


def run():
    check = Checker()
    for part in (check_worth_tables, check_move_choice, check_capture_and_scoring,
                 check_pause_clock, check_day_end_and_stakes, check_koikoi_decision):
        part(check)
    print("self-test: %d checks, %d failed" % (check.count, check.failures))
    return check.failures == 0
