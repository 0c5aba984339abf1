// The headless front-end: plays whole games through the same StartGame and
// HandleBoardClick the window calls, with a scripted human, pauses counted
// and never waited, and an optional trace of every step.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>

#include "game/slot_positions.h"
#include "game/table.h"

namespace koikoi::sim {

struct Options {
    int32_t opponent = 0;
    uint64_t seed = 0;
    int32_t years = 1;            // new years accepted until this many were played
    double koikoiChance = 0.3;    // the human answers yes to koi-koi this often
    int64_t maxPlays = -1;        // cut the game short at the human's turn after this many plays
    std::string recordFile;       // "result.dat" to append to; empty leaves the writes out
    std::FILE* trace = nullptr;   // JSON Lines trace, or none
    bool checkInvariants = false;  // check the table at every painted step
};

struct GameResult {
    int64_t plays = 0;            // plays of both sides
    int64_t clockMs = 0;          // the pauses the game would have waited
    int32_t monthsWonByHuman = 0;
    int32_t monthsWonByComputer = 0;
    int64_t humanKan = 0;         // signed kan of the settled months, from the human's side
    int32_t recordFailures = 0;   // months the record file could not take
    std::string fault;            // the first broken invariant, when checked
    bool declined = false;        // ended by declining a new year (else cut short)
};

// Plays one game from StartGame to the declined new year (or the play limit).
GameResult PlayGame(const Options& options, const SlotPositions& positions);

}  // namespace koikoi::sim
