// The guide page shown in the 600 x 400 title window before a game starts.
#pragma once

#include <cstdint>

#include "game/texts.h"
#include "presentation/canvas.h"

namespace koikoi {

// The guide page is the canvas's top-left 600 x 400 pixels; the title window
// has that outer size too.
inline constexpr int32_t kPageWidth = 600;
inline constexpr int32_t kPageHeight = 400;
inline constexpr TextFont kPageFont = {16, false};

// Four paragraphs of introduction, four bullet points, and the line that
// names the opponent.
inline constexpr int32_t kPageParagraphs = 9;

// Where the guide page's paragraphs go. The classic page has a fixed box
// for each; a flowing page has one column, each paragraph as high as its
// lines and `gap` below the one before, for a narrow screen whose lines
// break the texts into more of them.
struct PageGeometry {
    int32_t width, height;
    Box paragraphs[kPageParagraphs];  // flowing: only the left and right edges count,
                                      // and the first top
    bool flowing;
    int32_t gap;
};

// The classic page: the introduction from x = 6 to 580, the bullet points
// (each opening with a middle dot) from x = 16 to 590.
inline constexpr PageGeometry kWidePage = {
    kPageWidth,
    kPageHeight,
    {{6, 6, 580, 40},
     {6, 46, 580, 80},
     {6, 86, 580, 120},
     {6, 126, 580, 177},
     {16, 183, 590, 217},
     {16, 223, 590, 240},
     {16, 246, 590, 280},
     {16, 286, 590, 320},
     {16, 326, 590, 343}},
    false,
    0,
};

// A phone held upright: 360 wide, so that its 16-pixel text shows unshrunk
// on a 390-pixel screen, and as high as the wrapped paragraphs need.
inline constexpr PageGeometry kNarrowPage = {
    360,
    720,
    {{8, 8, 352, 0},
     {8, 0, 352, 0},
     {8, 0, 352, 0},
     {8, 0, 352, 0},
     {18, 0, 352, 0},
     {18, 0, 352, 0},
     {18, 0, 352, 0},
     {18, 0, 352, 0},
     {18, 0, 352, 0}},
    true,
    8,
};

// Paints the white guide page into the canvas's top-left corner of the
// page's size, naming the chosen opponent in red, and copies that corner to
// the window. The rest of the canvas is left as it was. The caller holds
// the window's drawing context around the call.
void PaintTitle(Canvas& canvas, uint8_t opponentId, const PageGeometry& page = kWidePage,
                Language language = Language::Japanese);

}  // namespace koikoi
