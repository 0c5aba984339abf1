// The three valuation tables of the computer opponents and the lookup that reads them.
#include "opponents/valuation.h"

#include <cstdint>
#include <initializer_list>

namespace koikoi {
namespace {

// A set of cards, one bit per CardId, so that a row can name its cards one by
// one or as a whole class.
struct CardSet {
    uint64_t bits = 0;

    constexpr CardSet(std::initializer_list<int32_t> cards) {
        for (const int32_t card : cards) bits |= uint64_t{1} << card;
    }
    constexpr explicit CardSet(CardClass cardClass) {
        for (CardId card = 0; card < kCards; ++card) {
            if (ClassOf(card) == cardClass) bits |= uint64_t{1} << card;
        }
    }
    constexpr bool Has(CardId card) const { return ((bits >> card) & 1U) != 0; }
};

inline constexpr int32_t kAnyCounter = -1;
inline constexpr int32_t kUnbounded = 127;

// When a term of a row applies: the valued side's counter p[counter] lies in
// lo..hi (both ends included) and, if a key card is named, that card is not
// in the human's piles (its Owner is not 0). A negative counter means the
// combination is ruled out, so every range starting at 0 excludes it.
struct Condition {
    int32_t counter = kAnyCounter;
    int32_t lo = 0;
    int32_t hi = kUnbounded;
    CardId key = kNoCard;
};

constexpr Condition Always() { return {}; }
constexpr Condition In(Yaku counter, int32_t lo, int32_t hi, CardId key = kNoCard) {
    return {counter, lo, hi, key};
}
constexpr Condition AtLeast(Yaku counter, int32_t lo) { return {counter, lo, kUnbounded, kNoCard}; }

bool Holds(const Condition& condition, const int8_t (&progress)[YakuCount],
           const int8_t (&owner)[kCards]) {
    if (condition.counter != kAnyCounter) {
        const int32_t value = progress[condition.counter];
        if (value < condition.lo || value > condition.hi) return false;
    }
    return condition.key == kNoCard || owner[condition.key] != OwnerHuman;
}

// Finds, for every card, the one row of a table that values it; a card named
// by no row or by two rows stops the build.
struct RowIndex {
    int8_t row[kCards] = {};
};

template <typename Row, size_t N, typename Applies>
constexpr RowIndex IndexRows(const Row (&rows)[N], Applies applies) {
    RowIndex index;
    for (CardId card = 0; card < kCards; ++card) {
        int32_t found = 0;
        for (size_t r = 0; r < N; ++r) {
            if (!rows[r].cards.Has(card) || !applies(rows[r])) continue;
            index.row[card] = static_cast<int8_t>(r);
            ++found;
        }
        if (found != 1) throw "every card needs exactly one row";
    }
    return index;
}

// ---------------------------------------------------------------------------
// Opponent 0: the flat table. Fixed values, raised while the card's
// combination is still open for the valued side.

struct FlatBonus {
    Condition when;
    int32_t value = 0;
};

struct FlatRow {
    CardSet cards;
    Condition when;
    int32_t value;      // worth while `when` holds
    int32_t otherwise;  // worth when it does not
    FlatBonus bonus[2] = {};
};

constexpr FlatRow kFlatTable[] = {
    // cards                    worth if                       then  else  plus
    {{0, 44},                   In(FiveBrights, 0, 4),          24,   0},  // crane, phoenix
    {{8},                       In(FiveBrights, 0, 4),          24,   0,   // curtain
     {{In(CurtainSake, 0, 1), 20}}},
    {{28},                      In(FiveBrights, 0, 4),          24,   0,   // moon
     {{In(MoonSake, 0, 1), 20}}},
    {{40},                      In(FiveBrights, 4, 4),         120,   0},  // rain man
    {{1, 5, 9},                 In(RedRibbons, 0, 2),           28,   4},
    {{21, 33, 37},              In(BlueRibbons, 0, 2),          28,   4},
    {{20, 24, 36},              In(BoarDeerButterfly, 0, 2),    64,   4},
    {{32},                      Always(),                        6,   6,   // sake cup
     {{In(CurtainSake, 0, 1), 30}, {In(MoonSake, 0, 1), 30}}},
    {{4, 12, 16, 29, 41},       Always(),                        4,   4},  // other animals
    {{13, 17, 25, 42},          Always(),                        4,   4},  // plain ribbons
    {CardSet(CardClass::Chaff), Always(),                        2,   2},
};

constexpr RowIndex kFlatRowOf = IndexRows(kFlatTable, [](const FlatRow&) { return true; });

int32_t FlatWorth(const Table& table, int32_t side, CardId card) {
    const FlatRow& row = kFlatTable[kFlatRowOf.row[card]];
    const int8_t(&progress)[YakuCount] = table.YakuProgress[side];
    int32_t worth = Holds(row.when, progress, table.Owner) ? row.value : row.otherwise;
    for (const FlatBonus& bonus : row.bonus) {
        if (bonus.value != 0 && Holds(bonus.when, progress, table.Owner)) worth += bonus.value;
    }
    return worth;
}

// ---------------------------------------------------------------------------
// Opponent 2: the graded table. Each term grows as the side's counter nears
// the count that makes the combination.

enum class TermKind : uint8_t { None, Graded, Exactly };

// Graded: 0 for a negative counter x, `full` once x >= n, else
// numerator / (n - x). Exactly: numerator when x = n, else 0.
struct GradedTerm {
    TermKind kind = TermKind::None;
    int32_t counter = 0;
    int32_t n = 0;
    int32_t numerator = 0;
    int32_t full = 0;
};

// rising(x, n, N): nothing once the combination is made, a set being complete.
constexpr GradedTerm Rising(Yaku counter, int32_t n, int32_t numerator) {
    return {TermKind::Graded, counter, n, numerator, 0};
}
// capped(x, n, N): a count combination keeps paying N for each further card.
constexpr GradedTerm Capped(Yaku counter, int32_t n, int32_t numerator) {
    return {TermKind::Graded, counter, n, numerator, numerator};
}
// The red ribbons' ribbon term: numerator 6 below the count, yet 12 once made.
constexpr GradedTerm CappedUneven(Yaku counter, int32_t n, int32_t numerator, int32_t full) {
    return {TermKind::Graded, counter, n, numerator, full};
}
constexpr GradedTerm Exactly(Yaku counter, int32_t n, int32_t value) {
    return {TermKind::Exactly, counter, n, value, 0};
}

int32_t TermValue(const GradedTerm& term, int32_t x) {
    switch (term.kind) {
        case TermKind::None: return 0;
        case TermKind::Exactly: return x == term.n ? term.numerator : 0;
        case TermKind::Graded:
            if (x < 0) return 0;
            if (x >= term.n) return term.full;
            return term.numerator / (term.n - x);
    }
    return 0;
}

struct GradedRow {
    CardSet cards;
    GradedTerm terms[4] = {};
};

constexpr GradedRow kGradedTable[] = {
    {{0, 44},           {Rising(FiveBrights, 5, 120)}},                       // crane, phoenix
    {{8},               {Rising(FiveBrights, 5, 120), Rising(CurtainSake, 2, 60)}},
    {{28},              {Rising(FiveBrights, 5, 120), Rising(MoonSake, 2, 60)}},
    {{40},              {Exactly(FiveBrights, 4, 120)}},                      // rain man
    {{1, 5, 9},         {Rising(RedRibbons, 3, 72), CappedUneven(RibbonSet, 5, 6, 12)}},
    {{21, 33, 37},      {Rising(BlueRibbons, 3, 72), Capped(RibbonSet, 5, 12)}},
    {{20, 24, 36},      {Rising(BoarDeerButterfly, 3, 60), Capped(AnimalSet, 5, 12)}},
    {{32},              {Rising(CurtainSake, 2, 60), Rising(MoonSake, 2, 60),  // sake cup
                         Capped(AnimalSet, 5, 12), Capped(ChaffSet, 10, 12)}},
    {{4, 12, 16, 29, 41}, {Capped(AnimalSet, 5, 12)}},                        // other animals
    {{13, 17, 25, 42},  {Capped(RibbonSet, 5, 12)}},                          // plain ribbons
    {CardSet(CardClass::Chaff), {Capped(ChaffSet, 10, 12)}},
};

constexpr RowIndex kGradedRowOf = IndexRows(kGradedTable, [](const GradedRow&) { return true; });

int32_t GradedWorth(const Table& table, int32_t side, CardId card) {
    const GradedRow& row = kGradedTable[kGradedRowOf.row[card]];
    int32_t worth = 0;
    for (const GradedTerm& term : row.terms) {
        if (term.kind == TermKind::None) break;
        worth += TermValue(term, table.YakuProgress[side][term.counter]);
    }
    return worth;
}

// ---------------------------------------------------------------------------
// Opponents 1 and 3: the companion table. A base value, high while the card's
// own combination is open, plus bonuses for combinations of its month-mates
// that the side can still make and whose key card the human has not taken.
// The value columns hold opponent 1's value, then opponent 3's.

enum class For : uint8_t { Both, OnlyOne, OnlyThree };

struct CompanionBonus {
    Condition when;
    int32_t value[2] = {};
};

struct CompanionRow {
    CardSet cards;
    For opponents;
    Condition when;
    int32_t value[2];   // base while `when` holds
    int32_t otherwise;  // base when it does not, the same for both
    CompanionBonus bonus[2] = {};
};

constexpr CompanionRow kCompanionTable[] = {
    // cards        for             base if                             1 / 3   else  bonuses, 1 / 3
    {{0},           For::Both,      AtLeast(FiveBrights, 0),            {26, 14}, 2,   // crane
     {{In(RedRibbons, 0, 2, 1), {8, 8}}}},
    {{1},           For::OnlyOne,   AtLeast(RedRibbons, 0),             {29, 0},  5,
     {{In(FiveBrights, 0, 4, 0), {8, 0}}}},
    {{1},           For::OnlyThree, In(RedRibbons, 0, 2),               {0, 29},  5,
     {{In(FiveBrights, 0, 4, 0), {0, 4}}}},
    {{2, 3},        For::Both,      In(FiveBrights, 0, 4, 0),           {11, 7},  3,
     {{In(RedRibbons, 0, 2, 1), {8, 8}}}},
    {{4},           For::Both,      In(RedRibbons, 0, 2, 5),            {14, 14}, 6},  // warbler
    {{5},           For::Both,      AtLeast(RedRibbons, 0),             {30, 30}, 6},
    {{6, 7},        For::Both,      In(RedRibbons, 0, 2, 5),            {12, 12}, 4},
    {{8},           For::Both,      AtLeast(FiveBrights, 0),            {26, 14}, 2,   // curtain
     {{AtLeast(CurtainSake, 0), {30, 30}}, {In(RedRibbons, 0, 2, 9), {8, 8}}}},
    {{9},           For::Both,      AtLeast(RedRibbons, 0),             {29, 29}, 5,
     {{In(FiveBrights, 0, 4, 8), {8, 4}}, {In(CurtainSake, 0, 1, 8), {10, 10}}}},
    {{10, 11},      For::Both,      In(FiveBrights, 0, 4, 8),           {11, 7},  3,
     {{In(RedRibbons, 0, 2, 9), {8, 8}}, {In(CurtainSake, 0, 1, 8), {10, 10}}}},
    {{12, 13, 16, 17}, For::Both,   Always(),                           {6, 6},   6},
    {{14, 15, 18, 19}, For::Both,   Always(),                           {4, 4},   4},
    {{20},          For::Both,      AtLeast(BoarDeerButterfly, 0),      {26, 26}, 6,   // butterflies
     {{In(BlueRibbons, 0, 2, 21), {8, 8}}}},
    {{21},          For::Both,      AtLeast(BlueRibbons, 0),            {30, 30}, 6,
     {{In(BoarDeerButterfly, 0, 2, 20), {7, 7}}}},
    {{22, 23},      For::Both,      In(BlueRibbons, 0, 2, 21),          {12, 12}, 4,
     {{In(BoarDeerButterfly, 0, 2, 20), {7, 7}}}},
    {{24},          For::Both,      AtLeast(BoarDeerButterfly, 0),      {26, 26}, 6},  // boar
    {{25, 26, 27},  For::Both,      In(BoarDeerButterfly, 0, 2, 24),    {13, 13}, 6},
    {{28},          For::Both,      AtLeast(FiveBrights, 0),            {26, 14}, 2,   // moon
     {{AtLeast(MoonSake, 0), {30, 30}}}},
    {{29},          For::Both,      In(FiveBrights, 0, 4, 28),          {12, 8},  4,   // geese
     {{In(MoonSake, 0, 1, 28), {10, 10}}}},
    {{30, 31},      For::Both,      In(FiveBrights, 0, 4, 28),          {11, 7},  3,
     {{In(MoonSake, 0, 1, 28), {10, 10}}}},
    {{32},          For::Both,      AtLeast(CurtainSake, 0),            {37, 37}, 7,   // sake cup
     {{AtLeast(MoonSake, 0), {30, 30}}, {In(BlueRibbons, 0, 2, 33), {8, 8}}}},
    {{33},          For::Both,      AtLeast(BlueRibbons, 0),            {30, 30}, 6,
     {{In(CurtainSake, 0, 1, 32), {10, 10}}, {In(MoonSake, 0, 1, 32), {10, 10}}}},
    {{34, 35},      For::Both,      In(BlueRibbons, 0, 2, 33),          {12, 12}, 4,
     {{In(CurtainSake, 0, 1, 32), {10, 10}}, {In(MoonSake, 0, 1, 32), {10, 10}}}},
    {{36},          For::Both,      AtLeast(BoarDeerButterfly, 0),      {26, 26}, 6,   // deer
     {{In(BlueRibbons, 0, 2, 37), {8, 8}}}},
    {{37},          For::Both,      AtLeast(BlueRibbons, 0),            {30, 30}, 6,
     {{In(BoarDeerButterfly, 0, 2, 36), {7, 7}}}},
    {{38, 39},      For::Both,      In(BlueRibbons, 0, 2, 37),          {12, 12}, 4,
     {{In(BoarDeerButterfly, 0, 2, 36), {7, 7}}}},
    {{40},          For::OnlyOne,   AtLeast(FiveBrights, 0),            {15, 0},  3},  // rain man
    {{40},          For::OnlyThree, AtLeast(FiveBrights, 4),            {0, 27},  3},
    {{41, 42},      For::Both,      In(FiveBrights, 0, 4, 40),          {10, 8},  6},
    {{43},          For::Both,      In(FiveBrights, 0, 4, 40),          {8, 6},   4},
    {{44},          For::Both,      AtLeast(FiveBrights, 0),            {25, 13}, 1},  // phoenix
    {{45, 46, 47},  For::Both,      In(FiveBrights, 0, 4, 44),          {10, 6},  2},
};

// One index per value column: opponent 1 reads column 0, opponent 3 column 1.
constexpr RowIndex kCompanionRowOf[2] = {
    IndexRows(kCompanionTable, [](const CompanionRow& row) { return row.opponents != For::OnlyThree; }),
    IndexRows(kCompanionTable, [](const CompanionRow& row) { return row.opponents != For::OnlyOne; }),
};

int32_t CompanionWorth(const Table& table, int32_t column, int32_t side, CardId card) {
    const CompanionRow& row = kCompanionTable[kCompanionRowOf[column].row[card]];
    const int8_t(&progress)[YakuCount] = table.YakuProgress[side];
    int32_t worth = Holds(row.when, progress, table.Owner) ? row.value[column] : row.otherwise;
    for (const CompanionBonus& bonus : row.bonus) {
        if (bonus.value[column] != 0 && Holds(bonus.when, progress, table.Owner)) {
            worth += bonus.value[column];
        }
    }
    return worth;
}

}  // namespace

int32_t CardWorth(const Table& table, int32_t opponent, int32_t side, int32_t card) {
    // Callers hand in MatchList elements, -1 for empty ones; the card is the
    // argument's low byte read as signed.
    const auto low = static_cast<int8_t>(static_cast<uint8_t>(card & 0xFF));
    if (low < 0 || low >= kCards) return 0;
    if (side != 0 && side != 1) return 0;
    switch (opponent) {
        case 0: return FlatWorth(table, side, low);
        case 1: return CompanionWorth(table, 0, side, low);
        case 2: return GradedWorth(table, side, low);
        case 3: return CompanionWorth(table, 1, side, low);
        default: return 0;
    }
}

}  // namespace koikoi
