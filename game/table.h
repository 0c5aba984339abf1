// The whole state of a game: where every card lies, what the computer may
// know of it, the combination counters, the tallies and the calendar.
#pragma once

#include <cstdint>
#include <type_traits>

#include "game/cards.h"

namespace koikoi {

// Slot map: a side's block is 56 slots (hand, then its four capture piles).
inline constexpr SlotId kSlots = 209;
inline constexpr SlotId kSideBlock = 56;
inline constexpr SlotId kHandSize = 8;
inline constexpr SlotId kHumanHand = 0;
inline constexpr SlotId kComputerHand = 56;
inline constexpr SlotId kComputerPiles = 64;  // 64..111, painted from the second set
inline constexpr SlotId kStockFirst = 112;
inline constexpr SlotId kStockLast = 159;
inline constexpr SlotId kFieldFirst = 160;
inline constexpr SlotId kFieldLast = 183;
inline constexpr SlotId kOverlayOffset = 24;  // OverlaySlot of field slot f is f + 24
inline constexpr SlotId kOverlayFirst = 184;
inline constexpr SlotId kOverlayLast = 207;
inline constexpr SlotId DrawnSlot = 208;

constexpr SlotId OverlaySlot(SlotId field) { return field + kOverlayOffset; }

// Owner codes: what the computer may know of a card.
enum OwnerCode : int8_t {
    OwnerUnseen = -1,  // stock, human's hand, or turned up and not yet placed
    OwnerHuman = 0,
    OwnerComputer = 1,
    OwnerComputerHand = 2,
    OwnerField = 3,
};

// Flow codes returned by ScoreAfterPlay and taken by AdvanceCalendar.
enum FlowCode : int32_t { NewYear = 0, NewMonth = 1, NewDay = 2, NextTurn = 3 };

// Message-box answers; the computer's koi-koi answers travel the same way.
inline constexpr int32_t kYes = 6;
inline constexpr int32_t kNo = 7;

// One plain value of fixed size: no pointers, no heap, copyable as bytes.
// Counters are signed 8-bit because they go negative in normal play (a
// combination a side can no longer make is pushed below its threshold).
struct Table {
    int32_t SlotCards[kSlots];  // card in each slot, -1 empty
    int32_t CardSlots[kCards];  // slot of each card
    int8_t Owner[kCards];

    int8_t FieldByMonth[kMonths];
    int8_t ComputerHandByMonth[kMonths];
    int8_t TakenByMonth[kMonths];

    int8_t YakuProgress[2][YakuCount];
    int8_t YakuScore[2][YakuCount];
    int8_t PileCount[2][4];  // bright, animal, ribbon, chaff

    int8_t TurnGain[2];
    int8_t TodayMon[2];
    int8_t MonthMon[2];
    int8_t KanBalance[2];
    uint8_t KoiCalled[2];

    int8_t MonthNumber;  // 1..12
    int8_t TurnCount;    // play of the day, 1..16
    int8_t CurrentSide;  // 0 the human, 1 the computer
    int8_t OtherSide;    // always 1 - CurrentSide
    uint8_t GameState;   // see GameStates
    uint8_t OpponentId;  // 0..4

    int32_t MatchList[4];  // played card, then the field cards it takes
};

static_assert(std::is_trivially_copyable_v<Table> && std::is_standard_layout_v<Table>);

enum GameStates : uint8_t {
    StateNoGame = 0,
    StateBusy = 1,
    StateChooseHand = 2,
    StateChooseFieldForHand = 3,
    StateChooseFieldForDrawn = 4,
    StateGameOver = 5,
};

// The four opponents that judge by rules, and with them the record file's
// 80 lines and the Windows program's opponent menu; the fifth, which
// searches, plays in the browser edition and the simulator only.
inline constexpr int32_t kOpponents = 4;
inline constexpr int32_t kSearchOpponent = 4;
inline constexpr int32_t kAllOpponents = 5;
inline constexpr int8_t kStartingKan = 36;

constexpr int8_t Other(int8_t side) { return static_cast<int8_t>(1 - side); }

// The top of the stock: the highest occupied stock slot, or -1.
SlotId StockTop(const Table& table);

// Reset points of the calendar. Each sets exactly the state its event
// names; shuffling and dealing are left to the caller.
void ResetForGameStart(Table& table);
void ResetForNewYear(Table& table);
void ResetForNewMonth(Table& table);
void ResetForNewDay(Table& table);
void ResetForNextTurn(Table& table);

// Sets CurrentSide and OtherSide together, as every writer must.
void SetCurrentSide(Table& table, int8_t side);

}  // namespace koikoi
