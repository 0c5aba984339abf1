// The calendar's edges played through clicks: the pauses before a game's
// first play, the month 11 -> 12 boundary, the year's end, and the game's
// end when the player declines a new year.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "game/texts.h"
#include "tests/flow/flow_fixture.h"

namespace koikoi {
namespace {

using testing::FlowFixture;
using testing::PaintCall;
using testing::Place;
using testing::PlaceAll;
using testing::StackStock;

int32_t CardsIn(const Table& table, SlotId first) {
    int32_t cards = 0;
    for (SlotId slot = first; slot < first + kHandSize; ++slot)
        cards += table.SlotCards[slot] != kNoCard;
    return cards;
}

// The human at play 3 of a day in `month`, 4 mon to 3 in the month, holding
// the first two red poetry ribbons: playing 9 (the third) on the March chaff
// makes 6 mon, which the human banks by answering No to koi-koi, and the 10
// mon win the month by 1 kan.
struct MonthWinFixture : FlowFixture {
    explicit MonthWinFixture(int8_t month) {
        table.MonthNumber = month;
        table.TurnCount = 3;
        table.OpponentId = 1;
        table.MonthMon[0] = 4;
        table.MonthMon[1] = 3;
        table.KanBalance[0] = 50;
        table.KanBalance[1] = 22;
        PlaceAll(table, {9, 47}, kHumanHand);
        PlaceAll(table, {10, 18, 19}, kFieldFirst);
        PlaceAll(table, {3, 4, 6}, kComputerHand);
        for (CardId ribbon : {1, 5}) {
            Place(table, ribbon, 22 + table.PileCount[0][2]++);
            table.Owner[ribbon] = OwnerHuman;
            ++table.TakenByMonth[MonthOf(ribbon)];
        }
        table.YakuProgress[0][RedRibbons] = 2;
        table.YakuProgress[0][RibbonSet] = 2;
        table.GameState = StateChooseHand;
        SetCurrentSide(table, 0);
        StackStock(table, {39});  // the human's draw takes nothing
        host.watched = &table;
    }
};

// After the month is won the calendar moves on: month 11 and 12 are led by
// the computer and the human in turn, the twelfth month ends the year with
// the new-year question, and a No ends the game with the balances as won.
TEST(CalendarEdges, WinningTheMonthAroundTheYearsEnd) {
    struct Case {
        int8_t month;
        int32_t newYearAnswer;  // given only if asked
        int8_t monthAfter;
        size_t questions;  // koi-koi, then the new year
        uint8_t state;
        int32_t computerHand, humanHand;  // cards held when the handler returns
        int8_t humanKan;
    };
    const std::vector<Case> cases = {
        // Month 11 is odd: the computer leads and has played its first card.
        {10, kYes, 11, 1, StateChooseHand, 7, 8, 51},
        // Month 12 is even: the human leads, nothing played yet.
        {11, kYes, 12, 1, StateChooseHand, 8, 8, 51},
        // The year's end: a new year starts month 1 at 36 kan each.
        {12, kYes, 1, 2, StateChooseHand, 7, 8, 36},
        // Declined: the game is over on the last board.
        {12, kNo, 12, 2, StateGameOver, 3, 1, 51},
    };
    for (const Case& c : cases) {
        MonthWinFixture f(c.month);
        f.host.answers = {kNo, c.newYearAnswer};
        f.ClickSlot(0);
        const std::string where = "month " + std::to_string(c.month) + ", new year " +
                                  (c.newYearAnswer == kYes ? "yes" : "no");
        EXPECT_EQ(f.host.records, std::vector<int32_t>{1}) << where;
        EXPECT_EQ(f.table.MonthNumber, c.monthAfter) << where;
        ASSERT_EQ(f.host.asked.size(), c.questions) << where;
        if (c.questions == 2) {
            EXPECT_EQ(f.host.asked[1], TextId::AskNewYear) << where;
        }
        EXPECT_EQ(f.table.GameState, c.state) << where;
        EXPECT_EQ(CardsIn(f.table, kComputerHand), c.computerHand) << where;
        EXPECT_EQ(CardsIn(f.table, kHumanHand), c.humanHand) << where;
        EXPECT_EQ(f.table.KanBalance[0], c.humanKan) << where;
        EXPECT_EQ(f.table.KanBalance[0] + f.table.KanBalance[1], 72) << where;
        EXPECT_TRUE(f.host.faults.empty()) << where << ": " << f.host.faults.front();
    }
}

// Declining the new year: the notice of how to end the game, the board
// painted once more, and then nothing: no deal, no computer play, clicks
// ignored until the game is closed from the menu.
TEST(CalendarEdges, DecliningTheNewYearShowsHowToEndAndStops) {
    MonthWinFixture f(12);
    f.host.answers = {kNo, kNo};
    f.ClickSlot(0);
    ASSERT_EQ(f.host.told, std::vector<TextId>{TextId::HowToEnd});
    EXPECT_EQ(f.host.paints.back(), (PaintCall{SceneTurn, 0, -1, 0, -1, 0}));
    EXPECT_EQ(f.table.GameState, StateGameOver);
    EXPECT_EQ(f.host.destroyed, 0);

    const Table over = f.table;
    f.host.Clear();
    f.ClickSlot(1);
    HandleBoardClick(f.match, 300, 300);
    EXPECT_EQ(std::memcmp(&over, &f.table, sizeof over), 0);
    EXPECT_TRUE(f.host.paints.empty());
    EXPECT_EQ(f.host.told.size(), 1u);
}

// A close asked for during the year's last pauses takes effect once the
// notice has been shown and the game has ended.
TEST(CalendarEdges, ACloseRequestedBeforeTheDeclineClosesAtTheEnd) {
    MonthWinFixture f(12);
    f.host.answers = {kNo, kNo};
    f.host.quitRequested = true;
    f.ClickSlot(0);
    EXPECT_EQ(f.host.told.size(), 1u);
    EXPECT_EQ(f.table.GameState, StateGameOver);
    EXPECT_EQ(f.host.destroyed, 1);
}

// A host that notes how long the game had paused when the computer chose
// its first card.
struct FirstPlayHost : testing::RecordingHost {
    int64_t pausedBeforeFirstPlay = -1;
    size_t pausesBeforeFirstPlay = 0;
    void NoteComputerPlay(bool, const int32_t (&)[4]) override {
        if (pausedBeforeFirstPlay >= 0) return;
        pausedBeforeFirstPlay = TotalPause();
        pausesBeforeFirstPlay = pauses.size();
    }
};

// A game begins with 4 s of announcements (year 1000, month 500 + 1000,
// day 500 + 1000), the 5.42 s deal and half a second, then the computer
// plays first; its chosen card stays framed a whole second.
TEST(CalendarEdges, TheGamesFirstPlayComesAfter9920Milliseconds) {
    for (const uint64_t seed : {1u, 2u, 3u}) {
        Table table = testing::EmptyTable();
        FirstPlayHost host;
        Random random(seed);
        const SlotPositions positions = testing::TestLayout();
        Match match{table, host, random, positions, 1.0f};
        StartGame(match);
        EXPECT_EQ(host.pausedBeforeFirstPlay, 1000 + 1000 + 500 + 1000 + 500 + 5420 + 500)
            << "seed " << seed;
        ASSERT_GT(host.pauses.size(), host.pausesBeforeFirstPlay);
        EXPECT_EQ(host.pauses[host.pausesBeforeFirstPlay], 1000) << "the first card's frame";
        EXPECT_EQ(table.MonthNumber, 1);
        EXPECT_EQ(host.gameModeSwitches, 1);
    }
}

}  // namespace
}  // namespace koikoi
