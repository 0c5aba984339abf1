// The three valuation tables of the computer opponents and the lookup that reads them.
#include "opponents/valuation.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>
#include <initializer_list>

#if defined(__GNUC__) && defined(__x86_64__)
#include <immintrin.h>
#endif

#include "opponents/roster.h"

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

constexpr Condition Always() {
    return {};
}
constexpr Condition In(Yaku counter, int32_t lo, int32_t hi, CardId key = kNoCard) {
    return {counter, lo, hi, key};
}
constexpr Condition AtLeast(Yaku counter, int32_t lo) {
    return {counter, lo, kUnbounded, kNoCard};
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
    {{0, 44}, In(FiveBrights, 0, 4), 24, 0},  // crane, phoenix
    {{8},
     In(FiveBrights, 0, 4),
     24,
     0,  // curtain
     {{In(CurtainSake, 0, 1), 20}}},
    {{28},
     In(FiveBrights, 0, 4),
     24,
     0,  // moon
     {{In(MoonSake, 0, 1), 20}}},
    {{40}, In(FiveBrights, 4, 4), 120, 0},  // rain man
    {{1, 5, 9}, In(RedRibbons, 0, 2), 28, 4},
    {{21, 33, 37}, In(BlueRibbons, 0, 2), 28, 4},
    {{20, 24, 36}, In(BoarDeerButterfly, 0, 2), 64, 4},
    {{32},
     Always(),
     6,
     6,  // sake cup
     {{In(CurtainSake, 0, 1), 30}, {In(MoonSake, 0, 1), 30}}},
    {{4, 12, 16, 29, 41}, Always(), 4, 4},  // other animals
    {{13, 17, 25, 42}, Always(), 4, 4},     // plain ribbons
    {CardSet(CardClass::Chaff), Always(), 2, 2},
};

constexpr RowIndex kFlatRowOf = IndexRows(kFlatTable, [](const FlatRow&) { return true; });

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

