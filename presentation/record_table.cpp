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

constexpr const char* kHeaders[kRecordTableColumns] = {
    texts::kRecordHeader0, texts::kRecordHeader1, texts::kRecordHeader2,
    texts::kRecordHeader3, texts::kRecordHeader4, texts::kRecordHeader5,
    texts::kRecordHeader6, texts::kRecordHeader7, texts::kRecordHeader8,
};

// An opponent's row in the colour of its row of the opponent table.
constexpr Rgb RowColour(int32_t opponent) {
    const OpponentColour colour = kOpponentTable[static_cast<size_t>(opponent)].colour;
    return {colour.r, colour.g, colour.b};
}

constexpr Box CellBox(int32_t column, int32_t top) {
    return {column * kColumnPitch, top, column * kColumnPitch + kColumnWidth, top + kRowHeight};
}

// Cell text of column j of an opponent's row: the name, then numbers. The
// buffer holds any int and any float "%4.2f" makes of a finite average.
void FormatCell(char (&buffer)[48], const RecordSummary& row, int32_t opponent, int32_t column) {
    if (column == 0) {
        std::snprintf(buffer, sizeof buffer, "%s", OpponentName(static_cast<uint32_t>(opponent)));
    } else if (column == 1) {
        std::snprintf(buffer, sizeof buffer, "%d", row.months);
    } else if (column < kRecordTableColumns - 1) {
        std::snprintf(buffer, sizeof buffer, "%d", row.counts[column - 2]);
    } else {
        std::snprintf(buffer, sizeof buffer, "%4.2f", static_cast<double>(row.average));
    }
}

}  // namespace

void PaintRecordTable(Canvas& canvas, const RecordSummary (&summary)[kOpponents]) {
    for (int32_t column = 0; column < kRecordTableColumns; ++column) {
        canvas.Text(CellBox(column, 0), kRecordTableFont, kTextColour, TextLayout::CentredLine,
                    kHeaders[column]);
    }
    for (int32_t opponent = 0; opponent < kOpponents; ++opponent) {
        const int32_t top = kRowHeight * opponent + kRowHeight;
        for (int32_t column = 0; column < kRecordTableColumns; ++column) {
            char cell[48];
            FormatCell(cell, summary[opponent], opponent, column);
            // A rectangle outlined and filled in one colour is a plain fill.
            canvas.Fill(CellBox(column, top), RowColour(opponent));
            canvas.Text(CellBox(column, top), kRecordTableFont, kTextColour,
                        TextLayout::CentredLine, cell);
        }
    }
}

}  // namespace koikoi
