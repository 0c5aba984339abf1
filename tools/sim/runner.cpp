// Games on worker threads, handed over in order through a small window.
#include "tools/sim/runner.h"

#include <algorithm>
#include <condition_variable>
#include <mutex>
#include <thread>
#include <vector>

namespace koikoi::sim {

namespace {

constexpr size_t kFlushBytes = size_t{4} << 20;

bool Stopped(const RunSettings& settings) {
    return settings.stop != nullptr && settings.stop->load(std::memory_order_relaxed);
}

Options OptionsOfGame(const RunSettings& settings, int64_t game) {
    Options options = settings.first;
    options.seed = settings.first.seed + static_cast<uint64_t>(game);
    return options;
}

RunOutcome RunOnThisThread(const RunSettings& settings, const SlotPositions& positions,
                           const GameDone& done) {
    RunOutcome outcome;
    BufferTrace trace(settings.trace);
    for (int64_t game = 0; game < settings.games && !Stopped(settings); ++game) {
        const GameResult result =
            PlayGame(OptionsOfGame(settings, game), positions, settings.trace ? &trace : nullptr);
        if (settings.trace != nullptr) trace.Flush();
        done(game, result);
        ++outcome.games;
    }
    outcome.traceWritten = !trace.failed();
    outcome.traceBytes = trace.written();
    return outcome;
}

// A finished game waiting to be handed over.
struct Finished {
    GameResult result;
    BufferTrace trace;
    bool ready = false;
};

// Workers claim games in order, at most `window` ahead of the next game to
// hand over, so the buffered traces stay few; the calling thread hands the
// games over and writes their trace.
class Pool {
  public:
    Pool(const RunSettings& settings, const SlotPositions& positions)
        : settings_(settings),
          positions_(positions),
          chunk_(settings.trace != nullptr ? 1 : 16),
          slots_(static_cast<size_t>(settings.jobs) * 4 * static_cast<size_t>(chunk_)) {}

    RunOutcome Run(const GameDone& done) {
        std::vector<std::thread> workers;
        for (int32_t j = 0; j < settings_.jobs; ++j) workers.emplace_back([this] { Work(); });
        RunOutcome outcome;
        BufferTrace out(settings_.trace);
        while (outcome.games < settings_.games) {
            Finished* finished = WaitForNext(outcome.games);
            if (finished == nullptr) break;
            if (settings_.trace != nullptr) {
                out.bytes().swap(finished->trace.bytes());
                out.Flush();
                out.bytes().swap(finished->trace.bytes());
            }
            done(outcome.games, finished->result);
            {
                const std::lock_guard lock(mutex_);
                finished->ready = false;
                ++handedOver_;
            }
            claimable_.notify_all();
            ++outcome.games;
        }
        {
            const std::lock_guard lock(mutex_);
            closing_ = true;
        }
        claimable_.notify_all();
        for (std::thread& worker : workers) worker.join();
        outcome.traceWritten = !out.failed();
        outcome.traceBytes = out.written();
        return outcome;
    }

  private:
    Finished& SlotOf(int64_t game) { return slots_[static_cast<size_t>(game) % slots_.size()]; }

    // The next game to hand over once it is played, or nullptr when a stop
    // left it unplayed.
    Finished* WaitForNext(int64_t game) {
        std::unique_lock lock(mutex_);
        for (;;) {
            Finished& slot = SlotOf(game);
            if (slot.ready) return &slot;
            if (Stopped(settings_) && claimed_ == game) return nullptr;
            // Timed: a stop raised by a signal handler cannot notify.
            finished_.wait_for(lock, std::chrono::milliseconds(100));
        }
    }

    // A worker claims a run of consecutive games at a time and wakes the
    // handing-over thread once per run: a game takes a fraction of a
    // millisecond, and a wake-up per game cost the kernel a tenth of that.
    void Work() {
        for (;;) {
            int64_t first = 0;
            int64_t count = 0;
            {
                std::unique_lock lock(mutex_);
                claimable_.wait(lock, [&] {
                    return closing_ || claimed_ >= settings_.games || Stopped(settings_) ||
                           claimed_ + std::min(chunk_, settings_.games - claimed_) <=
                               handedOver_ + static_cast<int64_t>(slots_.size());
                });
                if (closing_ || claimed_ >= settings_.games || Stopped(settings_)) return;
                first = claimed_;
                count = std::min(chunk_, settings_.games - claimed_);
                claimed_ += count;
            }
            for (int64_t game = first; game < first + count; ++game) {
                Finished& slot = SlotOf(game);
                slot.trace.bytes().clear();
                slot.result = PlayGame(OptionsOfGame(settings_, game), positions_,
                                       settings_.trace != nullptr ? &slot.trace : nullptr);
                const std::lock_guard lock(mutex_);
                slot.ready = true;
            }
            finished_.notify_one();
        }
    }

    const RunSettings& settings_;
    const SlotPositions& positions_;
    int64_t chunk_;  // games a worker claims at once
    std::vector<Finished> slots_;
    std::mutex mutex_;
    std::condition_variable claimable_;
    std::condition_variable finished_;
    int64_t claimed_ = 0;
    int64_t handedOver_ = 0;
    bool closing_ = false;
};

}  // namespace

bool BufferTrace::Flush() {
    if (file_ != nullptr && !bytes_.empty()) {
        const size_t written = std::fwrite(bytes_.data(), 1, bytes_.size(), file_);
        if (written != bytes_.size()) failed_ = true;
        written_ += static_cast<int64_t>(written);
        bytes_.clear();
    }
    return !failed_;
}

void BufferTrace::Write(std::string_view line) {
    bytes_.append(line);
    if (file_ != nullptr && bytes_.size() >= kFlushBytes) Flush();
}

RunOutcome RunGames(const RunSettings& settings, const SlotPositions& positions,
                    const GameDone& done) {
    if (settings.jobs <= 1 || settings.games <= 1)
        return RunOnThisThread(settings, positions, done);
    Pool pool(settings, positions);
    return pool.Run(done);
}

}  // namespace koikoi::sim
