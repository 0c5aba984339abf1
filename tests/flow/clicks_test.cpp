// The human's clicks: what is accepted, what is ignored, the choices of a
// field card, the pacing of a play and the closing of the window.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "tests/flow/flow_fixture.h"

namespace koikoi {
namespace {

using testing::ClickFixture;
using testing::FlowFixture;
using testing::PaintCall;
using testing::Place;
using testing::PlaceAll;
using testing::StackStock;

bool SameTable(const Table& a, const Table& b) { return std::memcmp(&a, &b, sizeof a) == 0; }

TEST(Clicks, OutsideTheCandidatesNothingChanges) {
    ClickFixture f;
    const Table before = f.table;
    HandleBoardClick(f.match, 1000, 690);  // on nothing
    f.ClickSlot(kStockLast);               // on the stock
    f.ClickSlot(kFieldFirst);              // a field card while a hand card is wanted
    f.ClickSlot(5);                        // an empty hand slot
    EXPECT_TRUE(SameTable(before, f.table));
    EXPECT_TRUE(f.host.paints.empty());
}

TEST(Clicks, ClicksAreIgnoredUnlessTheHumanIsToChoose) {
    for (uint8_t state : {StateNoGame, StateBusy, StateGameOver}) {
        ClickFixture f;
        f.table.GameState = state;
        const Table before = f.table;
        f.ClickSlot(0);
        EXPECT_TRUE(SameTable(before, f.table)) << "state " << int{state};
    }
}

TEST(Clicks, TwoMatchesWaitForTheFieldCardAndIgnoreOtherMonths) {
    ClickFixture f;
    f.ClickSlot(1);  // 17 matches 18 and 19
    EXPECT_EQ(f.table.GameState, StateChooseFieldForHand);
    const std::vector<PaintCall> expected = {
        {-1, 0, -1, 0, 1, 0}, {SceneFieldPrompt, 0, -1, 0, -1, 0}, {-1, 0, -1, 0, 1, 0}};
    EXPECT_EQ(f.host.paints, expected);

    const Table waiting = f.table;
    f.ClickSlot(kFieldFirst);      // 2: another month
    f.ClickSlot(kFieldFirst + 5);  // empty
    EXPECT_TRUE(SameTable(waiting, f.table));

    StackStock(f.table, {40, 39});  // the human draws 40, the computer 39: no matches
    f.ClickSlot(kFieldFirst + 2);  // 19
    EXPECT_EQ(f.table.Owner[19], OwnerHuman);
    EXPECT_EQ(f.table.Owner[17], OwnerHuman);
    EXPECT_EQ(f.table.SlotCards[kFieldFirst + 1], 18);  // the other match stays
    EXPECT_EQ(f.table.GameState, StateChooseHand);
}

TEST(Clicks, TheDrawnCardsChoiceComesAfterTheDrawAndIsNotDrawnAgain) {
    ClickFixture f;
    StackStock(f.table, {16, 39});  // the human's draw matches 18 and 19
    f.ClickSlot(0);                 // 47 is laid down
    EXPECT_EQ(f.table.GameState, StateChooseFieldForDrawn);
    EXPECT_EQ(f.table.SlotCards[DrawnSlot], 16);
    EXPECT_EQ(f.host.paints.back(), (PaintCall{-1, 0, -1, 0, DrawnSlot, 0}));
    const SlotId stockTop = StockTop(f.table);

    f.ClickSlot(kFieldFirst + 1);  // 18
    EXPECT_EQ(f.table.Owner[16], OwnerHuman);
    EXPECT_EQ(f.table.Owner[18], OwnerHuman);
    EXPECT_EQ(f.table.Owner[19], OwnerField);
    // Exactly one more card left the stock: the computer's draw.
    EXPECT_EQ(StockTop(f.table), stockTop - 1);
    EXPECT_EQ(f.table.GameState, StateChooseHand);
}

TEST(Clicks, ThreeMatchesAreTakenWithoutAChoice) {
    ClickFixture f;
    Place(f.table, 1, kFieldFirst + 5);
    Place(f.table, 3, kFieldFirst + 6);  // from the computer's hand: now 2, 1, 3 on the field
    StackStock(f.table, {40, 39});
    f.ClickSlot(2);  // 0 takes all three
    EXPECT_EQ(f.table.TakenByMonth[0], 4);
    EXPECT_EQ(f.table.Owner[1], OwnerHuman);
}

// After a human play that leaves the day running, a computer play that
// takes one field card with its hand card and lays its drawn card down
// lasts 4.5 s, the last 500 ms with the human's prompt already shown.
TEST(Clicks, AComputerPlayAfterAHumanPlayLastsFourAndAHalfSeconds) {
    ClickFixture f;
    StackStock(f.table, {39, 35});  // neither matches anything on the field
    f.ClickSlot(0);                 // 47 is laid down, then 39
    const std::vector<int32_t> expected = {
        500, 500, 500,            // the human's discard, draw and discard
        500,                      // the computer's turn label
        500,                      // its chosen card framed
        500, 500, 500, 500,       // the capture of one field card
        500, 500,                 // its draw and discard
        500,                      // the human's prompt shown, clicks accepted
    };
    EXPECT_EQ(f.host.pauses, expected);
    EXPECT_EQ(f.table.GameState, StateChooseHand);
    EXPECT_EQ(f.table.CurrentSide, 0);
    EXPECT_EQ(f.table.TurnCount, 7);
}

TEST(Clicks, AHandCardIsHitThroughTheViewScale) {
    ClickFixture f;
    f.match.viewScale = 0.5f;
    StackStock(f.table, {39, 35});
    // Slot 0's cell is 10..72 x 590..693 on the board: half that in the window.
    HandleBoardClick(f.match, 36, 320);
    EXPECT_EQ(f.table.SlotCards[0], kNoCard);
}

// A Host on which the user asks to close during the third pause.
struct ClosingHost : testing::RecordingHost {
    void Pause(int32_t ms) override {
        RecordingHost::Pause(ms);
        if (pauses.size() == 3) quitRequested = true;
    }
};

TEST(Clicks, ACloseRequestedDuringAPauseClosesAtTheHandBack) {
    ClickFixture f;
    ClosingHost host;
    Match match{f.table, host, f.random, f.positions, 1.0f};
    StackStock(f.table, {39, 35});
    HandleBoardClick(match, 10 + 31, 590 + 52);
    EXPECT_EQ(host.destroyed, 1);
    EXPECT_EQ(f.table.GameState, StateChooseHand);  // the sequence ran to its end first
    EXPECT_EQ(host.pauses.size(), 12u);
}

}  // namespace
}  // namespace koikoi
