// The record table of the opponent dialog: a header row and one coloured row
// per opponent, painted from the summary of the record file.
#pragma once

#include <cstdint>

#include "files/records.h"
#include "game/texts.h"
#include "presentation/canvas.h"

namespace koikoi {

// Nine columns of 58 pixels with 2-pixel gaps, rows of 20: the table covers
// (0, 0)-(538, 100) of the surface it is painted on.
inline constexpr int32_t kRecordTableColumns = 9;
inline constexpr int32_t kRecordTableWidth = 60 * (kRecordTableColumns - 1) + 58;
inline constexpr int32_t kRecordTableHeight = 20 * (kOpponents + 1);
inline constexpr TextFont kRecordTableFont = {14, true};

// A row per opponent under a header row, as the Windows dialog shows it, or
// a column per opponent beside a header column, for a narrow screen.
enum class RecordTableShape : uint8_t { RowPerOpponent, ColumnPerOpponent };

// Paints the headers (text only) and, for each opponent, nine cells filled
// in the opponent's colour holding its name, its months, its six result
// counts ("%d") and its average ("%4.2f"), all in the 14-pixel bold font,
// centred. Draws nothing else and presents nothing.
void PaintRecordTable(Canvas& canvas, const RecordSummary (&summary)[kOpponents],
                      RecordTableShape shape = RecordTableShape::RowPerOpponent,
                      Language language = Language::Japanese);

struct RecordTableSize {
    int32_t width, height;
};
// The surface the table covers from (0, 0).
RecordTableSize RecordTableSizeOf(RecordTableShape shape);

}  // namespace koikoi
