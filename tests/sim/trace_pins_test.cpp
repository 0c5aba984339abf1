// Pins the whole trace of a few seeded games for every opponent: a faster
// engine must play every game exactly as before, so every byte of the trace
// (every shuffle, choice, answer and table state) must stay the same.
#include <gtest/gtest.h>

#include <cstdint>
#include <string_view>

#include "files/layout.h"
#include "tools/sim/runner.h"
#include "tools/sim/simulator.h"

namespace koikoi {
namespace {

// FNV-1a, 64 bits.
uint64_t HashBytes(std::string_view bytes) {
    uint64_t hash = 0xcbf29ce484222325ull;
    for (const char c : bytes) {
        hash ^= static_cast<uint8_t>(c);
        hash *= 0x100000001b3ull;
    }
    return hash;
}

struct Pin {
    int32_t opponent;
    uint64_t seed;
    uint64_t hash;
    size_t bytes;
};

// One year each, the random human answering koi-koi with chance 0.3.
constexpr Pin kPins[] = {
    {0, 1, 0xf2dbbc4bf8d94a09ull, 549807},     {0, 7, 0x9573e56ccc201077ull, 741503},
    {0, 12345, 0xb16cc6c68fcea4a4ull, 812166}, {1, 1, 0xa776e748fc3dae98ull, 490910},
    {1, 7, 0x1e2ec039929f0cbdull, 617490},     {1, 12345, 0x26add8ae478f136bull, 738401},
    {2, 1, 0x2df84321452bc343ull, 657930},     {2, 7, 0x73048f4c3ceac378ull, 661777},
    {2, 12345, 0xc73b8dd6cb7069ceull, 789325}, {3, 1, 0x6ea3b86ef85421c3ull, 605735},
    {3, 7, 0xbf833b2a89aefa6bull, 696482},     {3, 12345, 0xd3f53103d8df4097ull, 595075},
};

TEST(TracePins, EveryOpponentPlaysItsPinnedGames) {
    SlotPositions positions{};
    ASSERT_EQ(LoadLayout(KOIKOI_DATA_DIR "/allocation.dat", positions), LayoutStatus::Ok);
    for (const Pin& pin : kPins) {
        sim::Options options;
        options.opponent = pin.opponent;
        options.seed = pin.seed;
        sim::BufferTrace trace;
        sim::PlayGame(options, positions, &trace);
        EXPECT_EQ(trace.bytes().size(), pin.bytes)
            << "opponent " << pin.opponent << " seed " << pin.seed;
        EXPECT_EQ(HashBytes(trace.bytes()), pin.hash)
            << "opponent " << pin.opponent << " seed " << pin.seed;
    }
}

// Without a trace nothing reads the stock a new month's shuffle lays out, and
// that shuffle only draws its numbers; each game must still end exactly as the
// traced one does.
TEST(TracePins, GamesWithoutATraceEndAsTheTracedOnes) {
    SlotPositions positions{};
    ASSERT_EQ(LoadLayout(KOIKOI_DATA_DIR "/allocation.dat", positions), LayoutStatus::Ok);
    for (const Pin& pin : kPins) {
        sim::Options options;
        options.opponent = pin.opponent;
        options.seed = pin.seed;
        sim::BufferTrace trace;
        const sim::GameResult traced = sim::PlayGame(options, positions, &trace);
        const sim::GameResult untraced = sim::PlayGame(options, positions);
        EXPECT_EQ(untraced.plays, traced.plays)
            << "opponent " << pin.opponent << " seed " << pin.seed;
        EXPECT_EQ(untraced.deals, traced.deals)
            << "opponent " << pin.opponent << " seed " << pin.seed;
        EXPECT_EQ(untraced.clockMs, traced.clockMs)
            << "opponent " << pin.opponent << " seed " << pin.seed;
        EXPECT_EQ(untraced.months, traced.months)
            << "opponent " << pin.opponent << " seed " << pin.seed;
        for (int32_t side = 0; side < 2; ++side) {
            EXPECT_EQ(untraced.koikoi[side].calls, traced.koikoi[side].calls);
            EXPECT_EQ(untraced.koikoi[side].paid, traced.koikoi[side].paid);
        }
    }
}

// Several games into one stream, two years each and more koi-koi calls: the
// trace of `--opponent 2 --seed 100 --games 3 --years 2 --koikoi 0.7`.
TEST(TracePins, ThreeGamesInOneStream) {
    SlotPositions positions{};
    ASSERT_EQ(LoadLayout(KOIKOI_DATA_DIR "/allocation.dat", positions), LayoutStatus::Ok);
    sim::BufferTrace trace;
    for (uint64_t seed = 100; seed < 103; ++seed) {
        sim::Options options;
        options.opponent = 2;
        options.seed = seed;
        options.years = 2;
        options.koikoiChance = 0.7;
        sim::PlayGame(options, positions, &trace);
    }
    EXPECT_EQ(trace.bytes().size(), 4236893u);
    EXPECT_EQ(HashBytes(trace.bytes()), 0xbc3ba20a60fb8a39ull);
}

}  // namespace
}  // namespace koikoi
