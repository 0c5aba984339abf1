// One checker of everything the table promises between steps, for the
// tests and the soak runs.
#pragma once

#include "game/table.h"

namespace koikoi {

enum class Check : uint8_t {
    Slots,  // only where cards lie: SlotCards and CardSlots agree
    Full,   // also the counters' bounds, Owner, the per-month counters and the piles
};

// nullptr when the table is consistent, else a description of the first
// fault found. Owner and the month counters are set by the deal, so they
// are checked only once a day has been dealt (Check::Full).
const char* FindTableFault(const Table& table, Check check);

// What can be checked at a painted step: between a shuffle and the deal's
// last card (the deal paints each card at the scores level) Owner and the
// month counters still describe the previous day.
Check CheckAtPaint(const Table& table, int32_t scene);

}  // namespace koikoi