constexpr int32_t TermValue(const GradedTerm& term, int32_t x) {
    switch (term.kind) {
        case TermKind::None:
            return 0;
        case TermKind::Exactly:
            return x == term.n ? term.numerator : 0;
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
    {{0, 44}, {Rising(FiveBrights, 5, 120)}},  // crane, phoenix
    {{8}, {Rising(FiveBrights, 5, 120), Rising(CurtainSake, 2, 60)}},
    {{28}, {Rising(FiveBrights, 5, 120), Rising(MoonSake, 2, 60)}},
    {{40}, {Exactly(FiveBrights, 4, 120)}},  // rain man
    {{1, 5, 9}, {Rising(RedRibbons, 3, 72), CappedUneven(RibbonSet, 5, 6, 12)}},
    {{21, 33, 37}, {Rising(BlueRibbons, 3, 72), Capped(RibbonSet, 5, 12)}},
    {{20, 24, 36}, {Rising(BoarDeerButterfly, 3, 60), Capped(AnimalSet, 5, 12)}},
    {{32},
     {Rising(CurtainSake, 2, 60), Rising(MoonSake, 2, 60),  // sake cup
      Capped(AnimalSet, 5, 12), Capped(ChaffSet, 10, 12)}},
    {{4, 12, 16, 29, 41}, {Capped(AnimalSet, 5, 12)}},  // other animals
    {{13, 17, 25, 42}, {Capped(RibbonSet, 5, 12)}},     // plain ribbons
    {CardSet(CardClass::Chaff), {Capped(ChaffSet, 10, 12)}},
};

constexpr RowIndex kGradedRowOf = IndexRows(kGradedTable, [](const GradedRow&) { return true; });

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
    {{0},
     For::Both,
     AtLeast(FiveBrights, 0),
     {26, 14},
     2,  // crane
     {{In(RedRibbons, 0, 2, 1), {8, 8}}}},
    {{1}, For::OnlyOne, AtLeast(RedRibbons, 0), {29, 0}, 5, {{In(FiveBrights, 0, 4, 0), {8, 0}}}},
    {{1}, For::OnlyThree, In(RedRibbons, 0, 2), {0, 29}, 5, {{In(FiveBrights, 0, 4, 0), {0, 4}}}},
    {{2, 3}, For::Both, In(FiveBrights, 0, 4, 0), {11, 7}, 3, {{In(RedRibbons, 0, 2, 1), {8, 8}}}},
    {{4}, For::Both, In(RedRibbons, 0, 2, 5), {14, 14}, 6},  // warbler
    {{5}, For::Both, AtLeast(RedRibbons, 0), {30, 30}, 6},
    {{6, 7}, For::Both, In(RedRibbons, 0, 2, 5), {12, 12}, 4},
    {{8},
     For::Both,
     AtLeast(FiveBrights, 0),
     {26, 14},
     2,  // curtain
     {{AtLeast(CurtainSake, 0), {30, 30}}, {In(RedRibbons, 0, 2, 9), {8, 8}}}},
    {{9},
     For::Both,
     AtLeast(RedRibbons, 0),
     {29, 29},
     5,
     {{In(FiveBrights, 0, 4, 8), {8, 4}}, {In(CurtainSake, 0, 1, 8), {10, 10}}}},
    {{10, 11},
     For::Both,
     In(FiveBrights, 0, 4, 8),
     {11, 7},
     3,
     {{In(RedRibbons, 0, 2, 9), {8, 8}}, {In(CurtainSake, 0, 1, 8), {10, 10}}}},
    {{12, 13, 16, 17}, For::Both, Always(), {6, 6}, 6},
    {{14, 15, 18, 19}, For::Both, Always(), {4, 4}, 4},
    {{20},
     For::Both,
     AtLeast(BoarDeerButterfly, 0),
     {26, 26},
     6,  // butterflies
     {{In(BlueRibbons, 0, 2, 21), {8, 8}}}},
    {{21},
     For::Both,
     AtLeast(BlueRibbons, 0),
     {30, 30},
     6,
     {{In(BoarDeerButterfly, 0, 2, 20), {7, 7}}}},
    {{22, 23},
     For::Both,
     In(BlueRibbons, 0, 2, 21),
     {12, 12},
     4,
     {{In(BoarDeerButterfly, 0, 2, 20), {7, 7}}}},
    {{24}, For::Both, AtLeast(BoarDeerButterfly, 0), {26, 26}, 6},  // boar
    {{25, 26, 27}, For::Both, In(BoarDeerButterfly, 0, 2, 24), {13, 13}, 6},
    {{28},
     For::Both,
     AtLeast(FiveBrights, 0),
     {26, 14},
     2,  // moon
     {{AtLeast(MoonSake, 0), {30, 30}}}},
    {{29},
     For::Both,
     In(FiveBrights, 0, 4, 28),
     {12, 8},
     4,  // geese
     {{In(MoonSake, 0, 1, 28), {10, 10}}}},
    {{30, 31},
     For::Both,
     In(FiveBrights, 0, 4, 28),
     {11, 7},
     3,
     {{In(MoonSake, 0, 1, 28), {10, 10}}}},
    {{32},
     For::Both,
     AtLeast(CurtainSake, 0),
     {37, 37},
     7,  // sake cup
     {{AtLeast(MoonSake, 0), {30, 30}}, {In(BlueRibbons, 0, 2, 33), {8, 8}}}},
    {{33},
     For::Both,
     AtLeast(BlueRibbons, 0),
     {30, 30},
     6,
     {{In(CurtainSake, 0, 1, 32), {10, 10}}, {In(MoonSake, 0, 1, 32), {10, 10}}}},
    {{34, 35},
     For::Both,
     In(BlueRibbons, 0, 2, 33),
     {12, 12},
     4,
     {{In(CurtainSake, 0, 1, 32), {10, 10}}, {In(MoonSake, 0, 1, 32), {10, 10}}}},
    {{36},
     For::Both,
     AtLeast(BoarDeerButterfly, 0),
     {26, 26},
     6,  // deer
     {{In(BlueRibbons, 0, 2, 37), {8, 8}}}},
    {{37},
     For::Both,
     AtLeast(BlueRibbons, 0),
     {30, 30},
     6,
     {{In(BoarDeerButterfly, 0, 2, 36), {7, 7}}}},
    {{38, 39},
     For::Both,
     In(BlueRibbons, 0, 2, 37),
     {12, 12},
     4,
     {{In(BoarDeerButterfly, 0, 2, 36), {7, 7}}}},
    {{40}, For::OnlyOne, AtLeast(FiveBrights, 0), {15, 0}, 3},  // rain man
    {{40}, For::OnlyThree, AtLeast(FiveBrights, 4), {0, 27}, 3},
    {{41, 42}, For::Both, In(FiveBrights, 0, 4, 40), {10, 8}, 6},
    {{43}, For::Both, In(FiveBrights, 0, 4, 40), {8, 6}, 4},
    {{44}, For::Both, AtLeast(FiveBrights, 0), {25, 13}, 1},  // phoenix
    {{45, 46, 47}, For::Both, In(FiveBrights, 0, 4, 44), {10, 6}, 2},
};

