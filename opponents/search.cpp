// The fifth opponent's search: flat Monte Carlo over determinized deals with
// successive halving.
//
// A decision lists its candidate plays, then runs rounds: in each round every
// candidate still in the running is tried in the same fresh deals (the cards
// the seat cannot see laid out at random), each deal played out to the day's
// end, and the worse half of the candidates drops out. Trying every
// candidate in the same deals compares them on equal luck, and halving
// spends most playouts on the candidates that are close.
//
// A playout plays both sides by a quick rule: take the capture of most card
// points, else lay down the cheapest card, now and then a card at random;
// stop at the first new combination. The day's end is valued in hundredths
// of a kan, from the seat's side: a month won is its kan, exactly as the
// game pays it; otherwise the month's standing. Everything is counted in
// integers, so a decision is the same bit for bit on every machine.
#include "opponents/search.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstring>

#include "game/host.h"
#include "game/moves.h"
#include "game/random.h"
#include "game/scoring.h"

namespace koikoi {

namespace {

// The quick rule's card points by class: bright, animal, ribbon, chaff.
constexpr std::array<int32_t, 4> kClassPoints = {20, 10, 5, 1};
// A month won pays its kan; a day that leaves the month open is worth this
// much a mon of lead, with a bonus to the side whose opponent has banked
// nothing (a month won against no mon pays double).
constexpr int32_t kKan = 100;
constexpr int32_t kMonLead = 12;
constexpr int32_t kClearBonus = 15;
// One hand card in eight is played at random, so that the playouts of one
// deal do not all run alike.
constexpr uint32_t kRandomPlayMask = 7;
constexpr int32_t kMostCandidates = 2 * kHandSize;

int32_t Points(CardId card) { return kClassPoints[static_cast<size_t>(ClassOf(card))]; }

// SplitMix64's output mix of a state.
constexpr uint64_t Mix(uint64_t z) {
    z = (z ^ (z >> 30)) * Random::kMix1;
    z = (z ^ (z >> 27)) * Random::kMix2;
    return z ^ (z >> 31);
}

uint64_t NextSeed(Random& random) {
    random.state += Random::kGamma;
    return Mix(random.state);
}

// A draw below `count` (count >= 1), from the generator's 31 bits.
uint32_t Below(Random& random, uint32_t count) {
    return static_cast<uint32_t>((static_cast<uint64_t>(random.Next()) * count) >> 31);
}

void Add(int8_t& counter, int32_t delta) { counter = static_cast<int8_t>(counter + delta); }

// The month's standing from the seat's side, once the day's mon is banked.
int32_t Standing(const Table& table, int8_t seat) {
    const int32_t own = table.MonthMon[seat];
    const int32_t other = table.MonthMon[Other(seat)];
    return kMonLead * (own - other) + (other == 0 ? kClearBonus : 0) - (own == 0 ? kClearBonus : 0);
}

// `side` banks the day's mon: the kan of the month when this wins it (1, 2
// against a month without mon, one more for a day of 10 mon or more), else
// the standing the banked mon leaves.
int32_t Bank(Table& table, int8_t side, int8_t seat) {
    const int8_t other = Other(side);
    const int32_t dayMon = table.TodayMon[side];
    Add(table.MonthMon[side], dayMon);
    table.TodayMon[0] = table.TodayMon[1] = 0;
    if (table.MonthMon[side] < 10) return Standing(table, seat);
    int32_t kan = table.MonthMon[other] != 0 ? 1 : 2;
    if (dayMon >= 10) ++kan;
    return side == seat ? kan * kKan : -kan * kKan;
}

void PassTurn(Table& table) {
    ResetForNextTurn(table);
    SetCurrentSide(table, Other(table.CurrentSide));
}

// Scores the play `side` has just finished, as the game does, stopping at
// the first new combination. True when the day is over, with its value.
bool Finish(Table& table, int8_t side, int8_t seat, int32_t& value) {
    const int32_t total = ScoreCombinations(table, side);
    const auto gain = static_cast<int8_t>(total - table.TodayMon[side]);
    if (gain == 0) {
        if (table.TurnCount <= 15) {
            PassTurn(table);
            return false;
        }
        value = Standing(table, seat);  // the 16th play ends the day drawn
        return true;
    }
    Add(table.TodayMon[side], gain);
    value = Bank(table, side, seat);
    return true;
}

// The field cards a hand or drawn card takes: all of them, or the better of
// two by points (the first on equal points).
void ListCapture(const Table& table, CardId card, int32_t (&list)[4]) {
    CardId field[3] = {kNoCard, kNoCard, kNoCard};
    const int32_t found = FieldCardsOfMonth(table, MonthOf(card), field);
    if (found == 2 && Points(field[1]) > Points(field[0])) field[0] = field[1];
    if (found == 2) field[1] = kNoCard;
    list[0] = card;
    list[1] = field[0];
    list[2] = field[1];
    list[3] = field[2];
}

void PlayHand(Table& table, Host& host, int8_t side, const int32_t (&list)[4]) {
    if (list[1] == kNoCard) {
        DiscardToField(table, host, list);
    } else {
        CaptureCards(table, host, side, list);
    }
}

void PlayDrawn(Table& table, Host& host, int8_t side) {
    DrawFromStock(table, host);
    const CardId drawn = table.SlotCards[DrawnSlot];
    if (drawn < 0 || drawn >= kCards) return;
    int32_t list[4];
    ListCapture(table, drawn, list);
    PlayHand(table, host, side, list);
}

// The quick rule's hand card for `side`; false with an empty hand.
bool QuickHandCard(const Table& table, int8_t side, Random& random, int32_t (&list)[4]) {
    CardId held[kHandSize];
    uint32_t count = 0;
    const SlotId first = side * kSideBlock;
    for (SlotId slot = first; slot < first + kHandSize; ++slot) {
        const CardId card = table.SlotCards[slot];
        if (card >= 0 && card < kCards) held[count++] = card;
    }
    if (count == 0) return false;
    CardId pick = held[0];
    if ((static_cast<uint32_t>(random.Next()) & kRandomPlayMask) == 0) {
        pick = held[Below(random, count)];
    } else {
        int32_t best = -1000;
        for (uint32_t i = 0; i < count; ++i) {
            const CardId card = held[i];
            int32_t score = -Points(card);
            if (table.FieldByMonth[MonthOf(card)] > 0) {
                int32_t capture[4];
                ListCapture(table, card, capture);
                score = 100 + Points(card);
                for (int32_t k = 1; k < 4; ++k) score += capture[k] >= 0 ? Points(capture[k]) : 0;
            }
            if (score > best) {
                best = score;
                pick = card;
            }
        }
    }
    ListCapture(table, pick, list);
    return true;
}

// Plays the day out from a table whose CurrentSide is to play a hand card.
int32_t PlayOut(Table& table, Host& host, Random& random, int8_t seat) {
    int32_t value = 0;
    for (int32_t play = 0; play < 2 * kHandSize; ++play) {
        const int8_t side = table.CurrentSide;
        int32_t list[4];
        if (!QuickHandCard(table, side, random, list)) break;
        PlayHand(table, host, side, list);
        PlayDrawn(table, host, side);
        if (Finish(table, side, seat, value)) return value;
    }
    return Standing(table, seat);
}

// Successive halving over `candidates` plays; `tryPlay(i, table, random)`
// plays candidate i on a copy of one deal and returns the day's value.
// Returns the index of the candidate with the best total, the earlier on
// equal totals.
template <typename TryPlay>
int32_t BestCandidate(const Observation& seen, uint64_t seed, int32_t playouts,
                      int32_t candidates, TryPlay&& tryPlay) {
    if (candidates <= 1) return 0;
    int32_t alive[kMostCandidates];
    int64_t total[kMostCandidates] = {};
    for (int32_t i = 0; i < candidates; ++i) alive[i] = i;
    int32_t running = candidates;
    const auto rounds = static_cast<int32_t>(std::bit_width(static_cast<uint32_t>(candidates - 1)));
    const int32_t perRound = std::max(playouts / rounds, 1);
    Random seeds(seed);
    Table deal;
    while (running > 1) {
        const int32_t deals = std::max(perRound / running, 1);
        for (int32_t d = 0; d < deals; ++d) {
            Determinize(seen, NextSeed(seeds), deal);
            const uint64_t playSeed = NextSeed(seeds);
            for (int32_t i = 0; i < running; ++i) {
                Table table = deal;
                Random random(playSeed);
                total[alive[i]] += tryPlay(alive[i], table, random);
            }
        }
        std::stable_sort(alive, alive + running,
                         [&total](int32_t a, int32_t b) { return total[a] > total[b]; });
        running = (running + 1) / 2;
    }
    return alive[0];
}

}  // namespace

Observation Observe(const Table& table, int8_t seat) {
    Observation seen;
    std::memset(&seen, 0, sizeof seen);  // padding too, so views compare as bytes
    seen.view = table;
    seen.seat = seat;
    const auto hide = [&seen, &table](SlotId slot) {
        const CardId card = table.SlotCards[slot];
        if (card < 0 || card >= kCards) return;
        seen.unseen |= uint64_t{1} << card;
        seen.view.SlotCards[slot] = kHiddenCard;
        seen.view.CardSlots[card] = kNoSlot;
        seen.view.Owner[card] = OwnerUnseen;
    };
    const SlotId otherHand = Other(seat) * kSideBlock;
    for (SlotId slot = otherHand; slot < otherHand + kHandSize; ++slot) hide(slot);
    for (SlotId slot = kStockFirst; slot <= kStockLast; ++slot) hide(slot);
    // The computer's hand counted by month would tell the human's seat what
    // that hand holds.
    if (seat == 0) std::memset(seen.view.ComputerHandByMonth, 0, sizeof seen.view.ComputerHandByMonth);
    for (int32_t& element : seen.view.MatchList) {
        if (element >= 0 && element < kCards && (seen.unseen >> element & 1U) != 0) element = kNoCard;
    }
    return seen;
}

void Determinize(const Observation& seen, uint64_t seed, Table& world) {
    world = seen.view;
    CardId cards[kCards];
    uint32_t count = 0;
    for (uint64_t rest = seen.unseen; rest != 0; rest &= rest - 1) {
        cards[count++] = static_cast<CardId>(std::countr_zero(rest));
    }
    Random random(seed);
    for (uint32_t i = count; i > 1; --i) std::swap(cards[i - 1], cards[Below(random, i)]);

    uint32_t next = 0;
    const int8_t other = Other(seen.seat);
    const auto lay = [&](SlotId slot, int8_t owner) {
        if (world.SlotCards[slot] != kHiddenCard) return;
        if (next == count) {  // a view with more hidden slots than unseen cards
            world.SlotCards[slot] = kNoCard;
            return;
        }
        const CardId card = cards[next++];
        world.SlotCards[slot] = card;
        world.CardSlots[card] = slot;
        world.Owner[card] = owner;
        if (owner == OwnerComputerHand) Add(world.ComputerHandByMonth[MonthOf(card)], 1);
    };
    const SlotId otherHand = other * kSideBlock;
    const int8_t handOwner = other == 1 ? int8_t{OwnerComputerHand} : int8_t{OwnerUnseen};
    for (SlotId slot = otherHand; slot < otherHand + kHandSize; ++slot) lay(slot, handOwner);
    for (SlotId slot = kStockFirst; slot <= kStockLast; ++slot) lay(slot, OwnerUnseen);
}

uint64_t DecisionSeed(uint64_t gameSeed, uint32_t decision) {
    return Mix(Mix(gameSeed ^ 0x6B6F696B6F697365ull) + Random::kGamma * (uint64_t{decision} + 1));
}

bool SearchHandCard(const Observation& seen, uint64_t seed, int32_t playouts,
                    int32_t (&matchList)[4]) {
    const Table& view = seen.view;
    const int8_t seat = seen.seat;
    int32_t lists[kMostCandidates][4];
    int32_t candidates = 0;
    const SlotId first = seat * kSideBlock;
    for (SlotId slot = first; slot < first + kHandSize; ++slot) {
        const CardId card = view.SlotCards[slot];
        if (card < 0 || card >= kCards) continue;
        CardId field[3] = {kNoCard, kNoCard, kNoCard};
        const int32_t found = FieldCardsOfMonth(view, MonthOf(card), field);
        // Two matches are two plays; one or three take all there is.
        for (int32_t take = 0; take < (found == 2 ? 2 : 1); ++take) {
            int32_t(&list)[4] = lists[candidates++];
            list[0] = card;
            list[1] = found == 2 ? field[take] : field[0];
            list[2] = found == 2 ? kNoCard : field[1];
            list[3] = found == 2 ? kNoCard : field[2];
        }
    }
    if (candidates == 0) {
        for (int32_t& element : matchList) element = kNoCard;
        return false;
    }
    SilentHost host;
    const int32_t best = BestCandidate(
        seen, seed, playouts, candidates, [&](int32_t i, Table& table, Random& random) {
            PlayHand(table, host, seat, lists[i]);
            PlayDrawn(table, host, seat);
            int32_t value = 0;
            return Finish(table, seat, seat, value) ? value : PlayOut(table, host, random, seat);
        });
    for (int32_t k = 0; k < 4; ++k) matchList[k] = lists[best][k];
    return matchList[1] != kNoCard;
}

void SearchFieldCard(const Observation& seen, uint64_t seed, int32_t playouts,
                     int32_t (&matchList)[4]) {
    if (matchList[1] == kNoCard || matchList[2] == kNoCard || matchList[3] != kNoCard) return;
    const int8_t seat = seen.seat;
    const int32_t lists[2][4] = {{matchList[0], matchList[1], kNoCard, kNoCard},
                                 {matchList[0], matchList[2], kNoCard, kNoCard}};
    SilentHost host;
    const int32_t best =
        BestCandidate(seen, seed, playouts, 2, [&](int32_t i, Table& table, Random& random) {
            CaptureCards(table, host, seat, lists[i]);
            int32_t value = 0;
            return Finish(table, seat, seat, value) ? value : PlayOut(table, host, random, seat);
        });
    matchList[1] = lists[best][1];
    matchList[2] = kNoCard;
}

int32_t SearchKoiKoi(const Observation& seen, uint64_t seed, int32_t playouts) {
    const int8_t seat = seen.seat;
    Table stopped = seen.view;
    const int64_t stop = Bank(stopped, seat, seat);
    SilentHost host;
    Random seeds(seed);
    Table table;
    int64_t playOn = 0;
    const int32_t deals = std::max(playouts, 1);
    for (int32_t d = 0; d < deals; ++d) {
        Determinize(seen, NextSeed(seeds), table);
        Random random(NextSeed(seeds));
        table.KoiCalled[seat] = 1;
        PassTurn(table);
        playOn += PlayOut(table, host, random, seat);
    }
    return playOn > stop * deals ? kYes : kNo;
}

}  // namespace koikoi
