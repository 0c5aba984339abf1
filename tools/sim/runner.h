// Runs many simulated games, on one thread or several, and hands their
// results and trace over in game order, so that the summary, the records and
// the trace are the same bytes whatever the number of threads.
#pragma once

#include <atomic>
#include <cstdint>
#include <cstdio>
#include <functional>
#include <string>
#include <string_view>

#include "game/slot_positions.h"
#include "match/trace.h"
#include "tools/sim/simulator.h"

namespace koikoi::sim {

// Trace lines gathered in one reused buffer. With a file, the buffer goes
// out whenever it holds a few megabytes, so a long game needs no more memory.
class BufferTrace final : public TraceWriter {
  public:
    explicit BufferTrace(std::FILE* file = nullptr) : file_(file) {}

    std::string& bytes() { return bytes_; }
    // Writes what is gathered to the file and empties the buffer; false when
    // the file did not take it all.
    bool Flush();
    bool failed() const { return failed_; }
    int64_t written() const { return written_; }

  protected:
    void Write(std::string_view line) override;

  private:
    std::FILE* file_;
    std::string bytes_;
    int64_t written_ = 0;
    bool failed_ = false;
};

struct RunSettings {
    Options first;  // game i plays with seed first.seed + i
    int64_t games = 1;
    int32_t jobs = 1;
    std::FILE* trace = nullptr;               // all games' trace lines, in game order
    const std::atomic<bool>* stop = nullptr;  // once set, no further game starts
};

struct RunOutcome {
    int64_t games = 0;  // games played and handed over: all, or fewer after a stop
    bool traceWritten = true;
    int64_t traceBytes = 0;
};

// `done` is called on the calling thread for every game, in game order.
using GameDone = std::function<void(int64_t game, const GameResult& result)>;

RunOutcome RunGames(const RunSettings& settings, const SlotPositions& positions,
                    const GameDone& done);

}  // namespace koikoi::sim
