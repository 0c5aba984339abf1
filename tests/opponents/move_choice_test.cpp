// The shared move choice: the worked deal, every tie-break, closed months and the field-card choice.
#include <gtest/gtest.h>

#include <array>
#include <cstdint>

#include "opponents/move_choice.h"
#include "tests/opponents/table_setup.h"

namespace koikoi {
namespace {

using test::TableSetup;
using List = std::array<int32_t, 4>;

struct Choice {
    bool capture;
    List list;
};

Choice Choose(const Table& table, int32_t opponent) {
    int32_t matchList[4] = {7, 7, 7, 7};  // stale values must all be overwritten
    const bool capture = ChooseHandCard(table, opponent, matchList);
    return {capture, {matchList[0], matchList[1], matchList[2], matchList[3]}};
}

void ExpectChoice(const Table& table, int32_t opponent, bool capture, List list) {
    const Choice choice = Choose(table, opponent);
    EXPECT_EQ(choice.capture, capture) << "opponent " << opponent;
    EXPECT_EQ(choice.list, list) << "opponent " << opponent;
}

// All counters 0, nothing captured; the computer's hand in slots 56..63 and
// the field in 160..167.
TableSetup WorkedDeal(CardId sixthHandCard) {
    TableSetup setup;
    setup.ComputerHand({0, 13, 22, 30, 45, sixthHandCard, 10, 38}).Field({2, 3, 28, 47, 36, 41, 17, 5});
    return setup;
}

TEST(ListHandOptions, GroupsHandCardsWithTheirFieldMonthInSlotOrder) {
    TableSetup setup;
    setup.ComputerHand({0, 13}).FieldAt(170, 3).FieldAt(175, 2).FieldAt(162, 1).Field({12});
    Table& table = setup.mutableTable();
    // A card of the month in an overlay slot or turned up is not a match.
    table.SlotCards[table.CardSlots[14]] = kNoCard;
    table.SlotCards[OverlaySlot(165)] = 14;
    table.CardSlots[14] = OverlaySlot(165);
    table.SlotCards[table.CardSlots[15]] = kNoCard;
    table.SlotCards[DrawnSlot] = 15;
    table.CardSlots[15] = DrawnSlot;
    // Hand slot 58 left empty, the card in 59 still in group 3.
    table.SlotCards[table.CardSlots[45]] = kNoCard;
    table.SlotCards[59] = 45;
    table.CardSlots[45] = 59;

    int32_t options[32];
    ListHandOptions(table, 1, options);
    const int32_t expected[32] = {0,  1,  3,  2,  13, 12, -1, -1, -1, -1, -1, -1, 45, -1, -1, -1,
                                  -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1};
    for (int32_t i = 0; i < 32; ++i) EXPECT_EQ(options[i], expected[i]) << "element " << i;

    TableSetup human;
    human.HumanHand({44, 20}).Field({21, 47});
    ListHandOptions(human.table(), 0, options);
    EXPECT_EQ((List{options[0], options[1], options[2], options[3]}), (List{44, 47, -1, -1}));
    EXPECT_EQ((List{options[4], options[5], options[6], options[7]}), (List{20, 21, -1, -1}));
}

TEST(ChooseHandCard, WorkedDealForEveryOpponent) {
    const Table table = WorkedDeal(7).table();
    ExpectChoice(table, 0, true, {38, 36, -1, -1});
    ExpectChoice(table, 1, true, {30, 28, -1, -1});
    ExpectChoice(table, 2, true, {30, 28, -1, -1});
    ExpectChoice(table, 3, true, {30, 28, -1, -1});
}

TEST(ChooseHandCard, WorkedDealWithTwoDecemberCardsTakesWithTheLaterOne) {
    // 45 and 46 in hand, 47 on the field: both carry the pair bonus and tie.
    const Table table = WorkedDeal(46).table();
    for (int32_t opponent = 0; opponent < kOpponents; ++opponent) {
        ExpectChoice(table, opponent, true, {46, 47, -1, -1});
    }
}

struct TieCase {
    const char* name;
    std::initializer_list<CardId> hand;
    std::initializer_list<CardId> field;
    bool capture;
    List list;
};

// Opponent 0 with every counter 0: chaff 2 (half-worth 1), the crane 24 (12).
const TieCase kTieCases[] = {
    {"equal captures: the later group", {2, 6}, {3, 7}, true, {6, 7, -1, -1}},
    {"equal captures, hand reversed", {6, 2}, {3, 7}, true, {2, 3, -1, -1}},
    {"equal discards: the later group", {2, 6, 14}, {}, false, {14, -1, -1, -1}},
    {"cheapest discard, not the last", {2, 0}, {}, false, {2, -1, -1, -1}},
    {"any capture beats discarding", {0, 45, 2}, {47}, true, {45, 47, -1, -1}},
    {"two equal matches: lower slot stays", {8}, {11, 10}, true, {8, 11, -1, -1}},
    {"two matches: the better moves up", {10}, {11, 9}, true, {10, 9, -1, -1}},
    {"three matches take the month", {2}, {0, 1, 3}, true, {2, 0, 1, 3}},
    {"lone card is laid down", {40}, {}, false, {40, -1, -1, -1}},
    // A capture total of 78 (crane and red ribbon) against 6 + 100.
    {"pair bonus outweighs", {0, 45, 46}, {1, 47}, true, {46, 47, -1, -1}},
    {"no pair bonus for one card", {0, 45}, {1, 47}, true, {0, 1, -1, -1}},
};

TEST(ChooseHandCard, TieBreaksAndGroups) {
    for (const TieCase& c : kTieCases) {
        TableSetup setup;
        setup.ComputerHand(c.hand).Field(c.field);
        const Choice choice = Choose(setup.table(), 0);
        EXPECT_EQ(choice.capture, c.capture) << c.name;
        EXPECT_EQ(choice.list, c.list) << c.name;
    }
}

TEST(ChooseHandCard, ReductionWeighsTheHumanAtHalf) {
    // The curtain is worth 0 to the computer and 44 to the human, the red
    // ribbon 28 and 4: 0 + 22 < 28 + 2 here, while in full 44 > 32.
    TableSetup setup;
    setup.ComputerHand({10})
        .FieldAt(161, 8)
        .FieldAt(162, 9)
        .Progress(1, FiveBrights, -1)
        .Progress(1, CurtainSake, -1)
        .Progress(0, RedRibbons, -4);
    ExpectChoice(setup.table(), 0, true, {10, 9, -1, -1});

    int32_t drawn[4] = {11, 8, 9, -1};
    ChooseFieldCard(setup.table(), 0, 1, drawn);
    EXPECT_EQ((List{drawn[0], drawn[1], drawn[2], drawn[3]}), (List{11, 8, -1, -1}));
}

TEST(ChooseHandCard, ZeroTotalCaptureIsStillACapture) {
    // Every counter ruled out: the rain man and a chaff card are worth 0 to
    // the graded table, and a capture total of 0 still meets the start of 0.
    TableSetup setup;
    setup.ComputerHand({40, 2}).Field({43}).AllProgress(0, -1).AllProgress(1, -1);
    ExpectChoice(setup.table(), 2, true, {40, 43, -1, -1});
}

TEST(ChooseHandCard, ClosedMonthCaptureWaitsBehindAnOpenOne) {
    // January is closed: the crane in hand, the ribbon on the field, both
    // chaff captured. December's 45 and 47 are worth little but open.
    for (int32_t opponent = 0; opponent < kOpponents; ++opponent) {
        TableSetup open;
        open.ComputerHand({0, 45}).Field({1, 47}).Captured(0, {2, 3});
        ExpectChoice(open.table(), opponent, true, {45, 47, -1, -1});

        TableSetup closedOnly;
        closedOnly.ComputerHand({0, 45}).Field({1}).Captured(0, {2, 3});
        ExpectChoice(closedOnly.table(), opponent, true, {0, 1, -1, -1});
    }
}

TEST(ChooseHandCard, ClosedMonthCardIsLaidDownFirst) {
    for (int32_t opponent = 0; opponent < kOpponents; ++opponent) {
        // The phoenix, worth much, is safe to lay down: 45..47 are captured.
        TableSetup closed;
        closed.ComputerHand({44, 14}).Captured(1, {45, 46}).Captured(0, {47});
        ExpectChoice(closed.table(), opponent, false, {44, -1, -1, -1});

        // With December open the cheap April chaff goes instead.
        TableSetup open;
        open.ComputerHand({44, 14}).Captured(1, {45, 46});
        ExpectChoice(open.table(), opponent, false, {14, -1, -1, -1});
    }
}

TEST(ChooseHandCard, LastSafeCaptureAndLastSafeDiscard) {
    TableSetup captures;  // January and February both closed
    captures.ComputerHand({0, 4, 45}).Field({1, 5}).Captured(0, {2, 3, 6, 7});
    ExpectChoice(captures.table(), 0, true, {4, 5, -1, -1});

    TableSetup discards;  // January and February closed, nothing on the field
    discards.ComputerHand({0, 1, 4, 45}).Captured(0, {2, 3, 6, 7}).Captured(1, {5});
    ExpectChoice(discards.table(), 0, false, {4, -1, -1, -1});
}

TEST(ChooseHandCard, EmptyHandWritesNothingPlayable) {
    const Choice choice = Choose(TableSetup().table(), 1);
    EXPECT_FALSE(choice.capture);
    EXPECT_EQ(choice.list, (List{-1, -1, -1, -1}));
}

TEST(ChooseHandCard, MayWriteIntoTheTablesOwnMatchList) {
    TableSetup setup = WorkedDeal(7);
    Table& table = setup.mutableTable();
    for (int32_t opponent = 0; opponent < kOpponents; ++opponent) {
        const Choice apart = Choose(table, opponent);
        for (int32_t& element : table.MatchList) element = 5;
        const bool capture = ChooseHandCard(table, opponent, table.MatchList);
        EXPECT_EQ(capture, apart.capture);
        EXPECT_EQ((List{table.MatchList[0], table.MatchList[1], table.MatchList[2], table.MatchList[3]}),
                  apart.list);
    }
}

TEST(ChooseFieldCard, TakesTheBetterOfExactlyTwo) {
    struct Row {
        const char* name;
        List in;
        List out;
    };
    // Opponent 0, every counter 0: the curtain 44 to each side, the red
    // ribbon 28, chaff 2.
    const Row rows[] = {
        {"second better", {10, 11, 8, -1}, {10, 8, -1, -1}},
        {"first better", {10, 9, 11, -1}, {10, 9, -1, -1}},
        {"equal: first stays", {8, 10, 11, -1}, {8, 10, -1, -1}},
        {"one match", {10, 11, -1, -1}, {10, 11, -1, -1}},
        {"three matches", {10, 8, 9, 11}, {10, 8, 9, 11}},
        {"no match", {10, -1, -1, -1}, {10, -1, -1, -1}},
    };
    const Table table = TableSetup().table();
    for (const Row& row : rows) {
        for (int32_t side = 0; side < 2; ++side) {
            int32_t list[4] = {row.in[0], row.in[1], row.in[2], row.in[3]};
            ChooseFieldCard(table, 0, side, list);
            EXPECT_EQ((List{list[0], list[1], list[2], list[3]}), row.out) << row.name << ", side " << side;
        }
    }
}

TEST(ChooseFieldCard, MayWriteIntoTheTablesOwnMatchList) {
    Table table = TableSetup().table();
    table.MatchList[0] = 10;
    table.MatchList[1] = 11;
    table.MatchList[2] = 8;
    table.MatchList[3] = -1;
    ChooseFieldCard(table, 0, 1, table.MatchList);
    EXPECT_EQ((List{table.MatchList[0], table.MatchList[1], table.MatchList[2], table.MatchList[3]}),
              (List{10, 8, -1, -1}));
}

}  // namespace
}  // namespace koikoi
