// The edges of a click: the card cell's last pixels through the window's
// scale, the gap between cards, a drawn card with three field matches, and
// a close request that arrives with a click still waiting to be played.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "tests/flow/flow_fixture.h"

namespace koikoi {
namespace {

using testing::ClickFixture;
using testing::FlowFixture;
using testing::PlaceAll;
using testing::StackStock;

// A window pixel is board pixel (x / scale, y / scale), each truncated; a
// card's cell is 63 x 104 board pixels from its slot's corner. At the scale
// of a 1280 x 600 screen (873 / 1016) window x 9 is board 10.47 and x 8 is
// 9.31; y 596 is board 693.63, which rounding would push out of the cell.
TEST(HitBoxes, TheCellsLastPixelsThroughTheScale) {
    struct Click {
        float scale;
        uint32_t x, y;
        SlotId hit;  // the hand slot taken, -1 for an ignored click
    };
    const float fitted = 873.0f / 1016.0f;
    const std::vector<Click> clicks = {
        {1.0f, 10, 590, 0},          // the cell's first pixel
        {1.0f, 72, 693, 0},          // its last pixel
        {1.0f, 9, 640, kNoSlot},     // just left of it
        {1.0f, 73, 640, kNoSlot},    // just right of it: the gap to the next card
        {1.0f, 76, 640, kNoSlot},    // in the gap
        {1.0f, 79, 640, kNoSlot},    // the gap's last pixel
        {1.0f, 80, 640, 1},          // the next card's first pixel
        {1.0f, 40, 589, kNoSlot},    // just above
        {1.0f, 40, 694, kNoSlot},    // just below
        {fitted, 9, 507, 0},         // board 10.5, 590.0: the first pixel
        {fitted, 62, 596, 0},        // board 72.2, 693.6: the last pixel
        {fitted, 8, 550, kNoSlot},   // board 9.3
        {fitted, 63, 550, kNoSlot},  // board 73.3: the gap
        {fitted, 66, 550, kNoSlot},  // board 76.8: the gap
        {fitted, 69, 550, 1},        // board 80.3
        {fitted, 40, 506, kNoSlot},  // board 588.9
        {fitted, 40, 597, kNoSlot},  // board 694.8
    };
    for (const Click& click : clicks) {
        ClickFixture f;
        f.match.viewScale = click.scale;
        HandleBoardClick(f.match, click.x, click.y);
        const SlotId hit = f.host.paints.empty() ? kNoSlot : f.host.paints.front().highlightSlot;
        EXPECT_EQ(hit, click.hit) << "scale " << click.scale << " at " << click.x << "," << click.y;
        if (click.hit == kNoSlot) {
            EXPECT_EQ(f.table.GameState, StateChooseHand);
        }
    }
}

// A drawn card whose month lies three times on the field takes all three
// at once, for either side: no choice is offered, none is asked for.
TEST(DrawnCard, ThreeFieldMatchesAreAllTaken) {
    struct Case {
        std::vector<CardId> draws;  // the human's draw, then the computer's
        int8_t taker;
    };
    const std::vector<Case> cases = {{{17, 39}, 0}, {{39, 17}, 1}};
    for (const Case& c : cases) {
        FlowFixture f;
        f.table.MonthNumber = 2;
        f.table.TurnCount = 5;
        f.table.OpponentId = 1;
        f.host.watched = &f.table;
        PlaceAll(f.table, {47, 13}, kHumanHand);
        PlaceAll(f.table, {2, 18, 16, 19}, kFieldFirst);  // three May cards: 18, 16, 19
        PlaceAll(f.table, {3, 6}, kComputerHand);
        f.table.GameState = StateChooseHand;
        SetCurrentSide(f.table, 0);
        StackStock(f.table, {c.draws[0], c.draws[1]});
        f.ClickSlot(0);  // 47 takes nothing
        const int8_t owner = c.taker == 0 ? OwnerHuman : OwnerComputer;
        for (CardId card : {16, 17, 18, 19}) {
            EXPECT_EQ(f.table.Owner[card], owner)
                << "card " << card << ", drawn by side " << int{c.taker};
        }
        EXPECT_EQ(f.table.TakenByMonth[4], 4);
        EXPECT_EQ(f.table.FieldByMonth[4], 0);
        // The drawn card lay first on the overlay of the lowest of the three.
        const testing::PaintCall framed{-1, 0, -1, 0, kFieldFirst + 1, 500};
        EXPECT_NE(std::find(f.host.paints.begin(), f.host.paints.end(), framed),
                  f.host.paints.end());
        for (const testing::PaintCall& paint : f.host.paints)
            EXPECT_NE(paint.scene, SceneFieldPrompt);
        EXPECT_EQ(f.table.GameState, StateChooseHand);
        EXPECT_TRUE(f.host.faults.empty()) << f.host.faults.front();
    }
}

// A window that, in the last pause of a sequence (the human's prompt is up
// and clicks are accepted), drains a queue of window messages: clicks and a
// confirmed close request. It notes where the window was destroyed.
class QueueHost : public testing::RecordingHost {
  public:
    enum class Event { HandClick, StrayClick, Close };
    Match* match = nullptr;
    std::vector<Event> queue;
    int64_t humanCards = 0;
    int64_t humanCardsAtDestroy = -1;
    bool destroyedInsidePause = false;

