// Shuffle, deal, draw and discard; matching and capture.
#include "game/moves.h"

#include <array>
#include <bit>
#include <cstring>
#include <initializer_list>
#include <utility>

#if defined(__GNUC__) && defined(__x86_64__)
#include <immintrin.h>
#endif

namespace koikoi {

namespace {

// A move writes the destination, empties the source, then updates
// CardSlots, so SlotCards and CardSlots agree again before any repaint.
void MoveCard(Table& table, CardId card, SlotId destination) {
    const SlotId source = table.CardSlots[card];
    table.SlotCards[destination] = card;
    table.SlotCards[source] = kNoCard;
    table.CardSlots[card] = destination;
}

void Add(int8_t& counter, int32_t delta) {
    counter = static_cast<int8_t>(counter + delta);
}

// The Owner code the deal gives a card by the slot it lies in: the
// computer's hand cards, the field cards, and unseen everywhere else.
constexpr std::array<int8_t, kSlots> OwnersAfterDeal() {
    std::array<int8_t, kSlots> owner{};
    for (SlotId slot = 0; slot < kSlots; ++slot) {
        owner[static_cast<size_t>(slot)] =
            slot >= kComputerHand && slot < kComputerHand + kHandSize ? OwnerComputerHand
            : slot >= kFieldFirst && slot <= kFieldLast               ? OwnerField
                                                                      : OwnerUnseen;
    }
    return owner;
}

constexpr std::array<int8_t, kSlots> kOwnerAfterDeal = OwnersAfterDeal();

// How a capture moves the combination counters: what the captor's own
// counters gain and what the other side's lose, so that a combination the
// other side can no longer complete is pushed below its threshold for good.
struct CaptureEffect {
    std::array<int8_t, YakuCount> own{};
    std::array<int8_t, YakuCount> other{};
};

constexpr std::array<int8_t, YakuCount> Deltas(
    std::initializer_list<std::pair<Yaku, int8_t>> list) {
    std::array<int8_t, YakuCount> deltas{};
    for (const auto& [yaku, delta] : list) deltas[static_cast<size_t>(yaku)] = delta;
    return deltas;
}

// One row per line of the capture table.
enum EffectRow : uint8_t {
    PlainBright,   // 0 crane, 44 phoenix
    CurtainRow,    // 8
    MoonRow,       // 28
    RainManRow,    // 40
    RedRibbon,     // 1, 5, 9
    BlueRibbon,    // 21, 33, 37
    PlainRibbon,   // 13, 17, 25, 42
    BoarDeerBfly,  // 20, 24, 36
    PlainAnimal,   // 4, 12, 16, 29, 41
    SakeCupRow,    // 32
    ChaffRow,      // every other card
    EffectRows,
};

constexpr std::array<CaptureEffect, EffectRows> kCaptureEffects = {{
    /* PlainBright  */ {Deltas({{FiveBrights, 1}, {FourBrights, 1}}),
                        Deltas({{FiveBrights, -6}, {FourBrights, -5}})},
    /* CurtainRow   */
    {Deltas({{FiveBrights, 1}, {FourBrights, 1}, {CurtainSake, 1}}),
     Deltas({{FiveBrights, -6}, {FourBrights, -5}, {CurtainSake, -3}})},
    /* MoonRow      */
    {Deltas({{FiveBrights, 1}, {FourBrights, 1}, {MoonSake, 1}}),
     Deltas({{FiveBrights, -6}, {FourBrights, -5}, {MoonSake, -3}})},
    /* RainManRow   */ {Deltas({{FiveBrights, 1}, {FourBrights, -5}}), Deltas({{FiveBrights, -6}})},
    /* RedRibbon    */ {Deltas({{RedRibbons, 1}, {RibbonSet, 1}}), Deltas({{RedRibbons, -4}})},
    /* BlueRibbon   */ {Deltas({{BlueRibbons, 1}, {RibbonSet, 1}}), Deltas({{BlueRibbons, -4}})},
    /* PlainRibbon  */ {Deltas({{RibbonSet, 1}}), Deltas({})},
    /* BoarDeerBfly */
    {Deltas({{BoarDeerButterfly, 1}, {AnimalSet, 1}}), Deltas({{BoarDeerButterfly, -4}})},
    /* PlainAnimal  */ {Deltas({{AnimalSet, 1}}), Deltas({})},
    /* SakeCupRow   */
    {Deltas({{CurtainSake, 1}, {MoonSake, 1}, {AnimalSet, 1}, {ChaffSet, 1}}),
     Deltas({{CurtainSake, -3}, {MoonSake, -3}})},
    /* ChaffRow     */ {Deltas({{ChaffSet, 1}}), Deltas({})},
}};

// The same rows laid out as one delta per counter of YakuProgress[0] and
// YakuProgress[1] together, for a capture by side 0 and by side 1: a
// capture then adds 20 bytes to 20 bytes in one sweep.
using SideDeltas = std::array<int8_t, 2 * YakuCount>;

constexpr std::array<std::array<SideDeltas, 2>, EffectRows> CombineEffects() {
    std::array<std::array<SideDeltas, 2>, EffectRows> combined{};
    for (size_t row = 0; row < EffectRows; ++row) {
        for (size_t k = 0; k < YakuCount; ++k) {
            combined[row][0][k] = kCaptureEffects[row].own[k];
            combined[row][0][YakuCount + k] = kCaptureEffects[row].other[k];
            combined[row][1][k] = kCaptureEffects[row].other[k];
            combined[row][1][YakuCount + k] = kCaptureEffects[row].own[k];
        }
    }
    return combined;
}

constexpr std::array<std::array<SideDeltas, 2>, EffectRows> kSideDeltas = CombineEffects();

constexpr std::array<EffectRow, kCards> kEffectRowOfCard = {
    PlainBright,  RedRibbon,   ChaffRow,    ChaffRow,  // January
    PlainAnimal,  RedRibbon,   ChaffRow,    ChaffRow,  // February
    CurtainRow,   RedRibbon,   ChaffRow,    ChaffRow,  // March
    PlainAnimal,  PlainRibbon, ChaffRow,    ChaffRow,  // April
    PlainAnimal,  PlainRibbon, ChaffRow,    ChaffRow,  // May
    BoarDeerBfly, BlueRibbon,  ChaffRow,    ChaffRow,  // June
    BoarDeerBfly, PlainRibbon, ChaffRow,    ChaffRow,  // July
    MoonRow,      PlainAnimal, ChaffRow,    ChaffRow,  // August
    SakeCupRow,   BlueRibbon,  ChaffRow,    ChaffRow,  // September
    BoarDeerBfly, BlueRibbon,  ChaffRow,    ChaffRow,  // October
    RainManRow,   PlainAnimal, PlainRibbon, ChaffRow,  // November
    PlainBright,  ChaffRow,    ChaffRow,    ChaffRow,  // December
};

// Sixteen bytes added lane by lane, each wrapping on its own.
typedef uint8_t Bytes16 __attribute__((vector_size(16)));

// A shuffle's 400 swaps take two draws each.
constexpr size_t kDraws = 800;

// The swaps on one byte per card, each with its two draws made just before
// it; the generator is a local copy, so its state stays in a register.
void SwapAsDrawn(Random& random, std::array<uint8_t, kCards>& position) {
    Random generator = random;
    for (size_t swap = 0; swap < kDraws; swap += 2) {
        // Next() is never negative, so the unsigned remainder is "r mod 48".
        const uint32_t a = static_cast<uint32_t>(generator.Next()) % kCards;
        const uint32_t b = static_cast<uint32_t>(generator.Next()) % kCards;
        std::swap(position[a], position[b]);
    }
    random = generator;
}

// The stock as the swaps leave it: every slot empty, then card c in slot
// 112 + position[c].
void FillStock(Table& table, const std::array<uint8_t, kCards>& position) {
    for (int32_t& card : table.SlotCards) card = kNoCard;
    for (CardId card = 0; card < kCards; ++card) {
        const SlotId slot = kStockFirst + position[static_cast<size_t>(card)];
        table.CardSlots[card] = slot;
        table.SlotCards[slot] = card;
    }
}

// With AVX-512 the draws are independent lanes of the same arithmetic, eight
// at a time (the state only steps by a constant), each "r mod 48" one byte
// of a 64-bit word. The words are made a few steps ahead of the swaps that
// use them: a word's arithmetic takes some 30 cycles, and the swaps of the
// words before it run meanwhile.
//
// The 400 swaps also run as two independent halves, each on its own copy of
// the identity, so that one half's swaps go on while the other's wait on
// memory: swapping entries i and j of an array is composing it with the
// transposition (i j), so the first 200 swaps leave the identity as A, the
// last 200 leave it as B, and all 400 leave position[c] = A[B[c]], one byte
// permute.
#if defined(__GNUC__) && defined(__x86_64__)
// GCC 12's own AVX-512 headers start results from deliberately undefined
// vectors, which its uninitialised-value warning reports.
#pragma GCC diagnostic push
#if !defined(__clang__)
#pragma GCC diagnostic ignored "-Wuninitialized"
#pragma GCC diagnostic ignored "-Wmaybe-uninitialized"
#endif
#define KOIKOI_WIDE __attribute__((target("avx512f,avx512dq,avx512bw,avx512vbmi,avx512ifma")))

struct WideDraws {
    __m512i state;

