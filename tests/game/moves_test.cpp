// Shuffle, deal, draw, discard, matching and capture.
#include "game/moves.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <utility>

#include "tests/game/recording_host.h"
#include "tests/game/table_builder.h"

namespace koikoi {
namespace {

using testing::EmptyTable;
using testing::Place;
using testing::PlaceAll;
using testing::RecordingHost;

TEST(ShuffleStock, PutsEveryCardOnceInTheStockAndEmptiesTheRest) {
    Table table = EmptyTable();
    Place(table, 5, kFieldFirst);
    Random random(12345);
    ShuffleStock(table, random);
    std::array<int32_t, kCards> seen{};
    for (SlotId slot = 0; slot < kSlots; ++slot) {
        const CardId card = table.SlotCards[slot];
        if (slot >= kStockFirst && slot <= kStockLast) {
            ASSERT_GE(card, 0);
            ++seen[static_cast<size_t>(card)];
            EXPECT_EQ(table.CardSlots[card], slot);
        } else {
            EXPECT_EQ(card, kNoCard) << "slot " << slot;
        }
    }
    EXPECT_TRUE(std::all_of(seen.begin(), seen.end(), [](int32_t n) { return n == 1; }));
    EXPECT_EQ(StockTop(table), kStockLast);
}

TEST(ShuffleStock, SameSeedSameOrderOtherSeedOtherOrder) {
    Table a = EmptyTable(), b = EmptyTable(), c = EmptyTable();
    Random ra(7), rb(7), rc(8);
    ShuffleStock(a, ra);
    ShuffleStock(b, rb);
    ShuffleStock(c, rc);
    EXPECT_TRUE(
        std::equal(std::begin(a.SlotCards), std::end(a.SlotCards), std::begin(b.SlotCards)));
    EXPECT_FALSE(
        std::equal(std::begin(a.SlotCards), std::end(a.SlotCards), std::begin(c.SlotCards)));
}

// The shuffle as the rule states it: 400 swaps of slot assignments, each
// index one full SplitMix64 draw (top 31 bits) modulo 48. The game's faster
// shuffle must give the same stock and leave the generator where this does,
// for generators at any state (so a wide and a narrow path agree).
TEST(ShuffleStock, MatchesTheRuleDrawForDraw) {
    const auto splitMix = [](uint64_t& state) {
        state += 0x9E3779B97F4A7C15ull;
        uint64_t z = state;
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        z ^= z >> 31;
        return static_cast<int32_t>(z >> 33);
    };
    const uint64_t seeds[] = {0, 1, 42, UINT64_MAX, uint64_t{1} << 63, 123456789};
    for (const uint64_t seed : seeds) {
        for (uint64_t round = 0; round < 5; ++round) {
            uint64_t state = seed + round * uint64_t{0x1234567};
            Random random(state);
            int32_t cardSlots[kCards];
            for (CardId card = 0; card < kCards; ++card) cardSlots[card] = kStockFirst + card;
            for (int32_t swap = 0; swap < 400; ++swap) {
                const int32_t a = splitMix(state) % kCards;
                const int32_t b = splitMix(state) % kCards;
                std::swap(cardSlots[a], cardSlots[b]);
            }
            Table table = EmptyTable();
            ShuffleStock(table, random);
            for (CardId card = 0; card < kCards; ++card) {
                ASSERT_EQ(table.CardSlots[card], cardSlots[card])
                    << "seed " << seed << " card " << card;
                ASSERT_EQ(table.SlotCards[cardSlots[card]], card);
            }
            EXPECT_EQ(random.state, state) << "seed " << seed;
        }
    }
}

// The top is the highest occupied stock slot, whatever lies below it: a
// full stock drawn down to any height, a lone card anywhere, an empty stock.
TEST(StockTop, IsTheHighestOccupiedStockSlot) {
    const auto noStock = [] {
        Table table = EmptyTable();
        for (SlotId slot = kStockFirst; slot <= kStockLast; ++slot) table.SlotCards[slot] = kNoCard;
        return table;
    };
    for (SlotId top = kStockFirst; top <= kStockLast; ++top) {
        Table drawn = noStock();
        for (SlotId slot = kStockFirst; slot <= top; ++slot)
            drawn.SlotCards[slot] = slot - kStockFirst;
        EXPECT_EQ(StockTop(drawn), top);
        Table lone = noStock();
        lone.SlotCards[top] = 0;
        lone.SlotCards[kStockLast + 1] = 7;  // the slot above the stock does not count
        EXPECT_EQ(StockTop(lone), top);
    }
    EXPECT_EQ(StockTop(noStock()), kNoSlot);
}

// The deal takes the stock from the top (slot 159 downwards) in six packets
// of four: leader's hand, other hand, field, leader's hand, other hand, field.
TEST(DealCards, PacketOrderFollowsTheLeader) {
    for (int8_t leader : {int8_t{0}, int8_t{1}}) {
        Table table = EmptyTable();
        Random random(99);
        ShuffleStock(table, random);
        std::array<CardId, 24> topDown{};
        for (size_t i = 0; i < topDown.size(); ++i) {
            topDown[i] = table.SlotCards[kStockLast - static_cast<SlotId>(i)];
        }
        RecordingHost host;
        DealCards(table, host, leader);
        const SlotId lead = kSideBlock * leader, other = kSideBlock * (1 - leader);
        const std::array<SlotId, 6> packets = {lead,     other,     kFieldFirst,
                                               lead + 4, other + 4, kFieldFirst + 4};
        for (size_t i = 0; i < topDown.size(); ++i) {
            EXPECT_EQ(table.SlotCards[packets[i / 4] + static_cast<SlotId>(i % 4)], topDown[i])
                << "leader " << int{leader} << " card " << i;
        }
        EXPECT_EQ(StockTop(table), 135);
        EXPECT_EQ(FindTableFault(table, Check::Full), nullptr);
    }
}

TEST(DealCards, SetsOwnerAndMonthCountersFromTheSlots) {
    Table table = EmptyTable();
    table.TakenByMonth[3] = 2;  // left over from an earlier day
    Random random(4);
    ShuffleStock(table, random);
    RecordingHost host;
    DealCards(table, host, 1);
    for (CardId card = 0; card < kCards; ++card) {
        const SlotId slot = table.CardSlots[card];
        const int8_t expected = (slot >= 56 && slot <= 63)     ? 2
                                : (slot >= 160 && slot <= 167) ? 3
                                                               : -1;
        EXPECT_EQ(table.Owner[card], expected) << "card " << card;
    }
    int32_t field = 0, hand = 0, taken = 0;
    for (int32_t m = 0; m < kMonths; ++m) {
        field += table.FieldByMonth[m];
        hand += table.ComputerHandByMonth[m];
        taken += table.TakenByMonth[m];
    }
    EXPECT_EQ(field, 8);
    EXPECT_EQ(hand, 8);
    EXPECT_EQ(taken, 0);
}

TEST(DealCards, PacesTheDealAt5420Milliseconds) {
    Table table = EmptyTable();
    Random random(1);
    ShuffleStock(table, random);
    RecordingHost host;
    DealCards(table, host, 0);
    EXPECT_EQ(host.TotalPause(), 5420);
    ASSERT_EQ(host.paints.size(), 25u);
    EXPECT_EQ(host.paints.front(), (testing::PaintCall{SceneScores, 80, -1, 0, -1, 0}));
    EXPECT_EQ(host.paints.back(), (testing::PaintCall{SceneTurn, 0, -1, 0, -1, 0}));
    EXPECT_EQ(host.pauses.front(), 500);  // before the first card
}

TEST(DrawFromStock, TurnsUpTheHighestStockCard) {
    Table table = EmptyTable();
    Place(table, 47, kHumanHand);  // slot 159 is now empty
    RecordingHost host;
    DrawFromStock(table, host);
    EXPECT_EQ(table.SlotCards[DrawnSlot], 46);
    EXPECT_EQ(table.SlotCards[158], kNoCard);
    EXPECT_EQ(table.Owner[46], OwnerUnseen);
    EXPECT_EQ(host.paints.back(), (testing::PaintCall{SceneTurn, 500, -1, 0, -1, 0}));
}

TEST(DiscardToField, FillsTheLowestEmptyFieldSlot) {
    Table table = EmptyTable();
    Place(table, 10, 162);
    PlaceAll(table, {20, 30}, kComputerHand);
    RecordingHost host;
    int32_t list[4] = {20, -1, -1, -1};
    DiscardToField(table, host, list);
    EXPECT_EQ(table.SlotCards[160], 20);
    int32_t next[4] = {30, -1, -1, -1};
    DiscardToField(table, host, next);
    EXPECT_EQ(table.SlotCards[161], 30);
    EXPECT_EQ(table.ComputerHandByMonth[5], 0);
    EXPECT_EQ(table.FieldByMonth[5], 1);
    EXPECT_EQ(table.Owner[20], OwnerField);
    EXPECT_EQ(host.TotalPause(), 1000);
}

TEST(DiscardToField, OnlyAComputerHandCardLowersItsHandCounter) {
    Table table = EmptyTable();
    Place(table, 4, kHumanHand);
    Place(table, 5, kComputerHand);
    RecordingHost host;
    int32_t human[4] = {4, -1, -1, -1};
    DiscardToField(table, host, human);
    EXPECT_EQ(table.ComputerHandByMonth[1], 1);
    int32_t computer[4] = {5, -1, -1, -1};
    DiscardToField(table, host, computer);
    EXPECT_EQ(table.ComputerHandByMonth[1], 0);
    EXPECT_EQ(table.FieldByMonth[1], 2);
}

TEST(FindMatches, ListsTheMonthsFieldCardsInSlotOrder) {
    Table table = EmptyTable();
    Place(table, 2, 170);
    Place(table, 3, 161);
    Place(table, 1, 183);
    Place(table, 9, 160);
    int32_t list[4] = {7, 7, 7, 7};
    EXPECT_EQ(FindMatches(table, 0, list), 3);
    EXPECT_EQ((std::array<int32_t, 4>{list[0], list[1], list[2], list[3]}),
              (std::array<int32_t, 4>{0, 3, 2, 1}));
    EXPECT_EQ(FindMatches(table, 44, list), 0);
    EXPECT_EQ(list[1], kNoCard);
}

TEST(FindMatches, ACorruptTableYieldsOnlyCardsOfTheMonth) {
    Table table = EmptyTable();
    Place(table, 1, 165);
    table.SlotCards[165] = 40;       // the slot disagrees with the card's place
    table.CardSlots[2] = 100000;     // a place outside every slot
    table.CardSlots[3] = -7;
    int32_t list[4] = {7, 7, 7, 7};
    EXPECT_EQ(FindMatches(table, 0, list), 1);
    EXPECT_EQ((std::array<int32_t, 4>{list[0], list[1], list[2], list[3]}),
              (std::array<int32_t, 4>{0, 1, -1, -1}));
    for (const CardId card : {-5, 48, 1000}) {
        EXPECT_EQ(FindMatches(table, card, list), 0) << card;
        EXPECT_EQ(list[0], card);
        EXPECT_EQ(list[1], kNoCard);
    }
}

TEST(CaptureCards, PlayedCardGoesByTheOverlayThenEverythingToThePiles) {
    Table table = EmptyTable();
    PlaceAll(table, {1, 2, 3}, 163);  // three January cards on the field
    Place(table, 0, kHumanHand);
    RecordingHost host;
    host.watched = &table;
    int32_t list[4];
    ASSERT_EQ(FindMatches(table, 0, list), 3);
    CaptureCards(table, host, 0, list);
    EXPECT_TRUE(host.faults.empty()) << host.faults.front();
    // Frame on the first field card taken, then the played card on its overlay.
    EXPECT_EQ(host.paints[0], (testing::PaintCall{-1, 0, -1, 0, 163, 500}));
    EXPECT_EQ(table.SlotCards[8], 0);   // bright pile
    EXPECT_EQ(table.SlotCards[22], 1);  // ribbon pile
    EXPECT_EQ(table.SlotCards[32], 2);  // chaff pile, in list order
    EXPECT_EQ(table.SlotCards[33], 3);
    EXPECT_EQ(table.SlotCards[OverlaySlot(163)], kNoCard);
    EXPECT_EQ(table.FieldByMonth[0], 0);
    EXPECT_EQ(table.TakenByMonth[0], 4);
    EXPECT_EQ(host.TotalPause(), 3000);
}

TEST(CaptureCards, OneFieldCardTakesTwoSeconds) {
    Table table = EmptyTable();
    Place(table, 45, 165);
    Place(table, 44, kComputerHand);
    SetCurrentSide(table, 1);
    RecordingHost host;
    int32_t list[4] = {44, 45, -1, -1};
    CaptureCards(table, host, 1, list);
    EXPECT_EQ(host.TotalPause(), 2000);
    EXPECT_EQ(table.SlotCards[64], 44);  // the computer's bright pile
    EXPECT_EQ(table.SlotCards[88], 45);  // the computer's chaff pile
    EXPECT_EQ(table.ComputerHandByMonth[11], 0);
    EXPECT_EQ(table.Owner[44], OwnerComputer);
}

TEST(CaptureCards, TheDrawnCardChangesOnlyTheTakenCounterOfItsMonth) {
    Table table = EmptyTable();
    Place(table, 13, 160);
    Place(table, 12, DrawnSlot);
    RecordingHost host;
    int32_t list[4] = {12, 13, -1, -1};
    CaptureCards(table, host, 0, list);
    EXPECT_EQ(table.TakenByMonth[3], 2);
    EXPECT_EQ(table.FieldByMonth[3], 0);
    EXPECT_EQ(table.ComputerHandByMonth[3], 0);
    EXPECT_EQ(table.SlotCards[DrawnSlot], kNoCard);
}

}  // namespace
}  // namespace koikoi
