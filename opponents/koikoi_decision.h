// The computer's answer to the koi-koi question: play on (6) or stop and win the day (7).
#pragma once

#include <cstdint>

#include "game/table.h"

namespace koikoi {

// -1 if the human is one card short of a set (red ribbons, blue ribbons,
// boar-deer-butterflies, curtain-and-sake, moon-and-sake) whose missing card
// the computer cannot keep from it, else 1.
int32_t HumanThreat(const Table& table);

// 1 if the computer can count on completing a set it is one card short of,
// else -1. With lookAhead it also counts on a missing card in its hand that
// it can expect to play before the day's last koi-koi question.
int32_t ComputerChance(const Table& table, bool lookAhead);

// kYes (6) to call koi-koi, kNo (7) to stop. Opponent 0 never plays on, so it
// (and any opponent outside 0..3) gets 7.
int32_t DecideKoiKoi(const Table& table, int32_t opponent);

}  // namespace koikoi
