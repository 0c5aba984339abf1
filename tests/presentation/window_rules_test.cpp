// Tests of the main window's platform-free decisions: the screen fit, the
// menu's enabling, the paint copy and the close request.
#include "presentation/window_rules.h"

#include <gtest/gtest.h>

#include "game/table.h"

namespace koikoi {
namespace {

struct FitCase {
    int32_t cx, cy;
    int32_t width, height;
};

TEST(ScreenFit, KeepsTheBoardsAspectAndNeverEnlarges) {
    const FitCase cases[] = {
        {1280, 600, 873, 600},    // wider than the board, too low: the height limits
        {800, 551, 800, 549},     // narrower than the board, too narrow: the width limits
        {1920, 1050, 1016, 698},  // room enough: unscaled
        {1016, 698, 1016, 698},   // exactly the board
        {1016, 697, 1014, 697},   // one line short: ratio above the aspect
        {1015, 698, 1015, 697},   // one column short: ratio below the aspect
        {640, 480, 640, 439},
    };
    for (const FitCase& c : cases) {
        const ViewFit fit = FitBoardToScreen(c.cx, c.cy);
        EXPECT_EQ(fit.width, c.width) << c.cx << " x " << c.cy;
        EXPECT_EQ(fit.height, c.height) << c.cx << " x " << c.cy;
        EXPECT_FLOAT_EQ(fit.scale, static_cast<float>(c.width / 1016.0)) << c.cx << " x " << c.cy;
    }
}

TEST(ScreenFit, UnscaledBoardGivesScaleOne) {
    EXPECT_EQ(FitBoardToScreen(2560, 1400).scale, 1.0f);
}

TEST(ScreenFit, ScreenWithoutSizeKeepsTheBoardUnscaled) {
    const int32_t sizes[][2] = {{0, 0}, {1280, 0}, {0, 800}, {-5, 600}};
    for (const auto& size : sizes) {
        const ViewFit fit = FitBoardToScreen(size[0], size[1]);
        EXPECT_EQ(fit.width, 1016);
        EXPECT_EQ(fit.height, 698);
    }
}

TEST(MenuEnabling, FollowsTheGameStateAndTheDialog) {
    struct Case {
        uint8_t state;
        bool dialog;
        MenuEnabling expected;
    };
    const Case cases[] = {
        // state, dialog open, {start, set, records, exit}
        {StateNoGame, false, {true, false, true, true}},
        {StateNoGame, true, {true, false, false, true}},
        {StateChooseHand, false, {false, true, true, false}},
        {StateChooseFieldForDrawn, true, {false, true, false, false}},
        {StateGameOver, false, {false, true, true, false}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(MenuEnablingFor(c.state, c.dialog), c.expected)
            << "state " << int{c.state} << " dialog " << c.dialog;
    }
}

TEST(MenuEnabling, NoMenuWhileAGameStepRuns) {
    EXPECT_FALSE(MenuOffered(StateBusy));
    for (uint8_t state : {StateNoGame, StateChooseHand, StateChooseFieldForHand,
                          StateChooseFieldForDrawn, StateGameOver}) {
        EXPECT_TRUE(MenuOffered(state)) << int{state};
    }
}

TEST(PaintCopy, DecidedByTheClientWidth) {
    EXPECT_EQ(PaintCopyFor(594), PaintCopy::TitlePage);
    EXPECT_EQ(PaintCopyFor(649), PaintCopy::TitlePage);
    EXPECT_EQ(PaintCopyFor(650), PaintCopy::WholeBoardStretched);
    EXPECT_EQ(PaintCopyFor(1016), PaintCopy::WholeBoardStretched);
}

TEST(CloseRequest, DeferredWhileAPauseDrainsTheQueue) {
    EXPECT_EQ(CloseOutcomeFor(false, kYes), CloseOutcome::DestroyNow);
    EXPECT_EQ(CloseOutcomeFor(true, kYes), CloseOutcome::DeferToSequence);
    EXPECT_EQ(CloseOutcomeFor(false, kNo), CloseOutcome::Stay);
    EXPECT_EQ(CloseOutcomeFor(true, kNo), CloseOutcome::Stay);
}

}  // namespace
}  // namespace koikoi
