// The computer's move choice, shared by all four opponents: which hand card to
// play and which of two field cards a card takes.
#pragma once

#include <cstdint>

#include "game/table.h"

namespace koikoi {

// A month is closed when all four of its cards are captured, on the field or
// in the computer's hand: none is in the stock or in the human's hand, so
// nobody but the computer can take a field card of it, and a card of it laid
// on the field is safe from the human.
bool MonthClosed(const Table& table, int32_t month);

// Fills the 32-element HandOptions list for `side`'s hand: 8 groups of 4,
// group g for hand slot 56 * side + g. Element 0 is the hand card (or -1),
// elements 1..3 the field cards of its month in ascending field-slot order,
// then -1. Overlay slots and the drawn card are not looked at.
void ListHandOptions(const Table& table, int32_t side, int32_t (&options)[32]);

// Picks the computer's hand card as opponent `opponent` and writes matchList:
// true for a capture (the hand card, then exactly the field cards it takes),
// false for a discard (the hand card, then -1). Reads only the table, so the
// caller may pass table.MatchList. With an empty hand (which callers must not
// ask about) it writes four -1 and returns false.
bool ChooseHandCard(const Table& table, int32_t opponent, int32_t (&matchList)[4]);

// For a played card matching exactly two field cards (elements 1 and 2 set,
// element 3 empty), keeps in element 1 the field card of higher worth to both
// sides together and clears element 2; on equal worth the first (lower field
// slot) stays. Any other list is left unchanged. `side` does not influence
// the choice.
void ChooseFieldCard(const Table& table, int32_t opponent, int32_t side, int32_t (&matchList)[4]);

}  // namespace koikoi
