// The record file: per opponent, the kan result of every settled month.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "files/file_io.h"
#include "game/table.h"

namespace koikoi {

// The file is 80 lines of 60 result codes. Opponent o owns the block of
// lines 20·o .. 20·o+19, read as 1200 positions, oldest month first; '3'
// marks an empty position, '3' + k a month the human won by k kan and
// '3' - k one the computer won by k kan.
inline constexpr int32_t kRecordBlockLines = 20;
inline constexpr int32_t kRecordLines = kOpponents * kRecordBlockLines;
inline constexpr int32_t kRecordColumns = 60;
inline constexpr int32_t kRecordBlockPositions = kRecordBlockLines * kRecordColumns;
inline constexpr char kEmptyResult = '3';
// Every write is the whole file: 80 lines of 60 codes and CR LF.
inline constexpr size_t kRecordFileBytes = kRecordLines * (kRecordColumns + 2);

enum class RecordStatus : int32_t {
    Ok,
    NotFound,     // the file could not be opened or read
    WriteFailed,  // the new content could not be put in place; the old file is unchanged
    BadArgument,  // an opponent outside 0..3 or a result outside -3..-1, 1..3; nothing done
};

// The file's content: line L, column c is codes[L * 60 + c].
struct RecordTable {
    std::array<char, kRecordLines * kRecordColumns> codes;
};

// The numbers the record table shows for one opponent.
struct RecordSummary {
    int32_t months;     // recorded months, up to the first empty position
    int32_t counts[6];  // months of the results '6', '5', '4', '2', '1', '0', in that order
    float average;      // mean kan result seen from the human's side, 0 without months
};

// Reads the bytes of a record file: lines end with LF or CR LF; a missing
// line or position reads as '3'; lines beyond the 80th and characters beyond
// the 60th of a line are ignored.
void ParseRecords(std::string_view fileBytes, RecordTable& out);
// True when `fileBytes` is a record file as the game writes it: exactly 80
// lines of exactly 60 codes '0'..'6', each line ended by LF or CR LF (the
// last line's end may be missing). A file offered from outside (an import)
// must pass this before it replaces the record; ParseRecords alone would
// read anything.
bool IsRecordFile(std::string_view fileBytes);

// Reads and parses the file at `path`; false when it cannot be opened or read.
bool ReadRecordTable(const char* path, RecordTable& table);
// The 4960 bytes of the whole file for `table`.
std::string FormatRecords(const RecordTable& table);
void ClearRecords(RecordTable& table);

// Appends one settled month to opponent's block: into its first empty
// position, or, when the block is full, after dropping its oldest month.
// False, with nothing changed, for an opponent outside 0..3 or a result
// outside -3..-1, 1..3.
bool AddMonthResult(RecordTable& table, int32_t opponent, int32_t result);

void SummariseRecords(const RecordTable& table, RecordSummary (&out)[kOpponents]);

// The searching opponent's months are kept in a file of their own beside
// the record file, so that the record file keeps its 80 lines for the four:
// one block of 20 lines of 60 codes, read and added to as opponent 0's
// block of a RecordTable (ParseRecords reads its missing lines as empty).
inline constexpr char kSearchRecordFile[] = "result-koryu.dat";
inline constexpr size_t kSearchRecordFileBytes = kRecordBlockLines * (kRecordColumns + 2);
// The 1240 bytes of that file: the first block of `table`.
std::string FormatSearchRecords(const RecordTable& table);

// The file operations, each reading or writing the whole file at `path`.
// Writes go through `replacer`, so the old file survives any failed write.
RecordStatus RecordMonthResult(const char* path, int32_t opponent, int32_t result);
RecordStatus RecordMonthResult(const char* path, int32_t opponent, int32_t result,
                               FileReplacer& replacer);
RecordStatus ResetRecords(const char* path);
RecordStatus ResetRecords(const char* path, FileReplacer& replacer);
// On any status but Ok, `out` is all zero.
RecordStatus ReadRecordSummary(const char* path, RecordSummary (&out)[kOpponents]);

}  // namespace koikoi
