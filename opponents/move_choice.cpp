// The move choice shared by the four opponents; only CardWorth's table differs between them.
#include "opponents/move_choice.h"

#include "opponents/valuation.h"

namespace koikoi {
namespace {

inline constexpr int32_t kOptions = 32;
inline constexpr int32_t kGroup = 4;
inline constexpr int32_t kNone = -1;
inline constexpr int32_t kPairBonus = 100;
inline constexpr int32_t kCheapStart = 500;  // above any discard total

constexpr bool IsCard(int32_t value) {
    return value >= 0 && value < kCards;
}

// The working data of one hand-card choice: the HandOptions list and, for
// each element, its worth to the computer and half its worth to the human.
// The worths are set for every element of a group that holds a card and
// never read for an empty group, so they start unset: clearing all 64 on
// every choice cost more than weighing.
struct Weighed {
    int32_t options[kOptions];
    int32_t computer[kOptions];
    int32_t halfHuman[kOptions];

    int32_t Total(int32_t element) const { return computer[element] + halfHuman[element]; }
};

// Of exactly two matches only the better stays in element 1: element 2 moves
// there, with its worths, only when its total is strictly greater, so on a
// tie the card of the lower field slot is kept. Three matches take the whole
// month and one match has no choice, so those groups stay as they are.
void ReduceTwoMatches(Weighed& w, int32_t first) {
    const int32_t one = first + 1;
    const int32_t two = first + 2;
    if (w.options[one] == kNoCard || w.options[two] == kNoCard || w.options[first + 3] != kNoCard) {
        return;
    }
    if (w.Total(two) > w.Total(one)) {
        w.options[one] = w.options[two];
        w.computer[one] = w.computer[two];
        w.halfHuman[one] = w.halfHuman[two];
    }
    w.options[two] = kNoCard;
    w.computer[two] = 0;
    w.halfHuman[two] = 0;
}

void WeighGroups(const Table& table, int32_t opponent, Weighed& w) {
    for (int32_t first = 0; first < kOptions; first += kGroup) {
        if (w.options[first] == kNoCard) continue;
        for (int32_t e = first; e < first + kGroup; ++e) {
            // An empty element is worth nothing to either side.
            const bool empty = w.options[e] == kNoCard;
            w.computer[e] = empty ? 0 : CardWorth(table, opponent, 1, w.options[e]);
            w.halfHuman[e] = empty ? 0 : CardWorth(table, opponent, 0, w.options[e]) / 2;
        }
        ReduceTwoMatches(w, first);
    }
}

// Two cards of a month in the computer's hand and the third on the field: one
// of the pair takes the field card now and the other stays to take the fourth
// when it turns up, so both hand cards carry the bonus.
void AddPairBonus(const Table& table, Weighed& w) {
    for (int32_t first = 0; first < kOptions; first += kGroup) {
        const CardId card = w.options[first];
        if (card == kNoCard) continue;
        const int32_t month = MonthOf(card);
        if (table.ComputerHandByMonth[month] != 2 || table.FieldByMonth[month] != 1) continue;
        for (int32_t later = first + kGroup; later < kOptions; later += kGroup) {
            const CardId other = w.options[later];
            if (other != kNoCard && MonthOf(other) == month) {
                w.computer[first] += kPairBonus;
                w.computer[later] += kPairBonus;
                break;
            }
        }
    }
}

// The four candidates of the pick, each a group index or kNone.
struct Candidates {
    int32_t bestCapture = kNone;
    int32_t safeCapture = kNone;
    int32_t safeDiscard = kNone;
    int32_t cheapDiscard = kNone;
};

// Every group holding a card becomes one candidate. The later group wins
// among equal capture totals and among equal cheap discards (>= and <=), and
// the last safe capture and safe discard are kept.
Candidates Classify(const Table& table, const Weighed& w) {
    Candidates c;
    int32_t bestTotal = 0;
    int32_t lowestTotal = kCheapStart;
    for (int32_t g = 0; g < kHandSize; ++g) {
        const int32_t first = g * kGroup;
        const CardId card = w.options[first];
        if (card == kNoCard) continue;
        const bool captures = w.options[first + 1] != kNoCard;
        if (MonthClosed(table, MonthOf(card))) {
            (captures ? c.safeCapture : c.safeDiscard) = g;
        } else if (captures) {
            const int32_t total =
                w.Total(first) + w.Total(first + 1) + w.Total(first + 2) + w.Total(first + 3);
            if (total >= bestTotal) {
                bestTotal = total;
                c.bestCapture = g;
            }
        } else {
            const int32_t total = w.Total(first);
            if (total <= lowestTotal) {
                lowestTotal = total;
                c.cheapDiscard = g;
            }
        }
    }
    return c;
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
    // One sweep of the field sorts its cards by month, in ascending slot
    // order; each hand card then copies its month's list. A month has four
    // cards, so at most three can lie on the field; the bound, like the card
    // checks, only guards against a corrupt table, whose values would
    // otherwise index the per-month counters.
    int32_t byMonth[kMonths][kGroup - 1];
    int32_t count[kMonths] = {};
    for (SlotId slot = kFieldFirst; slot <= kFieldLast; ++slot) {
        const CardId fieldCard = table.SlotCards[slot];
        if (!IsCard(fieldCard)) continue;
        const int32_t month = MonthOf(fieldCard);
        if (count[month] < kGroup - 1) byMonth[month][count[month]++] = fieldCard;
    }
    for (int32_t g = 0; g < kHandSize; ++g) {
        const CardId card = table.SlotCards[kSideBlock * side + g];
        if (!IsCard(card)) continue;
        const int32_t first = g * kGroup;
        const int32_t month = MonthOf(card);
        options[first] = card;
        for (int32_t k = 0; k < count[month]; ++k) options[first + 1 + k] = byMonth[month][k];
    }
}

// Any capture in an open month beats every other move, however small; a
// capture in a closed month can wait (nobody else can take its field cards)
// but still beats laying a card down; without a capture, a card of a closed
// month is laid down first (the human cannot take it), else the cheapest.
bool ChooseHandCard(const Table& table, int32_t opponent, int32_t (&matchList)[4]) {
    Weighed w;
    ListHandOptions(table, 1, w.options);
    WeighGroups(table, opponent, w);
    AddPairBonus(table, w);
    const Candidates c = Classify(table, w);

    int32_t picked = kNone;
    bool capture = true;
    if (c.bestCapture != kNone) {
        picked = c.bestCapture;
    } else if (c.safeCapture != kNone) {
        picked = c.safeCapture;
    } else if (c.safeDiscard != kNone) {
        picked = c.safeDiscard;
        capture = false;
    } else {
        picked = c.cheapDiscard;
        capture = false;
    }
    if (picked == kNone) {  // empty hand: nothing to play
        for (int32_t& element : matchList) element = kNoCard;
        return false;
    }
    for (int32_t e = 0; e < kGroup; ++e) matchList[e] = w.options[picked * kGroup + e];
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
