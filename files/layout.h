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
// DrawnSlot at its fixed place (476, 274). True when the file reads
// completely: 26 lines, each of whose 16 fields holds a number (at least
// one digit after the blanks and the sign). A field that does not, or a
// line that is missing, leaves 0 there and makes the result false.
bool ParseLayout(std::string_view fileBytes, SlotPositions& out);

// The layout delivered with the program, the same 26 lines as the shipped
// "allocation.dat" (without line ends), and its positions.
std::string_view ShippedLayoutText();
void ShippedLayout(SlotPositions& out);

enum class LayoutStatus : int32_t {
    Ok,        // the file read completely and is used exactly as it is
    NotFound,  // the file could not be opened or read
    Damaged,   // the file lacks lines or holds fields that are not numbers
};

// Reads the layout file at `path` into `out`. A file that reads completely
// is used whatever it says; otherwise `out` is the shipped layout, so that
// the cards never pile up at the board's top-left corner.
LayoutStatus LoadLayout(const char* path, SlotPositions& out);

}  // namespace koikoi
