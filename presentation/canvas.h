// The small drawing interface the painters draw through. The window
// implements it with GDI; tests record the calls instead.
#pragma once

#include <cstdint>

namespace koikoi {

struct Rgb {
    uint8_t r, g, b;
    friend constexpr bool operator==(Rgb, Rgb) = default;
};

// A rectangle, right and bottom exclusive.
struct Box {
    int32_t left, top, right, bottom;
    friend constexpr bool operator==(Box, Box) = default;
};

// A text's font: "MS 明朝" in Shift-JIS, at a character cell height in
// pixels of the surface drawn on (board pixels for the board and the guide
// page), bold or of the default weight. It travels with every text call, so
// a front-end needs no table of sizes of its own.
struct TextFont {
    int32_t size;
    bool bold;
    friend constexpr bool operator==(TextFont, TextFont) = default;
};

enum class TextLayout : uint8_t {
    CentredLine,  // centred across, from the box's top, one line, clipped
    WordWrap,     // left and top aligned, broken at the box's width, clipped
};

class Canvas {
  public:
    virtual ~Canvas() = default;

    // A drawing context of the window is held between these two.
    virtual void AcquireWindow() = 0;
    virtual void ReleaseWindow() = 0;

    // Copies a cell of the card sheet, unscaled, to (x, y) of the canvas.
    virtual void CopyCell(int32_t sheetX, int32_t sheetY, int32_t width, int32_t height, int32_t x,
                          int32_t y) = 0;
    virtual void Fill(Box box, Rgb colour) = 0;
    // A box with 10 x 10 rounded corners in one colour, black text centred on it.
    // Both text calls take the box, then the font, then the colour.
    virtual void TextBox(Box box, TextFont font, Rgb colour, const char* text) = 0;
    // Text only, transparent background.
    virtual void Text(Box box, TextFont font, Rgb colour, TextLayout layout, const char* text) = 0;
    // The height a word-wrapped text takes in a box this wide: its lines
    // times the font's cell height, as Text would draw them.
    virtual int32_t WrappedTextHeight(int32_t width, TextFont font, const char* text) = 0;
    // A 3-pixel outline along the outer pixels of the card cell at (x, y).
    virtual void Frame(int32_t x, int32_t y) = 0;

    // Copies the whole canvas to the window, stretched to the view size.
    virtual void Present() = 0;
    // Copies the guide page (the canvas's top-left corner of the page's
    // size) to the window, unscaled.
    virtual void PresentPage() = 0;
};

}  // namespace koikoi
