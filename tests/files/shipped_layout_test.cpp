// The board layout and record file shipped in data/: every card cell on the
// board, clicked cells apart, the painter's places clear, piles readable.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "files/layout.h"
#include "files/records.h"
#include "tests/files/temp_folder.h"

namespace koikoi {
namespace {

struct Rect {
    int32_t x, y, w, h;
};

bool Overlap(const Rect& a, const Rect& b) {
    return a.x < b.x + b.w && b.x < a.x + a.w && a.y < b.y + b.h && b.y < a.y + a.h;
}

std::ostream& operator<<(std::ostream& out, const Rect& r) {
    return out << "(" << r.x << ", " << r.y << ", " << r.w << " x " << r.h << ")";
}

// What must stay readable of a card that another lies on: its top-left
// corner, where the month shows.
constexpr int32_t kCornerWidth = 14;
constexpr int32_t kCornerHeight = 24;

// Room for this many pips in a counter row: a month rarely banks more.
constexpr int32_t kPipsRoom = 20;

// The painter's lasting places on the board, with room for their contents.
std::vector<std::pair<std::string, Rect>> PainterPlaces() {
    std::vector<std::pair<std::string, Rect>> places = {
        {"month marker", {476, 416, 60, 30}},
        {"koi-koi badge", {476, 246, 50, 20}},
        {"drawn card", {kDrawnSlotX, kDrawnSlotY, kCardWidth, kCardHeight}},
        {"kan label 0", {2, 360, 50, 20}},
        {"kan tokens 0", {8, 382, 5 * 22 + 4 * 2, 22 + 20}},
        {"kan label 1", {964, 378, 50, 20}},
        {"kan tokens 1", {1008 - (5 * 22 + 4 * 2), 400, 5 * 22 + 4 * 2, 22 + 20}},
        {"turn label 0", {4, 464, 141, 21}},
        {"turn label 1", {872, 210, 141, 21}},
        {"hand-card prompt", {4, 442, 200, 20}},
        {"field-card prompt", {410, 216, 200, 20}},
    };
    const int32_t pipsWidth = 11 * (kPipsRoom - 1) + 8;
    for (int32_t r = 0; r < 3; ++r) {
        const std::string row = std::to_string(r);
        places.push_back({"counter label 0." + row, {2, 232 + 38 * r, 50, 20}});
        places.push_back({"pips 0." + row, {12, 254 + 38 * r, pipsWidth, 10}});
        places.push_back({"counter label 1." + row, {964, 250 + 38 * r, 50, 20}});
        places.push_back(
            {"pips 1." + row, {995 - 11 * (kPipsRoom - 1), 272 + 38 * r, pipsWidth, 10}});
    }
    for (int32_t k = 0; k < 10; ++k) {
        places.push_back({"combination label 0." + std::to_string(k), {280 + 55 * k, 460, 50, 20}});
        places.push_back({"combination label 1." + std::to_string(k), {685 - 55 * k, 216, 50, 20}});
    }
    return places;
}

// Slots whose cards may overlap one another: a capture pile, the computer's
// face-down hand, the stock. Every other slot is an area of its own.
int32_t AreaOf(SlotId slot) {
    if (slot >= kFieldFirst) return slot;
    if (slot >= kStockFirst) return kStockFirst;
    const SlotId inBlock = slot % kSideBlock;
    const SlotId blockBase = slot - inBlock;
    if (inBlock < kHandSize) return slot < kSideBlock ? slot : blockBase;
    for (int32_t pile = 3; pile >= 0; --pile) {
        if (inBlock >= kPileBase[static_cast<size_t>(pile)]) {
            return blockBase + kPileBase[static_cast<size_t>(pile)];
        }
    }
    return slot;
}

class ShippedLayout : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_EQ(LoadLayout(KOIKOI_SOURCE_DIR "/data/allocation.dat", positions_),
                  LayoutStatus::Ok);
    }
    Rect Cell(SlotId slot) const {
        return {positions_.x[slot], positions_.y[slot], kCardWidth, kCardHeight};
    }
    Rect Corner(SlotId slot) const {
        return {positions_.x[slot], positions_.y[slot], kCornerWidth, kCornerHeight};
    }
    SlotPositions positions_{};
};

