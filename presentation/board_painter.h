// The board painter: every change of the table reaches the screen through
// one call that repaints, announces, frames a card and paces the game.
#pragma once

#include <cstdint>

#include "game/host.h"
#include "game/slot_positions.h"
#include "game/table.h"
#include "presentation/canvas.h"

namespace koikoi {

// Paints the board into the canvas and shows it, in this order, each step
// only when its argument asks for it: hold the window's drawing context;
// repaint the whole canvas at `scene` (a Scene level) and present; pause
// `pauseBefore` ms; draw announcement `message` (a Message, `amount` only for
// MsgMonthWon) over what the canvas holds and present; frame the card cell
// of `highlightSlot` and present; let the context go; pause `pauseAfter` ms.
// Negative levels, messages and slots and pauses of 0 or less are skipped.
// Reads the table and the layout only; allocates nothing. Not re-entrant:
// the window must keep the game from starting another step during a pause.
void PaintBoard(const Table& table, const SlotPositions& positions, Canvas& canvas, Host& host,
                int32_t scene, int32_t pauseBefore, int32_t message, int32_t amount,
                int32_t highlightSlot, int32_t pauseAfter);

}  // namespace koikoi
