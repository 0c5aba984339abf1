// The pseudo-random generator the shuffle draws from. Passed in, never global,
// so tests and the simulator can seed it; the program seeds it from the time.
#pragma once

#include <cstdint>

namespace koikoi {

// SplitMix64: small, fast, and good enough to shuffle a deck 400 swaps at a time.
struct Random {
    // The step of the state and the two multipliers of the mix.
    static constexpr uint64_t kGamma = 0x9E3779B97F4A7C15ull;
    static constexpr uint64_t kMix1 = 0xBF58476D1CE4E5B9ull;
    static constexpr uint64_t kMix2 = 0x94D049BB133111EBull;

    uint64_t state = 0;

    explicit constexpr Random(uint64_t seed = 0) : state(seed) {}

    // A non-negative draw, as the shuffle's "r mod 48" expects.
    constexpr int32_t Next() {
        state += kGamma;
        uint64_t z = state;
        z = (z ^ (z >> 30)) * kMix1;
        z = (z ^ (z >> 27)) * kMix2;
        // SplitMix64 ends with z ^= z >> 31, which leaves the top 31 bits
        // that are kept here unchanged ((z ^ (z >> 31)) >> 33 == z >> 33),
        // so it is left out.
        return static_cast<int32_t>(z >> 33);
    }
};

}  // namespace koikoi
