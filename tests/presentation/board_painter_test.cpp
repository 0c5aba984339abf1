// The board painter's scene repaint: cards, month marker, score panels,
// combination labels and badge, and the order of its steps and pauses.
#include "presentation/board_painter.h"

#include <gtest/gtest.h>

#include "tests/presentation/recording.h"

namespace koikoi::testing {
namespace {

const BoardGeometry kGeometry = WideGeometry(TellingPositions());

Log Paint(const Table& table, int32_t scene, int32_t pauseBefore = 0, int32_t message = -1,
          int32_t amount = 0, int32_t slot = -1, int32_t pauseAfter = 0) {
    Log log;
    RecordingCanvas canvas(log);
    RecordingHost host(log);
    PaintBoard(table, kGeometry, canvas, host, scene, pauseBefore, message, amount, slot,
               pauseAfter);
    return log;
}

Point SlotPlace(SlotId slot) {
    return {1000 + slot, 2000 + slot};
}

// ---- steps and pauses ----

TEST(PaintBoardSteps, NothingToDoStillTakesAndReleasesTheContext) {
    const Log log = Paint(EmptyTable(), -1, 0, -1, 0, -1, 0);
    EXPECT_EQ(Ops(log), (std::vector<Op>{Op::Acquire, Op::Release}));
}

TEST(PaintBoardSteps, EveryStepInOrderWithPauseBeforeAfterTheSceneAndContextFreedBeforePauseAfter) {
    const Log log = Paint(EmptyTable(), SceneTurn, 1000, MsgKoiKoi, 0, 170, 500);
    std::vector<Op> ops = Ops(log);
    // Keep the steps' markers; the scene's copies and felt are checked elsewhere.
    std::erase_if(ops, [](Op op) { return op == Op::Copy || op == Op::Fill; });
    // clang-format off
    const std::vector<Op> expected = {
        Op::Acquire,
        Op::TextBox, Op::Present,  // scene with its turn label
        Op::Pause,                 // pauseBefore
        Op::TextBox, Op::Present,  // announcement
        Op::Frame, Op::Present,    // frame
        Op::Release,
        Op::Pause,                 // pauseAfter
    };
    // clang-format on
    EXPECT_EQ(ops, expected);

    const std::vector<Call> pauses = CallsOf(log, Op::Pause);
    ASSERT_EQ(pauses.size(), 2u);
    EXPECT_EQ(pauses[0].ms, 1000);
    EXPECT_EQ(pauses[1].ms, 500);
}

// The calls the match flow makes: how often each presents and how it pauses.
TEST(PaintBoardSteps, CallsOfTheMatchFlowPresentAndPauseAsAsked) {
    struct Row {
        int32_t scene, pauseBefore, message, amount, slot, pauseAfter;
        size_t presents;
        std::vector<int32_t> pauses;
    };
    const Row rows[] = {
        {0, 1000, 0, 0, -1, 0, 2, {1000}},           // new year
        {1, 1000, 1, 0, -1, 1000, 2, {1000, 1000}},  // new month
        {3, 1000, 2, 0, -1, 500, 2, {1000, 500}},    // new day
        {-1, 1000, 1, 0, -1, 500, 1, {1000, 500}},   // opening sequence
        {2, 80, -1, 0, -1, 0, 1, {80}},              // a dealt card
        {3, 0, -1, 0, -1, 0, 1, {}},
        {-1, 0, 5, 3, -1, 1500, 1, {1500}},  // the month's winner
        {-1, 0, -1, 0, 165, 500, 1, {500}},  // a capture's frame
        {4, 0, -1, 0, -1, -1, 1, {}},        // a negative pause is none
        {-1, -5, -1, 0, -1, 0, 0, {}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(::testing::Message() << "scene " << row.scene << " message " << row.message
                                          << " slot " << row.slot);
        const Log log = Paint(EmptyTable(), row.scene, row.pauseBefore, row.message, row.amount,
                              row.slot, row.pauseAfter);
        EXPECT_EQ(CallsOf(log, Op::Present).size(), row.presents);
        std::vector<int32_t> pauses;
        for (const Call& call : CallsOf(log, Op::Pause)) pauses.push_back(call.ms);
        EXPECT_EQ(pauses, row.pauses);
        EXPECT_EQ(log.front().op, Op::Acquire);
        EXPECT_TRUE(CallsOf(log, Op::PresentPage).empty());
    }
}

TEST(PaintBoardSteps, AnAnnouncementAloneDrawsOverTheCanvasWithoutRepainting) {
    const Log log = Paint(EmptyTable(), -1, 0, MsgNewDay, 0, -1, 0);
    EXPECT_EQ(Ops(log), (std::vector<Op>{Op::Acquire, Op::TextBox, Op::Present, Op::Release}));
}

TEST(PaintBoardSteps, FrameRunsAroundTheSlotsPlaceWhetherOrNotItHoldsACard) {
    Table table = EmptyTable();
    table.SlotCards[3] = 12;
    for (SlotId slot : {3, 170, 208}) {
        const std::vector<Call> frames = CallsOf(Paint(table, -1, 0, -1, 0, slot, 500), Op::Frame);
        ASSERT_EQ(frames.size(), 1u) << slot;
        EXPECT_EQ(frames[0].at, SlotPlace(slot));
    }
    // No slot lies past the table, so there is no place to frame.
    EXPECT_EQ(Ops(Paint(table, -1, 0, -1, 0, kSlots, 0)),
              (std::vector<Op>{Op::Acquire, Op::Release}));
}

// ---- felt and cards ----

TEST(PaintBoardCards, FeltCoversTheWholeBoardBeforeAnyCard) {
    Table table = EmptyTable();
    table.SlotCards[0] = 0;
    const Log log = Paint(table, SceneCards);
    ASSERT_GE(log.size(), 3u);
    EXPECT_EQ(log[1].op, Op::Fill);
    EXPECT_EQ(log[1].box, (Box{0, 0, 1016, 698}));
    EXPECT_EQ(log[1].colour, (Rgb{34, 139, 34}));
}

// The cell a card shows is decided by its slot.
TEST(PaintBoardCards, FaceBackOrSecondSetBySlot) {
    struct Row {
        SlotId slot;
        CardId card;
        int32_t sheetX, sheetY;
        const char* what;
    };
    const Row rows[] = {
        {0, 5, 63, 104, "human's hand, first set"},
        {55, 46, 693, 208, "human's chaff pile, first set"},
        {56, 5, 756, 0, "computer's hand, back"},
        {63, 47, 756, 0, "computer's hand, back"},
        {64, 0, 0, 416, "computer's bright pile, second set"},
        {111, 47, 693, 728, "computer's chaff pile, second set"},
        {80, 33, 504, 520, "computer's ribbon pile, second set"},
        {112, 20, 756, 0, "stock, back"},
        {159, 3, 756, 0, "stock, back"},
        {160, 28, 441, 0, "field, first set"},
        {183, 43, 630, 312, "field, first set"},
        {184, 9, 126, 104, "over a field card, first set"},
        {208, 40, 630, 0, "drawn card, first set"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        Table table = EmptyTable();
        table.SlotCards[row.slot] = row.card;
        const std::vector<Call> copies = CallsOf(Paint(table, SceneCards), Op::Copy);
        ASSERT_EQ(copies.size(), 1u);
        const Point place = SlotPlace(row.slot);
        EXPECT_EQ(copies[0].copy, (CopyCall{row.sheetX, row.sheetY, 63, 104, place.x, place.y}));
    }
}

TEST(PaintBoardCards, AscendingSlotsSoOverlayAndDrawnCardLieOnTop) {
    Table table = EmptyTable();
    const SlotId slots[] = {208, 184, 160, 112, 0, 70};
    for (CardId card = 0; card < 6; ++card) table.SlotCards[slots[card]] = card;
    std::vector<Point> order;
    for (const Call& call : CallsOf(Paint(table, SceneCards), Op::Copy)) {
        order.push_back({call.copy.x, call.copy.y});
    }
    const std::vector<Point> expected = {SlotPlace(0),   SlotPlace(70),  SlotPlace(112),
                                         SlotPlace(160), SlotPlace(184), SlotPlace(208)};
    EXPECT_EQ(order, expected);
}

TEST(PaintBoardCards, SceneCardsAddsNothingButCards) {
    Table table = EmptyTable();
    table.SlotCards[10] = 8;
    table.KanBalance[0] = 36;
    table.YakuScore[0][0] = 10;
    table.KoiCalled[0] = 1;
    table.TodayMon[0] = 3;
    EXPECT_EQ(Ops(Paint(table, SceneCards)),
              (std::vector<Op>{Op::Acquire, Op::Fill, Op::Copy, Op::Present, Op::Release}));
}

// ---- month marker ----

TEST(PaintBoardMonth, MarkerOfTheMonthFromLevelOne) {
    Table table = EmptyTable();
    table.MonthNumber = 1;
    EXPECT_EQ(CopiesOf(Paint(table, SceneMonth), 756, 134), (std::vector<Point>{{476, 416}}));
    table.MonthNumber = 12;
    const std::vector<Call> copies = CallsOf(Paint(table, SceneMonth), Op::Copy);
    ASSERT_EQ(copies.size(), 1u);
    EXPECT_EQ(copies[0].copy, (CopyCall{756, 464, 60, 30, 476, 416}));
    EXPECT_TRUE(CallsOf(Paint(table, SceneCards), Op::Copy).empty());
}

TEST(PaintBoardMonth, NoMarkerForAMonthOutsideTheYear) {
    // Between the new year and its first month the number is 0; the rows
    // around the markers hold the back and the combination labels.
    Table table = EmptyTable();
    for (int8_t month : {int8_t{0}, int8_t{13}, int8_t{-1}}) {
        table.MonthNumber = month;
        EXPECT_TRUE(CallsOf(Paint(table, SceneMonth), Op::Copy).empty()) << int{month};
    }
}

// ---- score panels ----

TEST(PaintBoardScores, CounterLabelsAndKanLabelsAlwaysShow) {
    const Log log = Paint(EmptyTable(), SceneScores);
    EXPECT_EQ(CopiesOf(log, 300, 852), (std::vector<Point>{{2, 232}}));
    EXPECT_EQ(CopiesOf(log, 350, 852), (std::vector<Point>{{2, 270}}));
    EXPECT_EQ(CopiesOf(log, 400, 852), (std::vector<Point>{{2, 308}}));
    EXPECT_EQ(CopiesOf(log, 450, 852), (std::vector<Point>{{2, 360}}));
    EXPECT_EQ(CopiesOf(log, 300, 892), (std::vector<Point>{{964, 250}}));
    EXPECT_EQ(CopiesOf(log, 350, 892), (std::vector<Point>{{964, 288}}));
    EXPECT_EQ(CopiesOf(log, 400, 892), (std::vector<Point>{{964, 326}}));
    EXPECT_EQ(CopiesOf(log, 450, 892), (std::vector<Point>{{964, 378}}));
}

TEST(PaintBoardScores, OnePipPerMonElevenApartRightwardsForTheHumanLeftwardsForTheComputer) {
    struct Row {
        int32_t side;
        int8_t turnGain, todayMon, monthMon;
        std::vector<Point> pips;
    };
    const Row rows[] = {
        {0, 0, 3, 0, {{12, 292}, {23, 292}, {34, 292}}},
        {0, 1, 0, 2, {{12, 254}, {12, 330}, {23, 330}}},
        {1, 0, 0, 2, {{995, 348}, {984, 348}}},
        {1, 2, 1, 0, {{995, 272}, {984, 272}, {995, 310}}},
        {0, 0, -3, -1, {}},
        {1, -8, 0, 0, {}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(::testing::Message()
                     << "side " << row.side << " counters " << int{row.turnGain} << ","
                     << int{row.todayMon} << "," << int{row.monthMon});
        Table table = EmptyTable();
        table.TurnGain[row.side] = row.turnGain;
        table.TodayMon[row.side] = row.todayMon;
        table.MonthMon[row.side] = row.monthMon;
        const Log log = Paint(table, SceneScores);
        std::vector<Point> pips;
        for (const Call& call : CallsOf(log, Op::Copy)) {
            if (call.copy.sheetX != 600) continue;
            EXPECT_EQ(call.copy.sheetY, 852 + 40 * row.side);
            EXPECT_EQ(call.copy.width, 8);
            EXPECT_EQ(call.copy.height, 10);
            pips.push_back({call.copy.x, call.copy.y});
        }
        EXPECT_EQ(pips, row.pips);
    }
}

// Tokens of ten, five and one kan, each kind at its sheet x, in rows of five.
struct Token {
    int32_t sheetX, x, y;
    friend bool operator==(const Token&, const Token&) = default;
};

std::vector<Token> KanTokens(const Log& log, int32_t side) {
    std::vector<Token> tokens;
    for (const Call& call : CallsOf(log, Op::Copy)) {
        const int32_t sheetX = call.copy.sheetX;
        if (call.copy.sheetY != 852 + 40 * side ||
            (sheetX != 502 && sheetX != 548 && sheetX != 584))
            continue;
        const int32_t width = sheetX == 502 ? 22 : sheetX == 548 ? 20 : 16;
        EXPECT_EQ(call.copy.width, width);
        EXPECT_EQ(call.copy.height, 20);
        tokens.push_back({sheetX, call.copy.x, call.copy.y});
    }
    return tokens;
}

TEST(PaintBoardScores, KanTokensInRowsOfFive) {
    constexpr int32_t ten = 502, five = 548, one = 584;
    struct Row {
        int32_t side;
        int8_t balance;
        std::vector<Token> tokens;
    };
    const Row rows[] = {
        {0, 36, {{ten, 8, 382}, {ten, 32, 382}, {ten, 56, 382}, {five, 80, 382}, {one, 102, 382}}},
        // The computer's right edges: 1008, then each token's width + 2 to the left.
        {1,
         36,
         {{ten, 986, 400}, {ten, 962, 400}, {ten, 938, 400}, {five, 916, 400}, {one, 898, 400}}},
        {0,
         72,
         {{ten, 8, 382},
          {ten, 32, 382},
          {ten, 56, 382},
          {ten, 80, 382},
          {ten, 104, 382},
          {ten, 8, 404},
          {ten, 32, 404},
          {one, 56, 404},
          {one, 74, 404}}},
        {1,
         72,
         {{ten, 986, 400},
          {ten, 962, 400},
          {ten, 938, 400},
          {ten, 914, 400},
          {ten, 890, 400},
          {ten, 986, 422},
          {ten, 962, 422},
          {one, 944, 422},
          {one, 926, 422}}},
        {0, 4, {{one, 8, 382}, {one, 26, 382}, {one, 44, 382}, {one, 62, 382}}},
        {1, 5, {{five, 988, 400}}},
        {0, 0, {}},
        {1, 0, {}},
        {0, -7, {}},
        {1, -36, {}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(::testing::Message()
                     << "side " << row.side << " balance " << int{row.balance});
        Table table = EmptyTable();
        table.KanBalance[row.side] = row.balance;
        table.KanBalance[1 - row.side] = 0;
        const Log log = Paint(table, SceneScores);
        EXPECT_EQ(KanTokens(log, row.side), row.tokens);
        EXPECT_TRUE(KanTokens(log, 1 - row.side).empty());
    }
}

// ---- combination labels and the koi-koi badge ----

TEST(PaintBoardScores, CombinationLabelsOfBothSidesAlongTheirRows) {
    Table table = EmptyTable();
    table.YakuScore[0][FiveBrights] = 10;
    table.YakuScore[0][ChaffSet] = 1;
    table.YakuScore[1][RedRibbons] = 6;
    table.YakuScore[1][ChaffSet] = 2;
    const Log log = Paint(table, SceneScores);
    std::vector<CopyCall> labels;
    for (const Call& call : CallsOf(log, Op::Copy)) {
        if (call.copy.sheetX == 756 && call.copy.sheetY >= 494) labels.push_back(call.copy);
    }
    const std::vector<CopyCall> expected = {
        {756, 494, 50, 20, 280, 460},  // side 0, k = 0
        {756, 674, 50, 20, 775, 460},  // side 0, k = 9
        {756, 534, 50, 20, 575, 216},  // side 1, k = 2
        {756, 674, 50, 20, 190, 216},  // side 1, k = 9
    };
    EXPECT_EQ(labels, expected);
    // Below the score level no label shows.
    EXPECT_TRUE(CopiesOf(Paint(table, SceneMonth), 756, 494).empty());
}

TEST(PaintBoardScores, KoiKoiBadgeShowsTheHumansCallFirst) {
    struct Row {
        uint8_t human, computer;
        std::vector<CopyCall> badges;
    };
    const CopyCall humanBadge = {748, 832, 50, 20, 476, 246};
    const CopyCall computerBadge = {748, 872, 50, 20, 476, 246};
    const Row rows[] = {
        {0, 0, {}},
        {1, 0, {humanBadge}},
        {0, 1, {computerBadge}},
        {1, 1, {humanBadge}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(::testing::Message()
                     << "called " << int{row.human} << "," << int{row.computer});
        Table table = EmptyTable();
        table.KoiCalled[0] = row.human;
        table.KoiCalled[1] = row.computer;
        std::vector<CopyCall> badges;
        for (const Call& call : CallsOf(Paint(table, SceneScores), Op::Copy)) {
            if (call.copy.sheetX == 748) badges.push_back(call.copy);
        }
        EXPECT_EQ(badges, row.badges);
    }
}

}  // namespace
}  // namespace koikoi::testing
