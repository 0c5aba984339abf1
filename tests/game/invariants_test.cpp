// The table checker fed one kind of break at a time: it must find each and
// name it, and find nothing in a table the game itself produced.
#include "game/invariants.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "game/moves.h"
#include "tests/game/recording_host.h"
#include "tests/game/table_builder.h"

namespace koikoi {
namespace {

SlotId FirstOccupied(const Table& table, SlotId first, SlotId last) {
    for (SlotId slot = first; slot <= last; ++slot) {
        if (table.SlotCards[slot] != kNoCard) return slot;
    }
    return kNoSlot;
}

SlotId FirstEmpty(const Table& table, SlotId first, SlotId last) {
    for (SlotId slot = first; slot <= last; ++slot) {
        if (table.SlotCards[slot] == kNoCard) return slot;
    }
    return kNoSlot;
}

// A day dealt and played for eight plays, each side playing its first hand
// card and taking the first field card offered: cards in hands, on the
// field, in the stock and in both sides' piles.
Table PlayedTable() {
    Table table = testing::EmptyTable();
    testing::RecordingHost host;
    Random random(5);
    ShuffleStock(table, random);
    DealCards(table, host, 1);
    for (int32_t play = 0; play < 8; ++play) {
        const auto side = static_cast<int8_t>(play % 2 == 0 ? 1 : 0);
        SetCurrentSide(table, side);
        const SlotId hand =
            FirstOccupied(table, kSideBlock * side, kSideBlock * side + kHandSize - 1);
        for (CardId card : {table.SlotCards[hand], kNoCard}) {
            if (card == kNoCard) {
                DrawFromStock(table, host);
                card = table.SlotCards[DrawnSlot];
            }
            const int32_t found = FindMatches(table, card, table.MatchList);
            if (found == 0) {
                DiscardToField(table, host, table.MatchList);
                continue;
            }
            if (found == 2) table.MatchList[2] = kNoCard;
            CaptureCards(table, host, side, table.MatchList);
        }
    }
    table.GameState = StateChooseHand;
    return table;
}

TEST(TableChecker, FindsNothingInAPlayedTable) {
    const Table table = PlayedTable();
    EXPECT_EQ(FindTableFault(table, Check::Full), nullptr);
    // The breaks below need both sides to have captured something.
    ASSERT_NE(FirstOccupied(table, 8, 55), kNoSlot);
    ASSERT_NE(FirstOccupied(table, 64, 111), kNoSlot);
}

TEST(TableChecker, NamesEachKindOfBreak) {
    struct Break {
        const char* fault;  // what the checker must say
        Check check;        // the lightest check that must find it
        std::function<void(Table&)> apply;
    };
    // A card on the field and an empty field slot to misplace things with.
    auto fieldCard = [](const Table& t) {
        return t.SlotCards[FirstOccupied(t, kFieldFirst, kFieldLast)];
    };
    auto emptyField = [](const Table& t) { return FirstEmpty(t, kFieldFirst, kFieldLast); };
    const std::vector<Break> breaks = {
        {"a card lies in two slots", Check::Slots,
         [&](Table& t) { t.SlotCards[emptyField(t)] = fieldCard(t); }},
        {"a card lies in no slot", Check::Slots,
         [&](Table& t) { t.SlotCards[t.CardSlots[fieldCard(t)]] = kNoCard; }},
        {"a slot holds a value that is no card", Check::Slots,
         [&](Table& t) { t.SlotCards[emptyField(t)] = kCards; }},
        {"CardSlots disagrees with SlotCards", Check::Slots,
         [&](Table& t) {
             std::swap(t.CardSlots[fieldCard(t)], t.CardSlots[t.SlotCards[kStockFirst]]);
         }},
        {"CardSlots disagrees with SlotCards", Check::Slots,
         [&](Table& t) { t.CardSlots[fieldCard(t)] = kSlots; }},
        {"CurrentSide is neither 0 nor 1", Check::Slots,
         [](Table& t) {
             t.CurrentSide = 2;
             t.OtherSide = -1;
         }},
        {"OtherSide is not 1 - CurrentSide", Check::Slots,
         [](Table& t) { t.OtherSide = t.CurrentSide; }},
        {"MonthNumber is outside 0..12", Check::Full, [](Table& t) { t.MonthNumber = 13; }},
        {"TurnCount is outside 0..16", Check::Full, [](Table& t) { t.TurnCount = 17; }},
        {"TurnCount is outside 0..16", Check::Full, [](Table& t) { t.TurnCount = -1; }},
        {"GameState is outside 0..5", Check::Full, [](Table& t) { t.GameState = 6; }},
        {"OpponentId is outside 0..4", Check::Full, [](Table& t) { t.OpponentId = 5; }},
        {"KanBalance is outside 0..72", Check::Full, [](Table& t) { t.KanBalance[1] = 73; }},
        {"KanBalance is outside 0..72", Check::Full, [](Table& t) { t.KanBalance[0] = -1; }},
        {"TodayMon is negative", Check::Full, [](Table& t) { t.TodayMon[0] = -2; }},
        {"MonthMon is negative", Check::Full, [](Table& t) { t.MonthMon[1] = -1; }},
        {"KoiCalled is neither 0 nor 1", Check::Full, [](Table& t) { t.KoiCalled[1] = 2; }},
        {"a PileCount is beyond its pile", Check::Full, [](Table& t) { t.PileCount[0][0] = 6; }},
        {"a PileCount is beyond its pile", Check::Full, [](Table& t) { t.PileCount[1][3] = -1; }},
        {"Owner does not fit the card's slot", Check::Full,
         [&](Table& t) { t.Owner[fieldCard(t)] = OwnerComputerHand; }},
        {"FieldByMonth is off", Check::Full, [](Table& t) { ++t.FieldByMonth[3]; }},
        {"ComputerHandByMonth is off", Check::Full, [](Table& t) { --t.ComputerHandByMonth[11]; }},
        {"TakenByMonth is off", Check::Full, [](Table& t) { ++t.TakenByMonth[0]; }},
        {"a pile disagrees with PileCount", Check::Full, [](Table& t) { ++t.PileCount[0][3]; }},
        {"a card lies in the pile of another class", Check::Full,
         [](Table& t) {
             // Two of the human's captured cards of different classes swap
             // piles: every pile stays as full as its count says.
             const SlotId a = FirstOccupied(t, 8, 55);
             SlotId b = a + 1;
             while (b <= 55 && (t.SlotCards[b] == kNoCard ||
                                ClassOf(t.SlotCards[b]) == ClassOf(t.SlotCards[a]))) {
                 ++b;
             }
             ASSERT_LE(b, 55) << "the human must hold cards of two classes";
             std::swap(t.SlotCards[a], t.SlotCards[b]);
             t.CardSlots[t.SlotCards[a]] = a;
             t.CardSlots[t.SlotCards[b]] = b;
         }},
    };
    const Table played = PlayedTable();
    for (const Break& b : breaks) {
        Table table = played;
        b.apply(table);
        const char* found = FindTableFault(table, Check::Full);
        EXPECT_EQ(std::string(found != nullptr ? found : "nothing"), b.fault);
        // Faults of where cards lie are found by the lighter check as well.
        if (b.check == Check::Slots) {
            const char* light = FindTableFault(table, Check::Slots);
            EXPECT_EQ(std::string(light != nullptr ? light : "nothing"), b.fault);
        }
    }
}

}  // namespace
}  // namespace koikoi
