// The reference players of the human's side.
#include "tools/sim/players.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <utility>

#include "game/moves.h"
#include "opponents/koikoi_decision.h"
#include "opponents/move_choice.h"
#include "tools/sim/simulator.h"

namespace koikoi::sim {

namespace {

// r % count for a draw r < 2^31 and a count of 1..8 held cards, without a
// division: for count >= 2, r * ceil(2^34 / count) / 2^34 is the quotient,
// since the product's error stays below 2^31 / 2^34 = 1/8 and the fraction
// r / count is at most 7/8.
constexpr std::array<uint64_t, kHandSize + 1> Reciprocals() {
    std::array<uint64_t, kHandSize + 1> reciprocal{};
    for (uint64_t count = 2; count <= kHandSize; ++count) {
        reciprocal[count] = ((uint64_t{1} << 34) + count - 1) / count;
    }
    return reciprocal;
}

constexpr std::array<uint64_t, kHandSize + 1> kReciprocal = Reciprocals();

uint32_t Remainder(uint32_t r, uint32_t count) {
    const auto quotient = static_cast<uint32_t>((uint64_t{r} * kReciprocal[count]) >> 34);
    return count == 1 ? 0U : r - quotient * count;
}

int32_t SeatedOpponent(Player player) {
    return static_cast<int32_t>(player) - static_cast<int32_t>(Player::Opponent0);
}

template <typename T>
void SwapSides(T (&values)[2]) {
    std::swap(values[0], values[1]);
}

int8_t MirrorOwner(const Table& table, CardId card) {
    switch (table.Owner[card]) {
        case OwnerHuman:
            return OwnerComputer;
        case OwnerComputer:
            return OwnerHuman;
        case OwnerComputerHand:
            return OwnerUnseen;  // the human cannot see the computer's hand
        case OwnerField:
            return OwnerField;
        default: {
            const SlotId slot = table.CardSlots[card];
            return slot >= kHumanHand && slot < kHumanHand + kHandSize ? OwnerComputerHand
                                                                       : OwnerUnseen;
        }
    }
}

}  // namespace

Table MirrorSides(const Table& table) {
    Table mirror = table;
    for (SlotId slot = 0; slot < kSideBlock; ++slot) {
        mirror.SlotCards[slot] = table.SlotCards[slot + kSideBlock];
        mirror.SlotCards[slot + kSideBlock] = table.SlotCards[slot];
    }
    for (CardId card = 0; card < kCards; ++card) {
        const SlotId slot = table.CardSlots[card];
        if (slot >= 0 && slot < 2 * kSideBlock) {
            mirror.CardSlots[card] = slot < kSideBlock ? slot + kSideBlock : slot - kSideBlock;
        }
        mirror.Owner[card] = MirrorOwner(table, card);
    }
    for (int8_t& count : mirror.ComputerHandByMonth) count = 0;
    for (SlotId slot = kHumanHand; slot < kHumanHand + kHandSize; ++slot) {
        const CardId card = table.SlotCards[slot];
        if (card >= 0 && card < kCards) ++mirror.ComputerHandByMonth[MonthOf(card)];
    }
    std::swap(mirror.YakuProgress[0], mirror.YakuProgress[1]);
    std::swap(mirror.YakuScore[0], mirror.YakuScore[1]);
    std::swap(mirror.PileCount[0], mirror.PileCount[1]);
    SwapSides(mirror.TurnGain);
    SwapSides(mirror.TodayMon);
    SwapSides(mirror.MonthMon);
    SwapSides(mirror.KanBalance);
    SwapSides(mirror.KoiCalled);
    SetCurrentSide(mirror, Other(table.CurrentSide));
    // The computer leads odd months; the human leads the even ones.
    mirror.MonthNumber = static_cast<int8_t>(table.MonthNumber ^ 1);
    return mirror;
}

int32_t CardValue(CardId card) {
    static constexpr int32_t kClassPoints[4] = {20, 10, 5, 1};  // bright, animal, ribbon, chaff
    return kClassPoints[static_cast<size_t>(ClassOf(card))];
}

SlotId ChooseHumanHandSlot(const Table& table, Player player, Random& random) {
    SlotId held[kHandSize];
    uint32_t count = 0;
    for (SlotId slot = kHumanHand; slot < kHumanHand + kHandSize; ++slot) {
        held[count] = slot;  // kept only when the slot holds a card
        count += table.SlotCards[slot] != kNoCard;
    }
    if (count == 0) return kNoSlot;
    if (player == Player::Random)
        return held[Remainder(static_cast<uint32_t>(random.Next()), count)];
    if (player == Player::Greedy) {
        // The capture of most value (the played card, the better of two
        // field cards, or all three); without one, the cheapest card.
        SlotId best = kNoSlot, cheapest = kNoSlot;
        int32_t bestValue = -1, cheapestValue = 1000;
        for (uint32_t i = 0; i < count; ++i) {
            const CardId card = table.SlotCards[held[i]];
            int32_t list[4];
            const int32_t found = FindMatches(table, card, list);
            const int32_t own = CardValue(card);
            if (found == 0) {
                if (own < cheapestValue) {
                    cheapestValue = own;
                    cheapest = held[i];
                }
                continue;
            }
            int32_t value = own;
            if (found == 2) {
                value += std::max(CardValue(list[1]), CardValue(list[2]));
            } else {
                for (int32_t k = 1; k <= found; ++k) value += CardValue(list[k]);
            }
            if (value > bestValue) {
                bestValue = value;
                best = held[i];
            }
        }
        return best != kNoSlot ? best : cheapest;
    }
    const Table mirror = MirrorSides(table);
    int32_t list[4];
    ChooseHandCard(mirror, SeatedOpponent(player), list);
    return list[0] == kNoCard ? held[0] : table.CardSlots[list[0]];
}

CardId ChooseHumanFieldCard(const Table& table, Player player, Random& random, bool forDrawnCard) {
    const CardId first = table.MatchList[1];
    const CardId second = table.MatchList[2];
    if (player == Player::Random) return table.MatchList[1 + random.Next() % 2];
    if (player == Player::Greedy) return CardValue(second) > CardValue(first) ? second : first;
    const Table mirror = MirrorSides(table);
    const int32_t opponent = SeatedOpponent(player);
    if (forDrawnCard) {
        int32_t list[4] = {table.MatchList[0], first, second, kNoCard};
        ChooseFieldCard(mirror, opponent, 1, list);
        return list[1];
    }
    // The hand card was chosen together with the field card it takes: the
    // same choice, made again on the unchanged table, names it.
    int32_t list[4];
    ChooseHandCard(mirror, opponent, list);
    return list[0] == table.MatchList[0] && (list[1] == first || list[1] == second) ? list[1]
                                                                                    : first;
}

int32_t AnswerHumanKoiKoi(const Table& table, Player player, Random& random, double chance) {
    if (player == Player::Random) {
        const double draw = static_cast<double>(random.Next()) / 2147483648.0;
        return draw < chance ? kYes : kNo;
    }
    if (player == Player::Greedy) return kNo;
    return DecideKoiKoi(MirrorSides(table), SeatedOpponent(player));
}

HumanSearch::HumanSearch(uint64_t gameSeed, int32_t playouts)
    : seed_(gameSeed ^ 0x68756D616E736561ull), playouts_(playouts) {}

SlotId HumanSearch::HandSlot(const Table& table) {
    int32_t list[4];
    SearchHandCard(Observe(table, 0), NextSeed(), playouts_, list);
    chosenField_ = list[1];
    return list[0] == kNoCard ? kNoSlot : table.CardSlots[list[0]];
}

CardId HumanSearch::FieldCard(const Table& table, bool forDrawnCard) {
    const CardId first = table.MatchList[1];
    const CardId second = table.MatchList[2];
    if (!forDrawnCard) return chosenField_ == second ? second : first;
    int32_t list[4] = {table.MatchList[0], first, second, kNoCard};
    SearchFieldCard(Observe(table, 0), NextSeed(), playouts_, list);
    return list[1];
}

int32_t HumanSearch::KoiKoi(const Table& table) {
    return SearchKoiKoi(Observe(table, 0), NextSeed(), playouts_);
}

}  // namespace koikoi::sim
