// The capture bookkeeping row by row, and the scoring thresholds.
#include <gtest/gtest.h>

#include <array>
#include <vector>

#include "game/moves.h"
#include "game/scoring.h"
#include "tests/game/table_builder.h"

namespace koikoi {
namespace {

using testing::EmptyTable;
using testing::Place;

using Counters = std::array<int, YakuCount>;

// The capture table: for each group of cards, what the captor's counters
// gain, what the other side's lose, and the pile the card goes to.
struct CaptureRow {
    std::vector<CardId> cards;
    Counters own;
    Counters other;
    int pileBase;
};
//                      5B  4B  Red Blue BDB  CS  MS  Ani Rib Chaff
const std::vector<CaptureRow> kCaptureTable = {
    {{0, 44},          {+1, +1, 0, 0, 0, 0, 0, 0, 0, 0}, {-6, -5, 0, 0, 0, 0, 0, 0, 0, 0}, 8},
    {{8},              {+1, +1, 0, 0, 0, +1, 0, 0, 0, 0}, {-6, -5, 0, 0, 0, -3, 0, 0, 0, 0}, 8},
    {{28},             {+1, +1, 0, 0, 0, 0, +1, 0, 0, 0}, {-6, -5, 0, 0, 0, 0, -3, 0, 0, 0}, 8},
    {{40},             {+1, -5, 0, 0, 0, 0, 0, 0, 0, 0}, {-6, 0, 0, 0, 0, 0, 0, 0, 0, 0}, 8},
    {{1, 5, 9},        {0, 0, +1, 0, 0, 0, 0, 0, +1, 0}, {0, 0, -4, 0, 0, 0, 0, 0, 0, 0}, 22},
    {{21, 33, 37},     {0, 0, 0, +1, 0, 0, 0, 0, +1, 0}, {0, 0, 0, -4, 0, 0, 0, 0, 0, 0}, 22},
    {{13, 17, 25, 42}, {0, 0, 0, 0, 0, 0, 0, 0, +1, 0}, {0, 0, 0, 0, 0, 0, 0, 0, 0, 0}, 22},
    {{20, 24, 36},     {0, 0, 0, 0, +1, 0, 0, +1, 0, 0}, {0, 0, 0, 0, -4, 0, 0, 0, 0, 0}, 13},
    {{4, 12, 16, 29, 41}, {0, 0, 0, 0, 0, 0, 0, +1, 0, 0}, {0, 0, 0, 0, 0, 0, 0, 0, 0, 0}, 13},
    {{32},             {0, 0, 0, 0, 0, +1, +1, +1, 0, +1}, {0, 0, 0, 0, 0, -3, -3, 0, 0, 0}, 13},
    {{2, 3, 6, 7, 10, 11, 14, 15, 18, 19, 22, 23, 26, 27, 30, 31, 34, 35, 38, 39, 43, 45, 46, 47},
     {0, 0, 0, 0, 0, 0, 0, 0, 0, +1}, {0, 0, 0, 0, 0, 0, 0, 0, 0, 0}, 32},
};

TEST(RecordCapture, FollowsTheCaptureTableForEveryCardAndSide) {
    int covered = 0;
    for (const CaptureRow& row : kCaptureTable) {
        for (CardId card : row.cards) {
            for (int8_t side : {int8_t{0}, int8_t{1}}) {
                Table table = EmptyTable();
                SetCurrentSide(table, side);
                table.PileCount[side][0] = 1;  // earlier captures in other piles
                table.PileCount[side][3] = 2;
                const int pileIndex = row.pileBase == 8 ? 0 : row.pileBase == 13 ? 1 : row.pileBase == 22 ? 2 : 3;
                const int before = table.PileCount[side][pileIndex];
                const SlotId slot = RecordCapture(table, side, card);
                EXPECT_EQ(slot, 56 * side + row.pileBase + before) << "card " << card;
                EXPECT_EQ(table.PileCount[side][pileIndex], before + 1);
                for (size_t k = 0; k < YakuCount; ++k) {
                    EXPECT_EQ(table.YakuProgress[side][k], row.own[k]) << "card " << card << " own " << k;
                    EXPECT_EQ(table.YakuProgress[1 - side][k], row.other[k]) << "card " << card << " other " << k;
                }
                EXPECT_EQ(table.Owner[card], side);
                EXPECT_EQ(table.TakenByMonth[MonthOf(card)], 1);
            }
            ++covered;
        }
    }
    EXPECT_EQ(covered, kCards);
}

TEST(RecordCapture, UpdatesTheMonthCounterTheCardCameFrom) {
    Table table = EmptyTable();
    Place(table, 20, kComputerHand);
    Place(table, 21, kFieldFirst);
    SetCurrentSide(table, 1);
    RecordCapture(table, 1, 20);
    RecordCapture(table, 1, 21);
    EXPECT_EQ(table.ComputerHandByMonth[5], 0);
    EXPECT_EQ(table.FieldByMonth[5], 0);
    EXPECT_EQ(table.TakenByMonth[5], 2);
}

// Captures a list of cards for one side and scores it.
int32_t CaptureAndScore(Table& table, int8_t side, const std::vector<CardId>& cards) {
    SetCurrentSide(table, side);
    for (CardId card : cards) RecordCapture(table, side, card);
    return ScoreCombinations(table, side);
}

TEST(Brights, RainManTurnsFourBrightsIntoFive) {
    Table table = EmptyTable();
    EXPECT_EQ(CaptureAndScore(table, 0, {0, 8, 28, 44}), 8);
    EXPECT_EQ(table.YakuScore[0][FourBrights], 8);
    const int32_t total = CaptureAndScore(table, 0, {40});
    EXPECT_EQ(table.YakuProgress[0][FiveBrights], 5);
    EXPECT_EQ(table.YakuProgress[0][FourBrights], -1);
    EXPECT_EQ(total, 10);  // the total rises by 2
    EXPECT_EQ(table.YakuScore[0][FiveBrights], 10);
    EXPECT_EQ(table.YakuScore[0][FourBrights], 8);  // the entry stays for the day
}

TEST(Brights, FourWithTheRainManAndThreeScoreNothing) {
    Table withRainMan = EmptyTable();
    EXPECT_EQ(CaptureAndScore(withRainMan, 1, {0, 44, 40, 28}), 0 + 0);
    EXPECT_EQ(withRainMan.YakuScore[1][FourBrights], 0);
    Table three = EmptyTable();
    EXPECT_EQ(CaptureAndScore(three, 0, {0, 44, 8}), 0);
}

TEST(Brights, OneBrightOfTheOtherSideRulesBothOut) {
    Table table = EmptyTable();
    CaptureAndScore(table, 0, {0, 8, 28, 44});
    CaptureAndScore(table, 1, {40});
    EXPECT_LE(table.YakuProgress[0][FiveBrights], 4 - 6);
    EXPECT_EQ(table.YakuProgress[0][FourBrights], 4);  // the rain man takes nothing from it
    Table other = EmptyTable();
    CaptureAndScore(other, 0, {0, 8, 28});
    CaptureAndScore(other, 1, {44});
    EXPECT_LE(other.YakuProgress[0][FiveBrights], 4 - 6);
    EXPECT_LE(other.YakuProgress[0][FourBrights], 3 - 5);
}

TEST(Brights, RainManAloneAndTheOtherSide) {
    Table table = EmptyTable();
    CaptureAndScore(table, 1, {40});
    EXPECT_EQ(table.YakuProgress[1][FourBrights], -5);
    EXPECT_EQ(table.YakuProgress[0][FiveBrights], -6);
    EXPECT_EQ(table.YakuProgress[0][FourBrights], 0);
}

TEST(SakeCup, CompletesCurtainSakeAndBlocksTheOtherSide) {
    Table table = EmptyTable();
    CaptureAndScore(table, 1, {8});
    EXPECT_EQ(CaptureAndScore(table, 1, {32}), 5);
    EXPECT_EQ(table.YakuScore[1][CurtainSake], 5);
    EXPECT_EQ(table.YakuProgress[1][MoonSake], 1);  // no moon: adds nothing
    EXPECT_EQ(table.YakuProgress[0][CurtainSake], -6);
    EXPECT_EQ(table.YakuProgress[0][MoonSake], -3);
}

TEST(SakeCup, CountsInFourCombinationsAtOnce) {
    Table table = EmptyTable();
    // Four animals, nine chaff, the curtain and the moon, then the sake cup.
    CaptureAndScore(table, 0, {4, 12, 16, 29, 2, 3, 6, 7, 10, 11, 14, 15, 18, 8, 28});
    const int32_t before = ScoreCombinations(table, 0);
    const int32_t after = CaptureAndScore(table, 0, {32});
    EXPECT_EQ(after - before, 5 + 5 + 1 + 1);
}

// The count combinations score one mon at their threshold and one more for
// each further card.
TEST(ScoreCombinations, CountThresholds) {
    struct Case {
        std::vector<CardId> cards;
        int32_t mon;
    };
    const std::vector<Case> cases = {
        {{4, 12, 16, 29}, 0},                                  // four animals
        {{4, 12, 16, 29, 41}, 1},                              // five animals
        {{4, 12, 16, 29, 41, 20, 24, 36, 32}, 5 + 5 + 0},      // all nine, with boar-deer-butterfly
        {{13, 17, 25, 42}, 0},                                 // four ribbons
        {{13, 17, 25, 42, 1}, 1},                              // five ribbons
        {{1, 5, 9, 21, 33, 37, 13, 17, 25, 42}, 6 + 6 + 6},    // all ten, both ribbon sets
        {{2, 3, 6, 7, 10, 11, 14, 15, 18}, 0},                 // nine chaff
        {{2, 3, 6, 7, 10, 11, 14, 15, 18, 19}, 1},             // ten chaff
        {{2, 3, 6, 7, 10, 11, 14, 15, 18, 32}, 1},             // the sake cup as the tenth
        {{2, 3, 6, 7, 10, 11, 14, 15, 18, 19, 22, 23}, 3},     // each further chaff adds one
    };
    for (const Case& c : cases) {
        Table table = EmptyTable();
        EXPECT_EQ(CaptureAndScore(table, 0, c.cards), c.mon) << "first card " << c.cards.front();
    }
}

TEST(ScoreCombinations, IsRepeatableAndKeepsEntries) {
    Table table = EmptyTable();
    CaptureAndScore(table, 0, {1, 5, 9});
    const int32_t first = ScoreCombinations(table, 0);
    const int32_t second = ScoreCombinations(table, 0);
    EXPECT_EQ(first, 6);
    EXPECT_EQ(second, first);
    // A counter that falls below its threshold later leaves the entry set.
    table.YakuProgress[0][RedRibbons] = -1;
    EXPECT_EQ(ScoreCombinations(table, 0), 0);
    EXPECT_EQ(table.YakuScore[0][RedRibbons], 6);
}

}  // namespace
}  // namespace koikoi
