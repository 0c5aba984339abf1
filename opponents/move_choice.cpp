// The move choice shared by the four opponents; only the valuation table differs between them.
#include "opponents/move_choice.h"

#include <algorithm>
#include <bit>
#include <cstdint>

#if defined(__GNUC__) && defined(__x86_64__)
#include <immintrin.h>
#endif

#include "game/moves.h"
#include "opponents/valuation.h"

namespace koikoi {
namespace {

inline constexpr int32_t kGroup = 4;
inline constexpr int32_t kPairBonus = 100;
inline constexpr int32_t kCheapStart = 500;  // above any discard total
// Nibble b: the number of bits set in b, for the four cards of a month.
inline constexpr uint64_t kBitCounts = 0x4332322132212110ull;

constexpr bool IsCard(int32_t value) {
    return value >= 0 && value < kCards;
}

// Bit k set when card 4 * month + k is one of the month's field cards, as
// FieldCardsOfMonth finds them: the four CardSlots tested at once.
uint32_t FieldCardsBits(const Table& table, int32_t month) {
    constexpr auto kFieldSlots = static_cast<uint32_t>(kFieldLast - kFieldFirst + 1);
    uint32_t bits = 0;
    for (int32_t k = 0; k < 4; ++k) {
        const auto offset = static_cast<uint32_t>(table.CardSlots[4 * month + k] - kFieldFirst);
        bits |= static_cast<uint32_t>(offset < kFieldSlots) << k;
    }
    if (bits == 15U) {
        // Only where CardSlots puts a card of the hand on the field: the
        // three in the lowest slots count, as they do for FieldCardsOfMonth.
        int32_t last = 0;
        for (int32_t k = 1; k < 4; ++k) {
            if (table.CardSlots[4 * month + k] > table.CardSlots[4 * month + last]) last = k;
        }
        bits &= ~(1U << last);
    }
    return bits;
}

// The worth of the cards a choice weighs, to the computer and to the human:
// every card at once where the processor can, else the cards a choice
// names one by one (the others read 0).
struct Weights {
    EveryWorth of;
    bool everyCard = false;

    Weights(const Table& table, int32_t opponent)
        : everyCard(WeighEveryCard(table, opponent, of)) {}

    void Weigh(const Table& table, int32_t opponent, uint64_t needed) {
        if (everyCard) return;
        of = {};
        const Weigher weigher(table, opponent);
        for (; needed != 0; needed &= needed - 1) {
            const auto card = static_cast<CardId>(std::countr_zero(needed));
            const Weigher::Worths worths = weigher.Worth(card);
            of.human[card] = static_cast<uint8_t>(worths.human);
            of.computer[card] = static_cast<uint8_t>(worths.computer);
        }
    }

