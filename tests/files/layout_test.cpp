// The layout file reader: field conversion, line ends, and files that are
// short, long, overlong or missing.
#include "files/layout.h"

#include <gtest/gtest.h>

#include <string>

#include "tests/files/temp_folder.h"

namespace koikoi {
namespace {

using testing::TempFolder;
using testing::WriteBytes;

// A line of eight entries whose slot n gets x = base + n, y = 500 + base + n.
std::string EntryLine(int32_t base) {
    std::string line;
    char field[32];
    for (int32_t k = 0; k < 8; ++k) {
        std::snprintf(field, sizeof field, "%03d%03d", base + k, 500 + base + k);
        line += field;
    }
    return line;
}

std::string FullFile(const char* lineEnd) {
    std::string file;
    for (int32_t line = 0; line < kLayoutLines; ++line) file += EntryLine(line * 8) + lineEnd;
    return file;
}

void FillWithJunk(SlotPositions& positions) {
    for (SlotId slot = 0; slot < kSlots; ++slot) {
        positions.x[slot] = 12345;
        positions.y[slot] = -12345;
    }
}

TEST(LayoutField, ConvertsLikeDecimalStringConversionOfThreeCharacters) {
    struct Case {
        const char* field;
        int32_t value;
    };
    const Case cases[] = {
        {"005", 5},   {"  5", 5},   {"5  ", 5},   {"063", 63}, {"104", 104},
        {"999", 999}, {"-12", -12}, {"-99", -99}, {"+12", 12}, {" -5", -5},
        {"- 5", 0},   {"+-1", 0},   {"abc", 0},   {"1a2", 1},  {"\t12", 12},
        {"\r\n7", 7}, {"   ", 0},   {"", 0},      {"12", 12},  {"-", 0},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ConvertLayoutField(c.field, 0), c.value) << '"' << c.field << '"';
    }
    // Only three characters count: the fourth digit belongs to the next field.
    EXPECT_EQ(ConvertLayoutField("1234", 0), 123);
    EXPECT_EQ(ConvertLayoutField("1234", 3), 4);
    EXPECT_EQ(ConvertLayoutField("12", 5), 0);
}

TEST(ParseLayout, FullFileFillsSlotsInLineOrderAndFixesDrawnSlot) {
    SlotPositions positions;
    FillWithJunk(positions);
    ParseLayout(FullFile("\r\n"), positions);
    for (SlotId slot = 0; slot < DrawnSlot; ++slot) {
        ASSERT_EQ(positions.x[slot], slot) << slot;
        ASSERT_EQ(positions.y[slot], 500 + slot) << slot;
    }
    EXPECT_EQ(positions.x[DrawnSlot], 476);
    EXPECT_EQ(positions.y[DrawnSlot], 274);
}

TEST(ParseLayout, LfAndCrLfFilesReadTheSame) {
    SlotPositions lf;
    SlotPositions crlf;
    ParseLayout(FullFile("\n"), lf);
    ParseLayout(FullFile("\r\n"), crlf);
    for (SlotId slot = 0; slot < kSlots; ++slot) {
        EXPECT_EQ(lf.x[slot], crlf.x[slot]);
        EXPECT_EQ(lf.y[slot], crlf.y[slot]);
    }
}

TEST(ParseLayout, FirstEntryOfALineIsTheFirstSlotOfThatLine) {
    SlotPositions positions;
    ParseLayout(EntryLine(0) + "\r\n" + "063104" + EntryLine(0).substr(6) + "\r\n", positions);
    EXPECT_EQ(positions.x[8], 63);
    EXPECT_EQ(positions.y[8], 104);
}

TEST(ParseLayout, ShortLinesGiveZeroForMissingFields) {
    SlotPositions positions;
    FillWithJunk(positions);
    // Line 0 stops inside the y field of its second entry; line 1 is blank;
    // line 2 is complete, so the blank line still counts as a line.
    ParseLayout("010020030 4\r\n\r\n" + EntryLine(16) + "\r\n", positions);
    EXPECT_EQ(positions.x[0], 10);
    EXPECT_EQ(positions.y[0], 20);
    EXPECT_EQ(positions.x[1], 30);
    EXPECT_EQ(positions.y[1], 4);
    for (SlotId slot = 2; slot < 16; ++slot) {
        EXPECT_EQ(positions.x[slot], 0) << slot;
        EXPECT_EQ(positions.y[slot], 0) << slot;
    }
    EXPECT_EQ(positions.x[16], 16);
    EXPECT_EQ(positions.y[23], 523);
    EXPECT_EQ(positions.x[207], 0);
    EXPECT_EQ(positions.x[DrawnSlot], 476);
}

TEST(ParseLayout, TextAfterColumn47ChangesNothingAndNeverShiftsLaterLines) {
    // 100 characters after the entries: a reader taking 67 characters at a
    // time would read the tail as a line of its own.
    const std::string tail = "  " + std::string(98, '7');
    std::string file;
    for (int32_t line = 0; line < kLayoutLines; ++line) {
        file += EntryLine(line * 8) + (line % 2 == 0 ? tail : "; comment 123") + "\r\n";
    }
    SlotPositions positions;
    ParseLayout(file, positions);
    for (SlotId slot = 0; slot < DrawnSlot; ++slot) {
        ASSERT_EQ(positions.x[slot], slot) << slot;
        ASSERT_EQ(positions.y[slot], 500 + slot) << slot;
    }
}

TEST(ParseLayout, LinesBeyondTheTwentySixthAreIgnored) {
    std::string file = FullFile("\n");
    for (int32_t extra = 0; extra < 40; ++extra) file += std::string(48, '9') + "\n";
    SlotPositions positions;
    ParseLayout(file, positions);
    EXPECT_EQ(positions.x[207], 207);
    EXPECT_EQ(positions.y[207], 707);
    EXPECT_EQ(positions.x[DrawnSlot], 476);
    EXPECT_EQ(positions.y[DrawnSlot], 274);
}

TEST(ParseLayout, SignsAndLettersInTheFile) {
    SlotPositions positions;
    ParseLayout("-12 -5abcxyz+07  9\n", positions);
    EXPECT_EQ(positions.x[0], -12);
    EXPECT_EQ(positions.y[0], -5);
    EXPECT_EQ(positions.x[1], 0);
    EXPECT_EQ(positions.y[1], 0);
    EXPECT_EQ(positions.x[2], 7);
    EXPECT_EQ(positions.y[2], 9);
}

TEST(ParseLayout, EmptyFileLeavesOnlyTheDrawnSlot) {
    SlotPositions positions;
    FillWithJunk(positions);
    ParseLayout("", positions);
    for (SlotId slot = 0; slot < DrawnSlot; ++slot) {
        ASSERT_EQ(positions.x[slot], 0);
        ASSERT_EQ(positions.y[slot], 0);
    }
    EXPECT_EQ(positions.x[DrawnSlot], 476);
}

void ExpectShipped(const SlotPositions& positions) {
    SlotPositions shipped;
    ShippedLayout(shipped);
    for (SlotId slot = 0; slot < kSlots; ++slot) {
        ASSERT_EQ(positions.x[slot], shipped.x[slot]) << slot;
        ASSERT_EQ(positions.y[slot], shipped.y[slot]) << slot;
    }
}

// What makes a layout file read incompletely: a missing line or a field
// without a digit. Anything else of a complete file is taken as it is.
TEST(ParseLayout, ReadsCompletelyOnlyWithTwentySixLinesOfNumbers) {
    const std::string full = FullFile("\r\n");
    std::string blankField = full;
    blankField.replace(50 * 3 + 6 * 5 + 3, 3, "   ");
    std::string letters = full;
    letters.replace(50 * 25 + 42, 3, "abc");
    std::string loneSign = full;
    loneSign.replace(0, 3, "-  ");
    std::string shortLine = full;
    shortLine.erase(50 * 10 + 45, 3);  // line 10 ends inside its last y field's place
    std::string oddButNumbers = full;
    oddButNumbers.replace(0, 6, "-991a2");  // -99 and 1: numbers, used as they are
    struct Case {
        const char* name;
        std::string file;
        bool complete;
    };
    const Case cases[] = {
        {"the 26 lines", full, true},
        {"LF ends", FullFile("\n"), true},
        {"no end after the last line", full.substr(0, full.size() - 2), true},
        {"lines beyond the 26th", full + std::string(48, 'x') + "\r\n", true},
        {"numbers that look odd", oddButNumbers, true},
        {"empty", "", false},
        {"25 lines", full.substr(0, 50 * 25), false},
        {"a blank field", blankField, false},
        {"letters in the last line", letters, false},
        {"a sign without digits", loneSign, false},
        {"a line cut short", shortLine, false},
        {"random bytes", std::string(1300, '\x9c'), false},
    };
    for (const Case& c : cases) {
        SlotPositions positions;
        EXPECT_EQ(ParseLayout(c.file, positions), c.complete) << c.name;
    }
    SlotPositions odd;
    ParseLayout(oddButNumbers, odd);
    EXPECT_EQ(odd.x[0], -99);
    EXPECT_EQ(odd.y[0], 1);
}

TEST(LoadLayout, AMissingFileGivesTheShippedLayout) {
    TempFolder folder;
    SlotPositions positions;
    FillWithJunk(positions);
    EXPECT_EQ(LoadLayout(folder.File("allocation.dat").c_str(), positions), LayoutStatus::NotFound);
    ExpectShipped(positions);
    FillWithJunk(positions);
    EXPECT_EQ(LoadLayout(nullptr, positions), LayoutStatus::NotFound);
    ExpectShipped(positions);
}

TEST(LoadLayout, AFolderInPlaceOfTheFileIsNotALayout) {
    TempFolder folder;
    SlotPositions positions;
    EXPECT_EQ(LoadLayout(folder.Path().string().c_str(), positions), LayoutStatus::NotFound);
    ExpectShipped(positions);
}

TEST(LoadLayout, ADamagedFileGivesTheShippedLayoutAndNoPartOfItself) {
    TempFolder folder;
    const std::string path = folder.File("allocation.dat");
    // Ten good lines and no more: taken in part, the rest of the cards would
    // pile up at the board's corner.
    std::string file;
    for (int32_t line = 0; line < 10; ++line) file += EntryLine(line * 8) + "\r\n";
    for (const std::string& damaged : {file, FullFile("\r\n").replace(0, 3, "x12")}) {
        WriteBytes(path, damaged);
        SlotPositions positions;
        FillWithJunk(positions);
        EXPECT_EQ(LoadLayout(path.c_str(), positions), LayoutStatus::Damaged);
        ExpectShipped(positions);
    }
}

TEST(LoadLayout, ACompleteFileIsUsedExactlyAsItIs) {
    TempFolder folder;
    const std::string path = folder.File("allocation.dat");
    // Every card in one place: odd, but what the file says.
    std::string file;
    for (int32_t line = 0; line < kLayoutLines; ++line) {
        for (int32_t k = 0; k < 8; ++k) file += "  0  0";
        file += "\n";
    }
    WriteBytes(path, file);
    SlotPositions positions;
    ASSERT_EQ(LoadLayout(path.c_str(), positions), LayoutStatus::Ok);
    for (SlotId slot = 0; slot < DrawnSlot; ++slot) {
        ASSERT_EQ(positions.x[slot], 0) << slot;
        ASSERT_EQ(positions.y[slot], 0) << slot;
    }
    EXPECT_EQ(positions.x[DrawnSlot], 476);
}

TEST(LoadLayout, ReadsTheFileAsTheParserReadsItsBytes) {
    TempFolder folder;
    // A megabyte-long first line, then the usual lines: the reader keeps
    // only the columns that count and still finds every later line.
    std::string file = EntryLine(0) + std::string(1 << 20, 'x') + "\r\n";
    for (int32_t line = 1; line < kLayoutLines; ++line) file += EntryLine(line * 8) + "\r\n";
    WriteBytes(folder.File("allocation.dat"), file);
    SlotPositions loaded;
    SlotPositions parsed;
    ASSERT_EQ(LoadLayout(folder.File("allocation.dat").c_str(), loaded), LayoutStatus::Ok);
    ParseLayout(file, parsed);
    for (SlotId slot = 0; slot < kSlots; ++slot) {
        ASSERT_EQ(loaded.x[slot], parsed.x[slot]) << slot;
        ASSERT_EQ(loaded.y[slot], parsed.y[slot]) << slot;
    }
    EXPECT_EQ(loaded.x[207], 207);
}

}  // namespace
}  // namespace koikoi
