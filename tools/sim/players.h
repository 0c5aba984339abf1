// The players the simulator seats on the human's side: each chooses among
// the clicks the window would accept and answers the koi-koi question.
#pragma once

#include <cstdint>

#include "game/random.h"
#include "game/table.h"
#include "opponents/search.h"

namespace koikoi::sim {

enum class Player : int32_t;

// The table as the other side sees it: the two sides' slots, piles, tallies
// and koi-koi calls swapped, the Owner codes and the hand counters rebuilt
// for what the human may know, and the month parity turned so that the
// side that leads is still read correctly. The opponents' own code then
// plays the human's side unchanged.
Table MirrorSides(const Table& table);

// The human's hand slot to click; `random` is the scripted human's generator.
SlotId ChooseHumanHandSlot(const Table& table, Player player, Random& random);
// Which of MatchList[1] and MatchList[2] the played or drawn card takes.
CardId ChooseHumanFieldCard(const Table& table, Player player, Random& random, bool forDrawnCard);
// kYes or kNo to the human's koi-koi question.
int32_t AnswerHumanKoiKoi(const Table& table, Player player, Random& random, double chance);

// A card's value to the greedy player: the points of its class.
int32_t CardValue(CardId card);

// The searching opponent seated on the human's side. Its choices come from
// what the human's seat sees, its seeds from the game's seed, so a game
// replays; the field card it chose with a hand card is kept for the click
// that follows.
class HumanSearch {
  public:
    HumanSearch(uint64_t gameSeed, int32_t playouts);

    SlotId HandSlot(const Table& table);
    CardId FieldCard(const Table& table, bool forDrawnCard);
    int32_t KoiKoi(const Table& table);

  private:
    uint64_t NextSeed() { return DecisionSeed(seed_, decisions_++); }

    uint64_t seed_;
    int32_t playouts_;
    uint32_t decisions_ = 0;
    CardId chosenField_ = kNoCard;
};

}  // namespace koikoi::sim
