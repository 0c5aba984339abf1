// The guide page shown in the 600 x 400 title window before a game starts.
#pragma once

#include <cstdint>

#include "presentation/canvas.h"

namespace koikoi {

// The guide page is the canvas's top-left 600 x 400 pixels; the title window
// has that outer size too.
inline constexpr int32_t kPageWidth = 600;
inline constexpr int32_t kPageHeight = 400;
inline constexpr TextFont kPageFont = {16, false};

// Paints the white guide page into the canvas's top-left 600 x 400 pixels,
// naming the chosen opponent in red, and copies that corner to the window.
// The rest of the canvas is left as it was. The caller holds the window's
// drawing context around the call.
void PaintTitle(Canvas& canvas, uint8_t opponentId);

}  // namespace koikoi