// One index per value column: opponent 1 reads column 0, opponent 3 column 1.
constexpr RowIndex kCompanionRowOf[2] = {
    IndexRows(kCompanionTable,
              [](const CompanionRow& row) { return row.opponents != For::OnlyThree; }),
    IndexRows(kCompanionTable,
              [](const CompanionRow& row) { return row.opponents != For::OnlyOne; }),
};

// ---------------------------------------------------------------------------
// The tables above, compiled for reading. Every term of every row becomes the
// same shape: its value for each value of its counter, clamped to -1..14 (no
// range or graded term of the tables changes outside it), and the value it
// takes instead when the human holds its key card. A card's worth is then the
// sum of a few lookups, with no branch on the table's values.

inline constexpr int32_t kLowestCounter = -1;
inline constexpr int32_t kCounterSteps = 16;
inline constexpr int32_t kNoKey = 63;  // a bit no card sets in the human's-piles mask
inline constexpr int32_t kTerms = 4;   // the most any row has: the graded sake cup

struct Term {
    uint8_t counter = 0;
    uint8_t key = kNoKey;
    uint8_t fallback = 0;
    uint8_t value[kCounterSteps] = {};
};

struct CardTerms {
    Term term[kTerms];
};

using Compiled = std::array<CardTerms, kCards>;

constexpr int32_t CounterAt(int32_t step) {
    return step + kLowestCounter;
}
constexpr int32_t kHighestCounter = CounterAt(kCounterSteps - 1);

constexpr uint8_t Byte(int32_t worth) {
    if (worth < 0 || worth > 255) throw "a term's worth must fit a byte";
    return static_cast<uint8_t>(worth);
}

constexpr bool InRange(const Condition& condition, int32_t x) {
    return condition.counter == kAnyCounter || (x >= condition.lo && x <= condition.hi);
}

// A term paying `held` while `condition` holds and `missed` when it does not.
constexpr Term ConditionTerm(const Condition& condition, int32_t held, int32_t missed) {
    if (condition.lo < 0 || (condition.hi != kUnbounded && condition.hi >= kHighestCounter)) {
        throw "a range must lie where the clamped counter tells its values apart";
    }
    Term term;
    term.counter = static_cast<uint8_t>(condition.counter == kAnyCounter ? 0 : condition.counter);
    term.key = static_cast<uint8_t>(condition.key == kNoCard ? kNoKey : condition.key);
    term.fallback = Byte(missed);
    for (int32_t step = 0; step < kCounterSteps; ++step) {
        term.value[step] = Byte(InRange(condition, CounterAt(step)) ? held : missed);
    }
    return term;
}

constexpr Compiled CompileFlat() {
    Compiled compiled{};
    for (CardId card = 0; card < kCards; ++card) {
        const FlatRow& row = kFlatTable[kFlatRowOf.row[card]];
        Term* term = compiled[static_cast<size_t>(card)].term;
        term[0] = ConditionTerm(row.when, row.value, row.otherwise);
        for (int32_t b = 0; b < 2; ++b)
            term[b + 1] = ConditionTerm(row.bonus[b].when, row.bonus[b].value, 0);
    }
    return compiled;
}

constexpr Compiled CompileCompanion(int32_t column) {
    Compiled compiled{};
    for (CardId card = 0; card < kCards; ++card) {
        const CompanionRow& row = kCompanionTable[kCompanionRowOf[column].row[card]];
        Term* term = compiled[static_cast<size_t>(card)].term;
        term[0] = ConditionTerm(row.when, row.value[column], row.otherwise);
        for (int32_t b = 0; b < 2; ++b) {
            term[b + 1] = ConditionTerm(row.bonus[b].when, row.bonus[b].value[column], 0);
        }
    }
    return compiled;
}

