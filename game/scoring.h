// Turning a side's combination counters into mon.
#pragma once

#include <cstdint>

#include "game/table.h"

namespace koikoi {

// Marks every combination the side has made in YakuScore (entries of
// combinations no longer made keep their value) and returns the side's
// total mon from its current counters.
int32_t ScoreCombinations(Table& table, int8_t side);

}  // namespace koikoi
