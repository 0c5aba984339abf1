// The koi-koi decisions: each opponent's conditions, the turn limits of the look-ahead and the human's threats.
#include <gtest/gtest.h>

#include <cstdint>
#include <functional>

#include "opponents/koikoi_decision.h"
#include "tests/opponents/table_setup.h"

namespace koikoi {
namespace {

using test::TableSetup;

// The computer has four ribbons, two of them blue; the missing blue ribbon
// (37) is in its hand and the deer (36) on the field, so it takes it next
// play. The human has nothing. Every opponent but the first plays on here.
TableSetup PlaysOn() {
    TableSetup setup;
    setup.Captured(1, {21, 33, 13, 17})
        .Progress(1, BlueRibbons, 2)
        .Progress(1, RibbonSet, 4)
        .ComputerHand({37, 0, 45})
        .Field({36, 2})
        .MonthAndTurn(1, 5);
    return setup;
}

struct DecisionCase {
    const char* name;
    std::function<void(TableSetup&)> change;
    int32_t answer[4];  // opponents 0..3
};

const DecisionCase kDecisionCases[] = {
    {"plays on", [](TableSetup&) {}, {kNo, kYes, kYes, kYes}},
    {"human counters ruled out", [](TableSetup& s) { s.AllProgress(0, -5); }, {kNo, kYes, kYes, kYes}},
    {"human four animals", [](TableSetup& s) { s.Progress(0, AnimalSet, 4); }, {kNo, kNo, kNo, kNo}},
    {"human four ribbons", [](TableSetup& s) { s.Progress(0, RibbonSet, 4); }, {kNo, kNo, kNo, kNo}},
    {"human nine chaff", [](TableSetup& s) { s.Progress(0, ChaffSet, 9); }, {kNo, kNo, kNo, kNo}},
    {"human eight chaff", [](TableSetup& s) { s.Progress(0, ChaffSet, 8); }, {kNo, kYes, kYes, kYes}},
    {"no set one short", [](TableSetup& s) { s.Progress(1, BlueRibbons, 1); }, {kNo, kYes, kNo, kNo}},
    {"nine chaff, no set one short",
     [](TableSetup& s) { s.Progress(1, BlueRibbons, -2).Progress(1, RibbonSet, 3).Progress(1, ChaffSet, 9); },
     {kNo, kYes, kNo, kNo}},
    {"not near a count combination", [](TableSetup& s) { s.Progress(1, RibbonSet, 3); }, {kNo, kNo, kNo, kNo}},
    // The human is one short of the red ribbons, missing the curtain's 9.
    {"human threat", [](TableSetup& s) { s.Captured(0, {1, 5}).Progress(0, RedRibbons, 2); },
     {kNo, kNo, kNo, kNo}},
    {"human threat held by the computer",
     [](TableSetup& s) { s.Captured(0, {1, 5}).Progress(0, RedRibbons, 2).ComputerHand({9}); },
     {kNo, kNo, kYes, kYes}},
    // Without the deer on the field only the look-ahead counts on 37.
    {"missing card needs a later play",
     [](TableSetup& s) {
         Table& t = s.mutableTable();
         t.SlotCards[t.CardSlots[36]] = kNoCard;
         t.SlotCards[kStockFirst + 36] = 36;
         t.CardSlots[36] = kStockFirst + 36;
         t.Owner[36] = OwnerUnseen;
         t.FieldByMonth[9] = 0;
     },
     {kNo, kYes, kNo, kYes}},
    {"stopping wins the month", [](TableSetup& s) { s.Mon(1, 4, 6); }, {kNo, kNo, kYes, kYes}},
    {"stopping leaves the month open", [](TableSetup& s) { s.Mon(1, 3, 6); }, {kNo, kYes, kYes, kYes}},
};

TEST(DecideKoiKoi, EachOpponentsConditions) {
    for (const DecisionCase& c : kDecisionCases) {
        TableSetup setup = PlaysOn();
        c.change(setup);
        for (int32_t opponent = 0; opponent < kOpponents; ++opponent) {
            EXPECT_EQ(DecideKoiKoi(setup.table(), opponent), c.answer[opponent])
                << c.name << ", opponent " << opponent;
        }
    }
}

TEST(DecideKoiKoi, OpponentOneStopsAtEachHumanLimit) {
    struct Limit {
        Yaku counter;
        int8_t most;
    };
    const Limit limits[] = {{FiveBrights, 3}, {RedRibbons, 1}, {BlueRibbons, 1}, {BoarDeerButterfly, 1},
                            {CurtainSake, 0}, {MoonSake, 0},   {AnimalSet, 3},   {RibbonSet, 3},
                            {ChaffSet, 8}};
    for (const Limit& limit : limits) {
        for (const int8_t value : {int8_t{-9}, limit.most}) {
            TableSetup setup = PlaysOn();
            setup.Progress(0, limit.counter, value);
            EXPECT_EQ(DecideKoiKoi(setup.table(), 1), kYes) << "counter " << limit.counter << " at " << int{value};
        }
        TableSetup setup = PlaysOn();
        setup.Progress(0, limit.counter, static_cast<int8_t>(limit.most + 1));
        EXPECT_EQ(DecideKoiKoi(setup.table(), 1), kNo) << "counter " << limit.counter << " above";
    }
}

TEST(DecideKoiKoi, OpponentOneNeedsOneHighCounter) {
    struct Row {
        int8_t animals, ribbons, chaff;
        int32_t answer;
    };
    const Row rows[] = {{3, 3, 8, kNo}, {4, 3, 8, kYes}, {3, 4, 8, kYes}, {3, 3, 9, kYes}, {-2, -2, -2, kNo}};
    for (const Row& row : rows) {
        TableSetup setup;
        setup.Progress(1, AnimalSet, row.animals).Progress(1, RibbonSet, row.ribbons).Progress(1, ChaffSet, row.chaff);
        EXPECT_EQ(DecideKoiKoi(setup.table(), 1), row.answer)
            << int{row.animals} << " " << int{row.ribbons} << " " << int{row.chaff};
    }
}

// The computer one short of the blue ribbons, missing 37, with no October
// card on the field: it must still play 37 and then catch it.
TableSetup LookAhead(std::initializer_list<CardId> october, int8_t month, int8_t turn) {
    TableSetup setup;
    setup.Captured(1, {21, 33, 13, 17})
        .Progress(1, BlueRibbons, 2)
        .Progress(1, RibbonSet, 4)
        .ComputerHand(october)
        .ComputerHand({0})
        .MonthAndTurn(month, turn);
    return setup;
}

TEST(ComputerChance, LookAheadPlayLimits) {
    struct Row {
        std::initializer_list<CardId> october;
        int8_t month;
        int8_t turn;
        int32_t chance;
    };
    const Row rows[] = {
        // The missing card and one more of its month: plays before L.
        {{37, 38}, 1, 11, 1}, {{37, 38}, 1, 13, -1}, {{37, 38}, 2, 12, 1}, {{37, 38}, 2, 14, -1},
        {{37, 38}, 11, 11, 1}, {{37, 38}, 12, 13, 1},
        // The missing card alone: plays before L - 2.
        {{37}, 1, 9, 1}, {{37}, 1, 11, -1}, {{37}, 2, 10, 1}, {{37}, 2, 12, -1},
    };
    for (const Row& row : rows) {
        const Table table = LookAhead(row.october, row.month, row.turn).table();
        EXPECT_EQ(ComputerChance(table, true), row.chance) << "month " << int{row.month} << ", play " << int{row.turn};
        EXPECT_EQ(ComputerChance(table, false), -1) << "month " << int{row.month} << ", play " << int{row.turn};
        EXPECT_EQ(DecideKoiKoi(table, 3), row.chance == 1 ? kYes : kNo);
        EXPECT_EQ(DecideKoiKoi(table, 2), kNo);
    }
}

TEST(ComputerChance, SureWithoutLookAhead) {
    // One short of boar-deer-butterflies, missing the deer 36.
    auto deerMissing = [] {
        TableSetup setup;
        setup.Captured(1, {20, 24}).Progress(1, BoarDeerButterfly, 2).MonthAndTurn(1, 13);
        return setup;
    };
    TableSetup closedTakes = deerMissing();  // 38 in hand takes 36; 37, 39 gone
    closedTakes.ComputerHand({38}).Field({36}).Captured(0, {37, 39});
    EXPECT_EQ(ComputerChance(closedTakes.table(), false), 1);

    TableSetup wholeMonth = deerMissing();
    wholeMonth.ComputerHand({36, 37, 38, 39});
    EXPECT_EQ(ComputerChance(wholeMonth.table(), false), 1);

    TableSetup heldWithField = deerMissing();
    heldWithField.ComputerHand({36}).Field({38});
    EXPECT_EQ(ComputerChance(heldWithField.table(), false), 1);

    TableSetup openMonth = deerMissing();  // 37 and 39 may still reach the human
    openMonth.ComputerHand({38}).Field({36});
    EXPECT_EQ(ComputerChance(openMonth.table(), false), -1);
    EXPECT_EQ(ComputerChance(openMonth.table(), true), -1);
}

TEST(HumanThreat, MoonAndSakeWithTheSakeCupInTheComputersHand) {
    struct Row {
        const char* name;
        int8_t month;
        int8_t turn;
        bool septemberClosed;
        int32_t threat;
    };
    const Row rows[] = {
        {"odd month, before play 13", 1, 11, false, 1},
        {"odd month, play 13", 1, 13, false, -1},
        {"odd month, play 13, September closed", 1, 13, true, 1},
        {"even month, play 14", 2, 14, false, 1},
        {"even month, play 12", 12, 12, false, 1},
    };
    for (const Row& row : rows) {
        TableSetup setup;
        setup.Captured(0, {28}).Progress(0, MoonSake, 1).ComputerHand({32}).MonthAndTurn(row.month, row.turn);
        if (row.septemberClosed) setup.Field({33}).Captured(1, {34, 35});
        EXPECT_EQ(HumanThreat(setup.table()), row.threat) << row.name;
    }
}

TEST(HumanThreat, MissingCardAndSearchOrder) {
    // The sake cup taken, so the curtain is missing; unseen it is a threat.
    TableSetup curtain;
    curtain.Captured(0, {32}).Progress(0, CurtainSake, 1);
    EXPECT_EQ(HumanThreat(curtain.table()), -1);
    curtain.ComputerHand({8});
    EXPECT_EQ(HumanThreat(curtain.table()), 1);

    // A harmless first set does not hide a later threatening one.
    TableSetup both;
    both.Captured(0, {1, 5, 28}).Progress(0, RedRibbons, 2).Progress(0, MoonSake, 1).ComputerHand({9});
    EXPECT_EQ(HumanThreat(both.table()), -1);

    // The missing card is the first key card not in the human's piles.
    TableSetup firstKey;
    firstKey.Captured(0, {5, 9}).Progress(0, RedRibbons, 2).ComputerHand({1});
    EXPECT_EQ(HumanThreat(firstKey.table()), 1);

    // Closed on the field: the month's other cards are captured or on the field.
    TableSetup closedField;
    closedField.Captured(0, {1, 5}).Progress(0, RedRibbons, 2).Field({9, 10}).Captured(1, {8, 11});
    EXPECT_EQ(HumanThreat(closedField.table()), 1);
}

}  // namespace
}  // namespace koikoi
