// The record table: the same cells on the Windows dialog and the browser's
// record panel.
#include "presentation/record_table.h"

#include <cstdio>

#include "game/texts.h"
#include "presentation/board_layout.h"

namespace koikoi {

namespace {

constexpr int32_t kColumnPitch = 60;
constexpr int32_t kColumnWidth = 58;
constexpr int32_t kRowHeight = 20;
constexpr Rgb kTextColour = {0, 0, 0};

constexpr TextId kHeaders[kRecordTableColumns] = {
    TextId::RecordHeader0, TextId::RecordHeader1, TextId::RecordHeader2,
    TextId::RecordHeader3, TextId::RecordHeader4, TextId::RecordHeader5,
    TextId::RecordHeader6, TextId::RecordHeader7, TextId::RecordHeader8,
};

// An opponent's row in the colour of its row of the opponent table.
constexpr Rgb RowColour(int32_t opponent) {
    const OpponentColour colour = kOpponentTable[static_cast<size_t>(opponent)].colour;
    return {colour.r, colour.g, colour.b};
}

constexpr Box CellAt(int32_t column, int32_t row) {
    const int32_t top = kRowHeight * row;
    return {column * kColumnPitch, top, column * kColumnPitch + kColumnWidth, top + kRowHeight};
}

// Field `field` (a header's column) of the line of `line` (0 the headers,
// then one per opponent): a row per opponent, or a column per opponent.
constexpr Box CellBox(RecordTableShape shape, int32_t field, int32_t line) {
    return shape == RecordTableShape::RowPerOpponent ? CellAt(field, line) : CellAt(line, field);
}

// Cell text of column j of an opponent's row: the name, then numbers. The
// buffer holds any int and any float "%4.2f" makes of a finite average.
void FormatCell(char (&buffer)[48], const RecordSummary& row, int32_t opponent, int32_t column,
                Language language) {
    if (column == 0) {
        std::snprintf(buffer, sizeof buffer, "%s",
                      OpponentName(static_cast<uint32_t>(opponent), language));
    } else if (column == 1) {
        std::snprintf(buffer, sizeof buffer, "%d", row.months);
    } else if (column < kRecordTableColumns - 1) {
        std::snprintf(buffer, sizeof buffer, "%d", row.counts[column - 2]);
    } else {
        std::snprintf(buffer, sizeof buffer, "%4.2f", static_cast<double>(row.average));
    }
}

}  // namespace

void PaintRecordTable(Canvas& canvas, const RecordSummary (&summary)[kOpponents],
                      RecordTableShape shape, Language language) {
    for (int32_t column = 0; column < kRecordTableColumns; ++column) {
        canvas.Text(CellBox(shape, column, 0), kRecordTableFont, kTextColour,
                    TextLayout::CentredLine, Text(language, kHeaders[column]));
    }
    for (int32_t opponent = 0; opponent < kOpponents; ++opponent) {
        for (int32_t column = 0; column < kRecordTableColumns; ++column) {
            char cell[48];
            FormatCell(cell, summary[opponent], opponent, column, language);
            const Box box = CellBox(shape, column, opponent + 1);
            // A rectangle outlined and filled in one colour is a plain fill.
            canvas.Fill(box, RowColour(opponent));
            canvas.Text(box, kRecordTableFont, kTextColour, TextLayout::CentredLine, cell);
        }
    }
}

RecordTableSize RecordTableSizeOf(RecordTableShape shape) {
    const int32_t lines = kOpponents + 1;
    const int32_t across = shape == RecordTableShape::RowPerOpponent ? kRecordTableColumns : lines;
    const int32_t down = shape == RecordTableShape::RowPerOpponent ? lines : kRecordTableColumns;
    return {kColumnPitch * (across - 1) + kColumnWidth, kRowHeight * down};
}

}  // namespace koikoi
