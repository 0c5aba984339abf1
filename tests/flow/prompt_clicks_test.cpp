// Clicks made in the last half second of a sequence, while the human's
// prompt already shows: accepted and played as if made after the pause,
// without nesting one handler inside another's pause.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

#include "game/texts.h"
#include "tests/flow/flow_fixture.h"
#include "tests/test_seed.h"

namespace koikoi {
namespace {

// A window whose player clicks a hand card whenever a pause's queue is
// drained while a hand card is wanted. Pauses nest when a handler run from
// the queue pauses in turn; the depth is what a stack would pay.
class PromptClicker : public testing::RecordingHost {
  public:
    Match* match = nullptr;
    int32_t clicksLeft = 0;
    int32_t depth = 0;
    int32_t deepest = 0;
    int64_t humanCards = 0;

    void Pause(int32_t ms) override {
        RecordingHost::Pause(ms);
        ++depth;
        deepest = std::max(deepest, depth);
        insidePause = true;
        if (match->table.GameState == StateChooseHand && clicksLeft > 0) {
            --clicksLeft;
            ClickFirstHandCard();
        }
        insidePause = depth > 1;
        --depth;
    }
    int32_t AskYesNo(TextId text, TextId caption) override {
        RecordingHost::AskYesNo(text, caption);
        return text == TextId::AskNewYear ? kYes : kNo;
    }
    void NoteHumanCard(CardId) override { ++humanCards; }

    void ClickFirstHandCard() {
        for (SlotId slot = kHumanHand; slot < kHumanHand + kHandSize; ++slot) {
            if (match->table.SlotCards[slot] == kNoCard) continue;
            HandleBoardClick(*match, static_cast<uint32_t>(match->positions.x[slot] + 31),
                             static_cast<uint32_t>(match->positions.y[slot] + 52));
            return;
        }
    }
};

TEST(PromptClicks, AThousandPromptClicksStayAtOneLevelOfNesting) {
    Table table = testing::EmptyTable();
    table.OpponentId = 2;
    PromptClicker host;
    const testing::TestSeed seed(2024);
    Random random(seed.value());
    const SlotPositions positions = testing::TestLayout();
    Match match{table, host, random, positions, 1.0f};
    host.match = &match;
    host.clicksLeft = 1000;

    StartGame(match);
    int64_t outerClicks = 0;
    while (host.clicksLeft > 0 && outerClicks < 5000) {
        ASSERT_NE(table.GameState, StateGameOver);
        if (table.GameState == StateChooseHand) {
            --host.clicksLeft;
            host.ClickFirstHandCard();
        } else {
            // A field card to choose for the played or the drawn card.
            ASSERT_TRUE(table.GameState == StateChooseFieldForHand ||
                        table.GameState == StateChooseFieldForDrawn);
            const SlotId slot = table.CardSlots[table.MatchList[1]];
            HandleBoardClick(match, static_cast<uint32_t>(positions.x[slot] + 31),
                             static_cast<uint32_t>(positions.y[slot] + 52));
        }
        ++outerClicks;
        ASSERT_EQ(FindTableFault(table, Check::Full), nullptr);
    }
    EXPECT_EQ(host.clicksLeft, 0);
    EXPECT_GE(host.humanCards, 1000);
    EXPECT_LE(host.deepest, 1);
    // Most clicks came in the final pause of the previous sequence.
    EXPECT_LT(outerClicks, 600);
}

// The prompt click is played after the pause it came in, with the same
// steps as a click made later.
TEST(PromptClicks, APromptClickPlaysLikeALaterClick) {
    auto run = [](bool prompt) {
        Table table = testing::EmptyTable();
        table.OpponentId = 1;
        PromptClicker host;
        Random random(77);
        const SlotPositions positions = testing::TestLayout();
        Match match{table, host, random, positions, 1.0f};
        host.match = &match;
        StartGame(match);
        host.clicksLeft = prompt ? 1 : 0;
        host.ClickFirstHandCard();  // a sequence ending in a 500 ms pause
        if (!prompt) host.ClickFirstHandCard();
        EXPECT_EQ(host.humanCards, 2);
        return std::make_pair(host.paints, table.GameState);
    };
    const auto [promptPaints, promptState] = run(true);
    const auto [laterPaints, laterState] = run(false);
    EXPECT_EQ(promptPaints, laterPaints);
    EXPECT_EQ(promptState, laterState);
}

}  // namespace
}  // namespace koikoi
