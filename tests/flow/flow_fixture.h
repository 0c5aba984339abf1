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

}  // namespace koikoi::testing
