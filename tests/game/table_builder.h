// Builds table states for tests: an empty table, then cards placed by hand
// with Owner and the per-month counters kept as the game keeps them.
#pragma once

#include <cstring>
#include <initializer_list>

#include "game/table.h"

namespace koikoi::testing {

// Every card in the stock in card order, counters zero, the human to play.
inline Table EmptyTable() {
    Table table;
    std::memset(&table, 0, sizeof table);
    for (int32_t& card : table.SlotCards) card = kNoCard;
    for (CardId card = 0; card < kCards; ++card) {
        table.SlotCards[kStockFirst + card] = card;
        table.CardSlots[card] = kStockFirst + card;
        table.Owner[card] = OwnerUnseen;
    }
    for (int32_t& element : table.MatchList) element = kNoCard;
    table.MonthNumber = 1;
    table.TurnCount = 1;
    SetCurrentSide(table, 0);
    table.KanBalance[0] = table.KanBalance[1] = kStartingKan;
    return table;
}

// Moves a card to a slot and keeps Owner and the month counters as a deal or
// a discard would leave them.
inline void Place(Table& table, CardId card, SlotId slot) {
    const SlotId from = table.CardSlots[card];
    table.SlotCards[from] = kNoCard;
    table.SlotCards[slot] = card;
    table.CardSlots[card] = slot;
    const int32_t month = MonthOf(card);
    if (table.Owner[card] == OwnerComputerHand) --table.ComputerHandByMonth[month];
    if (table.Owner[card] == OwnerField) --table.FieldByMonth[month];
    if (slot >= kComputerHand && slot < kComputerHand + kHandSize) {
        table.Owner[card] = OwnerComputerHand;
        ++table.ComputerHandByMonth[month];
    } else if (slot >= kFieldFirst && slot <= kFieldLast) {
        table.Owner[card] = OwnerField;
        ++table.FieldByMonth[month];
    } else {
        table.Owner[card] = OwnerUnseen;
    }
}

inline void PlaceAll(Table& table, std::initializer_list<CardId> cards, SlotId firstSlot) {
    SlotId slot = firstSlot;
    for (CardId card : cards) Place(table, card, slot++);
}

}  // namespace koikoi::testing
