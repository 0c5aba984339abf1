// The drawing interface on an HTML canvas: the page keeps an off-screen
// canvas of the board (BoardCanvas) and copies it to the visible one.
#pragma once

#include <cstdint>

#include "presentation/canvas.h"

namespace koikoi::web {

enum class Surface : int32_t {
    Board = 0,        // the off-screen board; presents copy it to the page
    RecordTable = 1,  // the record panel's table, drawn straight on its canvas
};

class WebCanvas final : public Canvas {
  public:
    explicit WebCanvas(Surface surface) : surface_(static_cast<int32_t>(surface)) {}

    // The page holds no drawing context that could be let go.
    void AcquireWindow() override {}
    void ReleaseWindow() override {}
    void CopyCell(int32_t sheetX, int32_t sheetY, int32_t width, int32_t height, int32_t x,
                  int32_t y) override;
    void Fill(Box box, Rgb colour) override;
    void TextBox(Box box, TextFont font, Rgb colour, const char* text) override;
    void Text(Box box, TextFont font, Rgb colour, TextLayout layout, const char* text) override;
    int32_t WrappedTextHeight(int32_t width, TextFont font, const char* text) override;
    void Frame(int32_t x, int32_t y) override;
    void Present() override;
    void PresentPage() override;

  private:
    int32_t surface_;
};

}  // namespace koikoi::web
