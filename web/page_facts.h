// The facts the page script must agree on with the C++, written out for it
// once at start, so that site/app.js never restates a number of the game.
#pragma once

#include <string>

namespace koikoi::web {

// A JSON object: the event kinds, the menu's command ids and enabling bits,
// the answers, the storage answers, the files, the timers, the classic
// board's and a card's size, the board layouts' names and the touch
// target's size, the drawing surfaces and text layouts, the record
// summary's memory layout, and the opponents (the name of each one's text
// and its record colour).
std::string PageFacts();

}  // namespace koikoi::web