// The layout built into the program stands in for a missing or damaged file,
// so it must be the shipped file, line for line.
TEST_F(ShippedLayout, TheBuiltInCopyIsTheShippedFile) {
    const std::string bytes = testing::ReadBytes(KOIKOI_SOURCE_DIR "/data/allocation.dat");
    std::string lines;
    for (size_t start = 0; start < bytes.size();) {
        const size_t end = bytes.find("\r\n", start);
        ASSERT_NE(end, std::string::npos);
        lines += bytes.substr(start, end - start) + "\n";
        start = end + 2;
    }
    EXPECT_EQ(ShippedLayoutText(), lines);
    SlotPositions builtIn;
    koikoi::ShippedLayout(builtIn);
    for (SlotId slot = 0; slot < kSlots; ++slot) {
        ASSERT_EQ(builtIn.x[slot], positions_.x[slot]) << slot;
        ASSERT_EQ(builtIn.y[slot], positions_.y[slot]) << slot;
    }
}

TEST_F(ShippedLayout, IsTwentySixFixedWidthLinesWithCrLf) {
    const std::string bytes = testing::ReadBytes(KOIKOI_SOURCE_DIR "/data/allocation.dat");
    EXPECT_EQ(bytes.size(), static_cast<size_t>(kLayoutLines * (kLayoutUsedColumns + 2)));
    for (int32_t line = 0; line < kLayoutLines; ++line) {
        const std::string text = bytes.substr(static_cast<size_t>(line * 50), 50);
        EXPECT_EQ(text.substr(48), "\r\n") << line;
        EXPECT_EQ(text.find_first_not_of("0123456789"), 48u) << line;
    }
}

TEST_F(ShippedLayout, EveryCellLiesOnTheBoard) {
    for (SlotId slot = 0; slot < kSlots; ++slot) {
        const Rect cell = Cell(slot);
        EXPECT_TRUE(cell.x >= 0 && cell.y >= 0 && cell.x + cell.w <= kBoardWidth &&
                    cell.y + cell.h <= kBoardHeight)
            << "slot " << slot << " " << cell;
    }
}

TEST_F(ShippedLayout, ClickedCellsNeverOverlap) {
    std::vector<SlotId> clicked;
    for (SlotId slot = kHumanHand; slot < kHumanHand + kHandSize; ++slot) clicked.push_back(slot);
    for (SlotId slot = kFieldFirst; slot <= kFieldLast; ++slot) clicked.push_back(slot);
    for (size_t i = 0; i < clicked.size(); ++i) {
        for (size_t j = i + 1; j < clicked.size(); ++j) {
            EXPECT_FALSE(Overlap(Cell(clicked[i]), Cell(clicked[j])))
                << "slots " << clicked[i] << " and " << clicked[j];
        }
    }
}

TEST_F(ShippedLayout, NoCardCoversThePaintersPlaces) {
    for (const auto& [name, place] : PainterPlaces()) {
        for (SlotId slot = 0; slot < DrawnSlot; ++slot) {
            EXPECT_FALSE(Overlap(Cell(slot), place))
                << name << " " << place << " under slot " << slot;
        }
    }
}

TEST_F(ShippedLayout, AreasStayApartAndPilesShowEveryMonth) {
    for (SlotId a = 0; a < kOverlayFirst; ++a) {
        for (SlotId b = a + 1; b < kOverlayFirst; ++b) {
            if (AreaOf(a) != AreaOf(b)) {
                EXPECT_FALSE(Overlap(Cell(a), Cell(b))) << "slots " << a << " and " << b;
            } else if (a < kStockFirst) {
                // A pile is painted in slot order: later cards leave the
                // corners of the earlier ones.
                EXPECT_FALSE(Overlap(Corner(a), Cell(b))) << "slot " << b << " hides " << a;
            }
        }
    }
}

TEST_F(ShippedLayout, ACapturingCardLiesOnItsFieldCardAndBothShow) {
    for (SlotId field = kFieldFirst; field <= kFieldLast; ++field) {
        const SlotId overlay = OverlaySlot(field);
        EXPECT_TRUE(Overlap(Cell(overlay), Cell(field))) << overlay;
        EXPECT_FALSE(Overlap(Cell(overlay), Corner(field))) << overlay;
        for (SlotId other = 0; other <= kOverlayLast; ++other) {
            if (other == field || other == overlay) continue;
            EXPECT_FALSE(Overlap(Cell(overlay), Cell(other)))
                << "slot " << overlay << " covers slot " << other;
        }
    }
}

TEST_F(ShippedLayout, TheDealtFieldLiesBetweenTheCombinationLabels) {
    for (SlotId slot = kFieldFirst; slot < kFieldFirst + 8; ++slot) {
        EXPECT_GE(positions_.y[slot], 236) << slot;
        EXPECT_LE(positions_.y[slot] + kCardHeight, 460) << slot;
    }
}

TEST(ShippedRecords, IsAResetRecordFile) {
    RecordTable table;
    ClearRecords(table);
    EXPECT_EQ(testing::ReadBytes(KOIKOI_SOURCE_DIR "/data/result.dat"), FormatRecords(table));
}

}  // namespace
}  // namespace koikoi
