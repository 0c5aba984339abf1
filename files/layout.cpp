// The board layout file: where each slot's card cell lies on the board.
#include "files/layout.h"

#include <string>

#include "files/file_io.h"

namespace koikoi {

namespace {

bool IsSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

void ClearPositions(SlotPositions& out) {
    for (SlotId slot = 0; slot < kSlots; ++slot) {
        out.x[slot] = 0;
        out.y[slot] = 0;
    }
}

}  // namespace

int32_t ConvertLayoutField(std::string_view line, size_t column) {
    if (column >= line.size()) return 0;
    const std::string_view field = line.substr(column, kLayoutFieldWidth);
    size_t i = 0;
    while (i < field.size() && IsSpace(field[i])) ++i;
    bool negative = false;
    if (i < field.size() && (field[i] == '+' || field[i] == '-')) {
        negative = field[i] == '-';
        ++i;
    }
    int32_t value = 0;
    for (; i < field.size() && IsDigit(field[i]); ++i) value = value * 10 + (field[i] - '0');
    return negative ? -value : value;
}

void ParseLayout(std::string_view fileBytes, SlotPositions& out) {
    ClearPositions(out);
    size_t start = 0;
    // Lines beyond the 26th would describe slots past the overlay slots; they
    // are ignored, so nothing is ever stored beyond SlotId 208.
    for (int32_t line = 0; line < kLayoutLines && start < fileBytes.size(); ++line) {
        const std::string_view text = TakeLine(fileBytes, start);

        // A line longer than the used columns is taken whole: reading it in
        // pieces would turn its tail (a comment, trailing blanks) into a
        // further line of entries and shift every later slot by a line.
        // A short line's missing fields give 0, as any non-number does.
        for (int32_t k = 0; k < kLayoutEntriesPerLine; ++k) {
            const SlotId slot = line * kLayoutEntriesPerLine + k;
            const auto column = static_cast<size_t>(k * 2 * kLayoutFieldWidth);
            out.x[slot] = ConvertLayoutField(text, column);
            out.y[slot] = ConvertLayoutField(text, column + kLayoutFieldWidth);
        }
    }
    out.x[DrawnSlot] = kDrawnSlotX;
    out.y[DrawnSlot] = kDrawnSlotY;
}

bool LoadLayout(const char* path, SlotPositions& out) {
    std::string text;
    // One column more than used: the parser drops a trailing CR before it
    // counts columns, and the collector keeps lines exactly that far.
    if (!ReadLinePrefixes(path, kLayoutLines, kLayoutUsedColumns + 1, text)) {
        ClearPositions(out);
        return false;
    }
    ParseLayout(text, out);
    return true;
}

}  // namespace koikoi
