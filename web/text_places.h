// Every text the painters put in a box, in one language, gathered by painting
// each layout of the board, both guide pages and both shapes of the record
// table over tables that show every label, announcement and name: the
// browser measures each against its box with its own fonts.
#pragma once

#include <string>

#include "game/texts.h"
#include "presentation/canvas.h"

namespace koikoi::web {

// A JSON list of {text, box: [l, t, r, b], size, bold, wrap, where, within:
// [w, h] of the surface}, one entry for each distinct text and box. A flowing
// guide page's boxes are placed by `measure`'s wrapped heights.
std::string TextPlaces(Language language, Canvas& measure);

}  // namespace koikoi::web
