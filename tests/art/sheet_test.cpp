// Checks the shipped card sheet data/hanaX.bmp against the painter's cell table:
// the file format the program's bitmap loader expects, and a picture in every cell.
#include <gtest/gtest.h>

#include <cstdint>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <vector>

#include "presentation/board_layout.h"

namespace koikoi {
namespace {

uint32_t ReadU32(const std::vector<uint8_t>& b, size_t at) {
    return static_cast<uint32_t>(b[at]) | static_cast<uint32_t>(b[at + 1]) << 8 |
           static_cast<uint32_t>(b[at + 2]) << 16 | static_cast<uint32_t>(b[at + 3]) << 24;
}
uint16_t ReadU16(const std::vector<uint8_t>& b, size_t at) {
    return static_cast<uint16_t>(b[at] | b[at + 1] << 8);
}

// The sheet as its BITMAPFILEHEADER and BITMAPINFOHEADER describe it.
struct Bitmap {
    std::vector<uint8_t> bytes;
    uint32_t fileSize = 0, pixelOffset = 0, headerSize = 0, compression = 0;
    int32_t width = 0, height = 0;
    uint16_t planes = 0, bitsPerPixel = 0;

    // Pixel (x, y) counted from the top left; the file stores rows bottom-up,
    // each padded to a multiple of four bytes, in blue, green, red order.
    Rgb At(int32_t x, int32_t y) const {
        const size_t stride = (static_cast<size_t>(width) * 3 + 3) / 4 * 4;
        const size_t at = pixelOffset + stride * static_cast<size_t>(height - 1 - y) + static_cast<size_t>(x) * 3;
        return {bytes[at + 2], bytes[at + 1], bytes[at]};
    }
};

Bitmap LoadSheet() {
    std::ifstream in(KOIKOI_SHEET_PATH, std::ios::binary);
    Bitmap bmp;
    bmp.bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    if (bmp.bytes.size() < 54) return bmp;
    bmp.fileSize = ReadU32(bmp.bytes, 2);
    bmp.pixelOffset = ReadU32(bmp.bytes, 10);
    bmp.headerSize = ReadU32(bmp.bytes, 14);
    bmp.width = static_cast<int32_t>(ReadU32(bmp.bytes, 18));
    bmp.height = static_cast<int32_t>(ReadU32(bmp.bytes, 22));
    bmp.planes = ReadU16(bmp.bytes, 26);
    bmp.bitsPerPixel = ReadU16(bmp.bytes, 28);
    bmp.compression = ReadU32(bmp.bytes, 30);
    return bmp;
}

const Bitmap& Sheet() {
    static const Bitmap sheet = LoadSheet();
    return sheet;
}

struct NamedCell {
    std::string name;
    SheetCell cell;
    bool card;  // a card face or the back, which fills its cell but for the rounded corners
};

// Every cell the painter copies from the sheet, by the painter's own table.
std::vector<NamedCell> AllCells() {
    std::vector<NamedCell> cells;
    for (CardId card = 0; card < kCards; ++card) {
        cells.push_back({"face " + std::to_string(card), FaceCell(card, FaceSet::First), true});
        cells.push_back({"second face " + std::to_string(card), FaceCell(card, FaceSet::Second), true});
    }
    cells.push_back({"back", kBackCell, true});
    for (int32_t month = 1; month <= 12; ++month)
        cells.push_back({"month marker " + std::to_string(month), MonthMarkerCell(month), false});
    for (int32_t k = 0; k < YakuCount; ++k)
        cells.push_back({"combination label " + std::to_string(k), YakuLabelCell(k), false});
    for (int32_t side = 0; side < 2; ++side) {
        const SidePieces& p = kSheetPieces[side];
        const std::string s = " of side " + std::to_string(side);
        cells.push_back({"koi-koi badge" + s, p.koiBadge, false});
        for (int32_t r = 0; r < 3; ++r)
            cells.push_back({"counter label " + std::to_string(r) + s, p.counterLabel[r], false});
        cells.push_back({"kan label" + s, p.kanLabel, false});
        cells.push_back({"ten-kan token" + s, p.tenKan, false});
        cells.push_back({"five-kan token" + s, p.fiveKan, false});
        cells.push_back({"one-kan token" + s, p.oneKan, false});
        cells.push_back({"pip" + s, p.pip, false});
    }
    cells.push_back({"hand-card prompt", kHandPromptCell, false});
    cells.push_back({"field-card prompt", kFieldPromptCell, false});
    return cells;
}

TEST(ArtSheet, IsAnUncompressedBottomUp24BitBitmapOfTheSheetSize) {
    const Bitmap& bmp = Sheet();
    ASSERT_GE(bmp.bytes.size(), 54u) << "cannot read " << KOIKOI_SHEET_PATH;
    EXPECT_EQ(bmp.bytes[0], 'B');
    EXPECT_EQ(bmp.bytes[1], 'M');
    EXPECT_EQ(bmp.headerSize, 40u) << "a plain BITMAPINFOHEADER";
    EXPECT_EQ(bmp.width, kSheetWidth);
    EXPECT_EQ(bmp.height, kSheetHeight) << "a positive height: rows stored bottom-up";
    EXPECT_EQ(bmp.planes, 1);
    EXPECT_EQ(bmp.bitsPerPixel, 24);
    EXPECT_EQ(bmp.compression, 0u);
    EXPECT_EQ(bmp.pixelOffset, 54u) << "no palette and no colour masks";
    EXPECT_EQ(bmp.fileSize, bmp.bytes.size());
    const size_t stride = (static_cast<size_t>(kSheetWidth) * 3 + 3) / 4 * 4;
    EXPECT_GE(bmp.bytes.size(), 54 + stride * static_cast<size_t>(kSheetHeight));
}

TEST(ArtSheet, CellsLieInsideTheSheetWithoutOverlapping) {
    const std::vector<NamedCell> cells = AllCells();
    for (size_t i = 0; i < cells.size(); ++i) {
        const SheetCell& a = cells[i].cell;
        EXPECT_TRUE(a.x >= 0 && a.y >= 0 && a.x + a.width <= kSheetWidth && a.y + a.height <= kSheetHeight)
            << cells[i].name;
        for (size_t j = i + 1; j < cells.size(); ++j) {
            const SheetCell& b = cells[j].cell;
            const bool apart = a.x + a.width <= b.x || b.x + b.width <= a.x || a.y + a.height <= b.y ||
                               b.y + b.height <= a.y;
            EXPECT_TRUE(apart) << cells[i].name << " overlaps " << cells[j].name;
        }
    }
}

// A cell holds a picture when most of it is not felt and it shows more than a
// couple of colours. Card faces fill their cell but for the rounded corners;
// the small pieces stand on the felt of the board, so less of them is covered.
TEST(ArtSheet, EveryCellHoldsAPicture) {
    const Bitmap& bmp = Sheet();
    ASSERT_EQ(bmp.width, kSheetWidth);
    ASSERT_EQ(bmp.height, kSheetHeight);
    for (const NamedCell& named : AllCells()) {
        const SheetCell& c = named.cell;
        std::set<uint32_t> colours;
        int32_t covered = 0;
        for (int32_t y = c.y; y < c.y + c.height; ++y) {
            for (int32_t x = c.x; x < c.x + c.width; ++x) {
                const Rgb p = bmp.At(x, y);
                colours.insert(static_cast<uint32_t>(p.r) << 16 | static_cast<uint32_t>(p.g) << 8 | p.b);
                if (!(p == kFeltColour)) ++covered;
            }
        }
        const int32_t area = c.width * c.height;
        const int32_t minCoveredPercent = named.card ? 97 : 40;
        EXPECT_GE(covered * 100, area * minCoveredPercent) << named.name;
        EXPECT_GE(colours.size(), named.card ? 24u : 4u) << named.name;
    }
}

int32_t DifferingPixels(const SheetCell& a, const SheetCell& b) {
    const Bitmap& bmp = Sheet();
    int32_t differing = 0;
    for (int32_t y = 0; y < a.height; ++y)
        for (int32_t x = 0; x < a.width; ++x)
            if (!(bmp.At(a.x + x, a.y + y) == bmp.At(b.x + x, b.y + y))) ++differing;
    return differing;
}

// Forty-eight different pictures, and the computer's set marked yet the same
// picture: it differs from the first set only along the edge.
TEST(ArtSheet, FacesAreDistinctAndTheSecondSetIsTheFirstWithAMarkedEdge) {
    ASSERT_EQ(Sheet().width, kSheetWidth);
    const int32_t area = kCardWidth * kCardHeight;
    for (CardId a = 0; a < kCards; ++a) {
        for (CardId b = a + 1; b < kCards; ++b)
            EXPECT_GT(DifferingPixels(FaceCell(a, FaceSet::First), FaceCell(b, FaceSet::First)), area / 20)
                << "faces " << a << " and " << b << " look alike";
        const int32_t marked = DifferingPixels(FaceCell(a, FaceSet::First), FaceCell(a, FaceSet::Second));
        EXPECT_GT(marked, area / 20) << "second face " << a << " is not marked";
        EXPECT_LT(marked, area / 4) << "second face " << a << " is not the same picture";
    }
}

// Whatever no cell covers is felt or white: the sheet carries no stray pixels.
TEST(ArtSheet, UnusedPartsAreFeltOrWhite) {
    const Bitmap& bmp = Sheet();
    ASSERT_EQ(bmp.width, kSheetWidth);
    ASSERT_EQ(bmp.height, kSheetHeight);
    std::vector<bool> used(static_cast<size_t>(kSheetWidth * kSheetHeight), false);
    for (const NamedCell& named : AllCells()) {
        const SheetCell& c = named.cell;
        for (int32_t y = c.y; y < c.y + c.height; ++y)
            for (int32_t x = c.x; x < c.x + c.width; ++x) used[static_cast<size_t>(y * kSheetWidth + x)] = true;
    }
    int32_t stray = 0;
    for (int32_t y = 0; y < kSheetHeight; ++y) {
        for (int32_t x = 0; x < kSheetWidth; ++x) {
            const Rgb p = bmp.At(x, y);
            if (!used[static_cast<size_t>(y * kSheetWidth + x)] && !(p == kFeltColour) && !(p == Rgb{255, 255, 255}))
                ++stray;
        }
    }
    EXPECT_EQ(stray, 0);
}

}  // namespace
}  // namespace koikoi
