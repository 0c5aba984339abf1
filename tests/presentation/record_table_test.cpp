// The record table: its geometry, row colours, the cell texts and their
// formats, checked through the recording canvas.
#include "presentation/record_table.h"

#include <gtest/gtest.h>

#include <string>

#include "game/texts.h"
#include "presentation/board_layout.h"
#include "tests/presentation/recording.h"

namespace koikoi::testing {
namespace {

Log PaintTable(const RecordSummary (&summary)[4]) {
    Log log;
    RecordingCanvas canvas(log);
    PaintRecordTable(canvas, summary);
    return log;
}

TEST(PaintRecordTable, HeaderTextsThenFourRowsOfFilledCells) {
    const RecordSummary summary[4] = {};
    const Log log = PaintTable(summary);
    // 9 header texts, then per opponent 9 fills each followed by its text.
    ASSERT_EQ(log.size(), 9u + 4u * 9u * 2u);
    const char* headers[9] = {texts::kRecordHeader0, texts::kRecordHeader1, texts::kRecordHeader2,
                              texts::kRecordHeader3, texts::kRecordHeader4, texts::kRecordHeader5,
                              texts::kRecordHeader6, texts::kRecordHeader7, texts::kRecordHeader8};
    for (int32_t j = 0; j < 9; ++j) {
        SCOPED_TRACE(::testing::Message() << "header " << j);
        const Call& header = log[static_cast<size_t>(j)];
        ASSERT_EQ(header.op, Op::Text);
        EXPECT_EQ(header.box, (Box{60 * j, 0, 60 * j + 58, 20}));
        EXPECT_EQ(header.text, headers[j]);
    }
    for (const Call& call : log) {
        if (call.op != Op::Text) continue;
        EXPECT_EQ(call.font, kRecordTableFont);
        EXPECT_EQ(call.layout, TextLayout::CentredLine);
        EXPECT_EQ(call.colour, (Rgb{0, 0, 0}));
    }
    // The table paints into whatever surface it is given and presents nothing.
    EXPECT_TRUE(CallsOf(log, Op::Present).empty());
    EXPECT_TRUE(CallsOf(log, Op::Acquire).empty());
}

TEST(PaintRecordTable, EachOpponentsRowInItsColourAndPlace) {
    const RecordSummary summary[4] = {};
    const Log log = PaintTable(summary);
    const Rgb colours[4] = {{251, 152, 136}, {74, 245, 167}, {237, 251, 220}, {202, 175, 197}};
    const std::vector<Call> fills = CallsOf(log, Op::Fill);
    ASSERT_EQ(fills.size(), 36u);
    for (int32_t o = 0; o < 4; ++o) {
        for (int32_t j = 0; j < 9; ++j) {
            SCOPED_TRACE(::testing::Message() << "opponent " << o << " column " << j);
            const Box cell{60 * j, 20 * o + 20, 60 * j + 58, 20 * o + 40};
            const size_t fill = static_cast<size_t>(9 + (o * 9 + j) * 2);
            EXPECT_EQ(log[fill].op, Op::Fill);
            EXPECT_EQ(log[fill].box, cell);
            EXPECT_EQ(log[fill].colour, colours[o]);
            EXPECT_EQ(log[fill + 1].op, Op::Text);
            EXPECT_EQ(log[fill + 1].box, cell);
        }
    }
    // Nothing reaches past the table's 538 x 100 pixels.
    for (const Call& call : log) {
        EXPECT_LE(call.box.right, kRecordTableWidth);
        EXPECT_LE(call.box.bottom, kRecordTableHeight);
    }
}

// The nine texts of opponent o's row, in column order.
std::vector<std::string> RowTexts(const Log& log, int32_t opponent) {
    std::vector<std::string> row;
    for (int32_t j = 0; j < 9; ++j) {
        row.push_back(log[static_cast<size_t>(9 + (opponent * 9 + j) * 2 + 1)].text);
    }
    return row;
}

TEST(PaintRecordTable, CellTextsInTheirFormats) {
    struct Case {
        RecordSummary row;
        std::vector<std::string> numbers;  // columns 1..8
    };
    const Case cases[] = {
        // A fresh file: zero months, average 0.00.
        {{0, {0, 0, 0, 0, 0, 0}, 0.0f}, {"0", "0", "0", "0", "0", "0", "0", "0.00"}},
        // One month won with 3 kan.
        {{1, {1, 0, 0, 0, 0, 0}, 3.0f}, {"1", "1", "0", "0", "0", "0", "0", "3.00"}},
        // +1, -1, -1: an average of -1/3.
        {{3, {0, 0, 1, 1, 0, 0}, -1.0f / 3.0f}, {"3", "0", "0", "1", "1", "0", "0", "-0.33"}},
        // A full block: four digits fill the cell, the average is padded to 4.
        {{1200, {200, 200, 200, 200, 200, 200}, 0.0f},
         {"1200", "200", "200", "200", "200", "200", "200", "0.00"}},
        {{1200, {0, 0, 0, 0, 0, 1200}, -3.0f}, {"1200", "0", "0", "0", "0", "0", "1200", "-3.00"}},
    };
    for (const Case& c : cases) {
        for (int32_t o = 0; o < 4; ++o) {
            RecordSummary summary[4] = {};
            summary[o] = c.row;
            const std::vector<std::string> row = RowTexts(PaintTable(summary), o);
            EXPECT_EQ(row[0], OpponentName(static_cast<uint32_t>(o)));
            EXPECT_EQ(std::vector<std::string>(row.begin() + 1, row.end()), c.numbers)
                << "opponent " << o << ", months " << c.row.months;
        }
    }
}

}  // namespace
}  // namespace koikoi::testing
