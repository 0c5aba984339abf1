// Where each slot's 63 x 104 card cell lies on the 1016 x 698 board, as read
// from the layout file. The painter draws there and clicks are tested there.
#pragma once

#include <cstdint>

#include "game/table.h"

namespace koikoi {

inline constexpr int32_t kBoardWidth = 1016;
inline constexpr int32_t kBoardHeight = 698;
inline constexpr int32_t kCardWidth = 63;
inline constexpr int32_t kCardHeight = 104;
inline constexpr int32_t kDrawnSlotX = 476;
inline constexpr int32_t kDrawnSlotY = 274;

struct SlotPositions {
    int32_t x[kSlots];
    int32_t y[kSlots];
};

}  // namespace koikoi
