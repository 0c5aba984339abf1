// The board painter: every change of the table reaches the screen through
// one call that repaints, announces, frames a card and paces the game.
#pragma once

#include <cstdint>

#include "game/host.h"
#include "game/table.h"
#include "game/texts.h"
#include "presentation/board_geometry.h"
#include "presentation/board_layout.h"
#include "presentation/canvas.h"

namespace koikoi {

// What the painting calls have left on the canvas since its last scene
// repaint: the scene and the announcements and frames drawn over it since,
// so that a window whose layout changes can paint the same moment again.
struct BoardShown {
    struct Overlay {
        int32_t message, amount, slot;  // an announcement (slot -1) or a frame (message -1)
    };
    static constexpr int32_t kMostOverlays = 8;  // the oldest go first beyond these

    int32_t scene = SceneNone;
    Overlay overlays[kMostOverlays] = {};
    int32_t overlayCount = 0;
};

// Paints the board, laid out by `geometry`, into the canvas and shows it, in
// this order, each step only when its argument asks for it: hold the
// window's drawing context;
// repaint the whole canvas at `scene` (a Scene level) and present; pause
// `pauseBefore` ms; draw announcement `message` (a Message, `amount` only for
// MsgMonthWon) over what the canvas holds and present; frame the card cell
// of `highlightSlot` and present; let the context go; pause `pauseAfter` ms.
// Negative levels, messages and slots and pauses of 0 or less are skipped.
// Reads the table and the layout only; allocates nothing. Not re-entrant:
// the window must keep the game from starting another step during a pause.
// With `shown`, each step is noted there as soon as it is drawn.
void PaintBoard(const Table& table, const BoardGeometry& geometry, Canvas& canvas, Host& host,
                int32_t scene, int32_t pauseBefore, int32_t message, int32_t amount,
                int32_t highlightSlot, int32_t pauseAfter, BoardShown* shown = nullptr,
                Language language = Language::Japanese);

// Paints again, in `geometry`, what `shown` says the canvas shows, from the
// table as it stands, and presents it once; pauses nothing. Nothing is
// painted while no scene has been.
void RepaintShown(const Table& table, const BoardGeometry& geometry, Canvas& canvas,
                  const BoardShown& shown, Language language = Language::Japanese);

// The text of announcement `message` as the board shows it in `language`
// (`amount` only for MsgMonthWon); false, with an empty text, for a code no
// caller uses. Japanese texts are Shift-JIS, others UTF-8.
bool BuildAnnouncement(const Table& table, int32_t message, int32_t amount, Language language,
                       char (&text)[kTextBufferSize]);

}  // namespace koikoi
