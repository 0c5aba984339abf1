// The shuffle's exact output for a few seeds, and that it mixes the deck.
#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <vector>

#include "game/moves.h"
#include "tests/game/table_builder.h"
#include "tests/test_seed.h"

namespace koikoi {
namespace {

using Stock = std::array<CardId, kCards>;

// The stock from its top (slot 159, the first card dealt) down to slot 112.
Stock TopDown(const Table& table) {
    Stock stock{};
    for (size_t i = 0; i < stock.size(); ++i) {
        stock[i] = table.SlotCards[kStockLast - static_cast<SlotId>(i)];
    }
    return stock;
}

// Games, traces and replays depend on the order a seed gives: 400 swaps of
// slot assignments, each index the next draw modulo 48. Any change to the
// shuffle or the generator that keeps its output must keep these.
TEST(ShuffleStock, PinnedOrderOfSeeds) {
    struct Pin {
        uint64_t seed;
        int32_t shuffles;  // shuffles from one generator before the order is read
        Stock topDown;
    };
    const std::vector<Pin> pins = {
        {1, 1, {31, 20, 12, 25, 2,  47, 6,  45, 35, 39, 26, 38, 42, 41, 29, 10,
                4,  8,  22, 0,  36, 16, 40, 46, 34, 19, 37, 15, 43, 27, 24, 3,
                1,  44, 11, 13, 7,  9,  5,  30, 28, 32, 21, 23, 18, 33, 17, 14}},
        {2024, 1, {39, 40, 1,  46, 43, 4,  21, 38, 13, 32, 0,  22, 5,  42, 36, 18,
                   25, 8,  11, 15, 45, 10, 33, 23, 14, 20, 44, 3,  29, 34, 31, 35,
                   17, 41, 19, 16, 26, 6,  47, 2,  37, 12, 7,  30, 27, 9,  24, 28}},
        {0xC0FFEE, 1, {35, 30, 42, 23, 45, 31, 3,  11, 47, 36, 10, 1,  33, 25, 12, 46,
                       6,  26, 44, 8,  15, 20, 16, 5,  18, 17, 9,  14, 39, 41, 29, 22,
                       38, 32, 34, 43, 21, 40, 19, 37, 2,  13, 24, 0,  4,  7,  27, 28}},
        // The second shuffle of a game: the first drew exactly 800 numbers.
        {1, 2, {31, 3,  24, 45, 19, 5,  27, 12, 41, 1,  26, 32, 46, 15, 11, 21,
                38, 0,  33, 36, 10, 4,  42, 17, 29, 22, 16, 20, 9,  43, 35, 14,
                28, 25, 37, 8,  44, 18, 6,  47, 30, 7,  40, 13, 34, 39, 2,  23}},
    };
    for (const Pin& pin : pins) {
        Table table = testing::EmptyTable();
        Random random(pin.seed);
        for (int32_t i = 0; i < pin.shuffles; ++i) ShuffleStock(table, random);
        EXPECT_EQ(TopDown(table), pin.topDown)
            << "seed " << pin.seed << ", shuffle " << pin.shuffles;
    }
}

// A shuffled deck is mixed: over many seeds no card stays in its starting
// slot (card c in slot 112 + c) more often than chance allows. For a fair
// shuffle the count of one card over 2000 seeds is binomial with p = 1/48
// (mean 41.7, deviation 6.4); it reaches 90 with a probability below 2e-9
// for any of the 48 cards, so the bound holds for every base seed. A shuffle
// of too few swaps leaves many cards untouched: with 40 swaps about a fifth
// of the cards keep their place, some 400 times in 2000.
TEST(ShuffleStock, NoCardKeepsItsPlaceMoreOftenThanChance) {
    const testing::TestSeed base(1);
    constexpr int32_t kSeeds = 2000;
    constexpr int32_t kBound = 90;
    std::array<int32_t, kCards> kept{};
    for (int32_t i = 0; i < kSeeds; ++i) {
        Table table = testing::EmptyTable();
        Random random(base.value() + static_cast<uint64_t>(i));
        ShuffleStock(table, random);
        for (CardId card = 0; card < kCards; ++card) {
            if (table.CardSlots[card] == kStockFirst + card) ++kept[static_cast<size_t>(card)];
        }
    }
    for (CardId card = 0; card < kCards; ++card) {
        EXPECT_LT(kept[static_cast<size_t>(card)], kBound)
            << "card " << card << " kept its slot in " << kept[static_cast<size_t>(card)] << " of "
            << kSeeds << " shuffles";
    }
}

}  // namespace
}  // namespace koikoi
