// The reset points of the calendar and the small table helpers.
#include "game/table.h"

#include <cstdint>
#include <cstring>

namespace koikoi {

SlotId StockTop(const Table& table) {
    // After the deal the top half of the stock is empty and grows as the day
    // draws, so the scan first skips empty slots four at a time: four -1
    // ANDed together are all ones only if every one of them is -1.
    SlotId slot = kStockLast;
    for (; slot - 3 >= kStockFirst; slot -= 4) {
        uint64_t upper = 0;
        uint64_t lower = 0;
        std::memcpy(&upper, &table.SlotCards[slot - 1], sizeof upper);
        std::memcpy(&lower, &table.SlotCards[slot - 3], sizeof lower);
        if ((upper & lower) != ~uint64_t{0}) break;
    }
    for (; slot >= kStockFirst; --slot) {
        if (table.SlotCards[slot] != kNoCard) return slot;
    }
    return kNoSlot;
}

void SetCurrentSide(Table& table, int8_t side) {
    table.CurrentSide = side;
    table.OtherSide = Other(side);
}

namespace {

// What every new day and the game start clear: the day's combinations,
// piles, koi-koi calls and banked mon of both sides.
void ClearDay(Table& table) {
    std::memset(table.YakuProgress, 0, sizeof table.YakuProgress);
    std::memset(table.YakuScore, 0, sizeof table.YakuScore);
    std::memset(table.PileCount, 0, sizeof table.PileCount);
    std::memset(table.KoiCalled, 0, sizeof table.KoiCalled);
    std::memset(table.TodayMon, 0, sizeof table.TodayMon);
}

}  // namespace

void ResetForGameStart(Table& table) {
    table.MonthNumber = 1;
    table.TurnCount = 1;
    SetCurrentSide(table, 1);
    ClearDay(table);
    std::memset(table.TurnGain, 0, sizeof table.TurnGain);
    std::memset(table.MonthMon, 0, sizeof table.MonthMon);
    table.KanBalance[0] = table.KanBalance[1] = kStartingKan;
}

void ResetForNewYear(Table& table) {
    table.MonthNumber = 0;  // the new month that follows makes it 1
    table.KanBalance[0] = table.KanBalance[1] = kStartingKan;
}

void ResetForNewMonth(Table& table) {
    ++table.MonthNumber;
    table.MonthMon[0] = table.MonthMon[1] = 0;
}

void ResetForNewDay(Table& table) {
    table.TurnCount = 0;  // the next turn that follows makes it 1
    ClearDay(table);
    // CurrentSide is the side that does not lead: the computer leads odd
    // months, the human even ones. The turn sequence flips it before play.
    SetCurrentSide(table, (table.MonthNumber % 2 != 0) ? 0 : 1);
}

void ResetForNextTurn(Table& table) {
    ++table.TurnCount;
    table.TurnGain[0] = table.TurnGain[1] = 0;
}

}  // namespace koikoi
