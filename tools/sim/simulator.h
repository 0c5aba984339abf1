// The headless front-end: plays whole games through the same StartGame and
// HandleBoardClick the window calls, with a scripted human, pauses counted
// and never waited, and an optional trace of every step.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "game/slot_positions.h"
#include "game/table.h"
#include "match/trace.h"
#include "opponents/search.h"

namespace koikoi::sim {

// Who plays the human's side. Every player chooses only among the clicks
// the window would accept, so the game itself is the same code whoever sits
// there.
enum class Player : int32_t {
    Random,     // a random hand card, a random field card, koi-koi at koikoiChance
    Greedy,     // the capture of most card value, else the cheapest card; never koi-koi
    Opponent0,  // the four opponents' own move choice and koi-koi decision,
    Opponent1,  // seated on the human's side
    Opponent2,
    Opponent3,
    Search,     // the searching opponent's choices, from what the human's seat sees
    Count,
};

struct Options {
    int32_t opponent = 0;
    uint64_t seed = 0;
    int32_t years = 1;             // new years accepted until this many were played
    double koikoiChance = 0.3;     // the random human answers yes to koi-koi this often
    int64_t maxPlays = -1;         // cut the game short at the human's turn after this many plays
    bool checkInvariants = false;  // check the table at every painted step
    Player player = Player::Random;
    int32_t playouts = kSearchPlayouts;  // a search decision's playouts, on either side
};

// Koi-koi calls of one side: a call paid when the caller went on to bank
// the day's mon; a drawn day or the other side's win leaves it unpaid.
struct KoiKoiCalls {
    int32_t calls = 0;
    int32_t paid = 0;
};

struct GameResult {
    int64_t plays = 0;    // plays of both sides
    int64_t deals = 0;    // days played out (a game cut short leaves its last one out)
    int64_t clockMs = 0;  // the pauses the game would have waited
    int32_t monthsWonByHuman = 0;
    int32_t monthsWonByComputer = 0;
    int64_t humanKan = 0;         // signed kan of the settled months, from the human's side
    int64_t humanKanSquares = 0;  // sum of the squares of those, for the spread
    std::vector<int8_t> months;   // every settled month's result for the record file, in order
    KoiKoiCalls koikoi[2];        // by side: 0 the human, 1 the computer
    std::string fault;            // the first broken invariant, when checked
    bool declined = false;        // ended by declining a new year (else cut short)
};

// Plays one game from StartGame to the declined new year (or the play limit),
// writing its trace lines to `trace` when one is given.
GameResult PlayGame(const Options& options, const SlotPositions& positions,
                    TraceWriter* trace = nullptr);

}  // namespace koikoi::sim
