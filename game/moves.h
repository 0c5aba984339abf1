// Moving cards: shuffle, deal, draw, discard, and matching and capture with
// the bookkeeping of who knows and holds each card.
#pragma once

#include <cstdint>

#include "game/host.h"
#include "game/random.h"
#include "game/table.h"

namespace koikoi {

// Every slot empty, then all 48 cards in the stock in random order:
// 400 swaps of slot assignments, indices taken modulo 48.
void ShuffleStock(Table& table, Random& random);

// Draws the numbers a shuffle draws and moves no card: the generator is left
// as ShuffleStock would leave it.
void DrawShuffle(Random& random);

// Deals six packets of four from the top of the stock: leader's hand,
// other hand, field, leader's hand, other hand, field. Sets Owner and the
// per-month counters.
void DealCards(Table& table, Host& host, int8_t leader);

// Turns up the top stock card into DrawnSlot.
void DrawFromStock(Table& table, Host& host);

// Lays matchList[0] on the lowest empty field slot.
void DiscardToField(Table& table, Host& host, const int32_t (&matchList)[4]);

// Writes the field cards of `month` (0..11) in ascending slot order, at most
// three, and returns how many there are. Found through CardSlots, which
// every move keeps in step with SlotCards: only cards of the month are
// written, whatever the table holds. A month outside 0..11 has none.
int32_t FieldCardsOfMonth(const Table& table, int32_t month, CardId (&cards)[3]);

// Fills matchList with the card and the field cards of its month in
// ascending slot order; returns how many field cards were found (0..3).
int32_t FindMatches(const Table& table, CardId card, int32_t (&matchList)[4]);

// Moves the played card and the field cards it takes to the captor's piles.
void CaptureCards(Table& table, Host& host, int8_t side, const int32_t (&matchList)[4]);

// Bookkeeping of one captured card; returns the pile slot it goes to.
SlotId RecordCapture(Table& table, int8_t side, CardId card);

}  // namespace koikoi
