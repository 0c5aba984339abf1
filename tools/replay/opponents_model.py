"""Independent Python model of the four computer opponents: card worth, move choice, koi-koi decision."""

from table_model import (FIVE_BRIGHTS, RED_RIBBONS, BLUE_RIBBONS, BOAR_DEER_BUTTERFLY,
                         CURTAIN_SAKE, MOON_SAKE, ANIMAL_SET, RIBBON_SET, CHAFF_SET,
                         FIELD_FIRST, FIELD_LAST, month_of, s8)

CHAFF_CARDS = frozenset(c for c in range(48) if c not in (
    0, 1, 4, 5, 8, 9, 12, 13, 16, 17, 20, 21, 24, 25, 28, 29, 32, 33, 36, 37, 40, 41, 42, 44))


def within(x, low, high):
    return low <= x <= high


def rising(x, n, big):
    """Grows as a set counter nears the count that makes the combination."""
    return big // (n - x) if 0 <= x < n else 0


def capped(x, n, big):
    """Like rising, but keeps the full value once a count combination is made."""
    if x >= n:
        return big
    if x < 0:
        return 0
    return big // (n - x)


def worth_flat(p, card, owner):
    del owner
    if card in (0, 44):
        return 24 if within(p[0], 0, 4) else 0
    if card == 8:
        return (24 if within(p[0], 0, 4) else 0) + (20 if within(p[5], 0, 1) else 0)
    if card == 28:
        return (24 if within(p[0], 0, 4) else 0) + (20 if within(p[6], 0, 1) else 0)
    if card == 40:
        return 120 if p[0] == 4 else 0
    if card in (1, 5, 9):
        return 28 if within(p[2], 0, 2) else 4
    if card in (21, 33, 37):
        return 28 if within(p[3], 0, 2) else 4
    if card in (20, 24, 36):
        return 64 if within(p[4], 0, 2) else 4
    if card == 32:
        return 6 + (30 if within(p[5], 0, 1) else 0) + (30 if within(p[6], 0, 1) else 0)
    if card in CHAFF_CARDS:
        return 2
    return 4


