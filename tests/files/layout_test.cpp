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

TEST(LoadLayout, MissingFileLeavesEveryPositionZeroDrawnSlotToo) {
    TempFolder folder;
    SlotPositions positions;
    FillWithJunk(positions);
    EXPECT_FALSE(LoadLayout(folder.File("allocation.dat").c_str(), positions));
    for (SlotId slot = 0; slot < kSlots; ++slot) {
        ASSERT_EQ(positions.x[slot], 0) << slot;
        ASSERT_EQ(positions.y[slot], 0) << slot;
    }
    EXPECT_FALSE(LoadLayout(nullptr, positions));
}

TEST(LoadLayout, AFolderInPlaceOfTheFileIsNotALayout) {
    TempFolder folder;
    SlotPositions positions;
    EXPECT_FALSE(LoadLayout(folder.Path().string().c_str(), positions));
    EXPECT_EQ(positions.x[DrawnSlot], 0);
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
    ASSERT_TRUE(LoadLayout(folder.File("allocation.dat").c_str(), loaded));
    ParseLayout(file, parsed);
    for (SlotId slot = 0; slot < kSlots; ++slot) {
        ASSERT_EQ(loaded.x[slot], parsed.x[slot]) << slot;
        ASSERT_EQ(loaded.y[slot], parsed.y[slot]) << slot;
    }
    EXPECT_EQ(loaded.x[207], 207);
}

}  // namespace
}  // namespace koikoi