    void Pause(int32_t ms) override {
        RecordingHost::Pause(ms);
        if (match->table.GameState != StateChooseHand || queue.empty()) return;
        insidePause = true;
        for (Event event : queue) {
            if (event == Event::Close) {
                quitRequested = true;  // the close box answered Yes while busy
            } else if (event == Event::StrayClick) {
                HandleBoardClick(*match, 1000, 690);  // on nothing
            } else {
                HandleBoardClick(*match, static_cast<uint32_t>(match->positions.x[1] + 31),
                                 static_cast<uint32_t>(match->positions.y[1] + 52));
            }
        }
        queue.clear();
        insidePause = false;
    }
    void NoteHumanCard(CardId) override { ++humanCards; }
    void DestroyWindow() override {
        RecordingHost::DestroyWindow();
        humanCardsAtDestroy = humanCards;
        destroyedInsidePause = destroyedInsidePause || insidePause;
    }
};

// The window is destroyed once, when the running sequence hands control
// back, never inside the pause; a click that was waiting is played first.
TEST(Closing, ACloseRequestWithAClickWaitingClosesAfterTheClickIsPlayed) {
    using Event = QueueHost::Event;
    struct Case {
        std::vector<Event> queue;
        int64_t cardsPlayed;  // by the human before the window goes
    };
    const std::vector<Case> cases = {
        {{Event::HandClick, Event::Close}, 2},
        {{Event::Close, Event::HandClick}, 2},
        {{Event::Close, Event::StrayClick}, 1},
    };
    for (size_t i = 0; i < cases.size(); ++i) {
        ClickFixture f;
        QueueHost host;
        Match match{f.table, host, f.random, f.positions, 1.0f};
        host.match = &match;
        host.queue = cases[i].queue;
        StackStock(f.table, {39, 35, 40, 41});  // no draw matches anything
        // 47 takes nothing; the sequence ends in a 500 ms pause.
        HandleBoardClick(match, static_cast<uint32_t>(f.positions.x[0] + 31),
                         static_cast<uint32_t>(f.positions.y[0] + 52));
        EXPECT_EQ(host.destroyed, 1) << "case " << i;
        EXPECT_FALSE(host.destroyedInsidePause) << "case " << i;
        EXPECT_EQ(host.humanCardsAtDestroy, cases[i].cardsPlayed) << "case " << i;
        EXPECT_EQ(host.humanCards, cases[i].cardsPlayed) << "case " << i;
        EXPECT_FALSE(match.clickPending);
    }
}

}  // namespace
}  // namespace koikoi
