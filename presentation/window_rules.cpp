// The main window's platform-free decisions.
#include "presentation/window_rules.h"

#include "game/slot_positions.h"
#include "game/table.h"

namespace koikoi {

ViewFit FitBoardToScreen(int32_t cx, int32_t cy) {
    ViewFit fit{kBoardWidth, kBoardHeight, 1.0f};
    // A screen reporting no size gets the board unscaled rather than a
    // division by zero.
    if (cx <= 0 || cy <= 0) {
        return fit;
    }
    const auto ratio = static_cast<float>(static_cast<double>(cx) / static_cast<double>(cy));
    if (ratio >= kBoardAspect) {
        // Wider than the board: the height limits.
        if (cy < kBoardHeight) {
            fit.height = cy;
            fit.width = static_cast<int32_t>(static_cast<double>(cy) * kBoardAspectWide);
        }
    } else if (cx < kBoardWidth) {
        // Narrower than the board: the width limits.
        fit.width = cx;
        fit.height = static_cast<int32_t>(static_cast<double>(cx) / kBoardAspectWide);
    }
    fit.scale = static_cast<float>(static_cast<double>(fit.width) / 1016.0);
    return fit;
}

MenuEnabling MenuEnablingFor(uint8_t gameState, bool dialogExists) {
    const bool noGame = gameState == StateNoGame;
    return MenuEnabling{
        .gameStart = noGame,
        .gameSet = !noGame,
        .showRecords = !dialogExists,
        .exit = noGame,
    };
}

bool MenuOffered(uint8_t gameState) {
    return gameState != StateBusy;
}

PaintCopy PaintCopyFor(int32_t clientWidth) {
    return clientWidth >= kStretchThreshold ? PaintCopy::WholeBoardStretched : PaintCopy::TitlePage;
}

CloseOutcome CloseOutcomeFor(bool busy, int32_t answer) {
    if (answer != kYes) {
        return CloseOutcome::Stay;
    }
    return busy ? CloseOutcome::DeferToSequence : CloseOutcome::DestroyNow;
}

}  // namespace koikoi
