// Games on several threads hand over exactly what one thread does, in game
// order, and a stop ends the run after a whole number of games.
#include "tools/sim/runner.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstdio>
#include <string>
#include <vector>

#include "files/layout.h"

namespace koikoi {
namespace {

struct Played {
    std::vector<int64_t> games;
    std::vector<int64_t> plays;
    std::string trace;
    sim::RunOutcome outcome;
};

Played RunWith(int32_t jobs, int64_t games, std::atomic<bool>* stop = nullptr,
               int64_t stopAfter = -1) {
    SlotPositions positions{};
    EXPECT_EQ(LoadLayout(KOIKOI_DATA_DIR "/allocation.dat", positions), LayoutStatus::Ok);
    std::FILE* file = std::tmpfile();
    EXPECT_NE(file, nullptr);
    sim::RunSettings settings;
    settings.first.opponent = 3;
    settings.first.seed = 40;
    settings.first.koikoiChance = 0.5;
    settings.first.maxPlays = 150;  // short games keep the test quick
    settings.games = games;
    settings.jobs = jobs;
    settings.trace = file;
    settings.stop = stop;
    Played run;
    run.outcome =
        sim::RunGames(settings, positions, [&](int64_t game, const sim::GameResult& result) {
            run.games.push_back(game);
            run.plays.push_back(result.plays);
            if (stopAfter >= 0 && game + 1 == stopAfter) stop->store(true);
        });
    std::fflush(file);
    std::rewind(file);
    char buffer[1 << 16];
    size_t got = 0;
    while ((got = std::fread(buffer, 1, sizeof buffer, file)) > 0) run.trace.append(buffer, got);
    std::fclose(file);
    return run;
}

TEST(Runner, ThreadsHandOverTheSameGamesInOrder) {
    const Played one = RunWith(1, 13);
    ASSERT_EQ(one.outcome.games, 13);
    ASSERT_TRUE(one.outcome.traceWritten);
    ASSERT_FALSE(one.trace.empty());
    for (const int32_t jobs : {2, 3}) {
        const Played many = RunWith(jobs, 13);
        EXPECT_EQ(many.outcome.games, 13) << jobs << " jobs";
        EXPECT_EQ(many.games, one.games) << jobs << " jobs";
        EXPECT_EQ(many.plays, one.plays) << jobs << " jobs";
        EXPECT_TRUE(many.trace == one.trace) << jobs << " jobs: the trace differs";
    }
}

TEST(Runner, AStopEndsAfterWholeGames) {
    for (const int32_t jobs : {1, 2}) {
        std::atomic<bool> stop{false};
        const Played run = RunWith(jobs, 40, &stop, 5);
        EXPECT_GE(run.outcome.games, 5) << jobs << " jobs";
        EXPECT_LT(run.outcome.games, 40) << jobs << " jobs";
        // The games handed over are the first ones, each whole: the trace is
        // a prefix of an unstopped run's, ending with a game's end line.
        const Played whole = RunWith(1, run.outcome.games);
        EXPECT_TRUE(run.trace == whole.trace) << jobs << " jobs";
        std::atomic<bool> early{true};
        EXPECT_EQ(RunWith(jobs, 10, &early).outcome.games, 0) << jobs << " jobs";
    }
}

}  // namespace
}  // namespace koikoi
