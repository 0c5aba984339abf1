// The card sheet check: a whole bitmap passes, whatever its size; a file
// that is missing, cut short or no bitmap does not.
#include "files/card_sheet.h"

#include <gtest/gtest.h>

#include <string>

#include "tests/files/temp_folder.h"

namespace koikoi {
namespace {

using testing::ReadBytes;
using testing::TempFolder;
using testing::WriteBytes;

void Put16(std::string& b, size_t at, uint32_t v) {
    b[at] = static_cast<char>(v & 0xFF);
    b[at + 1] = static_cast<char>(v >> 8 & 0xFF);
}

void Put32(std::string& b, size_t at, uint32_t v) {
    Put16(b, at, v & 0xFFFF);
    Put16(b, at + 2, v >> 16);
}

// A bitmap with a BITMAPINFOHEADER and its pixels, all zero.
std::string Bitmap(int32_t width, int32_t height, uint32_t bits) {
    const uint32_t stride = (static_cast<uint32_t>(width) * bits + 31) / 32 * 4;
    const uint32_t rows = static_cast<uint32_t>(height < 0 ? -height : height);
    std::string b(54 + stride * rows, '\0');
    b[0] = 'B';
    b[1] = 'M';
    Put32(b, 2, static_cast<uint32_t>(b.size()));
    Put32(b, 10, 54);
    Put32(b, 14, 40);
    Put32(b, 18, static_cast<uint32_t>(width));
    Put32(b, 22, static_cast<uint32_t>(height));
    Put16(b, 26, 1);
    Put16(b, 28, bits);
    return b;
}

TEST(CardSheet, WholeBitmapsPassAndDamagedOnesDoNot) {
    const std::string sheet = Bitmap(819, 932, 24);
    std::string cut = sheet.substr(0, sheet.size() - 1);
    std::string notBm = sheet;
    notBm[0] = 'P';
    std::string noPlanes = sheet;
    Put16(noPlanes, 26, 0);
    std::string oddDepth = sheet;
    Put16(oddDepth, 28, 7);
    std::string pixelsAfterEnd = sheet;
    Put32(pixelsAfterEnd, 10, static_cast<uint32_t>(sheet.size()));
    std::string pixelsInHeader = sheet;
    Put32(pixelsInHeader, 10, 20);
    std::string jpeg = sheet;
    Put32(jpeg, 30, 4);
    std::string core(26 + 4 * 2, '\0');  // BITMAPCOREHEADER, 1 x 2 pixels of 8 bits
    core[0] = 'B';
    core[1] = 'M';
    Put32(core, 10, 26);
    Put32(core, 14, 12);
    Put16(core, 18, 1);
    Put16(core, 20, 2);
    Put16(core, 22, 1);
    Put16(core, 24, 8);
    struct Case {
        const char* name;
        std::string bytes;
        SheetStatus status;
    };
    const Case cases[] = {
        {"the sheet's size, 24 bits", sheet, SheetStatus::Ok},
        {"another size: scaled by the loader", Bitmap(63, 104, 24), SheetStatus::Ok},
        {"top row first", Bitmap(819, -932, 32), SheetStatus::Ok},
        {"8 bits, padded rows", Bitmap(13, 5, 8), SheetStatus::Ok},
        {"a core header", core, SheetStatus::Ok},
        {"cut one byte short", cut, SheetStatus::Damaged},
        {"cut inside the header", sheet.substr(0, 30), SheetStatus::Damaged},
        {"empty", "", SheetStatus::Damaged},
        {"no BM mark", notBm, SheetStatus::Damaged},
        {"no planes", noPlanes, SheetStatus::Damaged},
        {"a depth of 7 bits", oddDepth, SheetStatus::Damaged},
        {"pixels after the end", pixelsAfterEnd, SheetStatus::Damaged},
        {"pixels inside the header", pixelsInHeader, SheetStatus::Damaged},
        {"JPEG inside", jpeg, SheetStatus::Damaged},
        {"zero width", Bitmap(0, 10, 24), SheetStatus::Damaged},
        {"text", std::string("<html>not a picture</html>") + std::string(100, ' '),
         SheetStatus::Damaged},
    };
    TempFolder folder;
    const std::string path = folder.File("hanaX.bmp");
    for (const Case& c : cases) {
        WriteBytes(path, c.bytes);
        EXPECT_EQ(CheckCardSheet(path.c_str()), c.status) << c.name;
    }
}

TEST(CardSheet, AMissingFileOrAFolderIsNotFound) {
    TempFolder folder;
    EXPECT_EQ(CheckCardSheet(folder.File("hanaX.bmp").c_str()), SheetStatus::NotFound);
    EXPECT_EQ(CheckCardSheet(folder.Path().c_str()), SheetStatus::NotFound);
    EXPECT_EQ(CheckCardSheet(nullptr), SheetStatus::NotFound);
}

TEST(CardSheet, TheShippedSheetPasses) {
    EXPECT_EQ(CheckCardSheet(KOIKOI_SOURCE_DIR "/data/hanaX.bmp"), SheetStatus::Ok);
    const std::string bytes = ReadBytes(KOIKOI_SOURCE_DIR "/data/hanaX.bmp");
    EXPECT_EQ(CheckBitmapBytes(std::string_view(bytes).substr(0, 54), bytes.size() - 1),
              SheetStatus::Damaged);
}

}  // namespace
}  // namespace koikoi
