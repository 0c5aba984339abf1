// Fuzz target: the record file parser, writer, summary and month append.
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "files/file_io.h"
#include "files/records.h"

namespace {

void Require(bool condition) {
    if (!condition) std::abort();
}

void CheckSummary(const koikoi::RecordTable& table) {
    koikoi::RecordSummary summary[koikoi::kOpponents];
    koikoi::SummariseRecords(table, summary);
    for (const koikoi::RecordSummary& s : summary) {
        int32_t counted = 0;
        for (int32_t count : s.counts) counted += count;
        Require(s.months >= 0 && s.months <= koikoi::kRecordBlockPositions && counted <= s.months);
        Require(std::isfinite(s.average) && s.average >= -3.0f && s.average <= 3.0f);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace koikoi;
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);

    RecordTable table;
    ParseRecords(bytes, table);
    CheckSummary(table);

    // Whatever was read is written back whole and reads back the same.
    const std::string written = FormatRecords(table);
    Require(written.size() == kRecordFileBytes);
    RecordTable reread;
    ParseRecords(written, reread);
    Require(reread.codes == table.codes);

    // What the file reader keeps, fed in two pieces, parses the same.
    LinePrefixCollector collector(kRecordLines, kRecordColumns + 1);
    const size_t split = size == 0 ? 0 : data[0] % (size + 1);
    collector.Feed(bytes.substr(0, split));
    collector.Feed(bytes.substr(split));
    RecordTable kept;
    ParseRecords(collector.Text(), kept);
    Require(kept.codes == table.codes);

    // Appending a month touches only that opponent's block, and the new
    // code is in it.
    const int32_t opponent = size == 0 ? 0 : data[size - 1] % kOpponents;
    const int32_t kan = size < 2 ? 1 : data[size - 2] % 3 + 1;
    const int32_t result = size % 2 == 0 ? kan : -kan;
    RecordTable appended = table;
    Require(AddMonthResult(appended, opponent, result));
    const size_t first = static_cast<size_t>(opponent * kRecordBlockPositions);
    const size_t last = first + kRecordBlockPositions;
    bool found = false;
    for (size_t i = 0; i < appended.codes.size(); ++i) {
        if (i < first || i >= last) {
            Require(appended.codes[i] == table.codes[i]);
        } else if (appended.codes[i] != table.codes[i] && appended.codes[i] == '3' + result) {
            found = true;
        }
    }
    Require(found || appended.codes[last - 1] == '3' + result);
    CheckSummary(appended);
    return 0;
}