    KOIKOI_WIDE explicit WideDraws(uint64_t first) {
        const __m512i lane = _mm512_set_epi64(8, 7, 6, 5, 4, 3, 2, 1);
        state = _mm512_add_epi64(
            _mm512_set1_epi64(static_cast<int64_t>(first)),
            _mm512_mullo_epi64(lane, _mm512_set1_epi64(static_cast<int64_t>(Random::kGamma))));
    }

    // The next eight draws mod 48, the first in the low byte.
    KOIKOI_WIDE uint64_t Next() {
        const __m512i step = _mm512_set1_epi64(static_cast<int64_t>(Random::kGamma * 8));
        const __m512i mix1 = _mm512_set1_epi64(static_cast<int64_t>(Random::kMix1));
        const __m512i mix2 = _mm512_set1_epi64(static_cast<int64_t>(Random::kMix2));
        const __m512i reciprocal =
            _mm512_set1_epi64(static_cast<int64_t>(((uint64_t{1} << 52) + kCards - 1) / kCards));
        const __m512i minus48 =
            _mm512_set1_epi64(static_cast<int64_t>((uint64_t{1} << 52) - kCards));
        __m512i z = state;
        state = _mm512_add_epi64(state, step);
        z = _mm512_mullo_epi64(_mm512_xor_si512(z, _mm512_srli_epi64(z, 30)), mix1);
        z = _mm512_mullo_epi64(_mm512_xor_si512(z, _mm512_srli_epi64(z, 27)), mix2);
        const __m512i r = _mm512_srli_epi64(z, 33);
        // r < 2^31, so the high 52 bits of the 104-bit product r * ceil(2^52 / 48)
        // are r / 48 (the product's excess stays below 2^31 / 2^52), and
        // r + (q * (2^52 - 48) mod 2^52) is r - 48q + 2^52, whose low byte
        // is the remainder.
        const __m512i quotient = _mm512_madd52hi_epu64(_mm512_setzero_si512(), r, reciprocal);
        const __m512i remainder = _mm512_madd52lo_epu64(r, quotient, minus48);
        return static_cast<uint64_t>(_mm_cvtsi128_si64(_mm512_cvtepi64_epi8(remainder)));
    }
};

// The four swaps of one word of eight draws.
inline void SwapFour(uint8_t (&position)[64], uint64_t draws) {
    for (int32_t k = 0; k < 4; ++k, draws >>= 16) {
        const auto a = static_cast<size_t>(draws & 0xFF);
        const auto b = static_cast<size_t>((draws >> 8) & 0xFF);
        const uint8_t held = position[a];
        position[a] = position[b];
        position[b] = held;
    }
}

KOIKOI_WIDE void ShuffleWide(Table& table, Random& random) {
    constexpr size_t kHalfWords = kDraws / 16;
    alignas(64) uint8_t first[64];
    alignas(64) uint8_t second[64];
    for (uint8_t i = 0; i < 64; ++i) first[i] = second[i] = i;
    WideDraws firstDraws(random.state);
    WideDraws secondDraws(random.state + Random::kGamma * (kDraws / 2));
    uint64_t first0 = firstDraws.Next();
    uint64_t first1 = firstDraws.Next();
    uint64_t second0 = secondDraws.Next();
    uint64_t second1 = secondDraws.Next();
    for (size_t word = 2; word < kHalfWords; ++word) {
        const uint64_t firstNext = firstDraws.Next();
        const uint64_t secondNext = secondDraws.Next();
        SwapFour(first, first0);
        SwapFour(second, second0);
        first0 = first1;
        first1 = firstNext;
        second0 = second1;
        second1 = secondNext;
    }
    SwapFour(first, first0);
    SwapFour(first, first1);
    SwapFour(second, second0);
    SwapFour(second, second1);
    random.state += Random::kGamma * kDraws;

    alignas(64) uint8_t position[64];
    _mm512_store_si512(
        position, _mm512_permutexvar_epi8(_mm512_load_si512(second), _mm512_load_si512(first)));
    const __m512i empty = _mm512_set1_epi32(kNoCard);
    for (SlotId slot = 0; slot < kStockFirst; slot += 16) {
        _mm512_storeu_si512(table.SlotCards + slot, empty);
    }
    for (SlotId slot = kStockLast + 1; slot + 16 <= kSlots; slot += 16) {
        _mm512_storeu_si512(table.SlotCards + slot, empty);
    }
    table.SlotCards[kSlots - 1] = kNoCard;
    const __m512i stockFirst = _mm512_set1_epi32(kStockFirst);
    for (CardId card = 0; card < kCards; card += 16) {
        const __m512i slots = _mm512_add_epi32(
            _mm512_cvtepu8_epi32(_mm_load_si128(reinterpret_cast<const __m128i*>(position + card))),
            stockFirst);
        _mm512_storeu_si512(table.CardSlots + card, slots);
    }
    for (CardId card = 0; card < kCards; ++card)
        table.SlotCards[kStockFirst + position[card]] = card;
}
#undef KOIKOI_WIDE
#pragma GCC diagnostic pop

bool HasWideDraws() {
    static const bool wide =
        __builtin_cpu_supports("avx512f") && __builtin_cpu_supports("avx512dq") &&
        __builtin_cpu_supports("avx512bw") && __builtin_cpu_supports("avx512vbmi") &&
        __builtin_cpu_supports("avx512ifma");
    return wide;
}
#else
void ShuffleWide(Table&, Random&) {}
bool HasWideDraws() {
    return false;
}
#endif

}  // namespace

// The swaps play on one byte per card: the same draws and the same swaps,
// in the same order, as 400 swaps of CardSlots entries.
void ShuffleStock(Table& table, Random& random) {
    if (HasWideDraws()) {
        ShuffleWide(table, random);
        return;
    }
    std::array<uint8_t, kCards> position{};  // stock position of each card
    for (CardId card = 0; card < kCards; ++card)
        position[static_cast<size_t>(card)] = static_cast<uint8_t>(card);
    SwapAsDrawn(random, position);
    FillStock(table, position);
}

void DrawShuffle(Random& random) {
    random.state += Random::kGamma * kDraws;
}

void DealCards(Table& table, Host& host, int8_t leader) {
    const int8_t other = Other(leader);
    // The packets in dealing order: where each group of four cards goes.
    const std::array<SlotId, 6> packetStart = {
        kSideBlock * leader,     kSideBlock * other,     kFieldFirst,
        kSideBlock * leader + 4, kSideBlock * other + 4, kFieldFirst + 4,
    };
    host.Pause(500);
    // The card on top of the stock lies in the top slot: it moves from there
    // (destination written, source emptied, CardSlots updated).
    SlotId top = kStockLast;
    for (SlotId first : packetStart) {
        for (SlotId slot = first; slot < first + 4; ++slot, --top) {
            const CardId card = table.SlotCards[top];
            table.SlotCards[slot] = card;
            table.SlotCards[top] = kNoCard;
            table.CardSlots[card] = slot;
            host.PaintBoard(SceneScores, 80, MsgNone, 0, kNoSlot, 0);
        }
        host.Pause(500);
    }

    for (CardId card = 0; card < kCards; ++card) {
        const auto slot = static_cast<uint32_t>(table.CardSlots[card]);
        table.Owner[card] =
            slot < static_cast<uint32_t>(kSlots) ? kOwnerAfterDeal[slot] : int8_t{OwnerUnseen};
    }
    for (int32_t month = 0; month < kMonths; ++month) {
        table.FieldByMonth[month] = 0;
        table.ComputerHandByMonth[month] = 0;
        table.TakenByMonth[month] = 0;
    }
    for (SlotId slot = kComputerHand; slot < kComputerHand + kHandSize; ++slot) {
        Add(table.ComputerHandByMonth[MonthOf(table.SlotCards[slot])], 1);
    }
    for (SlotId slot = kFieldFirst; slot < kFieldFirst + 8; ++slot) {
        Add(table.FieldByMonth[MonthOf(table.SlotCards[slot])], 1);
    }
    host.PaintBoard(SceneTurn, 0, MsgNone, 0, kNoSlot, 0);
}

void DrawFromStock(Table& table, Host& host) {
    // A day draws 16 of the 24 cards left after the deal, so the stock is
    // never empty here.
    const SlotId top = StockTop(table);
    MoveCard(table, table.SlotCards[top], DrawnSlot);
    host.PaintBoard(SceneTurn, 500, MsgNone, 0, kNoSlot, 0);
}

void DiscardToField(Table& table, Host& host, const int32_t (&matchList)[4]) {
    const CardId card = matchList[0];
    // A card is laid down only when no card of its month is on the field, so
    // the field never holds more than its 24 slots.
    SlotId slot = kFieldFirst;
    while (table.SlotCards[slot] != kNoCard) ++slot;
    MoveCard(table, card, slot);
    Add(table.ComputerHandByMonth[MonthOf(card)],
        -static_cast<int32_t>(table.Owner[card] == OwnerComputerHand));
    Add(table.FieldByMonth[MonthOf(card)], 1);
    table.Owner[card] = OwnerField;
    host.PaintBoard(SceneTurn, 500, MsgNone, 0, kNoSlot, 0);
}

int32_t FieldCardsOfMonth(const Table& table, int32_t month, CardId (&cards)[3]) {
    if (month < 0 || month >= kMonths) return 0;
    // The month's four cards mark the field slots they lie in; the marks
    // are then read in slot order. A card in hand or in a pile marks
    // nothing, and only the month's own cards are ever written.
    constexpr uint32_t kFieldSlots = kFieldLast - kFieldFirst + 1;
    static_assert(kFieldSlots < 32);
    CardId cardAt[kFieldSlots + 1];  // the last entry takes the unmarked cards
    uint32_t marks = 0;
    for (CardId card = month * 4; card < month * 4 + 4; ++card) {
        const auto offset = static_cast<uint32_t>(table.CardSlots[card] - kFieldFirst);
        const bool onField = offset < kFieldSlots;
        cardAt[onField ? offset : kFieldSlots] = card;
        marks |= onField ? 1U << offset : 0U;
    }
    int32_t count = 0;
    for (; marks != 0 && count < 3; marks &= marks - 1) {
        cards[count++] = cardAt[std::countr_zero(marks)];
    }
    return count;
}

int32_t FindMatches(const Table& table, CardId card, int32_t (&matchList)[4]) {
    CardId field[3];
    const int32_t found = FieldCardsOfMonth(table, MonthOf(card), field);
    matchList[0] = card;
    for (int32_t k = 0; k < 3; ++k) matchList[1 + k] = k < found ? field[k] : kNoCard;
    return found;
}

void CaptureCards(Table& table, Host& host, int8_t side, const int32_t (&matchList)[4]) {
    // The list may be the table's own MatchList; it is only read here.
    const std::array<int32_t, 4> list = {matchList[0], matchList[1], matchList[2], matchList[3]};
    const SlotId firstTaken = table.CardSlots[list[1]];
    host.PaintBoard(SceneNone, 0, MsgNone, 0, firstTaken, 500);
    MoveCard(table, list[0], OverlaySlot(firstTaken));
    host.PaintBoard(SceneTurn, 500, MsgNone, 0, kNoSlot, 0);
    for (CardId card : list) {
        if (card == kNoCard) break;
        MoveCard(table, card, RecordCapture(table, side, card));
        host.PaintBoard(SceneTurn, 500, MsgNone, 0, kNoSlot, 0);
    }
}

SlotId RecordCapture(Table& table, int8_t side, CardId card) {
    const int32_t month = MonthOf(card);
    const int8_t owner = table.Owner[card];
    Add(table.ComputerHandByMonth[month], -static_cast<int32_t>(owner == OwnerComputerHand));
    Add(table.FieldByMonth[month], -static_cast<int32_t>(owner == OwnerField));
    Add(table.TakenByMonth[month], 1);
    table.Owner[card] = side;

    const EffectRow row = kEffectRowOfCard[static_cast<size_t>(card)];
    const int8_t other = table.OtherSide;
    if ((side == 0 || side == 1) && other == Other(side)) {
        // Both sides' counters lie one after the other: 20 wrapping byte
        // additions, as Add does one at a time, in two overlapping sweeps of
        // 16 bytes (bytes 0..15 and 4..19) that both start from the counters
        // as they were, so the bytes they share get the same sums.
        const SideDeltas& deltas = kSideDeltas[row][static_cast<size_t>(side)];
        static_assert(sizeof table.YakuProgress == sizeof(SideDeltas) && sizeof(SideDeltas) == 20);
        int8_t* counters = &table.YakuProgress[0][0];
        Bytes16 low, high, addLow, addHigh;
        std::memcpy(&low, counters, 16);
        std::memcpy(&high, counters + 4, 16);
        std::memcpy(&addLow, deltas.data(), 16);
        std::memcpy(&addHigh, deltas.data() + 4, 16);
        low += addLow;
        high += addHigh;
        std::memcpy(counters, &low, 16);
        std::memcpy(counters + 4, &high, 16);
    } else {
        const CaptureEffect& effect = kCaptureEffects[row];
        for (size_t k = 0; k < YakuCount; ++k) {
            Add(table.YakuProgress[side][k], effect.own[k]);
            Add(table.YakuProgress[other][k], effect.other[k]);
        }
    }

    const auto pile = static_cast<size_t>(ClassOf(card));
    const SlotId slot = kSideBlock * side + kPileBase[pile] + table.PileCount[side][pile];
    Add(table.PileCount[side][pile], 1);
    return slot;
}

}  // namespace koikoi
