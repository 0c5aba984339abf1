// The trace of a game: one JSON object a line for every step a front-end
// observes. The simulator writes it to a file and the browser edition keeps
// it in the page; both format it here, so the same game gives the same bytes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "game/host.h"
#include "game/table.h"

namespace koikoi {

// Formats trace lines into one reused buffer and hands each finished line,
// ending in LF, to Write. Nothing is formatted while tracing is off.
class TraceWriter {
  public:
    // Room for the longest line: a "scored" line with every table value at
    // its widest is under 4 KB.
    static constexpr size_t kLineCapacity = 8192;

    virtual ~TraceWriter() = default;

    void Start(int32_t opponent, uint64_t seed);
    void Shuffle(const Table& table);
    void HumanCard(CardId card);
    void HumanField(CardId card);
    void Ask(int32_t side, Question question, int32_t answer);
    void ComputerPlay(bool capture, const int32_t (&matchList)[4]);
    void Scored(int32_t side, int32_t code, int64_t clockMs, const Table& table);
    void Record(int32_t opponent, int32_t result);
    void End(bool declined, int64_t clockMs);

  protected:
    virtual void Write(std::string_view line) = 0;

  private:
    void Card(const char* event, CardId card);
    void Emit(char* end);

    char line_[kLineCapacity];
};

// Writes the table as the "state" object of a trace line.
void AppendState(std::string& out, const Table& table);

}  // namespace koikoi
