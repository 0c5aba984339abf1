// The board's texts and prompts: announcements and the turn label, each the
// right pieces of the text table in the right order, and the card prompts.
#include <gtest/gtest.h>

#include <string>

#include "game/texts.h"
#include "presentation/board_layout.h"
#include "presentation/board_painter.h"
#include "tests/presentation/recording.h"

namespace koikoi::testing {
namespace {

// The pieces the painter joins, from the text table: the tests check which
// piece goes where, not the bytes of each.
const std::string kHuman = texts::kHumanName;
const std::string kSuzaku = texts::kOpponentName0;
const std::string kSeiryu = texts::kOpponentName1;
const std::string kByakko = texts::kOpponentName2;
const std::string kGenbu = texts::kOpponentName3;
const std::string kNewYearHead = texts::kMsgNewYearHead;
const std::string kNewYearTail = texts::kMsgNewYearTail;
const std::string kNewMonth = texts::kMsgNewMonth;
const std::string kNewDay = texts::kMsgNewDay;
const std::string kAddToDay = texts::kMsgAddToDayTail;
const std::string kAddToMonth = texts::kMsgAddToMonthTail;
const std::string kMonthWonHead = texts::kMsgMonthWonHead;
const std::string kMonthWonMiddle = texts::kMsgMonthWonMiddle;
const std::string kMonthWonTail = texts::kMsgMonthWonTail;
const std::string kKoiKoi = texts::kMsgKoiKoiTail;
const std::string kTurnTail = texts::kOpponentTurnTail;

const BoardGeometry kGeometry = WideGeometry(TellingPositions());

Log Paint(const Table& table, int32_t scene, int32_t message = -1, int32_t amount = 0) {
    Log log;
    RecordingCanvas canvas(log);
    RecordingHost host(log);
    PaintBoard(table, kGeometry, canvas, host, scene, 0, message, amount, -1, 0);
    return log;
}

Table TableWithTurn(int8_t side, uint8_t opponent) {
    Table table = EmptyTable();
    table.CurrentSide = side;
    table.OtherSide = static_cast<int8_t>(1 - side);
    table.OpponentId = opponent;
    return table;
}

TEST(PaintBoardAnnouncements, TextsByteForByteInTheAnnouncementBox) {
    struct Row {
        int32_t message, amount;
        int8_t side;
        uint8_t opponent;
        std::string text;
    };
    const Row rows[] = {
        {MsgMonthWon, 2, 1, 1, kMonthWonHead + kSeiryu + kMonthWonMiddle + "2" + kMonthWonTail},
        {MsgMonthWon, 3, 0, 1, kMonthWonHead + kHuman + kMonthWonMiddle + "3" + kMonthWonTail},
        {MsgKoiKoi, 0, 0, 2, kHuman + kKoiKoi},
        {MsgKoiKoi, 0, 1, 2, kByakko + kKoiKoi},
        // The new year names the opponent whoever has the turn.
        {MsgNewYear, 0, 0, 3, kNewYearHead + kGenbu + kNewYearTail},
        {MsgNewYear, 0, 1, 3, kNewYearHead + kGenbu + kNewYearTail},
        {MsgNewMonth, 0, 1, 0, kNewMonth},
        {MsgNewDay, 0, 0, 0, kNewDay},
        {MsgAddToDay, 0, 0, 0, kHuman + kAddToDay},
        {MsgAddToMonth, 0, 1, 0, kSuzaku + kAddToMonth},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(::testing::Message() << "message " << row.message << " side " << int{row.side}
                                          << " opponent " << int{row.opponent});
        const std::vector<Call> boxes = CallsOf(
            Paint(TableWithTurn(row.side, row.opponent), -1, row.message, row.amount), Op::TextBox);
        ASSERT_EQ(boxes.size(), 1u);
        EXPECT_EQ(boxes[0].text, row.text);
        EXPECT_EQ(boxes[0].box, (Box{206, 276, 806, 316}));
        EXPECT_EQ(boxes[0].colour, (Rgb{250, 220, 22}));
        EXPECT_EQ(boxes[0].font, (TextFont{30, false}));
        // Every announcement fits the 41 bytes the box was made for.
        EXPECT_LE(boxes[0].text.size() + 1, 41u);
    }
}

TEST(PaintBoardAnnouncements, AmountIsWrittenInPlainDecimal) {
    const Table table = TableWithTurn(0, 0);
    for (int32_t amount : {0, 1, 10, -2}) {
        const std::vector<Call> boxes = CallsOf(Paint(table, -1, MsgMonthWon, amount), Op::TextBox);
        ASSERT_EQ(boxes.size(), 1u);
        EXPECT_EQ(boxes[0].text, kMonthWonHead + kHuman + kMonthWonMiddle + std::to_string(amount) +
                                     kMonthWonTail);
    }
}

TEST(PaintBoardAnnouncements, UnknownCodeOrUnknownOpponentDrawsNothingHarmful) {
    EXPECT_EQ(Ops(Paint(TableWithTurn(0, 0), -1, 7)), (std::vector<Op>{Op::Acquire, Op::Release}));
    // An opponent outside the four names nobody instead of reading past the names.
    const std::vector<Call> boxes = CallsOf(Paint(TableWithTurn(1, 9), -1, MsgKoiKoi), Op::TextBox);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, kKoiKoi);
}

TEST(PaintBoardTurnLabel, NameAndBoxOfTheSideToPlay) {
    struct Row {
        int8_t side;
        uint8_t opponent;
        std::string text;
        Box box;
        Rgb colour;
    };
    const Row rows[] = {
        {0, 2, texts::kHumanTurn, {4, 464, 144, 484}, {209, 248, 246}},
        {1, 0, kSuzaku + kTurnTail, {872, 210, 1012, 230}, {246, 216, 244}},
        {1, 3, kGenbu + kTurnTail, {872, 210, 1012, 230}, {246, 216, 244}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(::testing::Message()
                     << "side " << int{row.side} << " opponent " << int{row.opponent});
        const std::vector<Call> boxes =
            CallsOf(Paint(TableWithTurn(row.side, row.opponent), SceneTurn), Op::TextBox);
        ASSERT_EQ(boxes.size(), 1u);
        EXPECT_EQ(boxes[0].text, row.text);
        EXPECT_EQ(boxes[0].box, row.box);
        EXPECT_EQ(boxes[0].colour, row.colour);
        EXPECT_EQ(boxes[0].font, (TextFont{20, true}));
    }
    EXPECT_TRUE(CallsOf(Paint(TableWithTurn(0, 0), SceneScores), Op::TextBox).empty());
}

TEST(PaintBoardPrompts, OnlyOnTheHumansTurnAndOnlyTheOneAskedFor) {
    struct Row {
        int32_t scene;
        int8_t side;
        std::vector<Point> handPrompt, fieldPrompt;
    };
    const Row rows[] = {
        {SceneHandPrompt, 0, {{4, 442}}, {}},
        {SceneFieldPrompt, 0, {}, {{410, 216}}},
        {SceneTurn, 0, {}, {}},
        {SceneHandPrompt, 1, {}, {}},
        {SceneFieldPrompt, 1, {}, {}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(::testing::Message() << "scene " << row.scene << " side " << int{row.side});
        const Log log = Paint(TableWithTurn(row.side, 1), row.scene);
        EXPECT_EQ(CopiesOf(log, 616, 852), row.handPrompt);
        EXPECT_EQ(CopiesOf(log, 616, 892), row.fieldPrompt);
        for (const Call& call : CallsOf(log, Op::Copy)) {
            if (call.copy.sheetX == 616) {
                EXPECT_EQ(call.copy.width, 200);
                EXPECT_EQ(call.copy.height, 20);
            }
        }
    }
}

TEST(PaintBoardPrompts, PromptLevelsOnTheComputersTurnPaintExactlyTheTurnLevel) {
    Table table = TableWithTurn(1, 0);
    table.SlotCards[56] = 0;
    table.SlotCards[160] = 4;
    table.KanBalance[0] = 30;
    table.KanBalance[1] = 42;
    table.TodayMon[1] = 2;
    table.YakuScore[1][MoonSake] = 5;
    const auto copies = [&](int32_t scene) {
        std::vector<CopyCall> cells;
        for (const Call& call : CallsOf(Paint(table, scene), Op::Copy)) cells.push_back(call.copy);
        return cells;
    };
    const std::vector<Op> turn = Ops(Paint(table, SceneTurn));
    EXPECT_EQ(Ops(Paint(table, SceneHandPrompt)), turn);
    EXPECT_EQ(Ops(Paint(table, SceneFieldPrompt)), turn);
    EXPECT_EQ(copies(SceneHandPrompt), copies(SceneTurn));
    EXPECT_EQ(copies(SceneFieldPrompt), copies(SceneTurn));
}

// In English the sheet's Japanese labels give way to their texts at the
// same places: no label picture is copied, and each label's English text is
// drawn inside the picture's cell; the cards and tokens stay pictures.
TEST(PaintBoardInEnglish, LabelsAreTextsWhereTheSheetsPicturesWouldBe) {
    Table table = TableWithTurn(0, 2);
    table.MonthNumber = 4;
    table.KoiCalled[1] = 1;
    table.KanBalance[0] = 3;
    for (int32_t yaku = 0; yaku < YakuCount; ++yaku) table.YakuScore[0][yaku] = 1;
    Log log;
    RecordingCanvas canvas(log);
    RecordingHost host(log);
    PaintBoard(table, kGeometry, canvas, host, SceneHandPrompt, 0, -1, 0, -1, 0, nullptr,
               Language::English);

    const auto inside = [](Box box, BoardPlace at, int32_t width, int32_t height) {
        return box.left >= at.x && box.top >= at.y && box.right <= at.x + width &&
               box.bottom <= at.y + height;
    };
    const auto drawnAt = [&](TextId id, BoardPlace at, int32_t width, int32_t height) {
        for (const Call& call : CallsOf(log, Op::Text)) {
            if (call.text == Text(Language::English, id) && inside(call.box, at, width, height))
                return true;
        }
        return false;
    };
    const SidePlaces& human = kGeometry.sides[0];
    EXPECT_TRUE(drawnAt(TextId::LabelTurnGain, human.counterLabel[0], 50, 20));
    EXPECT_TRUE(drawnAt(TextId::LabelMonthMon, human.counterLabel[2], 50, 20));
    EXPECT_TRUE(drawnAt(TextId::LabelKan, human.kanLabel, 50, 20));
    EXPECT_TRUE(drawnAt(TextId::LabelKoiKoi, kGeometry.koiBadge, 50, 20));
    EXPECT_TRUE(drawnAt(TextId::LabelHandPrompt, kGeometry.handPrompt, 200, 20));
    EXPECT_TRUE(drawnAt(TextId::LabelMonth4, kGeometry.monthMarker, 60, 30));
    for (int32_t yaku = 0; yaku < YakuCount; ++yaku) {
        EXPECT_TRUE(drawnAt(static_cast<TextId>(static_cast<int32_t>(TextId::LabelYaku0) + yaku),
                            human.yakuLabel[yaku], 50, 20))
            << "combination " << yaku;
    }
    for (const Call& call : CallsOf(log, Op::Copy)) {
        const bool labelColumn = call.copy.sheetX == 756 && call.copy.sheetY >= 494;
        const bool stripLabel = call.copy.sheetY >= 832 && call.copy.width >= 50;
        EXPECT_FALSE(labelColumn || stripLabel)
            << "a label picture copied from " << call.copy.sheetX << ", " << call.copy.sheetY;
    }
    EXPECT_FALSE(CallsOf(log, Op::Copy).empty()) << "the cards and tokens are still pictures";
}

}  // namespace
}  // namespace koikoi::testing
