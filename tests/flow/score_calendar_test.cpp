// Scoring after a play, koi-koi, the banking of mon, kan and the calendar.
#include <gtest/gtest.h>

#include <vector>

#include "tests/flow/flow_fixture.h"

namespace koikoi {
namespace {

using testing::FlowFixture;
using testing::PaintCall;

// Gives a side a made set worth `mon` by setting its counters directly.
void GiveMon(Table& table, int8_t side, int32_t mon) {
    if (mon == 10) {
        table.YakuProgress[side][FiveBrights] = 5;
    } else if (mon == 6) {
        table.YakuProgress[side][RedRibbons] = 3;
    } else if (mon == 5) {
        table.YakuProgress[side][CurtainSake] = 2;
    }
}

struct ScoreFixture : FlowFixture {
    int32_t Score(int8_t side) {
        SetCurrentSide(table, side);
        return ScoreAfterPlay(match, side);
    }
};

TEST(ScoreAfterPlay, AnsweringNoBanksTheDayForTheMonth) {
    ScoreFixture f;
    f.table.TurnCount = 3;
    GiveMon(f.table, 0, 6);
    f.host.answers = {kNo};
    EXPECT_EQ(f.Score(0), NewDay);
    EXPECT_EQ(f.table.MonthMon[0], 6);
    EXPECT_EQ(f.table.TodayMon[0], 0);
    ASSERT_EQ(f.host.asked.size(), 1u);
    // Gain shown, added to the day, question, added to the month.
    const std::vector<PaintCall> expected = {
        {SceneTurn, 500, -1, 0, -1, 0},  {-1, 0, MsgAddToDay, 0, -1, 1500},  {SceneTurn, 0, -1, 0, -1, 0},
        {-1, 0, MsgAddToMonth, 0, -1, 1500}, {SceneTurn, 1500, -1, 0, -1, 0},
    };
    EXPECT_EQ(f.host.paints, expected);
}

TEST(ScoreAfterPlay, NoNewMonIsTheNextTurnUntilTheDayRunsOut) {
    for (int8_t turn : {int8_t{1}, int8_t{15}, int8_t{16}}) {
        ScoreFixture f;
        f.table.TurnCount = turn;
        f.table.TodayMon[1] = 6;  // banked earlier: no new mon now
        f.table.YakuProgress[1][RedRibbons] = 3;
        f.table.YakuScore[1][RedRibbons] = 6;
        EXPECT_EQ(f.Score(1), turn <= 15 ? NextTurn : NewDay) << "play " << int{turn};
        EXPECT_TRUE(f.host.paints.empty());
        EXPECT_EQ(f.table.TurnGain[1], 0);
    }
}

TEST(ScoreAfterPlay, AKoiKoiCallerLosesItsMonWhenTheOtherSideScores) {
    ScoreFixture f;
    f.table.TurnCount = 8;
    f.table.KoiCalled[0] = 1;
    f.table.TodayMon[0] = 6;
    f.table.YakuProgress[0][RedRibbons] = 3;
    GiveMon(f.table, 1, 5);
    f.table.OpponentId = 2;
    EXPECT_EQ(f.Score(1), NewDay);
    EXPECT_TRUE(f.host.asked.empty());  // no question for the side that wins at once
    EXPECT_EQ(f.table.MonthMon[1], 5);
    EXPECT_EQ(f.table.MonthMon[0], 0);
    EXPECT_EQ(f.table.TodayMon[0], 0);
}

TEST(ScoreAfterPlay, CallingKoiKoiKeepsTheDayOpen) {
    ScoreFixture f;
    f.table.TurnCount = 4;
    GiveMon(f.table, 0, 6);
    f.host.answers = {kYes};
    EXPECT_EQ(f.Score(0), NextTurn);
    EXPECT_EQ(f.table.KoiCalled[0], 1);
    EXPECT_EQ(f.table.TodayMon[0], 6);
    EXPECT_EQ(f.table.MonthMon[0], 0);
    EXPECT_EQ(f.host.paints.back(), (PaintCall{-1, 0, MsgKoiKoi, 0, -1, 1500}));
}

TEST(ScoreAfterPlay, NoQuestionOnPlays15And16) {
    for (int8_t turn : {int8_t{14}, int8_t{15}, int8_t{16}}) {
        ScoreFixture f;
        f.table.TurnCount = turn;
        GiveMon(f.table, 0, 5);
        f.host.answers = {kYes};
        const int32_t code = f.Score(0);
        EXPECT_EQ(f.host.asked.size(), turn < 15 ? 1u : 0u) << "play " << int{turn};
        EXPECT_EQ(code, turn < 15 ? NextTurn : NewDay);
    }
}

TEST(ScoreAfterPlay, TheComputersAnswerIsFollowedByAPauseEvenForTheFirstOpponent) {
    ScoreFixture f;
    f.table.TurnCount = 5;
    f.table.OpponentId = 0;
    GiveMon(f.table, 1, 5);
    f.Score(1);
    EXPECT_TRUE(f.host.asked.empty());
    // 500 gain + 1500 day + 1500 after the answer + 1500 month + 1500 repaint.
    EXPECT_EQ(f.host.TotalPause(), 6500);
    EXPECT_EQ(f.host.pauses[2], 1500);
}

// The month's kan: 1, 2 if the loser has no mon in the month, plus 1 when
// the winning day alone brought 10 mon or more.
TEST(ScoreAfterPlay, MonthsAreSettledInKan) {
    struct Case {
        int8_t side, monthBefore, loserMonth;
        int32_t dayMon, kan;
    };
    const std::vector<Case> cases = {
        {0, 4, 3, 6, 1}, {0, 4, 0, 6, 2}, {1, 0, 3, 10, 2}, {1, 0, 0, 10, 3}, {0, 9, 0, 5, 2},
    };
    for (const Case& c : cases) {
        ScoreFixture f;
        f.table.TurnCount = 15;  // no question
        f.table.MonthNumber = 4;
        f.table.MonthMon[c.side] = c.monthBefore;
        f.table.MonthMon[1 - c.side] = c.loserMonth;
        GiveMon(f.table, c.side, c.dayMon);
        EXPECT_EQ(f.Score(c.side), NewMonth);
        EXPECT_EQ(f.table.KanBalance[c.side], 36 + c.kan) << "day " << c.dayMon << " loser " << int{c.loserMonth};
        EXPECT_EQ(f.table.KanBalance[1 - c.side], 36 - c.kan);
        EXPECT_EQ(f.table.MonthMon[0], 0);
        EXPECT_EQ(f.table.MonthMon[1], 0);
        ASSERT_EQ(f.host.records.size(), 1u);
        EXPECT_EQ(f.host.records[0], c.side == 0 ? c.kan : -c.kan);
        // The result is announced, then recorded, then the board repainted.
        EXPECT_EQ(f.host.paints[f.host.paints.size() - 2], (PaintCall{-1, 0, MsgMonthWon, c.kan, -1, 1500}));
        EXPECT_EQ(f.host.paints.back(), (PaintCall{SceneTurn, 1500, -1, 0, -1, 0}));
    }
}

TEST(ScoreAfterPlay, TheTwelfthMonthEndsTheYear) {
    ScoreFixture f;
    f.table.TurnCount = 15;
    f.table.MonthNumber = 12;
    GiveMon(f.table, 0, 10);
    EXPECT_EQ(f.Score(0), NewYear);
}

TEST(AdvanceCalendar, ADeclinedNewYearEndsWithBalancesUnchanged) {
    FlowFixture f;
    f.table.MonthNumber = 12;
    f.table.KanBalance[0] = 50;
    f.table.KanBalance[1] = 22;
    f.host.answers = {kNo};
    EXPECT_EQ(AdvanceCalendar(f.match, NewYear), 0);
    EXPECT_EQ(f.table.KanBalance[0], 50);
    EXPECT_EQ(f.table.MonthNumber, 12);
    EXPECT_TRUE(f.host.paints.empty());
}

TEST(AdvanceCalendar, AnAcceptedNewYearStartsMonthOneWithFreshBalances) {
    FlowFixture f;
    f.table.MonthNumber = 12;
    f.table.KanBalance[0] = 50;
    f.table.KanBalance[1] = 22;
    f.table.TodayMon[0] = 3;
    f.table.KoiCalled[1] = 1;
    f.host.answers = {kYes};
    EXPECT_EQ(AdvanceCalendar(f.match, NewYear), 1);
    EXPECT_EQ(f.table.MonthNumber, 1);
    EXPECT_EQ(f.table.KanBalance[0], 36);
    EXPECT_EQ(f.table.KanBalance[1], 36);
    EXPECT_EQ(f.table.TurnCount, 1);
    EXPECT_EQ(f.table.TodayMon[0], 0);
    EXPECT_EQ(f.table.KoiCalled[1], 0);
    EXPECT_EQ(f.table.CurrentSide, 0);  // month 1: the computer leads, so the human is "current"
    // The new-year announcement stays a second before the month's repaint.
    EXPECT_EQ(f.host.paints[0], (PaintCall{SceneCards, 1000, MsgNewYear, 0, -1, 1000}));
    EXPECT_EQ(f.host.paints[1], (PaintCall{SceneMonth, 1000, MsgNewMonth, 0, -1, 1000}));
    EXPECT_EQ(f.host.paints[2], (PaintCall{SceneTurn, 1000, MsgNewDay, 0, -1, 500}));
    EXPECT_EQ(FindTableFault(f.table, Check::Full), nullptr);
    // The computer got the first packet: slots 56..59 filled first.
    EXPECT_EQ(StockTop(f.table), 135);
}

TEST(AdvanceCalendar, ADrawnDayBanksNothing) {
    FlowFixture f;
    f.table.MonthNumber = 2;
    f.table.TurnCount = 16;
    f.table.KoiCalled[0] = 1;
    f.table.TodayMon[0] = 6;
    f.table.MonthMon[0] = 3;
    EXPECT_EQ(AdvanceCalendar(f.match, NewDay), 1);
    EXPECT_EQ(f.table.TodayMon[0], 0);
    EXPECT_EQ(f.table.MonthMon[0], 3);
    EXPECT_EQ(f.table.KoiCalled[0], 0);
    EXPECT_EQ(f.table.CurrentSide, 1);  // even month: the human leads
    EXPECT_EQ(f.table.TurnCount, 1);
}

}  // namespace
}  // namespace koikoi
