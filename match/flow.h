// The match flow: the game start, the human's clicks and, between them, the
// computer's plays, the scoring after each play and the calendar.
#pragma once

#include <cstdint>

#include "game/host.h"
#include "game/random.h"
#include "game/slot_positions.h"
#include "game/table.h"
#include "opponents/search.h"

namespace koikoi {

// What one game needs besides its table: the host that shows and asks, the
// generator the shuffles draw from, the board layout clicks are tested
// against, and the window's scale. Owned by whoever drives the game.
struct Match {
    Table& table;
    Host& host;
    Random& random;
    const SlotPositions& positions;
    float viewScale = 1.0f;

    // The searching opponent's generator: its n-th decision of the game
    // searches from DecisionSeed(searchSeed, n), with searchPlayouts
    // playouts. The driver sets the seed from the game's own seed, so that
    // a game replays from its seed alone.
    uint64_t searchSeed = 0;
    uint32_t searchDecisions = 0;
    int32_t searchPlayouts = kSearchPlayouts;

    // A click accepted while a sequence was pausing is played after that
    // pause returns, by the handler already running, instead of nesting.
    bool sequenceRunning = false;
    bool clickPending = false;
    uint8_t pendingState = 0;
    SlotId pendingSlot = kNoSlot;
};

void StartGame(Match& match);
// x and y are window client coordinates.
void HandleBoardClick(Match& match, uint32_t x, uint32_t y);

// Scores the side that has just played; returns a FlowCode.
int32_t ScoreAfterPlay(Match& match, int8_t side);
// Sets up what follows a play; 0 if the user declined a new year, else 1.
int32_t AdvanceCalendar(Match& match, int32_t code);

}  // namespace koikoi
