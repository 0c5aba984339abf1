// The board painter: scene repaints, announcements and the card frame.
#include "presentation/board_painter.h"

#include <cstdio>

#include "game/texts.h"
#include "presentation/board_layout.h"

namespace koikoi {
namespace {

using TextBuffer = char[kTextBufferSize];

void Copy(Canvas& canvas, const SheetCell& cell, int32_t x, int32_t y) {
    canvas.CopyCell(cell.x, cell.y, cell.width, cell.height, x, y);
}

// The name texts use for the side whose turn it is.
const char* CurrentSideName(const Table& table) {
    return table.CurrentSide == 0 ? texts::kHumanName : OpponentName(table.OpponentId);
}

// The side's three counters, in the order of their labels and pip rows.
constexpr int8_t (Table::*kCounters[3])[2] = {&Table::TurnGain, &Table::TodayMon, &Table::MonthMon};

// The picture a card shows depends only on the slot it lies in: the
// computer's hand and the stock are face down, the computer's captures show
// the second set of faces, and everything else the first set.
SheetCell CardCell(SlotId slot, CardId card) {
    const bool computerHand = slot >= kComputerHand && slot < kComputerHand + kHandSize;
    const bool stock = slot >= kStockFirst && slot <= kStockLast;
    if (computerHand || stock) return kBackCell;
    const bool computerPiles = slot >= kComputerPiles && slot < kStockFirst;
    return FaceCell(card, computerPiles ? FaceSet::Second : FaceSet::First);
}

// Ascending slot order is the stacking order: a card laid over a field card
// (slots 184..207) covers it, and the drawn card (slot 208) covers all.
void PaintCards(const Table& table, const SlotPositions& positions, Canvas& canvas) {
    for (SlotId slot = 0; slot < kSlots; ++slot) {
        const CardId card = table.SlotCards[slot];
        if (card < 0 || card >= kCards) continue;
        Copy(canvas, CardCell(slot, card), positions.x[slot], positions.y[slot]);
    }
}

// Months outside 1..12 have no marker: the sheet's column holds nothing for
// month 0 (the number between a new year and its first month), the back
// above that, and the combination labels past month 12.
void PaintMonthMarker(const Table& table, Canvas& canvas) {
    if (table.MonthNumber < 1 || table.MonthNumber > kMonths) return;
    Copy(canvas, MonthMarkerCell(table.MonthNumber), kMonthMarkerPlace.x, kMonthMarkerPlace.y);
}

// Counter labels with one pip per mon: TurnGain, TodayMon, MonthMon.
void PaintCounters(const Table& table, Canvas& canvas, int32_t side) {
    const SidePieces& pieces = kSheetPieces[side];
    const SidePlaces& places = kSidePlaces[side];
    for (int32_t row = 0; row < 3; ++row) {
        const int32_t rowOffset = kCounterRowStep * row;
        Copy(canvas, pieces.counterLabel[row], places.counterLabel.x,
             places.counterLabel.y + rowOffset);
        const int32_t pips = (table.*kCounters[row])[side];
        for (int32_t pip = 0; pip < pips; ++pip) {
            Copy(canvas, pieces.pip, places.firstPip.x + places.pipStep * pip,
                 places.firstPip.y + rowOffset);
        }
    }
}

// The kan balance as tokens of ten, five and one, in rows of five. A balance
// of 0 or below splits into counts of 0 or below and so draws nothing.
void PaintKan(const Table& table, Canvas& canvas, int32_t side) {
    const SidePieces& pieces = kSheetPieces[side];
    const SidePlaces& places = kSidePlaces[side];
    Copy(canvas, pieces.kanLabel, places.kanLabel.x, places.kanLabel.y);

    const int32_t balance = table.KanBalance[side];
    const int32_t counts[3] = {balance / 10, balance % 10 / 5, balance % 10 % 5};
    const SheetCell* const tokens[3] = {&pieces.tenKan, &pieces.fiveKan, &pieces.oneKan};
    int32_t index = 0;
    int32_t x = places.tokenRowStart.x;
    for (int32_t kind = 0; kind < 3; ++kind) {
        const SheetCell& token = *tokens[kind];
        for (int32_t n = 0; n < counts[kind]; ++n, ++index) {
            if (index % kTokensPerRow == 0) x = places.tokenRowStart.x;
            const int32_t y = places.tokenRowStart.y + kTokenRowStep * (index / kTokensPerRow);
            // The human's tokens hang from their left edge, the computer's
            // from their right edge, so both rows keep an 8-pixel margin.
            const int32_t left = places.tokenDirection > 0 ? x : x - token.width;
            Copy(canvas, token, left, y);
            x += places.tokenDirection * (token.width + kTokenGap);
        }
    }
}

void PaintYakuLabels(const Table& table, Canvas& canvas) {
    for (int32_t side = 0; side < 2; ++side) {
        const SidePlaces& places = kSidePlaces[side];
        for (int32_t yaku = 0; yaku < YakuCount; ++yaku) {
            if (table.YakuScore[side][yaku] == 0) continue;
            Copy(canvas, YakuLabelCell(yaku), places.firstYakuLabel.x + places.yakuLabelStep * yaku,
                 places.firstYakuLabel.y);
        }
    }
}

// One badge place for both sides: the human's call wins when both called.
void PaintKoiBadge(const Table& table, Canvas& canvas) {
    if (table.KoiCalled[0] > 0) {
        Copy(canvas, kSheetPieces[0].koiBadge, kKoiBadgePlace.x, kKoiBadgePlace.y);
    } else if (table.KoiCalled[1] > 0) {
        Copy(canvas, kSheetPieces[1].koiBadge, kKoiBadgePlace.x, kKoiBadgePlace.y);
    }
}

void PaintTurnLabel(const Table& table, Canvas& canvas) {
    TextBuffer text = "";
    const int32_t side = table.CurrentSide == 0 ? 0 : 1;
    if (side == 0) {
        AppendText(text, texts::kHumanTurn);
    } else {
        AppendText(text, OpponentName(table.OpponentId));
        AppendText(text, texts::kOpponentTurnTail);
    }
    const SidePlaces& places = kSidePlaces[side];
    canvas.TextBox(places.turnBox, kTurnLabelFont, places.turnColour, text);
}

// The prompts ask the human only. The field prompt replaces the hand prompt
// rather than joining it: at that point the hand card is already chosen.
void PaintPrompt(const Table& table, Canvas& canvas, int32_t scene) {
    if (table.CurrentSide != 0) return;
    if (scene == SceneHandPrompt)
        Copy(canvas, kHandPromptCell, kHandPromptPlace.x, kHandPromptPlace.y);
    if (scene == SceneFieldPrompt)
        Copy(canvas, kFieldPromptCell, kFieldPromptPlace.x, kFieldPromptPlace.y);
}

void PaintScene(const Table& table, const SlotPositions& positions, Canvas& canvas, int32_t scene) {
    canvas.Fill(kWholeBoard, kFeltColour);
    PaintCards(table, positions, canvas);
    if (scene >= SceneMonth) PaintMonthMarker(table, canvas);
    if (scene >= SceneScores) {
        for (int32_t side = 0; side < 2; ++side) {
            PaintCounters(table, canvas, side);
            PaintKan(table, canvas, side);
        }
        PaintYakuLabels(table, canvas);
        PaintKoiBadge(table, canvas);
    }
    if (scene >= SceneTurn) PaintTurnLabel(table, canvas);
    PaintPrompt(table, canvas, scene);
}

// Builds the text of an announcement; false for a code no caller uses.
bool BuildAnnouncement(const Table& table, int32_t message, int32_t amount, TextBuffer& text) {
    const char* side = CurrentSideName(table);
    switch (message) {
        case MsgNewYear:
            // The new year always introduces the opponent, whoever has the turn.
            AppendText(text, texts::kMsgNewYearHead);
            AppendText(text, OpponentName(table.OpponentId));
            AppendText(text, texts::kMsgNewYearTail);
            return true;
        case MsgNewMonth:
            AppendText(text, texts::kMsgNewMonth);
            return true;
        case MsgNewDay:
            AppendText(text, texts::kMsgNewDay);
            return true;
        case MsgAddToDay:
            AppendText(text, side);
            AppendText(text, texts::kMsgAddToDayTail);
            return true;
        case MsgAddToMonth:
            AppendText(text, side);
            AppendText(text, texts::kMsgAddToMonthTail);
            return true;
        case MsgMonthWon: {
            TextBuffer head = "";
            AppendText(head, texts::kMsgMonthWonHead);
            AppendText(head, side);
            AppendText(head, texts::kMsgMonthWonMiddle);
            // snprintf cuts an overlong text at the buffer's end like AppendText.
            return std::snprintf(text, sizeof text, "%s%d%s", head, amount,
                                 texts::kMsgMonthWonTail) >= 0;
        }
        case MsgKoiKoi:
            AppendText(text, side);
            AppendText(text, texts::kMsgKoiKoiTail);
            return true;
        default:
            return false;
    }
}

void PaintAnnouncement(const Table& table, Canvas& canvas, int32_t message, int32_t amount) {
    TextBuffer text = "";
    if (!BuildAnnouncement(table, message, amount, text)) return;
    canvas.TextBox(kAnnouncementBox, kAnnouncementFont, kAnnouncementColour, text);
    canvas.Present();
}

}  // namespace

void PaintBoard(const Table& table, const SlotPositions& positions, Canvas& canvas, Host& host,
                int32_t scene, int32_t pauseBefore, int32_t message, int32_t amount,
                int32_t highlightSlot, int32_t pauseAfter) {
    // The context is taken even when nothing is drawn, and held through
    // pauseBefore, but let go before pauseAfter.
    canvas.AcquireWindow();
    if (scene >= 0) {
        PaintScene(table, positions, canvas, scene);
        canvas.Present();
    }
    if (pauseBefore > 0) host.Pause(pauseBefore);
    if (message >= 0) PaintAnnouncement(table, canvas, message, amount);
    // The slot need not hold a card; one past the table has no place at all.
    if (highlightSlot >= 0 && highlightSlot < kSlots) {
        canvas.Frame(positions.x[highlightSlot], positions.y[highlightSlot]);
        canvas.Present();
    }
    canvas.ReleaseWindow();
    if (pauseAfter > 0) host.Pause(pauseAfter);
}

}  // namespace koikoi
