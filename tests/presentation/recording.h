// A canvas and a host that write every call into one log, so the tests can
// check the painters' geometry and the order of drawing and pauses without
// a window.
#pragma once

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "game/host.h"
#include "game/slot_positions.h"
#include "game/table.h"
#include "presentation/board_geometry.h"
#include "presentation/canvas.h"

namespace koikoi::testing {

enum class Op { Acquire, Release, Copy, Fill, TextBox, Text, Frame, Present, PresentPage, Pause };

// A sheet cell's origin and where its copy landed.
struct CopyCall {
    int32_t sheetX, sheetY, width, height, x, y;
    friend bool operator==(const CopyCall&, const CopyCall&) = default;
};

struct Point {
    int32_t x, y;
    friend bool operator==(const Point&, const Point&) = default;
};

struct Call {
    Op op;
    CopyCall copy{};  // Copy
    Point at{};       // Frame
    Box box{};        // Fill, TextBox, Text
    Rgb colour{};
    TextFont font{};
    TextLayout layout{};
    std::string text{};  // the bytes as handed over
    int32_t ms = 0;      // Pause
};

using Log = std::vector<Call>;

class RecordingCanvas : public Canvas {
  public:
    explicit RecordingCanvas(Log& log) : log_(log) {}

    void AcquireWindow() override { log_.push_back({.op = Op::Acquire}); }
    void ReleaseWindow() override { log_.push_back({.op = Op::Release}); }
    void CopyCell(int32_t sheetX, int32_t sheetY, int32_t width, int32_t height, int32_t x,
                  int32_t y) override {
        log_.push_back({.op = Op::Copy, .copy = {sheetX, sheetY, width, height, x, y}});
    }
    void Fill(Box box, Rgb colour) override {
        log_.push_back({.op = Op::Fill, .box = box, .colour = colour});
    }
    void TextBox(Box box, TextFont font, Rgb colour, const char* text) override {
        log_.push_back(
            {.op = Op::TextBox, .box = box, .colour = colour, .font = font, .text = text});
    }
    void Text(Box box, TextFont font, Rgb colour, TextLayout layout, const char* text) override {
        log_.push_back({.op = Op::Text,
                        .box = box,
                        .colour = colour,
                        .font = font,
                        .layout = layout,
                        .text = text});
    }
    // Every two bytes (a Shift-JIS character) as wide as the font is high.
    int32_t WrappedTextHeight(int32_t width, TextFont font, const char* text) override {
        const int32_t textWidth = static_cast<int32_t>(std::strlen(text)) * font.size / 2;
        return font.size * std::max(1, (textWidth + width - 1) / width);
    }
    void Frame(int32_t x, int32_t y) override { log_.push_back({.op = Op::Frame, .at = {x, y}}); }
    void Present() override { log_.push_back({.op = Op::Present}); }
    void PresentPage() override { log_.push_back({.op = Op::PresentPage}); }

  private:
    Log& log_;
};

// Only the pauses matter to the painter; the rest of the host is inert.
class RecordingHost final : public SilentHost {
  public:
    explicit RecordingHost(Log& log) : log_(log) {}

    void Pause(int32_t ms) override { log_.push_back({.op = Op::Pause, .ms = ms}); }

  private:
    Log& log_;
};

// The ops of a log in order, for checking the sequence of steps.
inline std::vector<Op> Ops(const Log& log) {
    std::vector<Op> ops;
    for (const Call& call : log) ops.push_back(call.op);
    return ops;
}

// Where the copies of one sheet cell landed, in drawing order.
inline std::vector<Point> CopiesOf(const Log& log, int32_t sheetX, int32_t sheetY) {
    std::vector<Point> places;
    for (const Call& call : log) {
        if (call.op == Op::Copy && call.copy.sheetX == sheetX && call.copy.sheetY == sheetY) {
            places.push_back({call.copy.x, call.copy.y});
        }
    }
    return places;
}

inline std::vector<Call> CallsOf(const Log& log, Op op) {
    std::vector<Call> calls;
    for (const Call& call : log) {
        if (call.op == op) calls.push_back(call);
    }
    return calls;
}

// An empty table in the middle of a month: no cards, no scores, the human to
// play against the first opponent.
inline Table EmptyTable() {
    Table table{};
    for (int32_t& card : table.SlotCards) card = kNoCard;
    for (int32_t& slot : table.CardSlots) slot = kNoSlot;
    table.MonthNumber = 1;
    table.TurnCount = 1;
    table.CurrentSide = 0;
    table.OtherSide = 1;
    return table;
}

// Every slot at a place of its own that names it: slot s at (1000 + s, 2000 + s).
inline SlotPositions TellingPositions() {
    SlotPositions positions{};
    for (int32_t slot = 0; slot < kSlots; ++slot) {
        positions.x[slot] = 1000 + slot;
        positions.y[slot] = 2000 + slot;
    }
    return positions;
}

}  // namespace koikoi::testing
