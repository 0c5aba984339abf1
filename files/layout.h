// The board layout file: where each slot's card cell lies on the board.
#pragma once

#include <cstdint>
#include <string_view>

#include "game/slot_positions.h"

namespace koikoi {

// The layout file holds 26 lines of eight fixed-width entries, one line per
// eight SlotIds 0..207; an entry is a 3-character x field and a 3-character y
// field, so a line uses columns 0..47.
inline constexpr int32_t kLayoutLines = 26;
inline constexpr int32_t kLayoutEntriesPerLine = 8;
inline constexpr int32_t kLayoutFieldWidth = 3;
inline constexpr int32_t kLayoutUsedColumns = kLayoutEntriesPerLine * 2 * kLayoutFieldWidth;

// Converts one fixed-width field the way the C library converts a decimal
// string of just those characters: leading white space, an optional sign,
// then digits up to the first other character; no digits give 0. Characters
// beyond the end of `line` are taken as absent.
int32_t ConvertLayoutField(std::string_view line, size_t column);

// Fills `out` from the bytes of a layout file: every position 0 first, then
// the entries of up to 26 lines (LF or CR LF ends) in SlotId order, then
// DrawnSlot at its fixed place (476, 274).
void ParseLayout(std::string_view fileBytes, SlotPositions& out);

// Reads the layout file at `path` into `out`. False when the file cannot be
// opened or read: every position, DrawnSlot's included, is then 0, so the
// game still runs with all cards at the board's top-left corner.
bool LoadLayout(const char* path, SlotPositions& out);

}  // namespace koikoi