constexpr Compiled CompileGraded() {
    Compiled compiled{};
    for (CardId card = 0; card < kCards; ++card) {
        const GradedRow& row = kGradedTable[kGradedRowOf.row[card]];
        for (int32_t t = 0; t < kTerms; ++t) {
            const GradedTerm& graded = row.terms[t];
            if (graded.n >= kHighestCounter) throw "a graded term must be full below the clamp";
            Term& term = compiled[static_cast<size_t>(card)].term[t];
            term.counter = static_cast<uint8_t>(graded.counter);
            for (int32_t step = 0; step < kCounterSteps; ++step) {
                term.value[step] = Byte(TermValue(graded, CounterAt(step)));
            }
        }
    }
    return compiled;
}

// By Valuation, and how many terms each table's rows use.
constexpr std::array<Compiled, kValuations> kCompiled = {CompileFlat(), CompileCompanion(0),
                                                         CompileGraded(), CompileCompanion(1)};
constexpr std::array<int32_t, kValuations> kTermCount = {3, 3, 4, 3};

constexpr uint8_t StepOf(int32_t counter) {
    return static_cast<uint8_t>(std::clamp(counter, kLowestCounter, kHighestCounter) -
                                kLowestCounter);
}

// Bit c set when card c lies in the human's piles (Owner 0): the Owner bytes
// are tested eight at a time, and the zero bytes' top bits gathered.
uint64_t HumanPilesMask(const int8_t (&owner)[kCards]) {
    static_assert(OwnerHuman == 0);
    uint64_t mask = 0;
    for (int32_t word = 0; word < kCards / 8; ++word) {
        // Assembled byte by byte, card 8 * word + k in byte k; one load where
        // the machine is little-endian.
        uint64_t bytes = 0;
        for (int32_t k = 0; k < 8; ++k) {
            bytes |= uint64_t{static_cast<uint8_t>(owner[word * 8 + k])} << (8 * k);
        }
        constexpr uint64_t kLow7 = 0x7F7F7F7F7F7F7F7Full;
        const uint64_t zeroTops = ~(((bytes & kLow7) + kLow7) | bytes | kLow7);
        // Byte k's top bit moves to bit 56 + k; no two products overlap.
        const uint64_t gathered = ((zeroTops >> 7) * 0x0102040810204080ull) >> 56;
        mask |= gathered << (word * 8);
    }
    return mask;
}

// ---------------------------------------------------------------------------
// The same tables for weighing every card at once, one byte lane per card.
// A term's 16 values over the clamped counter are its shape; the non-constant
// shapes of one term column are gathered into tables of eight shapes each (a
// two-register byte permute reads 128 bytes), and each card's lane holds its
// counter, its key card and where its shape starts. Constant terms add into
// one base value per card. A key card in the human's piles reads the shape
// at counter -1, which is the term's fallback: every range starts at 0 or
// above, so a term never holds at -1.

inline constexpr int32_t kLanes = 64;
inline constexpr int32_t kShapesPerSlot = 8;
inline constexpr int32_t kMaxSlots = 6;

struct WideSlot {
    uint8_t counter[2][kLanes] = {};  // by side: the step byte each lane reads
    uint8_t key[kLanes] = {};
    uint8_t shapeStart[kLanes] = {};
    uint8_t values[kShapesPerSlot * kCounterSteps] = {};
    uint64_t lanes = 0;  // the cards this slot values
};

struct WideTable {
    uint8_t base[kLanes] = {};
    WideSlot slot[kMaxSlots] = {};
    int32_t slots = 0;
};

constexpr bool SameShape(const uint8_t (&a)[kCounterSteps], const uint8_t (&b)[kCounterSteps]) {
    for (int32_t step = 0; step < kCounterSteps; ++step) {
        if (a[step] != b[step]) return false;
    }
    return true;
}

