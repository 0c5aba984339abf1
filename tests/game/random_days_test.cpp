// Whole days of random legal play through the core operations, with the
// table's invariants checked at every painted step.
#include <gtest/gtest.h>

#include "game/moves.h"
#include "game/scoring.h"
#include "tests/game/recording_host.h"
#include "tests/game/table_builder.h"
#include "tests/test_seed.h"

namespace koikoi {
namespace {

using testing::RecordingHost;

// Plays one side's play: a random hand card, then the draw; where a card
// matches two field cards one of them is chosen at random.
void PlayRandomly(Table& table, RecordingHost& host, Random& random, int8_t side) {
    SetCurrentSide(table, side);
    SlotId hand[kHandSize];
    int32_t held = 0;
    for (SlotId slot = kSideBlock * side; slot < kSideBlock * side + kHandSize; ++slot) {
        if (table.SlotCards[slot] != kNoCard) hand[held++] = slot;
    }
    ASSERT_GT(held, 0);
    const CardId played = table.SlotCards[hand[random.Next() % held]];
    if (side == 1) {
        // The computer's hand cards are known to it; the human's are not.
        ASSERT_EQ(table.Owner[played], OwnerComputerHand);
    }
    for (CardId card : {played, kNoCard}) {
        if (card == kNoCard) {
            DrawFromStock(table, host);
            card = table.SlotCards[DrawnSlot];
        }
        const int32_t found = FindMatches(table, card, table.MatchList);
        if (found == 0) {
            DiscardToField(table, host, table.MatchList);
            continue;
        }
        if (found == 2) {
            if (random.Next() % 2 == 1) table.MatchList[1] = table.MatchList[2];
            table.MatchList[2] = kNoCard;
        }
        CaptureCards(table, host, side, table.MatchList);
    }
}

TEST(RandomDays, InvariantsHoldAtEveryStep) {
    for (const uint64_t seed : testing::TestSeeds(1, 60)) {
        const int8_t leader = static_cast<int8_t>(seed % 2);
        Table table = testing::EmptyTable();
        RecordingHost host;
        host.watched = &table;
        Random random(seed);
        ShuffleStock(table, random);
        DealCards(table, host, leader);
        int32_t best[2] = {0, 0};
        for (int32_t play = 0; play < 16; ++play) {
            const auto side = static_cast<int8_t>(play % 2 == 0 ? leader : 1 - leader);
            PlayRandomly(table, host, random, side);
            // A side's reachable total only grows during a day.
            const int32_t total = ScoreCombinations(table, side);
            ASSERT_GE(total, best[side]) << testing::SeedNote(seed);
            best[side] = total;
        }
        ASSERT_TRUE(host.faults.empty()) << testing::SeedNote(seed) << ": " << host.faults.front();
        // Both hands played out, the stock holds eight cards at its bottom.
        for (SlotId slot = 0; slot < kSlots; ++slot) {
            const bool hand = slot < kHandSize || (slot >= kComputerHand && slot < kComputerHand + kHandSize);
            if (hand || (slot >= 120 && slot <= kStockLast) || slot >= kOverlayFirst) {
                EXPECT_EQ(table.SlotCards[slot], kNoCard)
                    << testing::SeedNote(seed) << " slot " << slot;
            }
        }
        EXPECT_EQ(StockTop(table), 119);
    }
}

}  // namespace
}  // namespace koikoi
