// The geometry of a board: its size, where every slot's card cell lies and
// where the month marker, the badge, the score panels, the combination
// labels, the turn labels, the prompts and the announcements go. A board
// layout is one such value handed to the painter, which hit-testing reads
// too. The classic board (1016 x 698, its slots from the layout file) is the
// Windows program's and the wide screens' layout; a browser on a phone gets
// one of two more, built here for a phone held upright or sideways.
#pragma once

#include <cstdint>

#include "game/slot_positions.h"
#include "game/table.h"
#include "presentation/canvas.h"

namespace koikoi {

// The size at which the board is shown, and window coordinate / board coordinate.
struct ViewFit {
    int32_t width;
    int32_t height;
    float scale;
};

struct BoardPlace {
    int32_t x, y;
    friend constexpr bool operator==(BoardPlace, BoardPlace) = default;
};

// One side's score panel, combination labels and turn label.
struct SidePlaces {
    BoardPlace counterLabel[3];  // TurnGain, TodayMon, MonthMon
    BoardPlace firstPip[3];      // the first pip of each counter, then pipStep apart
    int32_t pipStep;
    BoardPlace kanLabel;
    BoardPlace tokenRowStart;  // direction +1: left edge of the first token; -1: right edge
    int32_t tokenDirection;
    int32_t tokensPerRow;
    int32_t tokenRowStep;
    BoardPlace yakuLabel[YakuCount];
    Box turnBox;
    Rgb turnColour;
};

enum class BoardLayout : uint8_t { Wide, Portrait, Landscape };
inline constexpr int32_t kBoardLayouts = 3;

struct BoardGeometry {
    BoardLayout layout;
    int32_t width, height;
    SlotPositions slots;  // the drawn card's place included
    BoardPlace monthMarker;
    BoardPlace koiBadge;
    BoardPlace handPrompt;
    BoardPlace fieldPrompt;
    Box announcement;
    TextFont announcementFont;
    TextFont turnLabelFont;
    SidePlaces sides[2];
};

// Between two tokens of a row of kan tokens.
inline constexpr int32_t kTokenGap = 2;

// The classic board, with the slots read from the layout file.
BoardGeometry WideGeometry(const SlotPositions& slots);
// The phone boards; their slots are their own.
const BoardGeometry& PortraitGeometry();
const BoardGeometry& LandscapeGeometry();

// "wide", "portrait" or "landscape".
const char* LayoutName(BoardLayout layout);

// The board fitted into an area of this size, keeping its aspect and never
// enlarged.
ViewFit FitGeometry(const BoardGeometry& geometry, int32_t width, int32_t height);

// On a phone the page's buttons take a bar this many CSS pixels deep, above
// an upright board and right of a sideways one; the classic board leaves
// them over its corner, as ever.
inline constexpr int32_t kPhoneBar = 48;

// The room a board of `layout` has in a page of this size.
struct BoardRoom {
    int32_t width, height;
};
BoardRoom RoomFor(BoardLayout layout, int32_t width, int32_t height);

// The layout for a page of this many CSS pixels: the classic board on a
// page whose shorter side is at least kPhoneShortSide (a tablet's, a
// desktop's) or while its cards are shown at least kTouchCardWidth wide (a
// finger's touch target), else the layout that shows them widest.
inline constexpr int32_t kTouchCardWidth = 44;
inline constexpr int32_t kPhoneShortSide = 600;
BoardLayout ChooseLayout(int32_t width, int32_t height);

}  // namespace koikoi
