// The main window's decisions that need no window: the screen fit, the menu's
// enabling, which copy a repaint makes and what a close request leads to.
#pragma once

#include <cstdint>

#include "presentation/board_geometry.h"
#include "presentation/title_page.h"

namespace koikoi {

// The board's aspect, 1016 / 698, as the 32-bit float the fit compares with,
// and widened to double where it multiplies or divides.
inline constexpr float kBoardAspect = 1.4555874f;
inline constexpr double kBoardAspectWide = static_cast<double>(kBoardAspect);

// Title-screen window: outer size and place.
inline constexpr int32_t kTitleLeft = 100;
inline constexpr int32_t kTitleTop = 100;
inline constexpr int32_t kTitleWidth = kPageWidth;
inline constexpr int32_t kTitleHeight = kPageHeight;
// The game window's frame adds this much to the view size.
inline constexpr int32_t kGameFrameWidth = 6;
inline constexpr int32_t kGameFrameHeight = 32;
// A client area at least this wide shows the whole board stretched.
inline constexpr int32_t kStretchThreshold = 650;

// Fits the 1016 x 698 board into a full-screen client area of cx x cy pixels,
// keeping its aspect and never enlarging it.
ViewFit FitBoardToScreen(int32_t cx, int32_t cy);

// Which popup items are enabled; "ルール" is always left as it is.
struct MenuEnabling {
    bool gameStart;
    bool gameSet;
    bool showRecords;
    bool exit;
    friend constexpr bool operator==(MenuEnabling, MenuEnabling) = default;
};

MenuEnabling MenuEnablingFor(uint8_t gameState, bool dialogExists);

// The right button opens the menu unless a game step is running.
bool MenuOffered(uint8_t gameState);

enum class PaintCopy : uint8_t {
    WholeBoardStretched,  // the canvas stretched to the view size
    TitlePage,            // the canvas's top-left 600 x 400, unscaled
};

// Decided by the client area's actual width, not by the window's mode.
PaintCopy PaintCopyFor(int32_t clientWidth);

enum class CloseOutcome : uint8_t {
    Stay,             // the user answered No
    DestroyNow,       // no pause is running: close at once
    DeferToSequence,  // a pause is draining: the running sequence closes later
};

// What a close request answered with `answer` (6 yes, 7 no) leads to. While a
// pause drains the queue the window must outlive the game sequence that is
// paused in the middle of painting, so closing is deferred to it.
CloseOutcome CloseOutcomeFor(bool busy, int32_t answer);

}  // namespace koikoi
