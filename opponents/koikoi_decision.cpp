// The koi-koi decisions of the three opponents that may play on.
#include "opponents/koikoi_decision.h"

#include "opponents/move_choice.h"
#include "opponents/roster.h"

namespace koikoi {
namespace {

inline constexpr int8_t kHuman = 0;
inline constexpr int8_t kComputer = 1;

// The five set combinations: the counter value at which a side is one card
// short, and the key cards in the order the missing one is searched for.
struct KeyCardSet {
    Yaku counter;
    int32_t oneShort;
    CardId keys[3];
    int32_t keyCount;
};

constexpr KeyCardSet KeyCardSets[] = {
    {RedRibbons,        2, {1, 5, 9},    3},
    {BlueRibbons,       2, {21, 33, 37}, 3},
    {BoarDeerButterfly, 2, {20, 24, 36}, 3},
    {CurtainSake,       1, {8, 32},      2},
    {MoonSake,          1, {28, 32},     2},
};

// The first key card not in `side`'s piles. For the two-card sets that is the
// curtain or the moon, else the sake cup; the last key also stands in for a
// three-card set whose keys are all taken, which a consistent table never has.
CardId MissingCard(const Table& table, const KeyCardSet& set, int8_t side) {
    for (int32_t k = 0; k + 1 < set.keyCount; ++k) {
        if (table.Owner[set.keys[k]] != side) return set.keys[k];
    }
    return set.keys[set.keyCount - 1];
}

bool OneShort(const Table& table, const KeyCardSet& set, int8_t side) {
    return table.YakuProgress[side][set.counter] == set.oneShort;
}

bool InComputerHand(const Table& table, CardId card) {
    return table.Owner[card] == OwnerComputerHand;
}

// The number of the computer's last play of a day that can still be followed
// by the koi-koi question: it leads odd months (plays 1, 3, ..., 13) and
// follows in even ones (plays 2, 4, ..., 14).
int32_t TurnLimit(const Table& table) { return (table.MonthNumber & 1) != 0 ? 13 : 14; }

// Near one more mon from a count combination: four animals, four ribbons or
// nine chaff.
bool NearCountCombination(const Table& table, int8_t side) {
    const int8_t(&p)[YakuCount] = table.YakuProgress[side];
    return p[AnimalSet] >= 4 || p[RibbonSet] >= 4 || p[ChaffSet] >= 9;
}

// Opponent 1 plays on only while the human is this far from every
// combination. A ruled-out (negative) counter passes every test.
struct CounterLimit {
    Yaku counter;
    int32_t most;
};

constexpr CounterLimit kHumanFarLimits[] = {
    {FiveBrights, 3}, {RedRibbons, 1}, {BlueRibbons, 1}, {BoarDeerButterfly, 1}, {CurtainSake, 0},
    {MoonSake, 0},    {AnimalSet, 3},  {RibbonSet, 3},   {ChaffSet, 8},
};

}  // namespace

int32_t NeverPlayOn(const Table&) { return kNo; }

int32_t PlayOnWhileHumanFar(const Table& table) {
    // Stopping at 10 mon or more wins the month outright.
    if (table.MonthMon[kComputer] + table.TodayMon[kComputer] > 9) return kNo;
    for (const CounterLimit& limit : kHumanFarLimits) {
        if (table.YakuProgress[kHuman][limit.counter] > limit.most) return kNo;
    }
    return NearCountCombination(table, kComputer) ? kYes : kNo;
}

namespace {

int32_t DecideWithChance(const Table& table, bool lookAhead) {
    if (!NearCountCombination(table, kComputer)) return kNo;
    if (ComputerChance(table, lookAhead) == -1) return kNo;
    if (NearCountCombination(table, kHuman)) return kNo;
    if (HumanThreat(table) == -1) return kNo;
    return kYes;
}

}  // namespace

// A set the human is one card short of is harmless when no card of the
// missing card's month can reach the human, or when the computer holds the
// missing card and will still play before the day's last question: the human
// cannot take a card from the computer's hand.
int32_t HumanThreat(const Table& table) {
    for (const KeyCardSet& set : KeyCardSets) {
        if (!OneShort(table, set, kHuman)) continue;
        const CardId missing = MissingCard(table, set, kHuman);
        if (MonthClosed(table, MonthOf(missing))) continue;
        const bool evenMonth = (table.MonthNumber & 1) == 0;
        if (InComputerHand(table, missing) && (table.TurnCount < 13 || evenMonth)) continue;
        return -1;
    }
    return 1;
}

int32_t ComputerChance(const Table& table, bool lookAhead) {
    const int32_t turn = table.TurnCount;
    const int32_t limit = TurnLimit(table);
    for (const KeyCardSet& set : KeyCardSets) {
        if (!OneShort(table, set, kComputer)) continue;
        const CardId missing = MissingCard(table, set, kComputer);
        const int32_t month = MonthOf(missing);
        const int32_t h = table.ComputerHandByMonth[month];
        const int32_t f = table.FieldByMonth[month];
        const int32_t t = table.TakenByMonth[month];
        const bool held = InComputerHand(table, missing);
        // Sure now: the month is closed and the computer's one card of it
        // takes the one on the field; it holds the whole month; or it holds
        // the missing card and the field card it captures.
        if ((h == 1 && f == 1 && t == 2) || h == 4 || (h == 1 && f == 1 && held)) return 1;
        // Likely later: enough plays remain before the day's last question.
        if (lookAhead && ((h == 2 && t == 2 && turn < limit) || (h >= 2 && held && turn < limit) ||
                          (h >= 1 && held && turn < limit - 2))) {
            return 1;
        }
    }
    return -1;
}

int32_t PlayOnForSureSet(const Table& table) { return DecideWithChance(table, false); }
int32_t PlayOnForLikelySet(const Table& table) { return DecideWithChance(table, true); }

int32_t DecideKoiKoi(const Table& table, int32_t opponent) {
    const OpponentProfile* row = FindOpponent(opponent);
    return row != nullptr ? row->decideKoiKoi(table) : kNo;
}

}  // namespace koikoi
