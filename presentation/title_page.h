// The guide page shown in the 600 x 400 title window before a game starts.
#pragma once

#include <cstdint>

#include "presentation/canvas.h"

namespace koikoi {

// Paints the white guide page into the canvas's top-left 600 x 400 pixels,
// naming the chosen opponent in red, and copies that corner to the window.
// The rest of the canvas is left as it was. The caller holds the window's
// drawing context around the call.
void PaintTitle(Canvas& canvas, uint8_t opponentId);

}  // namespace koikoi
