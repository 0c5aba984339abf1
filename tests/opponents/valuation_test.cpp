// Card worth under the four valuation tables, card by card in whole states and at the edges.
#include <gtest/gtest.h>

#include <array>
#include <iterator>
#include <cstdint>

#include "opponents/valuation.h"
#include "tests/opponents/table_setup.h"

namespace koikoi {
namespace {

using Worths = std::array<int32_t, kCards>;

// A state of the valued side: its counters and who holds every card. The
// other side gets the opposite counters, so reading the wrong side shows.
struct ValuedState {
    const char* name;
    int8_t progress[YakuCount];
    int8_t otherProgress;
    int8_t ownerOfAll;
};

constexpr ValuedState kZero = {"zero", {0, 0, 0, 0, 0, 0, 0, 0, 0, 0}, -5, OwnerUnseen};
constexpr ValuedState kRuledOut = {"ruled out", {-5, -5, -5, -5, -5, -5, -5, -5, -5, -5}, 0, OwnerHuman};
constexpr ValuedState kHumanHoldsAll = {"human holds all", {0, 0, 0, 0, 0, 0, 0, 0, 0, 0}, -5, OwnerHuman};
// Every set just made: each "in 0..n" range fails while each ">= 0" holds.
constexpr ValuedState kMade = {"made", {5, 0, 3, 3, 3, 2, 2, 0, 0, 0}, -5, OwnerUnseen};
constexpr ValuedState kNear = {"one short", {4, 0, 2, 2, 2, 1, 1, 4, 4, 9}, -5, OwnerUnseen};
constexpr ValuedState kBeyond = {"beyond", {5, 0, 3, 3, 3, 2, 2, 7, 6, 12}, -5, OwnerUnseen};

Table StateTable(const ValuedState& state, int8_t side) {
    Table table = test::TableSetup().table();
    for (int32_t k = 0; k < YakuCount; ++k) {
        table.YakuProgress[side][k] = state.progress[k];
        table.YakuProgress[1 - side][k] = state.otherProgress;
    }
    for (int8_t& owner : table.Owner) owner = state.ownerOfAll;
    return table;
}

struct WholeStateCase {
    int32_t opponent;
    const ValuedState* state;
    Worths worth;
};

// Each row worked out by hand from the rules' tables, card 0 to 47.
const WholeStateCase kWholeStates[] = {
    {0, &kZero, {24, 28, 2, 2, 4, 28, 2, 2, 44, 28, 2, 2, 4, 4, 2, 2, 4, 4, 2, 2, 64, 28, 2, 2,
                 64, 4, 2, 2, 44, 4, 2, 2, 66, 28, 2, 2, 64, 28, 2, 2, 0, 4, 4, 2, 24, 2, 2, 2}},
    {0, &kRuledOut, {0, 4, 2, 2, 4, 4, 2, 2, 0, 4, 2, 2, 4, 4, 2, 2, 4, 4, 2, 2, 4, 4, 2, 2,
                     4, 4, 2, 2, 0, 4, 2, 2, 6, 4, 2, 2, 4, 4, 2, 2, 0, 4, 4, 2, 0, 2, 2, 2}},
    {2, &kZero, {24, 25, 1, 1, 2, 25, 1, 1, 54, 25, 1, 1, 2, 2, 1, 1, 2, 2, 1, 1, 22, 26, 1, 1,
                 22, 2, 1, 1, 54, 2, 1, 1, 63, 26, 1, 1, 22, 26, 1, 1, 0, 2, 2, 1, 24, 1, 1, 1}},
    {2, &kRuledOut, {}},
    {1, &kZero, {34, 37, 19, 19, 14, 30, 12, 12, 64, 47, 29, 29, 6, 6, 4, 4, 6, 6, 4, 4, 34, 37, 19, 19,
                 26, 13, 13, 13, 56, 22, 21, 21, 75, 50, 32, 32, 34, 37, 19, 19, 15, 10, 10, 8, 25, 10, 10, 10}},
    {3, &kZero, {22, 33, 15, 15, 14, 30, 12, 12, 52, 43, 25, 25, 6, 6, 4, 4, 6, 6, 4, 4, 34, 37, 19, 19,
                 26, 13, 13, 13, 44, 18, 17, 17, 75, 50, 32, 32, 34, 37, 19, 19, 3, 8, 8, 6, 13, 6, 6, 6}},
    {1, &kRuledOut, {2, 5, 3, 3, 6, 6, 4, 4, 2, 5, 3, 3, 6, 6, 4, 4, 6, 6, 4, 4, 6, 6, 4, 4,
                     6, 6, 6, 6, 2, 4, 3, 3, 7, 6, 4, 4, 6, 6, 4, 4, 3, 6, 6, 4, 1, 2, 2, 2}},
    {3, &kRuledOut, {2, 5, 3, 3, 6, 6, 4, 4, 2, 5, 3, 3, 6, 6, 4, 4, 6, 6, 4, 4, 6, 6, 4, 4,
                     6, 6, 6, 6, 2, 4, 3, 3, 7, 6, 4, 4, 6, 6, 4, 4, 3, 6, 6, 4, 1, 2, 2, 2}},
    {1, &kHumanHoldsAll, {26, 29, 3, 3, 6, 30, 4, 4, 56, 29, 3, 3, 6, 6, 4, 4, 6, 6, 4, 4, 26, 30, 4, 4,
                          26, 6, 6, 6, 56, 4, 3, 3, 67, 30, 4, 4, 26, 30, 4, 4, 15, 6, 6, 4, 25, 2, 2, 2}},
    {3, &kHumanHoldsAll, {14, 29, 3, 3, 6, 30, 4, 4, 44, 29, 3, 3, 6, 6, 4, 4, 6, 6, 4, 4, 26, 30, 4, 4,
                          26, 6, 6, 6, 44, 4, 3, 3, 67, 30, 4, 4, 26, 30, 4, 4, 3, 6, 6, 4, 13, 2, 2, 2}},
    {1, &kMade, {26, 29, 3, 3, 6, 30, 4, 4, 56, 29, 3, 3, 6, 6, 4, 4, 6, 6, 4, 4, 26, 30, 4, 4,
                 26, 6, 6, 6, 56, 4, 3, 3, 67, 30, 4, 4, 26, 30, 4, 4, 15, 6, 6, 4, 25, 2, 2, 2}},
    {3, &kMade, {14, 5, 3, 3, 6, 30, 4, 4, 44, 29, 3, 3, 6, 6, 4, 4, 6, 6, 4, 4, 26, 30, 4, 4,
                 26, 6, 6, 6, 44, 4, 3, 3, 67, 30, 4, 4, 26, 30, 4, 4, 27, 6, 6, 4, 13, 2, 2, 2}},
};

TEST(CardWorth, EveryCardInWholeStates) {
    for (const WholeStateCase& c : kWholeStates) {
        for (int8_t side = 0; side < 2; ++side) {
            const Table table = StateTable(*c.state, side);
            for (CardId card = 0; card < kCards; ++card) {
                EXPECT_EQ(CardWorth(table, c.opponent, side, card), c.worth[static_cast<size_t>(card)])
                    << "opponent " << c.opponent << ", state " << c.state->name << ", side "
                    << int{side} << ", card " << card;
            }
        }
    }
}

// Single cards in states where the graded and flat terms reach their ends.
struct CardCase {
    int32_t opponent;
    const ValuedState* state;
    CardId card;
    int32_t worth;
};

const CardCase kCardCases[] = {
    // The rain man counts only at exactly four brights.
    {0, &kNear, 40, 120}, {0, &kMade, 40, 0}, {2, &kNear, 40, 120}, {2, &kBeyond, 40, 0},
    {0, &kNear, 0, 24},   {0, &kNear, 8, 44}, {0, &kNear, 28, 44},  {0, &kNear, 32, 66},
    {0, &kMade, 0, 0},    {0, &kMade, 8, 0},  {0, &kMade, 1, 4},    {0, &kMade, 21, 4},
    {0, &kMade, 20, 4},   {0, &kMade, 32, 6},
    // rising() peaks one card short; capped() keeps its 12 beyond the count.
    {2, &kNear, 0, 120},  {2, &kNear, 8, 180}, {2, &kNear, 28, 180}, {2, &kNear, 1, 78},
    {2, &kNear, 21, 84},  {2, &kNear, 20, 72}, {2, &kNear, 32, 144}, {2, &kNear, 4, 12},
    {2, &kNear, 13, 12},  {2, &kNear, 2, 12},
    {2, &kBeyond, 0, 0},  {2, &kBeyond, 1, 12}, {2, &kBeyond, 21, 12}, {2, &kBeyond, 20, 12},
    {2, &kBeyond, 32, 24}, {2, &kBeyond, 4, 12}, {2, &kBeyond, 13, 12}, {2, &kBeyond, 47, 12},
};

TEST(CardWorth, GradedAndFlatTermsAtTheirEnds) {
    for (const CardCase& c : kCardCases) {
        const Table table = StateTable(*c.state, 1);
        EXPECT_EQ(CardWorth(table, c.opponent, 1, c.card), c.worth)
            << "opponent " << c.opponent << ", state " << c.state->name << ", card " << c.card;
    }
}

TEST(CardWorth, GradedRibbonTermsDifferBelowTheCount) {
    // The red ribbons' ribbon term has numerator 6, the blue ribbons' 12; once
    // made both give 12. Red and blue sets ruled out to isolate the term.
    struct Row {
        int8_t ribbonSet;
        int32_t red;
        int32_t blue;
    };
    const Row rows[] = {{-1, 0, 0}, {0, 1, 2}, {1, 1, 3}, {2, 2, 4}, {3, 3, 6}, {4, 6, 12}, {5, 12, 12}, {8, 12, 12}};
    for (const Row& row : rows) {
        const Table table = test::TableSetup()
                                .Progress(1, RedRibbons, -4)
                                .Progress(1, BlueRibbons, -4)
                                .Progress(1, RibbonSet, row.ribbonSet)
                                .table();
        EXPECT_EQ(CardWorth(table, 2, 1, 5), row.red) << "RibbonSet " << int{row.ribbonSet};
        EXPECT_EQ(CardWorth(table, 2, 1, 33), row.blue) << "RibbonSet " << int{row.ribbonSet};
    }
}

TEST(CardWorth, GradedAnimalsKeepTheCappedTerm) {
    // Butterflies: rising(p[4], 3, 60) + capped(p[7], 5, 12).
    const Table four = test::TableSetup().Progress(1, BoarDeerButterfly, 1).Progress(1, AnimalSet, 4).table();
    EXPECT_EQ(CardWorth(four, 2, 1, 20), 30 + 12);
    const Table seven = test::TableSetup().Progress(1, BoarDeerButterfly, 1).Progress(1, AnimalSet, 7).table();
    EXPECT_EQ(CardWorth(seven, 2, 1, 20), 30 + 12);
}

TEST(CardWorth, SakeCupReadsOnlyTheValuedSide) {
    Table table = test::TableSetup()
                      .Progress(1, CurtainSake, 1)
                      .Progress(1, MoonSake, 1)
                      .Progress(1, AnimalSet, 4)
                      .Progress(1, ChaffSet, 9)
                      .AllProgress(0, -3)
                      .table();
    EXPECT_EQ(CardWorth(table, 2, 1, 32), 60 + 60 + 12 + 12);
    EXPECT_EQ(CardWorth(table, 2, 0, 32), 0);
}

TEST(CardWorth, CompanionKeyCardCountsOnlyInTheHumansPiles) {
    // Card 2's base needs the crane out of the human's piles; the computer
    // holding it does not matter. Its red-ribbon bonus is ruled out here.
    struct Row {
        int32_t opponent;
        int8_t craneOwner;
        int32_t worth;
    };
    const Row rows[] = {{1, OwnerUnseen, 11}, {1, OwnerComputer, 11}, {1, OwnerComputerHand, 11}, {1, OwnerField, 11},
                        {1, OwnerHuman, 3},   {3, OwnerComputer, 7},  {3, OwnerHuman, 3}};
    for (const Row& row : rows) {
        Table table = test::TableSetup().Progress(1, RedRibbons, -4).table();
        table.Owner[0] = row.craneOwner;
        EXPECT_EQ(CardWorth(table, row.opponent, 1, 2), row.worth)
            << "opponent " << row.opponent << ", crane owner " << int{row.craneOwner};
    }
}

TEST(CardWorth, RainManOfOpponentThreeNeedsFourBrights) {
    const int8_t counters[] = {-6, -1, 0, 3, 4, 5};
    const int32_t worth[] = {3, 3, 3, 3, 27, 27};
    for (size_t i = 0; i < std::size(counters); ++i) {
        const Table table = test::TableSetup().Progress(0, FiveBrights, counters[i]).table();
        EXPECT_EQ(CardWorth(table, 3, 0, 40), worth[i]) << "FiveBrights " << int{counters[i]};
    }
}

TEST(CardWorth, OnlyTheLowByteOfTheCardCounts) {
    const Table table = test::TableSetup().table();
    for (int32_t opponent = 0; opponent < kOpponents; ++opponent) {
        for (int32_t side = 0; side < 2; ++side) {
            for (const int32_t card : {-1, -128, 48, 127, 128, 255}) {
                EXPECT_EQ(CardWorth(table, opponent, side, card), 0) << "card " << card;
            }
            // 0x100 and -256 have low byte 0, 0x12C has 44.
            EXPECT_EQ(CardWorth(table, opponent, side, 0x100), CardWorth(table, opponent, side, 0));
            EXPECT_EQ(CardWorth(table, opponent, side, -256), CardWorth(table, opponent, side, 0));
            EXPECT_EQ(CardWorth(table, opponent, side, 0x12C), CardWorth(table, opponent, side, 44));
            EXPECT_GT(CardWorth(table, opponent, side, 0x100), 0);
        }
    }
}

TEST(CardWorth, UnknownOpponentOrSideIsWorthNothing) {
    const Table table = test::TableSetup().table();
    EXPECT_EQ(CardWorth(table, 4, 1, 0), 0);
    EXPECT_EQ(CardWorth(table, -1, 1, 0), 0);
    EXPECT_EQ(CardWorth(table, 1, 2, 0), 0);
    EXPECT_EQ(CardWorth(table, 1, -1, 0), 0);
}

}  // namespace
}  // namespace koikoi
