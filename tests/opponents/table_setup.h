// Builds table states for the opponent tests: cards placed slot by slot with
// Owner and the per-month counters kept as the rules keep them.
#pragma once

#include <cstdint>
#include <initializer_list>

#include "game/table.h"

namespace koikoi::test {

class TableSetup {
public:
    // Every card in the stock (card c in slot 112 + c, unseen), every counter
    // 0, month 1, play 1.
    TableSetup();

    // Into the next free slots of the computer's hand (Owner 2).
    TableSetup& ComputerHand(std::initializer_list<CardId> cards);
    // Into the next free slots of the human's hand (unseen by the computer).
    TableSetup& HumanHand(std::initializer_list<CardId> cards);
    // Onto the next free field slots (Owner 3).
    TableSetup& Field(std::initializer_list<CardId> cards);
    // Onto one given field slot, for tests of field-slot order.
    TableSetup& FieldAt(SlotId slot, CardId card);
    // Into `side`'s capture piles (Owner = side). YakuProgress is left to the
    // test, which sets only the counters it is about.
    TableSetup& Captured(int8_t side, std::initializer_list<CardId> cards);

    TableSetup& Progress(int8_t side, Yaku yaku, int8_t value);
    TableSetup& AllProgress(int8_t side, int8_t value);
    TableSetup& MonthAndTurn(int8_t month, int8_t turn);
    TableSetup& Mon(int8_t side, int8_t monthMon, int8_t todayMon);

    const Table& table() const { return table_; }
    Table& mutableTable() { return table_; }

private:
    void Move(CardId card, SlotId to, int8_t owner);
    SlotId FreeSlot(SlotId first, SlotId last) const;

    Table table_{};
};

}  // namespace koikoi::test
