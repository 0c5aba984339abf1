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

// The four ways of answering, each kYes (6) to call koi-koi or kNo (7) to
// stop. 朱雀 never plays on. 青龍 plays on while stopping would not win the
// month, the human is far from every combination and the computer is near
// one more mon from animals, ribbons or chaff. 白虎 plays on when it is near
// such a mon, can count on completing a set now and the human threatens
// nothing; 玄武 likewise, counting also on set cards it can expect to
// capture later in the day.
int32_t NeverPlayOn(const Table& table);
int32_t PlayOnWhileHumanFar(const Table& table);
int32_t PlayOnForSureSet(const Table& table);
int32_t PlayOnForLikelySet(const Table& table);

// The answer of opponent `opponent` by its row of the opponent table; an
// identifier no opponent has gets kNo.
int32_t DecideKoiKoi(const Table& table, int32_t opponent);

}  // namespace koikoi