    // A hand card's total: its worth to the computer plus half its worth to
    // the human.
    int32_t Total(CardId card) const { return of.computer[card] + of.human[card] / 2; }
    // A field card left for the drawn card weighs the human's worth in full.
    int32_t Full(CardId card) const { return of.computer[card] + of.human[card]; }
};

// The candidates in the order they are picked, each above the next: any
// capture in an open month, then a capture in a closed month, a discard of
// a closed month's card, and the cheapest discard. A hand card's key is its
// candidate, then its total (the capture's, or for a discard how far below
// the start of the cheap total it is), then its group, so that the largest
// key is the pick and the later group wins among equals.
enum Candidate : uint32_t { NoCandidate, CheapDiscard, SafeDiscard, SafeCapture, BestCapture };

constexpr uint32_t Key(Candidate candidate, int32_t total, int32_t group) {
    return (static_cast<uint32_t>(candidate) << 16) | (static_cast<uint32_t>(total) << 3) |
           static_cast<uint32_t>(group);
}

// The key of the hand card to play, card by card: an empty hand slot is
// weighed as card 0 with nothing on the field, and its key is then cleared.
uint32_t BestKey(const Table& table, int32_t opponent, Weights& worths) {
    CardId hand[kHandSize];
    uint32_t heldMask[kHandSize];  // all ones for a slot holding a card
    uint32_t fieldBits[kHandSize];
    uint32_t monthBit[kHandSize];
    uint64_t needed = 0;  // the cards weighed: the hand and its months' field cards
    for (int32_t g = 0; g < kHandSize; ++g) {
        const CardId slotCard = table.SlotCards[kComputerHand + g];
        heldMask[g] = 0U - static_cast<uint32_t>(IsCard(slotCard));
        hand[g] = static_cast<CardId>(static_cast<uint32_t>(slotCard) & heldMask[g]);
        const int32_t month = MonthOf(hand[g]);
        fieldBits[g] = FieldCardsBits(table, month) & heldMask[g];
        monthBit[g] = (1U << month) & heldMask[g];
        needed |= ((uint64_t{1} << hand[g]) | (uint64_t{fieldBits[g]} << (4 * month))) &
                  (0 - uint64_t{heldMask[g] & 1U});
    }
    worths.Weigh(table, opponent, needed);

    uint32_t earlier = 0;  // months of the hand cards before this one
    uint32_t later[kHandSize];
    later[kHandSize - 1] = 0;
    for (int32_t g = kHandSize - 1; g > 0; --g) later[g - 1] = later[g] | monthBit[g];

    uint32_t best = 0;
    for (int32_t g = 0; g < kHandSize; ++g) {
        const CardId card = hand[g];
        const int32_t month = MonthOf(card);
        const uint32_t bits = fieldBits[g];
        const bool paired = table.ComputerHandByMonth[month] == 2 && table.FieldByMonth[month] == 1;
        const int32_t pairs =
            static_cast<int32_t>(((earlier & monthBit[g]) != 0) + ((later[g] & monthBit[g]) != 0));
        earlier |= monthBit[g];
        const int32_t bonus = paired ? kPairBonus * pairs : 0;
        // The month's field cards' totals, 0 for its other cards.
        int32_t total[4];
        for (int32_t k = 0; k < 4; ++k) {
            total[k] = worths.Total(4 * month + k) & -static_cast<int32_t>((bits >> k) & 1U);
        }
        const int32_t own = worths.Total(card) + bonus;
        const int32_t sum = total[0] + total[1] + total[2] + total[3];
        const int32_t matches = static_cast<int32_t>((kBitCounts >> (4 * bits)) & 0xF);
        // Of two matches the better one counts.
        const int32_t first = total[std::countr_zero(bits | 16U) & 3];
        const int32_t taken = matches == 2 ? std::max(first, sum - first) : sum;
        const bool captures = matches > 0;
        const uint32_t cheap = own <= kCheapStart ? Key(CheapDiscard, kCheapStart - own, g) : 0U;
        const uint32_t open = captures ? Key(BestCapture, own + taken, g) : cheap;
        const uint32_t closed = Key(captures ? SafeCapture : SafeDiscard, 0, g);
        const uint32_t key = MonthClosed(table, month) ? closed : open;
        best = std::max(best, key & heldMask[g]);
    }
    return best;
}

// The same key with AVX-512, the eight hand slots in eight 64-bit lanes and
// every card weighed at once, each step the one of BestKey above.
#if defined(__GNUC__) && defined(__x86_64__)
// GCC 12's own AVX-512 headers start results from deliberately undefined
// vectors, which its uninitialised-value warning reports.
#pragma GCC diagnostic push
#if !defined(__clang__)
#pragma GCC diagnostic ignored "-Wuninitialized"
#pragma GCC diagnostic ignored "-Wmaybe-uninitialized"
#endif
#define KOIKOI_WIDE \
    __attribute__((target("avx512f,avx512bw,avx512dq,avx512vl,avx512cd,avx512vpopcntdq")))

KOIKOI_WIDE inline __m512i Broadcast(uint64_t value) {
    return _mm512_set1_epi64(static_cast<int64_t>(value));
}

// False, leaving `best` alone, where a month has all four cards on the field
// by CardSlots (a table whose hand card lies there too), which BestKey sorts
// out by slot.
KOIKOI_WIDE bool BestKeyWide(const Table& table, const EveryWorth& worths, uint32_t& best) {
    // Bit c: card c on the field.
    const __m512i fieldStart = _mm512_set1_epi32(kFieldFirst);
    const __m512i fieldSlots = _mm512_set1_epi32(kFieldLast - kFieldFirst + 1);
    uint64_t onField = 0;
    for (int32_t block = 0; block < 3; ++block) {
        const __m512i slots = _mm512_loadu_si512(table.CardSlots + 16 * block);
        const __mmask16 bits =
            _mm512_cmplt_epu32_mask(_mm512_sub_epi32(slots, fieldStart), fieldSlots);
        onField |= uint64_t{bits} << (16 * block);
    }
    constexpr uint64_t kFirstOfMonth = 0x111111111111ull;
    if ((onField & (onField >> 1) & (onField >> 2) & (onField >> 3) & kFirstOfMonth) != 0)
        return false;

    // Bit m: month m closed; month m with two cards in the hand and one on
    // the field.
    constexpr uint64_t kMonths12 = (uint64_t{1} << kMonths) - 1;
    const __m512i field = _mm512_maskz_loadu_epi8(kMonths12, table.FieldByMonth);
    const __m512i inHand = _mm512_maskz_loadu_epi8(kMonths12, table.ComputerHandByMonth);
    const __m512i taken = _mm512_maskz_loadu_epi8(kMonths12, table.TakenByMonth);
    const uint64_t closedMonths = _mm512_mask_cmpeq_epi8_mask(
        kMonths12, _mm512_add_epi8(_mm512_add_epi8(taken, field), inHand), _mm512_set1_epi8(4));
    const uint64_t pairedMonths = _mm512_mask_cmpeq_epi8_mask(
        _mm512_cmpeq_epi8_mask(inHand, _mm512_set1_epi8(2)), field, _mm512_set1_epi8(1));

    // Each card's total in a 16-bit lane: month m's four in 64-bit lane m.
    // Read in 32-byte halves, each as the valuation's wide store wrote it.
    const auto* computer = reinterpret_cast<const __m256i*>(worths.computer);
    const auto* human = reinterpret_cast<const __m256i*>(worths.human);
    const __m512i totalsLow =
        _mm512_add_epi16(_mm512_cvtepu8_epi16(_mm256_loadu_si256(computer)),
                         _mm512_srli_epi16(_mm512_cvtepu8_epi16(_mm256_loadu_si256(human)), 1));
    const __m512i totalsHigh =
        _mm512_add_epi16(_mm512_cvtepu8_epi16(_mm256_loadu_si256(computer + 1)),
                         _mm512_srli_epi16(_mm512_cvtepu8_epi16(_mm256_loadu_si256(human + 1)), 1));

    const __m512i slotCards = _mm512_cvtepi32_epi64(
        _mm256_loadu_si256(reinterpret_cast<const __m256i*>(table.SlotCards + kComputerHand)));
    const __mmask8 held = _mm512_cmplt_epu64_mask(slotCards, Broadcast(kCards));
    const __m512i card = _mm512_maskz_mov_epi64(held, slotCards);
    const __m512i month = _mm512_srli_epi64(card, 2);
    const __m512i bits = _mm512_maskz_and_epi64(
        held, _mm512_srlv_epi64(Broadcast(onField), _mm512_slli_epi64(month, 2)), Broadcast(15));
    const __m512i monthTotals = _mm512_permutex2var_epi64(totalsLow, month, totalsHigh);
    const __m512i ownTotal = _mm512_and_si512(
        _mm512_srlv_epi64(monthTotals, _mm512_slli_epi64(_mm512_and_si512(card, Broadcast(3)), 4)),
        Broadcast(0xFFFF));
    // Field bit k to all ones in 16-bit lane k: the products put bit k at
    // bit 16k and nothing else on a lane's lowest bit.
    const __m512i laneBits =
        _mm512_and_si512(_mm512_mullo_epi64(bits, Broadcast(0x0000200040008001ull)),
                         Broadcast(0x0001000100010001ull));
    const __m512i fieldTotals =
        _mm512_and_si512(monthTotals, _mm512_mullo_epi64(laneBits, Broadcast(0xFFFF)));
    const __m512i sum =
        _mm512_srli_epi64(_mm512_mullo_epi64(fieldTotals, Broadcast(0x0001000100010001ull)), 48);
    // The other lanes are 0, and no total is below 0: the larger of two
    // matches is the largest lane.
    const __m512i wider = _mm512_max_epu16(fieldTotals, _mm512_srli_epi64(fieldTotals, 32));
    const __m512i largest =
        _mm512_and_si512(_mm512_max_epu16(wider, _mm512_srli_epi64(wider, 16)), Broadcast(0xFFFF));
    const __m512i matches = _mm512_popcnt_epi64(bits);
    const __m512i takenTotal =
        _mm512_mask_mov_epi64(sum, _mm512_cmpeq_epi64_mask(matches, Broadcast(2)), largest);
    const __mmask8 captures = _mm512_test_epi64_mask(bits, bits);

    // The pair bonus: a conflict bit is an earlier lane of the same month;
    // empty slots get months no card has.
    const __m512i lane = _mm512_set_epi64(7, 6, 5, 4, 3, 2, 1, 0);
    const __m512i reverse = _mm512_set_epi64(0, 1, 2, 3, 4, 5, 6, 7);
    const __m512i months =
        _mm512_mask_add_epi64(month, static_cast<__mmask8>(~held), lane, Broadcast(16));
    const __mmask8 earlier =
        _mm512_test_epi64_mask(_mm512_conflict_epi64(months), _mm512_conflict_epi64(months));
    const __m512i backwards = _mm512_conflict_epi64(_mm512_permutexvar_epi64(reverse, months));
    const __mmask8 later = _mm512_test_epi64_mask(_mm512_permutexvar_epi64(reverse, backwards),
                                                  _mm512_permutexvar_epi64(reverse, backwards));
    const __mmask8 paired =
        _mm512_test_epi64_mask(_mm512_srlv_epi64(Broadcast(pairedMonths), month), Broadcast(1));
    const __m512i bonus = _mm512_maskz_mov_epi64(
        paired, _mm512_add_epi64(_mm512_maskz_mov_epi64(earlier, Broadcast(kPairBonus)),
                                 _mm512_maskz_mov_epi64(later, Broadcast(kPairBonus))));
    const __m512i own = _mm512_add_epi64(ownTotal, bonus);

    const __mmask8 closed =
        _mm512_test_epi64_mask(_mm512_srlv_epi64(Broadcast(closedMonths), month), Broadcast(1));
    const __m512i captureKey =
        _mm512_or_si512(_mm512_or_si512(Broadcast(Key(BestCapture, 0, 0)),
                                        _mm512_slli_epi64(_mm512_add_epi64(own, takenTotal), 3)),
                        lane);
    const __mmask8 cheap = _mm512_cmple_epu64_mask(own, Broadcast(kCheapStart));
    const __m512i cheapKey = _mm512_maskz_mov_epi64(
        cheap,
        _mm512_or_si512(
            _mm512_or_si512(Broadcast(Key(CheapDiscard, 0, 0)),
                            _mm512_slli_epi64(_mm512_sub_epi64(Broadcast(kCheapStart), own), 3)),
            lane));
    const __m512i open = _mm512_mask_mov_epi64(cheapKey, captures, captureKey);
    const __m512i closedKey =
        _mm512_or_si512(_mm512_mask_mov_epi64(Broadcast(Key(SafeDiscard, 0, 0)), captures,
                                              Broadcast(Key(SafeCapture, 0, 0))),
                        lane);
    const __m512i key =
        _mm512_maskz_mov_epi64(held, _mm512_mask_mov_epi64(open, closed, closedKey));
    best = static_cast<uint32_t>(_mm512_reduce_max_epu64(key));
    return true;
}
#undef KOIKOI_WIDE
#pragma GCC diagnostic pop

bool HasWideChoice() {
    static const bool wide =
        __builtin_cpu_supports("avx512f") && __builtin_cpu_supports("avx512bw") &&
        __builtin_cpu_supports("avx512dq") && __builtin_cpu_supports("avx512vl") &&
        __builtin_cpu_supports("avx512cd") && __builtin_cpu_supports("avx512vpopcntdq");
    return wide;
}
#else
bool BestKeyWide(const Table&, const EveryWorth&, uint32_t&) {
    return false;
}
bool HasWideChoice() {
    return false;
}
#endif

}  // namespace

bool MonthClosed(const Table& table, int32_t month) {
    return table.TakenByMonth[month] + table.FieldByMonth[month] +
               table.ComputerHandByMonth[month] ==
           4;
}

void ListHandOptions(const Table& table, int32_t side, int32_t (&options)[32]) {
    for (int32_t& element : options) element = kNoCard;
    if (side != 0 && side != 1) return;
    for (int32_t g = 0; g < kHandSize; ++g) {
        const CardId card = table.SlotCards[kSideBlock * side + g];
        if (!IsCard(card)) continue;
        const int32_t first = g * kGroup;
        options[first] = card;
        CardId field[kGroup - 1];
        const int32_t matches = FieldCardsOfMonth(table, MonthOf(card), field);
        for (int32_t k = 0; k < matches; ++k) options[first + 1 + k] = field[k];
    }
}

// Any capture in an open month beats every other move, however small; a
// capture in a closed month can wait (nobody else can take its field cards)
// but still beats laying a card down; without a capture, a card of a closed
// month is laid down first (the human cannot take it), else the cheapest.
//
// Every hand card is weighed the same way, without a branch on what it
// finds: its month's cards on the field (at most three, since it is the
// fourth), its own total with the pair bonus, and the field cards' totals,
// of which a capture of two matches counts only the better one. Only the
// picked card's field cards are then put in slot order.
bool ChooseHandCard(const Table& table, int32_t opponent, int32_t (&matchList)[4]) {
    Weights worths(table, opponent);
    uint32_t best = 0;
    if (!(worths.everyCard && HasWideChoice() && BestKeyWide(table, worths.of, best))) {
        best = BestKey(table, opponent, worths);
    }
    if (best == 0) {  // empty hand: nothing to play
        for (int32_t& element : matchList) element = kNoCard;
        return false;
    }
    const int32_t picked = static_cast<int32_t>(best & 7U);
    const CardId card = table.SlotCards[kComputerHand + picked];
    const bool capture = (best >> 16) >= SafeCapture;
    matchList[0] = card;
    CardId field[kGroup - 1] = {kNoCard, kNoCard, kNoCard};
    if (capture) {
        const int32_t matches = FieldCardsOfMonth(table, MonthOf(card), field);
        if (matches == 2) {
            // The second replaces the first only when its total is strictly
            // greater, so on a tie the card of the lower field slot is kept.
            if (worths.Total(field[1]) > worths.Total(field[0])) field[0] = field[1];
            field[1] = kNoCard;
        }
    }
    for (int32_t k = 0; k < kGroup - 1; ++k) matchList[1 + k] = field[k];
    return capture;
}

// The drawn card's choice weighs the human's worth in full: the card left on
// the field is one the human may take next.
void ChooseFieldCard(const Table& table, int32_t opponent, int32_t /*side*/,
                     int32_t (&matchList)[4]) {
    const CardId first = matchList[1];
    const CardId second = matchList[2];
    if (first == kNoCard || second == kNoCard || matchList[3] != kNoCard) return;
    // CardWorth reads only the low byte of a card; a byte outside 0..47 is
    // worth nothing.
    const auto cardOf = [](int32_t value) {
        return static_cast<int8_t>(static_cast<uint8_t>(value & 0xFF));
    };
    const int8_t a = cardOf(first);
    const int8_t b = cardOf(second);
    const uint64_t needed =
        (IsCard(a) ? uint64_t{1} << a : 0U) | (IsCard(b) ? uint64_t{1} << b : 0U);
    Weights worths(table, opponent);
    worths.Weigh(table, opponent, needed);
    const int32_t firstScore = IsCard(a) ? worths.Full(a) : 0;
    const int32_t secondScore = IsCard(b) ? worths.Full(b) : 0;
    if (secondScore > firstScore) matchList[1] = second;
    matchList[2] = kNoCard;
}

}  // namespace koikoi