constexpr WideTable CompileWide(const Compiled& compiled, int32_t terms) {
    WideTable wide;
    for (WideSlot& slot : wide.slot) {
        for (uint8_t& key : slot.key) key = kNoKey;
    }
    int32_t most[kCards] = {};  // the highest worth each card can reach
    for (int32_t t = 0; t < terms; ++t) {
        CardId shapeOf[kCards] = {};  // a card of each shape found so far
        int32_t shapeCount = 0;
        for (CardId card = 0; card < kCards; ++card) {
            const auto lane = static_cast<size_t>(card);
            const Term& term = compiled[lane].term[t];
            int32_t highest = 0;
            bool constant = true;
            for (int32_t step = 0; step < kCounterSteps; ++step) {
                highest = std::max(highest, int32_t{term.value[step]});
                constant = constant && term.value[step] == term.value[0];
            }
            if (term.key != kNoKey && term.fallback != term.value[0]) {
                throw "a key card taken must give the term's value at counter -1";
            }
            most[card] += highest;
            if (constant) {
                wide.base[lane] = static_cast<uint8_t>(wide.base[lane] + term.value[0]);
                continue;
            }
            int32_t shape = 0;
            while (shape < shapeCount &&
                   !SameShape(compiled[static_cast<size_t>(shapeOf[shape])].term[t].value,
                              term.value)) {
                ++shape;
            }
            if (shape == shapeCount) shapeOf[shapeCount++] = card;
            const int32_t slotIndex = wide.slots + shape / kShapesPerSlot;
            if (slotIndex >= kMaxSlots) throw "too many shapes for the wide tables";
            WideSlot& slot = wide.slot[slotIndex];
            const int32_t start = (shape % kShapesPerSlot) * kCounterSteps;
            slot.counter[0][lane] = term.counter;
            slot.counter[1][lane] = static_cast<uint8_t>(YakuCount + term.counter);
            slot.key[lane] = term.key;
            slot.shapeStart[lane] = static_cast<uint8_t>(start);
            for (int32_t step = 0; step < kCounterSteps; ++step) {
                slot.values[start + step] = term.value[step];
            }
            slot.lanes |= uint64_t{1} << card;
        }
        wide.slots += (shapeCount + kShapesPerSlot - 1) / kShapesPerSlot;
    }
    for (CardId card = 0; card < kCards; ++card) {
        if (most[card] > 255) throw "a card's worth must fit a byte";
    }
    return wide;
}

constexpr std::array<WideTable, kValuations> kWide = {
    CompileWide(kCompiled[0], kTermCount[0]), CompileWide(kCompiled[1], kTermCount[1]),
    CompileWide(kCompiled[2], kTermCount[2]), CompileWide(kCompiled[3], kTermCount[3])};

// With AVX-512's byte permutes each slot of a table costs a few instructions
// for all 48 cards and both sides; without them the caller weighs the cards
// it needs one by one.
#if defined(__GNUC__) && defined(__x86_64__)
// GCC 12's own AVX-512 headers start results from deliberately undefined
// vectors, which its uninitialised-value warning reports.
#pragma GCC diagnostic push
#if !defined(__clang__)
#pragma GCC diagnostic ignored "-Wuninitialized"
#pragma GCC diagnostic ignored "-Wmaybe-uninitialized"
#endif
#define KOIKOI_WIDE __attribute__((target("avx512f,avx512bw,avx512vbmi,avx512bitalg")))

KOIKOI_WIDE inline __m512i Lanes(const uint8_t (&bytes)[kLanes]) {
    return _mm512_loadu_si512(bytes);
}

