// The board painter runs hundreds of times a game inside pauses: it must not
// allocate. This binary counts every allocation the process makes.
#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <new>

#include "presentation/board_painter.h"
#include "presentation/title_page.h"
#include "tests/presentation/recording.h"

namespace {
std::atomic<long> allocations{0};
}  // namespace

// Replacing the global allocation functions counts the standard library's
// allocations too. Both sides use malloc and free so sanitizers see pairs.
void* operator new(std::size_t size) {
    allocations.fetch_add(1, std::memory_order_relaxed);
    if (void* block = std::malloc(size == 0 ? 1 : size)) return block;
    throw std::bad_alloc();
}
void operator delete(void* block) noexcept {
    std::free(block);
}
void operator delete(void* block, std::size_t) noexcept {
    std::free(block);
}

namespace koikoi::testing {
namespace {

// Draws nothing and keeps nothing, so only the painter itself could allocate.
class CountingCanvas : public Canvas {
  public:
    void AcquireWindow() override { ++calls; }
    void ReleaseWindow() override { ++calls; }
    void CopyCell(int32_t, int32_t, int32_t, int32_t, int32_t, int32_t) override { ++calls; }
    void Fill(Box, Rgb) override { ++calls; }
    void TextBox(Box, TextFont, Rgb, const char*) override { ++calls; }
    void Text(Box, TextFont, Rgb, TextLayout, const char*) override { ++calls; }
    int32_t WrappedTextHeight(int32_t, TextFont font, const char*) override { return font.size; }
    void Frame(int32_t, int32_t) override { ++calls; }
    void Present() override { ++calls; }
    void PresentPage() override { ++calls; }
    long calls = 0;
};

TEST(PaintBoardCost, AFullBoardWithEveryStepAllocatesNothing) {
    Table table = EmptyTable();
    for (CardId card = 0; card < kCards; ++card) table.SlotCards[kStockFirst + card] = card;
    table.KanBalance[0] = 72;
    table.KanBalance[1] = 36;
    table.MonthMon[0] = 9;
    table.TurnGain[1] = 12;
    table.YakuScore[0][ChaffSet] = 3;
    table.KoiCalled[1] = 1;
    table.CurrentSide = 1;
    const BoardGeometry geometry = WideGeometry(TellingPositions());
    Log unused;
    RecordingHost host(unused);  // no pause is asked for, so it records nothing
    CountingCanvas canvas;

    const long before = allocations.load();
    BoardShown shown;
    PaintBoard(table, geometry, canvas, host, SceneFieldPrompt, 0, MsgMonthWon, 3, 208, 0, &shown);
    PaintTitle(canvas, 2);
    PaintTitle(canvas, 2, kNarrowPage);
    RepaintShown(table, PortraitGeometry(), canvas, shown);
    EXPECT_EQ(allocations.load() - before, 0);
    // A scene repaint is a few hundred drawing calls at most.
    EXPECT_GT(canvas.calls, 48);
    EXPECT_LT(canvas.calls, 600);
}

}  // namespace
}  // namespace koikoi::testing
