// Trace lines, formatted with the standard library's number conversion.
#include "match/trace.h"

#include <charconv>
#include <cstddef>

namespace koikoi {

namespace {

void AppendInt(std::string& out, int64_t value) {
    char digits[24];
    const auto converted = std::to_chars(digits, digits + sizeof digits, value);
    out.append(digits, converted.ptr);
}

template <typename T>
void AppendArray(std::string& out, const T* values, size_t count) {
    out += '[';
    for (size_t i = 0; i < count; ++i) {
        if (i != 0) out += ',';
        AppendInt(out, values[i]);
    }
    out += ']';
}

template <typename T, size_t N>
void AppendField(std::string& out, const char* key, const T (&values)[N]) {
    out += ",\"";
    out += key;
    out += "\":";
    AppendArray(out, values, N);
}

template <typename T, size_t N>
void AppendField(std::string& out, const char* key, const T (&values)[2][N]) {
    out += ",\"";
    out += key;
    out += "\":[";
    AppendArray(out, values[0], N);
    out += ',';
    AppendArray(out, values[1], N);
    out += ']';
}

void AppendScalar(std::string& out, const char* key, int64_t value) {
    out += ",\"";
    out += key;
    out += "\":";
    AppendInt(out, value);
}

}  // namespace

void AppendState(std::string& out, const Table& table) {
    out += "{\"SlotCards\":";
    AppendArray(out, table.SlotCards, kSlots);
    AppendField(out, "Owner", table.Owner);
    AppendField(out, "FieldByMonth", table.FieldByMonth);
    AppendField(out, "ComputerHandByMonth", table.ComputerHandByMonth);
    AppendField(out, "TakenByMonth", table.TakenByMonth);
    AppendField(out, "YakuProgress", table.YakuProgress);
    AppendField(out, "YakuScore", table.YakuScore);
    AppendField(out, "PileCount", table.PileCount);
    AppendField(out, "TurnGain", table.TurnGain);
    AppendField(out, "TodayMon", table.TodayMon);
    AppendField(out, "MonthMon", table.MonthMon);
    AppendField(out, "KanBalance", table.KanBalance);
    AppendField(out, "KoiCalled", table.KoiCalled);
    AppendScalar(out, "MonthNumber", table.MonthNumber);
    AppendScalar(out, "TurnCount", table.TurnCount);
    AppendScalar(out, "CurrentSide", table.CurrentSide);
    AppendScalar(out, "OtherSide", table.OtherSide);
    out += '}';
}

void TraceWriter::Start(int32_t opponent, uint64_t seed) {
    line_ = "{\"ev\":\"start\"";
    AppendScalar(line_, "opponent", opponent);
    line_ += ",\"seed\":";
    char digits[24];
    const auto converted = std::to_chars(digits, digits + sizeof digits, seed);
    line_.append(digits, converted.ptr);
    Emit();
}

void TraceWriter::Shuffle(const Table& table) {
    line_ = "{\"ev\":\"shuffle\",\"stock\":";
    AppendArray(line_, table.SlotCards + kStockFirst, 48);
    Emit();
}

void TraceWriter::HumanCard(CardId card) { Card("human_card", card); }
void TraceWriter::HumanField(CardId card) { Card("human_field", card); }

void TraceWriter::Ask(int32_t side, Question question, int32_t answer) {
    line_ = "{\"ev\":\"ask\"";
    AppendScalar(line_, "side", side);
    line_ += question == Question::KoiKoi ? ",\"question\":\"koikoi\"" : ",\"question\":\"newyear\"";
    AppendScalar(line_, "answer", answer);
    Emit();
}

void TraceWriter::ComputerPlay(bool capture, const int32_t (&matchList)[4]) {
    line_ = capture ? "{\"ev\":\"computer_play\",\"capture\":true,\"list\":"
                    : "{\"ev\":\"computer_play\",\"capture\":false,\"list\":";
    AppendArray(line_, matchList, 4);
    Emit();
}

void TraceWriter::Scored(int32_t side, int32_t code, int64_t clockMs, const Table& table) {
    line_ = "{\"ev\":\"scored\"";
    AppendScalar(line_, "side", side);
    AppendScalar(line_, "code", code);
    AppendScalar(line_, "clock_ms", clockMs);
    line_ += ",\"state\":";
    AppendState(line_, table);
    Emit();
}

void TraceWriter::Record(int32_t opponent, int32_t result) {
    line_ = "{\"ev\":\"record\"";
    AppendScalar(line_, "opponent", opponent);
    AppendScalar(line_, "result", result);
    Emit();
}

void TraceWriter::End(bool declined, int64_t clockMs) {
    line_ = declined ? "{\"ev\":\"end\",\"reason\":\"declined\"" : "{\"ev\":\"end\",\"reason\":\"limit\"";
    AppendScalar(line_, "clock_ms", clockMs);
    Emit();
}

void TraceWriter::Card(const char* event, CardId card) {
    line_ = "{\"ev\":\"";
    line_ += event;
    line_ += '"';
    AppendScalar(line_, "card", card);
    Emit();
}

void TraceWriter::Emit() {
    line_ += "}\n";
    Write(line_);
}

}  // namespace koikoi
