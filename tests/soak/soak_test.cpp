// Whole years of play with every opponent through the simulator, the table's
// invariants checked at every painted step. The default run is short; the
// long one carries the CTest label "soak" (set KOIKOI_SOAK_GAMES).
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

#include "files/layout.h"
#include "tests/test_seed.h"
#include "tools/sim/simulator.h"

namespace koikoi {
namespace {

int64_t GamesPerOpponent() {
    const char* games = std::getenv("KOIKOI_SOAK_GAMES");
    return games != nullptr ? std::atoll(games) : 3;
}

TEST(Soak, WholeYearsKeepTheTableConsistent) {
    SlotPositions positions{};
    ASSERT_EQ(LoadLayout(KOIKOI_DATA_DIR "/allocation.dat", positions), LayoutStatus::Ok);
    // Game g against opponent o plays seed 1000·o + g; KOIKOI_TEST_SEED
    // replays one game (its opponent is the seed's thousands).
    std::vector<uint64_t> seeds;
    if (const std::optional<uint64_t> given = testing::GivenTestSeed()) {
        seeds.push_back(*given);
    } else {
        for (int32_t opponent = 0; opponent < kOpponents; ++opponent) {
            for (int64_t game = 0; game < GamesPerOpponent(); ++game) {
                seeds.push_back(static_cast<uint64_t>(1000 * opponent + game));
            }
        }
    }
    for (const uint64_t seed : seeds) {
        sim::Options options;
        options.opponent = static_cast<int32_t>(seed / 1000 % kOpponents);
        options.seed = seed;
        options.years = 2;
        options.koikoiChance = 0.5;
        options.checkInvariants = true;
        const sim::GameResult result = sim::PlayGame(options, positions);
        const std::string note = testing::SeedNote(seed);
        ASSERT_TRUE(result.fault.empty()) << note << ": " << result.fault;
        ASSERT_TRUE(result.declined) << note;
        // Two years are 24 settled months.
        EXPECT_EQ(result.monthsWonByHuman + result.monthsWonByComputer, 24) << note;
    }
}

// The same seed plays the same game: the simulator's whole outcome is a
// function of its options.
TEST(Soak, ASeedReplaysTheSameGame) {
    SlotPositions positions{};
    ASSERT_EQ(LoadLayout(KOIKOI_DATA_DIR "/allocation.dat", positions), LayoutStatus::Ok);
    sim::Options options;
    options.opponent = 3;
    options.seed = 99;
    const sim::GameResult first = sim::PlayGame(options, positions);
    const sim::GameResult second = sim::PlayGame(options, positions);
    EXPECT_EQ(first.plays, second.plays);
    EXPECT_EQ(first.clockMs, second.clockMs);
    EXPECT_EQ(first.humanKan, second.humanKan);
}

}  // namespace
}  // namespace koikoi
