// The record file: where each result lands, the full-block shift, the
// summary and its averages, and files that are short, long or odd.
#include "files/records.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/files/temp_folder.h"

namespace koikoi {
namespace {

using testing::ReadBytes;
using testing::TempFolder;
using testing::WriteBytes;

char& At(RecordTable& table, int32_t line, int32_t column) {
    return table.codes[static_cast<size_t>(line * kRecordColumns + column)];
}

std::string ResetFile() {
    std::string file;
    for (int32_t line = 0; line < kRecordLines; ++line) file += std::string(60, '3') + "\r\n";
    return file;
}

RecordTable EmptyTable() {
    RecordTable table;
    ClearRecords(table);
    return table;
}

// A full block of opponent 1 whose position p holds one of the six result
// codes chosen by p, so any misplaced code shows.
RecordTable TableWithFullBlock() {
    static const char kCodes[6] = {'0', '1', '2', '4', '5', '6'};
    RecordTable table = EmptyTable();
    for (int32_t p = 0; p < kRecordBlockPositions; ++p) {
        At(table, 20 + p / 60, p % 60) = kCodes[(p * 7 + p / 60) % 6];
    }
    return table;
}

TEST(RecordFormat, ResetFileIsEightyLinesOfSixtyEmptyCodes) {
    const std::string bytes = FormatRecords(EmptyTable());
    EXPECT_EQ(bytes.size(), 4960u);
    EXPECT_EQ(bytes, ResetFile());
}

// What an import may bring: only a file as the game writes it replaces the
// record; everything the lenient reader would quietly repair is refused.
TEST(RecordFormat, IsRecordFileAcceptsOnlyWholeFilesOfCodes) {
    std::string lf = ResetFile();
    for (size_t at = lf.find('\r'); at != std::string::npos; at = lf.find('\r', at))
        lf.erase(at, 1);
    std::string withHistory = ResetFile();
    withHistory.replace(0, 3, "605");
    std::string stray = ResetFile();
    stray[62 * 40 + 7] = '7';
    std::string shortLine = ResetFile();
    shortLine.erase(62 * 3 + 5, 1);
    std::string longLine = ResetFile();
    longLine.insert(62 * 3 + 5, "3");
    struct Case {
        const char* name;
        std::string bytes;
        bool accepted;
    };
    const Case cases[] = {
        {"reset file, CR LF", ResetFile(), true},
        {"LF line ends", lf, true},
        {"last line end missing", ResetFile().substr(0, 4958), true},
        {"months recorded", withHistory, true},
        {"full block", FormatRecords(TableWithFullBlock()), true},
        {"empty", "", false},
        {"79 lines", ResetFile().substr(0, 62 * 79), false},
        {"81 lines", ResetFile() + std::string(60, '3') + "\r\n", false},
        {"a trailing blank line", ResetFile() + "\r\n", false},
        {"a code outside 0..6", stray, false},
        {"a short line", shortLine, false},
        {"a long line", longLine, false},
        {"text", "hello\n", false},
        {"a picture", std::string("\x89PNG\r\n\x1a\n", 8) + std::string(5000, '\0'), false},
    };
    for (const Case& c : cases) EXPECT_EQ(IsRecordFile(c.bytes), c.accepted) << c.name;
}

TEST(RecordFormat, ParseAndFormatRoundTrip) {
    RecordTable table = TableWithFullBlock();
    At(table, 0, 0) = 'x';
    At(table, 79, 59) = '\r';  // a stray CR at a line's end is a code, not a line end
    RecordTable again;
    ParseRecords(FormatRecords(table), again);
    EXPECT_EQ(again.codes, table.codes);
}

TEST(RecordParse, LfAndCrLfFilesReadTheSame) {
    RecordTable crlf;
    RecordTable lf;
    std::string file = FormatRecords(TableWithFullBlock());
    ParseRecords(file, crlf);
    std::string unix;
    for (char c : file) {
        if (c != '\r') unix += c;
    }
    ParseRecords(unix, lf);
    EXPECT_EQ(lf.codes, crlf.codes);
}

TEST(RecordParse, ShortFileReadsMissingLinesAndPositionsAsEmpty) {
    RecordTable table;
    ParseRecords("65\r\n\r\n4", table);
    EXPECT_EQ(At(table, 0, 0), '6');
    EXPECT_EQ(At(table, 0, 1), '5');
    EXPECT_EQ(At(table, 0, 2), '3');
    EXPECT_EQ(At(table, 1, 0), '3');
    EXPECT_EQ(At(table, 2, 0), '4');
    EXPECT_EQ(At(table, 2, 1), '3');
    EXPECT_EQ(At(table, 79, 59), '3');
}

TEST(RecordParse, ExcessLinesAndColumnsAreIgnored) {
    std::string file;
    for (int32_t line = 0; line < 120; ++line) {
        file += std::string(60, line < 80 ? '4' : '0') + std::string(100, '1') + "\r\n";
    }
    RecordTable table;
    ParseRecords(file, table);
    for (char code : table.codes) ASSERT_EQ(code, '4');
}

TEST(AddMonthResult, FirstResultAgainstTheSecondOpponentGoesToLineTwenty) {
    RecordTable table = EmptyTable();
    ASSERT_TRUE(AddMonthResult(table, 1, 2));
    EXPECT_EQ(At(table, 20, 0), '5');
    RecordTable expected = EmptyTable();
    At(expected, 20, 0) = '5';
    EXPECT_EQ(table.codes, expected.codes);
}

TEST(AddMonthResult, EachResultCodeIsThreePlusTheKan) {
    const int32_t results[] = {3, 2, 1, -1, -2, -3};
    RecordTable table = EmptyTable();
    for (int32_t r : results) ASSERT_TRUE(AddMonthResult(table, 3, r));
    EXPECT_EQ(std::string(&At(table, 60, 0), 7), "6542103");
}

TEST(AddMonthResult, TheSixtyFirstResultStartsTheBlocksSecondLine) {
    RecordTable table = EmptyTable();
    for (int32_t i = 0; i < 61; ++i) ASSERT_TRUE(AddMonthResult(table, 2, i == 60 ? -3 : 1));
    EXPECT_EQ(At(table, 40, 59), '4');
    EXPECT_EQ(At(table, 41, 0), '0');
    EXPECT_EQ(At(table, 41, 1), '3');
}

TEST(AddMonthResult, FullBlockDropsItsOldestCodeAndShiftsAcrossLineEnds) {
    const RecordTable before = TableWithFullBlock();
    RecordTable table = before;
    ASSERT_TRUE(AddMonthResult(table, 1, 3));
    for (int32_t p = 0; p < kRecordBlockPositions - 1; ++p) {
        const size_t at = static_cast<size_t>(20 * 60 + p);
        ASSERT_EQ(table.codes[at], before.codes[at + 1]) << "position " << p;
    }
    EXPECT_EQ(At(table, 39, 59), '6');
    // Column 0 of a line moved to column 59 of the line before.
    EXPECT_EQ(At(table, 20, 59), before.codes[21 * 60]);
    // The neighbouring blocks are untouched.
    for (int32_t line : {0, 19, 40, 79}) {
        for (int32_t column = 0; column < 60; ++column) ASSERT_EQ(At(table, line, column), '3');
    }
    RecordSummary summary[4];
    SummariseRecords(table, summary);
    EXPECT_EQ(summary[1].months, 1200);
}

TEST(AddMonthResult, AnEmptyMarkInsideAHistoryIsFilledFirst) {
    RecordTable table = EmptyTable();
    for (int32_t i = 0; i < 5; ++i) AddMonthResult(table, 0, 1);
    At(table, 0, 2) = '3';
    RecordSummary summary[4];
    SummariseRecords(table, summary);
    EXPECT_EQ(summary[0].months, 2);
    ASSERT_TRUE(AddMonthResult(table, 0, -2));
    EXPECT_EQ(std::string(&At(table, 0, 0), 6), "441443");
}

TEST(AddMonthResult, UnknownCharactersAreMonthsKeptAsTheyAre) {
    RecordTable table = EmptyTable();
    At(table, 0, 0) = 'x';
    At(table, 0, 1) = '9';
    ASSERT_TRUE(AddMonthResult(table, 0, 3));
    EXPECT_EQ(std::string(&At(table, 0, 0), 4), "x963");
    RecordSummary summary[4];
    SummariseRecords(table, summary);
    EXPECT_EQ(summary[0].months, 3);
    EXPECT_EQ(summary[0].counts[0], 1);
    EXPECT_FLOAT_EQ(summary[0].average, 1.0f);
}

TEST(AddMonthResult, RefusesResultsAndOpponentsOutOfRange) {
    struct Case {
        int32_t opponent;
        int32_t result;
    };
    const Case refused[] = {{-1, 1}, {4, 1}, {0, 0}, {0, 4}, {0, -4}, {3, 100}};
    for (const Case& c : refused) {
        RecordTable table = EmptyTable();
        EXPECT_FALSE(AddMonthResult(table, c.opponent, c.result)) << c.opponent << " " << c.result;
        EXPECT_EQ(table.codes, EmptyTable().codes);
    }
}

TEST(SummariseRecords, CountsAndAverages) {
    struct Case {
        std::vector<int32_t> results;
        int32_t months;
        int32_t counts[6];
        float average;
    };
    const Case cases[] = {
        {{}, 0, {0, 0, 0, 0, 0, 0}, 0.0f},
        {{2}, 1, {0, 1, 0, 0, 0, 0}, 2.0f},
        {{3}, 1, {1, 0, 0, 0, 0, 0}, 3.0f},
        {{1, -1, -1}, 3, {0, 0, 1, 2, 0, 0}, -1.0f / 3.0f},
        {{-3, -3, 2}, 3, {0, 1, 0, 0, 0, 2}, -4.0f / 3.0f},
        {{3, 2, 1, -1, -2, -3, 1}, 7, {1, 1, 2, 1, 1, 1}, 1.0f / 7.0f},
    };
    for (const Case& c : cases) {
        RecordTable table = EmptyTable();
        for (int32_t r : c.results) ASSERT_TRUE(AddMonthResult(table, 2, r));
        RecordSummary summary[4];
        SummariseRecords(table, summary);
        EXPECT_EQ(summary[2].months, c.months);
        for (int32_t j = 0; j < 6; ++j) EXPECT_EQ(summary[2].counts[j], c.counts[j]) << j;
        EXPECT_EQ(summary[2].average, c.average) << c.months;
        for (int32_t other : {0, 1, 3}) EXPECT_EQ(summary[other].months, 0);
    }
}

TEST(RecordFile, MonthsAppendToTheFileAndTheSummaryReadsThem) {
    TempFolder folder;
    const std::string path = folder.File("result.dat");
    ASSERT_EQ(ResetRecords(path.c_str()), RecordStatus::Ok);
    EXPECT_EQ(ReadBytes(path), ResetFile());
    for (int32_t r : {1, -1, -1})
        ASSERT_EQ(RecordMonthResult(path.c_str(), 1, r), RecordStatus::Ok);
    const std::string bytes = ReadBytes(path);
    ASSERT_EQ(bytes.size(), 4960u);
    EXPECT_EQ(bytes.substr(20 * 62, 4), "4223");
    RecordSummary summary[4];
    ASSERT_EQ(ReadRecordSummary(path.c_str(), summary), RecordStatus::Ok);
    EXPECT_EQ(summary[1].months, 3);
    EXPECT_EQ(summary[1].average, -1.0f / 3.0f);
    EXPECT_EQ(summary[0].months, 0);
}

TEST(RecordFile, ShortOrLongFilesAreAlwaysWrittenBackWhole) {
    TempFolder folder;
    const std::string path = folder.File("result.dat");
    WriteBytes(path, "6\n");
    ASSERT_EQ(RecordMonthResult(path.c_str(), 0, -3), RecordStatus::Ok);
    std::string expected = ResetFile();
    expected.replace(0, 2, "60");
    EXPECT_EQ(ReadBytes(path), expected);

    std::string longFile;
    for (int32_t line = 0; line < 90; ++line) longFile += std::string(70, '2') + "\n";
    WriteBytes(path, longFile);
    ASSERT_EQ(RecordMonthResult(path.c_str(), 3, 1), RecordStatus::Ok);
    const std::string bytes = ReadBytes(path);
    ASSERT_EQ(bytes.size(), 4960u);
    EXPECT_EQ(bytes.substr(0, 62), std::string(60, '2') + "\r\n");
    // The full block of the last opponent shifted and took the new month.
    EXPECT_EQ(bytes.substr(79 * 62, 62), std::string(59, '2') + "4\r\n");
}

TEST(RecordFile, MissingFileIsNotFoundAndNotCreated) {
    TempFolder folder;
    const std::string path = folder.File("result.dat");
    EXPECT_EQ(RecordMonthResult(path.c_str(), 0, 1), RecordStatus::NotFound);
    EXPECT_FALSE(std::filesystem::exists(path));
    RecordSummary summary[4];
    summary[2].months = 99;
    EXPECT_EQ(ReadRecordSummary(path.c_str(), summary), RecordStatus::NotFound);
    EXPECT_EQ(summary[2].months, 0);
}

TEST(RecordFile, BadArgumentsLeaveTheFileAlone) {
    TempFolder folder;
    const std::string path = folder.File("result.dat");
    WriteBytes(path, "odd content");
    EXPECT_EQ(RecordMonthResult(path.c_str(), 4, 1), RecordStatus::BadArgument);
    EXPECT_EQ(RecordMonthResult(path.c_str(), 0, 0), RecordStatus::BadArgument);
    EXPECT_EQ(ReadBytes(path), "odd content");
}

}  // namespace
}  // namespace koikoi
