// A table, a recording host and a simple board layout for driving the match
// flow in tests.
#pragma once

#include <initializer_list>

#include "match/flow.h"
#include "tests/game/recording_host.h"
#include "tests/game/table_builder.h"

namespace koikoi::testing {

// The human's hand along the bottom, the field in two rows of twelve, and
// every other slot in the top right corner, away from both.
inline SlotPositions TestLayout() {
    SlotPositions positions{};
    for (SlotId slot = 0; slot < kSlots; ++slot) {
        positions.x[slot] = 940;
        positions.y[slot] = 10;
    }
    for (SlotId i = 0; i < kHandSize; ++i) {
        positions.x[i] = 10 + 70 * i;
        positions.y[i] = 590;
    }
    for (SlotId i = 0; i < 24; ++i) {
        positions.x[kFieldFirst + i] = 10 + 70 * (i % 12);
        positions.y[kFieldFirst + i] = 240 + 110 * (i / 12);
    }
    return positions;
}

// Puts the given cards on top of the stock, the first to be drawn first.
inline void StackStock(Table& table, std::initializer_list<CardId> draws) {
    SlotId top = StockTop(table);
    for (CardId card : draws) {
        const SlotId from = table.CardSlots[card];
        const CardId displaced = table.SlotCards[top];
        table.SlotCards[top] = card;
        table.CardSlots[card] = top;
        table.SlotCards[from] = displaced;
        table.CardSlots[displaced] = from;
        do {
            --top;
        } while (table.SlotCards[top] == kNoCard);
    }
}

struct FlowFixture {
    Table table = EmptyTable();
    RecordingHost host;
    Random random{1};
    SlotPositions positions = TestLayout();
    Match match{table, host, random, positions, 1.0f};

    void ClickSlot(SlotId slot) {
        HandleBoardClick(match, static_cast<uint32_t>(positions.x[slot] + 31),
                         static_cast<uint32_t>(positions.y[slot] + 52));
    }
};

// The human to play at play 5 of a day in month 2: hand 47 (December, none
// on the field; slot 0, board cell x 10..72, y 590..693), 17 (May, two on
// the field; slot 1, x 80..142), 0 (January, one on the field; slot 2); the
// computer holds 3 and 4, and a January chaff 2 lies on the field.
struct ClickFixture : FlowFixture {
    ClickFixture() {
        table.MonthNumber = 2;
        table.TurnCount = 5;
        table.OpponentId = 1;
        PlaceAll(table, {47, 17, 0}, kHumanHand);
        PlaceAll(table, {2, 18, 19}, kFieldFirst);
        PlaceAll(table, {3, 4}, kComputerHand);
        table.GameState = StateChooseHand;
        SetCurrentSide(table, 0);
    }
};

}  // namespace koikoi::testing
