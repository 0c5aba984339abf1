// The ten scoring combinations and what each is worth.
#include "game/scoring.h"

#include <array>

namespace koikoi {

namespace {

// A combination is made when its counter reaches the threshold. The sets
// are worth a fixed number of mon; the counts (animals, ribbons, chaff) are
// worth one mon at the threshold and one more for every further card.
struct Combination {
    int8_t threshold;
    int8_t mon;    // fixed worth, or 0 for a count
    int8_t minus;  // a count is worth counter - minus
};

constexpr std::array<Combination, YakuCount> kCombinations = {{
    /* FiveBrights       */ {5, 10, 0},
    /* FourBrights       */ {4, 8, 0},
    /* RedRibbons        */ {3, 6, 0},
    /* BlueRibbons       */ {3, 6, 0},
    /* BoarDeerButterfly */ {3, 5, 0},
    /* CurtainSake       */ {2, 5, 0},
    /* MoonSake          */ {2, 5, 0},
    /* AnimalSet         */ {5, 0, 4},
    /* RibbonSet         */ {5, 0, 4},
    /* ChaffSet          */ {10, 0, 9},
}};

}  // namespace

int32_t ScoreCombinations(Table& table, int8_t side) {
    // Most plays make nothing: every counter below its threshold, known
    // from one test of all ten before any is looked at one by one.
    uint32_t made = 0;
    for (size_t k = 0; k < YakuCount; ++k) {
        made |= static_cast<uint32_t>(table.YakuProgress[side][k] >= kCombinations[k].threshold);
    }
    if (made == 0) return 0;
    int32_t total = 0;
    for (size_t k = 0; k < YakuCount; ++k) {
        const int8_t n = table.YakuProgress[side][k];
        const Combination& combination = kCombinations[k];
        if (n < combination.threshold) continue;
        const int32_t mon = combination.mon != 0 ? combination.mon : n - combination.minus;
        table.YakuScore[side][k] = static_cast<int8_t>(mon);
        total += mon;
    }
    return total;
}

}  // namespace koikoi
