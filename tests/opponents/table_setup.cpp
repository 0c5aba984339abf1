// Table states for the opponent tests, built without the game's own moves so
// that a fault there cannot hide one here.
#include "tests/opponents/table_setup.h"

#include <gtest/gtest.h>

namespace koikoi::test {

TableSetup::TableSetup() {
    for (SlotId slot = 0; slot < kSlots; ++slot) table_.SlotCards[slot] = kNoCard;
    for (CardId card = 0; card < kCards; ++card) {
        table_.SlotCards[kStockFirst + card] = card;
        table_.CardSlots[card] = kStockFirst + card;
        table_.Owner[card] = OwnerUnseen;
    }
    table_.MonthNumber = 1;
    table_.TurnCount = 1;
    table_.CurrentSide = 1;
    table_.OtherSide = 0;
    table_.OpponentId = 0;
    for (int32_t& element : table_.MatchList) element = kNoCard;
}

SlotId TableSetup::FreeSlot(SlotId first, SlotId last) const {
    for (SlotId slot = first; slot <= last; ++slot) {
        if (table_.SlotCards[slot] == kNoCard) return slot;
    }
    ADD_FAILURE() << "no free slot in " << first << ".." << last;
    return kNoSlot;
}

// Cards come only from the stock, so each counter is raised exactly once.
void TableSetup::Move(CardId card, SlotId to, int8_t owner) {
    const SlotId from = table_.CardSlots[card];
    if (from < kStockFirst || from > kStockLast) {
        ADD_FAILURE() << "card " << card << " placed twice";
        return;
    }
    if (to == kNoSlot || table_.SlotCards[to] != kNoCard) {
        ADD_FAILURE() << "slot " << to << " not free for card " << card;
        return;
    }
    table_.SlotCards[to] = card;
    table_.SlotCards[from] = kNoCard;
    table_.CardSlots[card] = to;
    table_.Owner[card] = owner;
    const int32_t month = MonthOf(card);
    if (owner == OwnerComputerHand) ++table_.ComputerHandByMonth[month];
    if (owner == OwnerField) ++table_.FieldByMonth[month];
    if (owner == OwnerHuman || owner == OwnerComputer) ++table_.TakenByMonth[month];
}

TableSetup& TableSetup::ComputerHand(std::initializer_list<CardId> cards) {
    for (const CardId card : cards) {
        Move(card, FreeSlot(kComputerHand, kComputerHand + kHandSize - 1), OwnerComputerHand);
    }
    return *this;
}

TableSetup& TableSetup::HumanHand(std::initializer_list<CardId> cards) {
    for (const CardId card : cards) {
        Move(card, FreeSlot(kHumanHand, kHumanHand + kHandSize - 1), OwnerUnseen);
    }
    return *this;
}

TableSetup& TableSetup::Field(std::initializer_list<CardId> cards) {
    for (const CardId card : cards) Move(card, FreeSlot(kFieldFirst, kFieldLast), OwnerField);
    return *this;
}

TableSetup& TableSetup::FieldAt(SlotId slot, CardId card) {
    Move(card, slot, OwnerField);
    return *this;
}

TableSetup& TableSetup::Captured(int8_t side, std::initializer_list<CardId> cards) {
    for (const CardId card : cards) {
        const auto pile = static_cast<size_t>(ClassOf(card));
        int8_t& count = table_.PileCount[side][pile];
        Move(card, kSideBlock * side + kPileBase[pile] + count, side);
        ++count;
    }
    return *this;
}

TableSetup& TableSetup::Progress(int8_t side, Yaku yaku, int8_t value) {
    table_.YakuProgress[side][yaku] = value;
    return *this;
}

TableSetup& TableSetup::AllProgress(int8_t side, int8_t value) {
    for (int8_t& counter : table_.YakuProgress[side]) counter = value;
    return *this;
}

TableSetup& TableSetup::MonthAndTurn(int8_t month, int8_t turn) {
    table_.MonthNumber = month;
    table_.TurnCount = turn;
    return *this;
}

TableSetup& TableSetup::Mon(int8_t side, int8_t monthMon, int8_t todayMon) {
    table_.MonthMon[side] = monthMon;
    table_.TodayMon[side] = todayMon;
    return *this;
}

}  // namespace koikoi::test