KOIKOI_WIDE void WeighWide(const Table& table, const WideTable& wide, EveryWorth& worths) {
    constexpr uint64_t kCardLanes = (uint64_t{1} << kCards) - 1;
    static_assert(sizeof table.YakuProgress == 2 * YakuCount);
    // Byte k of `steps` is the step of counter k of side 0, byte 10 + k that
    // of side 1: each counter clamped to -1..14, plus one.
    const __m512i progress =
        _mm512_maskz_loadu_epi8((uint64_t{1} << (2 * YakuCount)) - 1, table.YakuProgress);
    const __m512i clamped = _mm512_min_epi8(
        _mm512_max_epi8(progress, _mm512_set1_epi8(static_cast<char>(kLowestCounter))),
        _mm512_set1_epi8(static_cast<char>(kHighestCounter)));
    const __m512i steps =
        _mm512_sub_epi8(clamped, _mm512_set1_epi8(static_cast<char>(kLowestCounter)));
    // Bit c of every 64-bit lane: card c in the human's piles.
    const __m512i owner = _mm512_maskz_loadu_epi8(kCardLanes, table.Owner);
    const __mmask64 taken =
        _mm512_mask_cmpeq_epi8_mask(kCardLanes, owner, _mm512_set1_epi8(OwnerHuman));
    const __m512i piles = _mm512_set1_epi64(static_cast<int64_t>(taken));

    __m512i human = Lanes(wide.base);
    __m512i computer = human;
    for (int32_t s = 0; s < wide.slots; ++s) {
        const WideSlot& slot = wide.slot[s];
        const __mmask64 keyFree = ~_mm512_bitshuffle_epi64_mask(piles, Lanes(slot.key));
        const __m512i start = Lanes(slot.shapeStart);
        const __m512i low = _mm512_loadu_si512(slot.values);
        const __m512i high = _mm512_loadu_si512(slot.values + kLanes);
        const __m512i humanStep = _mm512_permutexvar_epi8(Lanes(slot.counter[0]), steps);
        const __m512i computerStep = _mm512_permutexvar_epi8(Lanes(slot.counter[1]), steps);
        const __m512i humanAt = _mm512_mask_add_epi8(start, keyFree, start, humanStep);
        const __m512i computerAt = _mm512_mask_add_epi8(start, keyFree, start, computerStep);
        human =
            _mm512_add_epi8(human, _mm512_maskz_permutex2var_epi8(slot.lanes, low, humanAt, high));
        computer = _mm512_add_epi8(
            computer, _mm512_maskz_permutex2var_epi8(slot.lanes, low, computerAt, high));
    }
    _mm512_storeu_si512(worths.human, human);
    _mm512_storeu_si512(worths.computer, computer);
}
#undef KOIKOI_WIDE
#pragma GCC diagnostic pop

bool HasWideWeighing() {
    static const bool wide =
        __builtin_cpu_supports("avx512f") && __builtin_cpu_supports("avx512bw") &&
        __builtin_cpu_supports("avx512vbmi") && __builtin_cpu_supports("avx512bitalg");
    return wide;
}
#else
void WeighWide(const Table&, const WideTable&, EveryWorth&) {}
bool HasWideWeighing() {
    return false;
}
#endif

}  // namespace

Weigher::Weigher(const Table& table, int32_t opponent) {
    const OpponentProfile* row = FindOpponent(opponent);
    valuation_ = row != nullptr ? static_cast<int32_t>(row->valuation) : 0;
    terms_ = row != nullptr ? kTermCount[static_cast<size_t>(valuation_)] : 0;
    humanPiles_ = HumanPilesMask(table.Owner);
    for (int32_t side = 0; side < 2; ++side) {
        for (int32_t c = 0; c < YakuCount; ++c)
            step_[side][c] = StepOf(table.YakuProgress[side][c]);
    }
}

Weigher::Worths Weigher::Worth(CardId card) const {
    const CardTerms& terms = kCompiled[static_cast<size_t>(valuation_)][static_cast<size_t>(card)];
    int32_t human = 0;
    int32_t computer = 0;
    for (int32_t t = 0; t < terms_; ++t) {
        const Term& term = terms.term[t];
        const bool keyTaken = ((humanPiles_ >> term.key) & 1U) != 0;
        human += keyTaken ? term.fallback : term.value[step_[0][term.counter]];
        computer += keyTaken ? term.fallback : term.value[step_[1][term.counter]];
    }
    return {human, computer};
}

bool WeighEveryCard(const Table& table, int32_t opponent, EveryWorth& worths) {
    if (!HasWideWeighing()) return false;
    const OpponentProfile* row = FindOpponent(opponent);
    if (row == nullptr) {
        std::memset(&worths, 0, sizeof worths);
        return true;
    }
    WeighWide(table, kWide[static_cast<size_t>(row->valuation)], worths);
    return true;
}

int32_t CardWorth(const Table& table, int32_t opponent, int32_t side, int32_t card) {
    // Callers hand in MatchList elements, -1 for empty ones; the card is the
    // argument's low byte read as signed.
    const auto low = static_cast<int8_t>(static_cast<uint8_t>(card & 0xFF));
    if (low < 0 || low >= kCards) return 0;
    if (side != 0 && side != 1) return 0;
    const Weigher::Worths worths = Weigher(table, opponent).Worth(low);
    return side == 0 ? worths.human : worths.computer;
}

}  // namespace koikoi
