// Trace lines, formatted with the standard library's number conversion
// straight into one fixed buffer.
#include "match/trace.h"

#include <array>
#include <charconv>
#include <cstring>

namespace koikoi {

namespace {

// Nearly every number of a trace line is a card, a slot or a signed 8-bit
// counter: their texts are converted once, and a line copies them.
struct SmallNumbers {
    static constexpr int32_t kLowest = -128;
    static constexpr int32_t kCount = 384;  // -128..255
    struct Text {
        char bytes[4];
        uint8_t length;
    };
    std::array<Text, kCount> texts{};

    SmallNumbers() {
        for (int32_t i = 0; i < kCount; ++i) {
            Text& text = texts[static_cast<size_t>(i)];
            const auto converted =
                std::to_chars(text.bytes, text.bytes + sizeof text.bytes, kLowest + i);
            text.length = static_cast<uint8_t>(converted.ptr - text.bytes);
        }
    }
};

const SmallNumbers kSmall;

// Appends at `out`, which always has room for the widest line; returns the
// new end.
char* Put(char* out, std::string_view text) {
    std::memcpy(out, text.data(), text.size());
    return out + text.size();
}

char* PutInt(char* out, int64_t value) {
    const auto index = static_cast<uint64_t>(value - SmallNumbers::kLowest);
    if (index < static_cast<uint64_t>(SmallNumbers::kCount)) {
        const SmallNumbers::Text& text = kSmall.texts[static_cast<size_t>(index)];
        std::memcpy(out, text.bytes, sizeof text.bytes);  // the buffer has room for the whole cell
        return out + text.length;
    }
    return std::to_chars(out, out + 24, value).ptr;
}

template <typename T>
char* PutArray(char* out, const T* values, size_t count) {
    *out++ = '[';
    for (size_t i = 0; i < count; ++i) {
        out = PutInt(out, values[i]);
        *out++ = ',';
    }
    if (count != 0) --out;  // no comma after the last value
    *out++ = ']';
    return out;
}

// ,"key":
char* PutKey(char* out, std::string_view key) {
    *out++ = ',';
    *out++ = '"';
    out = Put(out, key);
    *out++ = '"';
    *out++ = ':';
    return out;
}

template <typename T, size_t N>
char* PutField(char* out, std::string_view key, const T (&values)[N]) {
    return PutArray(PutKey(out, key), values, N);
}

template <typename T, size_t N>
char* PutField(char* out, std::string_view key, const T (&values)[2][N]) {
    out = PutKey(out, key);
    *out++ = '[';
    out = PutArray(out, values[0], N);
    *out++ = ',';
    out = PutArray(out, values[1], N);
    *out++ = ']';
    return out;
}

char* PutScalar(char* out, std::string_view key, int64_t value) {
    return PutInt(PutKey(out, key), value);
}

char* PutState(char* out, const Table& table) {
    out = Put(out, "{\"SlotCards\":");
    out = PutArray(out, table.SlotCards, kSlots);
    out = PutField(out, "Owner", table.Owner);
    out = PutField(out, "FieldByMonth", table.FieldByMonth);
    out = PutField(out, "ComputerHandByMonth", table.ComputerHandByMonth);
    out = PutField(out, "TakenByMonth", table.TakenByMonth);
    out = PutField(out, "YakuProgress", table.YakuProgress);
    out = PutField(out, "YakuScore", table.YakuScore);
    out = PutField(out, "PileCount", table.PileCount);
    out = PutField(out, "TurnGain", table.TurnGain);
    out = PutField(out, "TodayMon", table.TodayMon);
    out = PutField(out, "MonthMon", table.MonthMon);
    out = PutField(out, "KanBalance", table.KanBalance);
    out = PutField(out, "KoiCalled", table.KoiCalled);
    out = PutScalar(out, "MonthNumber", table.MonthNumber);
    out = PutScalar(out, "TurnCount", table.TurnCount);
    out = PutScalar(out, "CurrentSide", table.CurrentSide);
    out = PutScalar(out, "OtherSide", table.OtherSide);
    *out++ = '}';
    return out;
}

}  // namespace

void AppendState(std::string& out, const Table& table) {
    char state[TraceWriter::kLineCapacity];
    out.append(state, PutState(state, table));
}

void TraceWriter::Start(int32_t opponent, uint64_t seed) {
    char* out = Put(line_, "{\"ev\":\"start\"");
    out = PutScalar(out, "opponent", opponent);
    out = Put(out, ",\"seed\":");
    out = std::to_chars(out, out + 24, seed).ptr;
    Emit(out);
}

void TraceWriter::Shuffle(const Table& table) {
    char* out = Put(line_, "{\"ev\":\"shuffle\",\"stock\":");
    Emit(PutArray(out, table.SlotCards + kStockFirst, 48));
}

void TraceWriter::HumanCard(CardId card) {
    Card("human_card", card);
}
void TraceWriter::HumanField(CardId card) {
    Card("human_field", card);
}

void TraceWriter::Ask(int32_t side, Question question, int32_t answer) {
    char* out = Put(line_, "{\"ev\":\"ask\"");
    out = PutScalar(out, "side", side);
    out = Put(out, question == Question::KoiKoi ? ",\"question\":\"koikoi\""
                                                : ",\"question\":\"newyear\"");
    Emit(PutScalar(out, "answer", answer));
}

void TraceWriter::ComputerPlay(bool capture, const int32_t (&matchList)[4]) {
    char* out = Put(line_, capture ? "{\"ev\":\"computer_play\",\"capture\":true,\"list\":"
                                   : "{\"ev\":\"computer_play\",\"capture\":false,\"list\":");
    Emit(PutArray(out, matchList, 4));
}

void TraceWriter::Scored(int32_t side, int32_t code, int64_t clockMs, const Table& table) {
    char* out = Put(line_, "{\"ev\":\"scored\"");
    out = PutScalar(out, "side", side);
    out = PutScalar(out, "code", code);
    out = PutScalar(out, "clock_ms", clockMs);
    out = Put(out, ",\"state\":");
    Emit(PutState(out, table));
}

void TraceWriter::Record(int32_t opponent, int32_t result) {
    char* out = Put(line_, "{\"ev\":\"record\"");
    out = PutScalar(out, "opponent", opponent);
    Emit(PutScalar(out, "result", result));
}

void TraceWriter::End(bool declined, int64_t clockMs) {
    char* out = Put(line_, declined ? "{\"ev\":\"end\",\"reason\":\"declined\""
                                    : "{\"ev\":\"end\",\"reason\":\"limit\"");
    Emit(PutScalar(out, "clock_ms", clockMs));
}

void TraceWriter::Card(const char* event, CardId card) {
    char* out = Put(line_, "{\"ev\":\"");
    out = Put(out, event);
    *out++ = '"';
    Emit(PutScalar(out, "card", card));
}

void TraceWriter::Emit(char* end) {
    *end++ = '}';
    *end++ = '\n';
    Write(std::string_view(line_, static_cast<size_t>(end - line_)));
}

}  // namespace koikoi
