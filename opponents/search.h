// The fifth opponent's choices: a search over the deals a seat cannot tell
// apart. Each candidate play is tried in many such deals, each played out to
// the day's end by the game's own moves and scoring, and the play with the
// best mean result, in kan, is chosen.
#pragma once

#include <cstdint>

#include "game/table.h"

namespace koikoi {

// What the view holds in a slot whose card its seat cannot see.
inline constexpr int32_t kHiddenCard = -2;

// What one seat sees of the table: its own hand, the field, both sides'
// piles, the months, the scores and the koi-koi calls, and how many cards
// the other hand and the stock hold. The view is the table with the other
// hand's and the stock's cards taken out (their slots hold kHiddenCard, so
// their number stays known; CardSlots of those cards is -1) and the Owner
// codes and hand counters that would tell where they are cleared. Built
// from the table alone, so two tables that differ only in the hidden cards
// give the same Observation, byte for byte.
struct Observation {
    Table view;
    uint64_t unseen;  // bit c: card c lies in the other hand or the stock
    int8_t seat;      // 0 the human's side, 1 the computer's
};

Observation Observe(const Table& table, int8_t seat);

// Fills `world` with one deal the seat cannot tell from the table: the
// unseen cards laid at random into the hidden slots, with every counter
// and Owner code the moves keep rebuilt for them.
void Determinize(const Observation& seen, uint64_t seed, Table& world);

// Playouts a decision of the game may spend: a count, not a time, so that
// a decision is the same on every machine and replays from its seed.
inline constexpr int32_t kSearchPlayouts = 2400;

// The seed of the n-th search decision of a game played from `gameSeed`:
// the search draws from its own generator, never from the shuffle's.
uint64_t DecisionSeed(uint64_t gameSeed, uint32_t decision);

// The seat's hand card and, where it matches two field cards, the one it
// takes, written as ChooseHandCard writes them; true for a capture. With an
// empty hand it writes four -1 and returns false.
bool SearchHandCard(const Observation& seen, uint64_t seed, int32_t playouts,
                    int32_t (&matchList)[4]);

// For a drawn card matching exactly two field cards (elements 1 and 2 set,
// element 3 empty) keeps the one to take in element 1 and clears element 2;
// any other list is left unchanged.
void SearchFieldCard(const Observation& seen, uint64_t seed, int32_t playouts,
                     int32_t (&matchList)[4]);

// The seat has just made or improved a combination: kYes to call koi-koi
// and play on, kNo to stop and bank the day's mon.
int32_t SearchKoiKoi(const Observation& seen, uint64_t seed, int32_t playouts);

}  // namespace koikoi
