// The move choice shared by the four opponents; only the valuation table differs between them.
#include "opponents/move_choice.h"

#include "game/moves.h"
#include "opponents/valuation.h"

namespace koikoi {
namespace {

inline constexpr int32_t kGroup = 4;
inline constexpr int32_t kNone = -1;
inline constexpr int32_t kPairBonus = 100;
inline constexpr int32_t kCheapStart = 500;  // above any discard total

constexpr bool IsCard(int32_t value) {
    return value >= 0 && value < kCards;
}

// What one hand card's play would do: the hand card, then the field cards it
// takes (-1 beyond), and each one's total, its worth to the computer plus
// half its worth to the human.
struct Group {
    CardId cards[kGroup];
    int32_t totals[kGroup];
    int32_t matches;
};

int32_t Total(const Weigher& weigher, CardId card) {
    const Weigher::Worths worths = weigher.Worth(card);
    return worths.computer + worths.human / 2;
}

// Of exactly two matches only the better is taken: the second replaces the
// first only when its total is strictly greater, so on a tie the card of the
// lower field slot is kept. Three matches take the whole month and one match
// has no choice.
void Weigh(const Table& table, const Weigher& weigher, CardId card, Group& group) {
    CardId field[kGroup - 1];
    group = {{card, kNoCard, kNoCard, kNoCard}, {Total(weigher, card), 0, 0, 0},
             FieldCardsOfMonth(table, MonthOf(card), field)};
    for (int32_t k = 0; k < group.matches; ++k) {
        group.cards[k + 1] = field[k];
        group.totals[k + 1] = Total(weigher, field[k]);
    }
    if (group.matches == 2) {
        if (group.totals[2] > group.totals[1]) {
            group.cards[1] = group.cards[2];
            group.totals[1] = group.totals[2];
        }
        group.cards[2] = kNoCard;
        group.totals[2] = 0;
    }
}

// Two cards of a month in the computer's hand and the third on the field: one
// of the pair takes the field card now and the other stays to take the fourth
// when it turns up, so both hand cards carry the bonus. Each hand card earns
// it once for a later card of its month in the hand and once for an earlier.
void PairBonuses(const Table& table, const CardId (&hand)[kHandSize], int32_t (&bonus)[kHandSize]) {
    uint32_t seen = 0;
    for (int32_t g = 0; g < kHandSize; ++g) {
        bonus[g] = 0;
        if (!IsCard(hand[g])) continue;
        const uint32_t bit = 1U << MonthOf(hand[g]);
        if ((seen & bit) != 0) bonus[g] += kPairBonus;
        seen |= bit;
    }
    seen = 0;
    for (int32_t g = kHandSize - 1; g >= 0; --g) {
        if (!IsCard(hand[g])) continue;
        const int32_t month = MonthOf(hand[g]);
        const uint32_t bit = 1U << month;
        if ((seen & bit) != 0) bonus[g] += kPairBonus;
        seen |= bit;
        if (table.ComputerHandByMonth[month] != 2 || table.FieldByMonth[month] != 1) bonus[g] = 0;
    }
}

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
bool ChooseHandCard(const Table& table, int32_t opponent, int32_t (&matchList)[4]) {
    const Weigher weigher(table, opponent);
    CardId hand[kHandSize];
    for (int32_t g = 0; g < kHandSize; ++g) hand[g] = table.SlotCards[kComputerHand + g];
    int32_t bonus[kHandSize];
    PairBonuses(table, hand, bonus);

    // Each hand card is one candidate. The later card wins among equal
    // capture totals and among equal cheap discards (>= and <=), and the
    // last safe capture and safe discard are kept.
    Group groups[kHandSize];
    int32_t bestCapture = kNone, safeCapture = kNone, safeDiscard = kNone, cheapDiscard = kNone;
    int32_t bestTotal = 0;
    int32_t lowestTotal = kCheapStart;
    for (int32_t g = 0; g < kHandSize; ++g) {
        if (!IsCard(hand[g])) continue;
        Group& group = groups[g];
        Weigh(table, weigher, hand[g], group);
        group.totals[0] += bonus[g];
        const bool captures = group.matches > 0;
        if (MonthClosed(table, MonthOf(hand[g]))) {
            (captures ? safeCapture : safeDiscard) = g;
        } else if (captures) {
            const int32_t total = group.totals[0] + group.totals[1] + group.totals[2] + group.totals[3];
            if (total >= bestTotal) {
                bestTotal = total;
                bestCapture = g;
            }
        } else if (group.totals[0] <= lowestTotal) {
            lowestTotal = group.totals[0];
            cheapDiscard = g;
        }
    }

    int32_t picked = kNone;
    bool capture = true;
    if (bestCapture != kNone) {
        picked = bestCapture;
    } else if (safeCapture != kNone) {
        picked = safeCapture;
    } else if (safeDiscard != kNone) {
        picked = safeDiscard;
        capture = false;
    } else {
        picked = cheapDiscard;
        capture = false;
    }
    if (picked == kNone) {  // empty hand: nothing to play
        for (int32_t& element : matchList) element = kNoCard;
        return false;
    }
    for (int32_t e = 0; e < kGroup; ++e) matchList[e] = groups[picked].cards[e];
    return capture;
}

// The drawn card's choice weighs the human's worth in full: the card left on
// the field is one the human may take next.
void ChooseFieldCard(const Table& table, int32_t opponent, int32_t /*side*/,
                     int32_t (&matchList)[4]) {
    const CardId first = matchList[1];
    const CardId second = matchList[2];
    if (first == kNoCard || second == kNoCard || matchList[3] != kNoCard) return;
    const int32_t firstScore =
        CardWorth(table, opponent, 1, first) + CardWorth(table, opponent, 0, first);
    const int32_t secondScore =
        CardWorth(table, opponent, 1, second) + CardWorth(table, opponent, 0, second);
    if (secondScore > firstScore) matchList[1] = second;
    matchList[2] = kNoCard;
}

}  // namespace koikoi