def worth_graded(p, card, owner):
    del owner
    if card in (0, 44):
        return rising(p[0], 5, 120)
    if card == 8:
        return rising(p[0], 5, 120) + rising(p[5], 2, 60)
    if card == 28:
        return rising(p[0], 5, 120) + rising(p[6], 2, 60)
    if card == 40:
        return 120 if p[0] == 4 else 0
    if card in (1, 5, 9):
        # The red ribbons' share of the ribbon count uses 6 over the distance, not 12.
        ribbon = 12 if p[8] >= 5 else (0 if p[8] < 0 else 6 // (5 - p[8]))
        return rising(p[2], 3, 72) + ribbon
    if card in (21, 33, 37):
        return rising(p[3], 3, 72) + capped(p[8], 5, 12)
    if card in (20, 24, 36):
        return rising(p[4], 3, 60) + capped(p[7], 5, 12)
    if card == 32:
        return (rising(p[5], 2, 60) + rising(p[6], 2, 60)
                + capped(p[7], 5, 12) + capped(p[9], 10, 12))
    if card in (4, 12, 16, 29, 41):
        return capped(p[7], 5, 12)
    if card in (13, 17, 25, 42):
        return capped(p[8], 5, 12)
    return capped(p[9], 10, 12)


def worth_companion(p, card, owner, tortoise):
    """Opponents 1 and 3; `tortoise` picks opponent 3's values where they differ."""
    def pick(dragon_value, tortoise_value):
        return tortoise_value if tortoise else dragon_value

    def free(c):  # not in the human's piles
        return owner[c] != 0

    def bonus(value, condition):
        return value if condition else 0

    red_open = within(p[2], 0, 2)
    blue_open = within(p[3], 0, 2)
    bdb_open = within(p[4], 0, 2)
    brights_open = within(p[0], 0, 4)
    if card == 0:
        return (pick(26, 14) if p[0] >= 0 else 2) + bonus(8, red_open and free(1))
    if card == 1:
        base_ok = red_open if tortoise else p[2] >= 0
        return (29 if base_ok else 5) + bonus(pick(8, 4), brights_open and free(0))
    if card in (2, 3):
        return ((pick(11, 7) if brights_open and free(0) else 3)
                + bonus(8, red_open and free(1)))
    if card == 4:
        return 14 if red_open and free(5) else 6
    if card == 5:
        return 30 if p[2] >= 0 else 6
    if card in (6, 7):
        return 12 if red_open and free(5) else 4
    if card == 8:
        return ((pick(26, 14) if p[0] >= 0 else 2) + bonus(30, p[5] >= 0)
                + bonus(8, red_open and free(9)))
    if card == 9:
        return ((29 if p[2] >= 0 else 5) + bonus(pick(8, 4), brights_open and free(8))
                + bonus(10, within(p[5], 0, 1) and free(8)))
    if card in (10, 11):
        return ((pick(11, 7) if brights_open and free(8) else 3)
                + bonus(8, red_open and free(9)) + bonus(10, within(p[5], 0, 1) and free(8)))
    if card in (12, 13, 16, 17):
        return 6
    if card in (14, 15, 18, 19):
        return 4
    if card == 20:
        return (26 if p[4] >= 0 else 6) + bonus(8, blue_open and free(21))
    if card == 21:
        return (30 if p[3] >= 0 else 6) + bonus(7, bdb_open and free(20))
    if card in (22, 23):
        return (12 if blue_open and free(21) else 4) + bonus(7, bdb_open and free(20))
    if card == 24:
        return 26 if p[4] >= 0 else 6
    if card in (25, 26, 27):
        return 13 if bdb_open and free(24) else 6
    if card == 28:
        return (pick(26, 14) if p[0] >= 0 else 2) + bonus(30, p[6] >= 0)
    if card == 29:
        return ((pick(12, 8) if brights_open and free(28) else 4)
                + bonus(10, within(p[6], 0, 1) and free(28)))
    if card in (30, 31):
        return ((pick(11, 7) if brights_open and free(28) else 3)
                + bonus(10, within(p[6], 0, 1) and free(28)))
    if card == 32:
        return ((37 if p[5] >= 0 else 7) + bonus(30, p[6] >= 0)
                + bonus(8, blue_open and free(33)))
    if card == 33:
        return ((30 if p[3] >= 0 else 6) + bonus(10, within(p[5], 0, 1) and free(32))
                + bonus(10, within(p[6], 0, 1) and free(32)))
    if card in (34, 35):
        return ((12 if blue_open and free(33) else 4)
                + bonus(10, within(p[5], 0, 1) and free(32))
                + bonus(10, within(p[6], 0, 1) and free(32)))
    if card == 36:
        return (26 if p[4] >= 0 else 6) + bonus(8, blue_open and free(37))
    if card == 37:
        return (30 if p[3] >= 0 else 6) + bonus(7, bdb_open and free(36))
    if card in (38, 39):
        return (12 if blue_open and free(37) else 4) + bonus(7, bdb_open and free(36))
    if card == 40:
        if tortoise:
            return 27 if p[0] >= 4 else 3
        return 15 if p[0] >= 0 else 3
    if card in (41, 42):
        return pick(10, 8) if brights_open and free(40) else 6
    if card == 43:
        return pick(8, 6) if brights_open and free(40) else 4
    if card == 44:
        return pick(25, 13) if p[0] >= 0 else 1
    return pick(10, 6) if brights_open and free(44) else 2


def CardWorth(table, opponent, side, card):
    card = s8(card)  # only the low byte of the argument counts
    if card < 0 or card >= 48:
        return 0
    p = table.YakuProgress[side]
    if opponent == 0:
        return worth_flat(p, card, table.Owner)
    if opponent == 2:
        return worth_graded(p, card, table.Owner)
    return worth_companion(p, card, table.Owner, opponent == 3)


def ListHandOptions(table, side):
    options = [-1] * 32
    for group in range(8):
        card = table.SlotCards[56 * side + group]
        if card == -1:
            continue
        options[4 * group] = card
        element = 1
        for slot in range(FIELD_FIRST, FIELD_LAST + 1):
            other = table.SlotCards[slot]
            if other != -1 and month_of(other) == month_of(card) and element < 4:
                options[4 * group + element] = other
                element += 1
    return options


def ChooseHandCard(table, opponent):
    """Returns (capture, match_list) by the shared move choice."""
    options = ListHandOptions(table, 1)
    own = [0] * 32
    half = [0] * 32
    for group in range(8):
        base = 4 * group
        if options[base] == -1:
            continue
        for e in range(base, base + 4):
            own[e] = CardWorth(table, opponent, 1, options[e])
            half[e] = CardWorth(table, opponent, 0, options[e]) // 2
        if options[base + 1] != -1 and options[base + 2] != -1 and options[base + 3] == -1:
            # Of two matches the better one stays; on equal sums the lower field slot.
            if own[base + 2] + half[base + 2] > own[base + 1] + half[base + 1]:
                options[base + 1] = options[base + 2]
                own[base + 1], half[base + 1] = own[base + 2], half[base + 2]
            options[base + 2] = -1
            own[base + 2] = half[base + 2] = 0

    # Two cards of a month in hand and one on the field: both hand cards carry +100.
    for group in range(8):
        card = options[4 * group]
        if card == -1:
            continue
        month = month_of(card)
        if table.ComputerHandByMonth[month] == 2 and table.FieldByMonth[month] == 1:
            for later in range(group + 1, 8):
                mate = options[4 * later]
                if mate != -1 and month_of(mate) == month:
                    own[4 * group] += 100
                    own[4 * later] += 100
                    break

    best_capture = safe_capture = safe_discard = cheap_discard = -1
    best_total, lowest_total = 0, 500
    for group in range(8):
        base = 4 * group
        card = options[base]
        if card == -1:
            continue
        if table.is_closed_month(month_of(card)):
            if options[base + 1] != -1:
                safe_capture = group
            else:
                safe_discard = group
        elif options[base + 1] != -1:
            total = sum(own[base:base + 4]) + sum(half[base:base + 4])
            if total >= best_total:
                best_total, best_capture = total, group
        else:
            total = own[base] + half[base]
            if total <= lowest_total:
                lowest_total, cheap_discard = total, group

    for group, capture in ((best_capture, True), (safe_capture, True),
                           (safe_discard, False), (cheap_discard, False)):
        if group != -1:
            return capture, options[4 * group:4 * group + 4]
    return False, [-1, -1, -1, -1]


def ChooseFieldCard(table, opponent, match_list):
    if match_list[1] == -1 or match_list[2] == -1 or match_list[3] != -1:
        return
    scores = [CardWorth(table, opponent, 1, match_list[e]) + CardWorth(table, opponent, 0, match_list[e])
              for e in (1, 2)]
    if scores[1] > scores[0]:
        match_list[1] = match_list[2]
    match_list[2] = -1


# The five set combinations: counter index, value one card short, key cards.
KEY_CARD_SETS = (
    (RED_RIBBONS, 2, (1, 5, 9)),
    (BLUE_RIBBONS, 2, (21, 33, 37)),
    (BOAR_DEER_BUTTERFLY, 2, (20, 24, 36)),
    (CURTAIN_SAKE, 1, (8, 32)),
    (MOON_SAKE, 1, (28, 32)),
)


def missing_card(table, side, keys):
    if len(keys) == 2:
        return keys[0] if table.Owner[keys[0]] != side else 32
    return next((c for c in keys if table.Owner[c] != side), keys[-1])


def HumanThreat(table):
    for yaku, short, keys in KEY_CARD_SETS:
        if table.YakuProgress[0][yaku] != short:
            continue
        card = missing_card(table, 0, keys)
        if table.is_closed_month(month_of(card)):
            continue
        if table.Owner[card] == 2 and (table.TurnCount < 13 or table.MonthNumber % 2 == 0):
            continue
        return -1
    return 1


def ComputerChance(table, look_ahead):
    limit = 13 if table.MonthNumber % 2 == 1 else 14
    turn = table.TurnCount
    for yaku, short, keys in KEY_CARD_SETS:
        if table.YakuProgress[1][yaku] != short:
            continue
        card = missing_card(table, 1, keys)
        month = month_of(card)
        h = table.ComputerHandByMonth[month]
        f = table.FieldByMonth[month]
        t = table.TakenByMonth[month]
        in_hand = table.Owner[card] == 2
        if (h == 1 and f == 1 and t == 2) or h == 4 or (h == 1 and f == 1 and in_hand):
            return 1
        if look_ahead and ((h == 2 and t == 2 and turn < limit)
                           or (h >= 2 and in_hand and turn < limit)
                           or (h >= 1 and in_hand and turn < limit - 2)):
            return 1
    return -1


# Opponent 1's ceilings on the human's counters, in `Yaku` order from FiveBrights.
DRAGON_HUMAN_CEILING = {FIVE_BRIGHTS: 3, RED_RIBBONS: 1, BLUE_RIBBONS: 1, BOAR_DEER_BUTTERFLY: 1,
                        CURTAIN_SAKE: 0, MOON_SAKE: 0, ANIMAL_SET: 3, RIBBON_SET: 3, CHAFF_SET: 8}


def computer_near_count(table):
    p = table.YakuProgress[1]
    return p[ANIMAL_SET] >= 4 or p[RIBBON_SET] >= 4 or p[CHAFF_SET] >= 9


def DecideKoiKoi(table, opponent):
    human = table.YakuProgress[0]
    if opponent == 1:
        if (table.MonthMon[1] + table.TodayMon[1] <= 9
                and all(human[k] <= cap for k, cap in DRAGON_HUMAN_CEILING.items())
                and computer_near_count(table)):
            return 6
        return 7
    if not computer_near_count(table):
        return 7
    if ComputerChance(table, opponent == 3) == -1:
        return 7
    if human[ANIMAL_SET] > 3 or human[RIBBON_SET] > 3 or human[CHAFF_SET] > 8:
        return 7
    if HumanThreat(table) == -1:
        return 7
    return 6
