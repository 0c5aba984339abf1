// Seeds of the randomised tests: each prints the seed it runs with and takes
// one back from the environment, so any failure replays exactly:
//   KOIKOI_TEST_SEED=1234 ctest --preset dev -R RandomDays
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

namespace koikoi::testing {

// The seed given in KOIKOI_TEST_SEED, if any (decimal, or hex with 0x).
inline std::optional<uint64_t> GivenTestSeed() {
    const char* given = std::getenv("KOIKOI_TEST_SEED");
    if (given == nullptr || *given == '\0') return std::nullopt;
    char* end = nullptr;
    const unsigned long long value = std::strtoull(given, &end, 0);
    if (end == nullptr || *end != '\0') {
        ADD_FAILURE() << "KOIKOI_TEST_SEED=" << given << " is not a number";
        return std::nullopt;
    }
    return static_cast<uint64_t>(value);
}

inline std::string SeedNote(uint64_t seed) {
    return "KOIKOI_TEST_SEED=" + std::to_string(seed);
}

// One seed for the whole test: the given one, else `fallback`. It is printed
// at once and named in every failure of the scope it lives in.
class TestSeed {
  public:
    explicit TestSeed(uint64_t fallback, const char* file = __builtin_FILE(),
                      int line = __builtin_LINE())
        : value_(GivenTestSeed().value_or(fallback)), trace_(file, line, SeedNote(value_)) {
        std::printf("%s\n", SeedNote(value_).c_str());
    }
    uint64_t value() const { return value_; }

  private:
    uint64_t value_;
    ::testing::ScopedTrace trace_;
};

// The seeds of a test that runs many: first..first+count-1, or only the
// given one. Each failure message must name its seed (SeedNote).
inline std::vector<uint64_t> TestSeeds(uint64_t first, uint64_t count) {
    if (const std::optional<uint64_t> given = GivenTestSeed()) {
        std::printf("%s\n", SeedNote(*given).c_str());
        return {*given};
    }
    std::printf("seeds %llu..%llu (KOIKOI_TEST_SEED replays one)\n",
                static_cast<unsigned long long>(first),
                static_cast<unsigned long long>(first + count - 1));
    std::vector<uint64_t> seeds;
    for (uint64_t seed = first; seed < first + count; ++seed) seeds.push_back(seed);
    return seeds;
}

}  // namespace koikoi::testing
