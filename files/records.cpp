// The record file: per opponent, the kan result of every settled month.
#include "files/records.h"

#include <algorithm>
#include <cstring>

namespace koikoi {

namespace {

size_t BlockStart(int32_t opponent) {
    return static_cast<size_t>(opponent * kRecordBlockPositions);
}

// A month is always won by one side with 1 to 3 kan; a result of 0 would
// write the empty mark and a larger one a character outside '0'..'6'.
bool IsMonthResult(int32_t opponent, int32_t result) {
    return opponent >= 0 && opponent < kOpponents && result != 0 && result >= -3 &&
           result <= 3;
}

}  // namespace

// Reads the file with one column more than the codes: the parser drops a
// trailing CR before it counts columns, and the collector keeps that much.
bool ReadRecordTable(const char* path, RecordTable& table) {
    std::string text;
    if (!ReadLinePrefixes(path, kRecordLines, kRecordColumns + 1, text)) return false;
    ParseRecords(text, table);
    return true;
}

void ClearRecords(RecordTable& table) {
    table.codes.fill(kEmptyResult);
}

void ParseRecords(std::string_view fileBytes, RecordTable& out) {
    ClearRecords(out);
    size_t start = 0;
    for (int32_t line = 0; line < kRecordLines && start < fileBytes.size(); ++line) {
        const std::string_view text = TakeLine(fileBytes, start);
        const size_t used = std::min(text.size(), static_cast<size_t>(kRecordColumns));
        std::memcpy(out.codes.data() + static_cast<size_t>(line * kRecordColumns), text.data(),
                    used);
    }
}

bool IsRecordFile(std::string_view fileBytes) {
    size_t start = 0;
    for (int32_t line = 0; line < kRecordLines; ++line) {
        if (start >= fileBytes.size()) return false;
        const std::string_view text = TakeLine(fileBytes, start);
        if (text.size() != static_cast<size_t>(kRecordColumns)) return false;
        for (char code : text) {
            if (code < '0' || code > '6') return false;
        }
    }
    return start == fileBytes.size();
}

namespace {

std::string FormatLines(const RecordTable& table, int32_t lines) {
    std::string bytes;
    bytes.reserve(static_cast<size_t>(lines * (kRecordColumns + 2)));
    for (int32_t line = 0; line < lines; ++line) {
        bytes.append(table.codes.data() + static_cast<size_t>(line * kRecordColumns),
                     static_cast<size_t>(kRecordColumns));
        // CR LF written explicitly: the file is the same bytes on every platform.
        bytes.append("\r\n");
    }
    return bytes;
}

}  // namespace

std::string FormatRecords(const RecordTable& table) { return FormatLines(table, kRecordLines); }

std::string FormatSearchRecords(const RecordTable& table) {
    return FormatLines(table, kRecordBlockLines);
}

bool AddMonthResult(RecordTable& table, int32_t opponent, int32_t result) {
    if (!IsMonthResult(opponent, result)) return false;
    const char code = static_cast<char>(kEmptyResult + result);
    char* block = table.codes.data() + BlockStart(opponent);
    const size_t last = kRecordBlockPositions - 1;
    if (block[last] == kEmptyResult) {
        // Not full: the first empty position takes the month, also when an
        // edited file left a '3' inside the history.
        *std::find(block, block + kRecordBlockPositions, kEmptyResult) = code;
        return true;
    }
    // Full: every code moves one position toward the start across the line
    // ends, the oldest month drops out and the new one takes the last place.
    std::memmove(block, block + 1, last);
    block[last] = code;
    return true;
}

void SummariseRecords(const RecordTable& table, RecordSummary (&out)[kOpponents]) {
    static constexpr char kColumnCodes[6] = {'6', '5', '4', '2', '1', '0'};
    static constexpr int32_t kColumnKan[6] = {3, 2, 1, -1, -2, -3};
    for (int32_t opponent = 0; opponent < kOpponents; ++opponent) {
        RecordSummary& summary = out[opponent];
        summary = RecordSummary{};
        const char* block = table.codes.data() + BlockStart(opponent);
        for (int32_t p = 0; p < kRecordBlockPositions && block[p] != kEmptyResult; ++p) {
            // Any character but '3' is a month; only the six result codes
            // also count in a column.
            ++summary.months;
            for (int32_t j = 0; j < 6; ++j) {
                if (block[p] == kColumnCodes[j]) ++summary.counts[j];
            }
        }
        int32_t kan = 0;
        for (int32_t j = 0; j < 6; ++j) kan += kColumnKan[j] * summary.counts[j];
        summary.average = summary.months == 0
                              ? 0.0f
                              : static_cast<float>(kan) / static_cast<float>(summary.months);
    }
}

RecordStatus RecordMonthResult(const char* path, int32_t opponent, int32_t result,
                               FileReplacer& replacer) {
    // Checked before the file is touched, so a bad call changes nothing.
    if (!IsMonthResult(opponent, result)) return RecordStatus::BadArgument;
    RecordTable table;
    if (!ReadRecordTable(path, table)) return RecordStatus::NotFound;
    AddMonthResult(table, opponent, result);
    return replacer.Replace(path, FormatRecords(table)) ? RecordStatus::Ok
                                                        : RecordStatus::WriteFailed;
}

RecordStatus RecordMonthResult(const char* path, int32_t opponent, int32_t result) {
    FileReplacer replacer;
    return RecordMonthResult(path, opponent, result, replacer);
}

RecordStatus ResetRecords(const char* path, FileReplacer& replacer) {
    RecordTable table;
    ClearRecords(table);
    return replacer.Replace(path, FormatRecords(table)) ? RecordStatus::Ok
                                                        : RecordStatus::WriteFailed;
}

RecordStatus ResetRecords(const char* path) {
    FileReplacer replacer;
    return ResetRecords(path, replacer);
}

RecordStatus ReadRecordSummary(const char* path, RecordSummary (&out)[kOpponents]) {
    for (RecordSummary& summary : out) summary = RecordSummary{};
    RecordTable table;
    if (!ReadRecordTable(path, table)) return RecordStatus::NotFound;
    SummariseRecords(table, out);
    return RecordStatus::Ok;
}

}  // namespace koikoi
