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

// The n-th of a run of texts that follow each other in the text table.
constexpr TextId NthText(TextId first, int32_t n) {
    return static_cast<TextId>(static_cast<int32_t>(first) + n);
}
static_assert(NthText(TextId::LabelYaku0, YakuCount - 1) == TextId::LabelYaku9);
static_assert(NthText(TextId::LabelMonth1, kMonths - 1) == TextId::LabelMonth12);
static_assert(NthText(TextId::LabelTurnGain, 2) == TextId::LabelMonthMon);

// A label of the board where the sheet's picture of it would go: the picture
// in Japanese, else the label's text in the picture's colours.
void PaintLabel(Canvas& canvas, Language language, const SheetCell& cell, BoardPlace at,
                TextId label, LabelLook look, TextFont font) {
    if (language == Language::Japanese) {
        Copy(canvas, cell, at.x, at.y);
        return;
    }
    // The text's line is centred down the box as well as across it.
    const Box box = {at.x, at.y, at.x + cell.width, at.y + cell.height};
    const int32_t top = at.y + (cell.height - font.size) / 2;
    canvas.TextBox(box, font, look.back, "");
    canvas.Text({box.left, top, box.right, top + font.size}, font, look.ink,
                TextLayout::CentredLine, Text(language, label));
}

// The name texts use for the side whose turn it is.
const char* CurrentSideName(const Table& table, Language language) {
    return table.CurrentSide == 0 ? Text(language, TextId::HumanName)
                                  : OpponentName(table.OpponentId, language);
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
void PaintMonthMarker(const Table& table, const BoardGeometry& geometry, Canvas& canvas,
                      Language language) {
    if (table.MonthNumber < 1 || table.MonthNumber > kMonths) return;
    const SheetCell cell = MonthMarkerCell(table.MonthNumber);
    const BoardPlace at = geometry.monthMarker;
    Copy(canvas, cell, at.x, at.y);
    if (language == Language::Japanese) return;
    // The month's name over the picture's own, beside its flower.
    const Box name = {at.x + kMarkerFlowerWidth, at.y + 2, at.x + cell.width - 2,
                      at.y + cell.height - 2};
    const int32_t top = at.y + (cell.height - kMarkerFont.size) / 2;
    canvas.TextBox(name, kMarkerFont, kMarkerBack, "");
    canvas.Text({name.left, top, name.right, top + kMarkerFont.size}, kMarkerFont, kLabelInk,
                TextLayout::CentredLine,
                Text(language, NthText(TextId::LabelMonth1, table.MonthNumber - 1)));
}

// Counter labels with one pip per mon: TurnGain, TodayMon, MonthMon.
void PaintCounters(const Table& table, const SidePlaces& places, Canvas& canvas, int32_t side,
                   Language language) {
    const SidePieces& pieces = kSheetPieces[side];
    for (int32_t row = 0; row < 3; ++row) {
        PaintLabel(canvas, language, pieces.counterLabel[row], places.counterLabel[row],
                   NthText(TextId::LabelTurnGain, row), {kSideLabelBack[side], kLabelInk},
                   kLabelFont);
        const int32_t pips = (table.*kCounters[row])[side];
        for (int32_t pip = 0; pip < pips; ++pip) {
            Copy(canvas, pieces.pip, places.firstPip[row].x + places.pipStep * pip,
                 places.firstPip[row].y);
        }
    }
}

// The kan balance as tokens of ten, five and one, in rows of five. A balance
// of 0 or below splits into counts of 0 or below and so draws nothing.
void PaintKan(const Table& table, const SidePlaces& places, Canvas& canvas, int32_t side,
              Language language) {
    const SidePieces& pieces = kSheetPieces[side];
    PaintLabel(canvas, language, pieces.kanLabel, places.kanLabel, TextId::LabelKan,
               {kSideLabelBack[side], kLabelInk}, kLabelFont);

    const int32_t balance = table.KanBalance[side];
    const int32_t counts[3] = {balance / 10, balance % 10 / 5, balance % 10 % 5};
    const SheetCell* const tokens[3] = {&pieces.tenKan, &pieces.fiveKan, &pieces.oneKan};
    int32_t index = 0;
    int32_t x = places.tokenRowStart.x;
    for (int32_t kind = 0; kind < 3; ++kind) {
        const SheetCell& token = *tokens[kind];
        for (int32_t n = 0; n < counts[kind]; ++n, ++index) {
            if (index % places.tokensPerRow == 0) x = places.tokenRowStart.x;
            const int32_t y =
                places.tokenRowStart.y + places.tokenRowStep * (index / places.tokensPerRow);
            // The human's tokens hang from their left edge, the computer's
            // from their right edge, so both rows keep an 8-pixel margin.
            const int32_t left = places.tokenDirection > 0 ? x : x - token.width;
            Copy(canvas, token, left, y);
            x += places.tokenDirection * (token.width + kTokenGap);
        }
    }
}

void PaintYakuLabels(const Table& table, const BoardGeometry& geometry, Canvas& canvas,
                     Language language) {
    for (int32_t side = 0; side < 2; ++side) {
        const SidePlaces& places = geometry.sides[side];
        for (int32_t yaku = 0; yaku < YakuCount; ++yaku) {
            if (table.YakuScore[side][yaku] == 0) continue;
            PaintLabel(canvas, language, YakuLabelCell(yaku), places.yakuLabel[yaku],
                       NthText(TextId::LabelYaku0, yaku), kYakuLabelLooks[yaku], kLabelFont);
        }
    }
}

// One badge place for both sides: the human's call wins when both called.
void PaintKoiBadge(const Table& table, const BoardGeometry& geometry, Canvas& canvas,
                   Language language) {
    const int32_t side = table.KoiCalled[0] > 0 ? 0 : table.KoiCalled[1] > 0 ? 1 : -1;
    if (side < 0) return;
    PaintLabel(canvas, language, kSheetPieces[side].koiBadge, geometry.koiBadge,
               TextId::LabelKoiKoi, {kSideLabelBack[side], kLabelInk}, kLabelFont);
}

void PaintTurnLabel(const Table& table, const BoardGeometry& geometry, Canvas& canvas,
                    Language language) {
    TextBuffer text = "";
    const int32_t side = table.CurrentSide == 0 ? 0 : 1;
    if (side == 0) {
        AppendText(text, Text(language, TextId::HumanTurn));
    } else {
        AppendText(text, OpponentName(table.OpponentId, language));
        AppendText(text, Text(language, TextId::OpponentTurnTail));
    }
    const SidePlaces& places = geometry.sides[side];
    canvas.TextBox(places.turnBox, geometry.turnLabelFont, places.turnColour, text);
}

// The prompts ask the human only. The field prompt replaces the hand prompt
// rather than joining it: at that point the hand card is already chosen.
void PaintPrompt(const Table& table, const BoardGeometry& geometry, Canvas& canvas, int32_t scene,
                 Language language) {
    if (table.CurrentSide != 0) return;
    const LabelLook look = {kPromptBack, kLabelInk};
    if (scene == SceneHandPrompt) {
        PaintLabel(canvas, language, kHandPromptCell, geometry.handPrompt, TextId::LabelHandPrompt,
                   look, kPromptFont);
    }
    if (scene == SceneFieldPrompt) {
        PaintLabel(canvas, language, kFieldPromptCell, geometry.fieldPrompt,
                   TextId::LabelFieldPrompt, look, kPromptFont);
    }
}

void PaintScene(const Table& table, const BoardGeometry& geometry, Canvas& canvas, int32_t scene,
                Language language) {
    canvas.Fill({0, 0, geometry.width, geometry.height}, kFeltColour);
    PaintCards(table, geometry.slots, canvas);
    if (scene >= SceneMonth) PaintMonthMarker(table, geometry, canvas, language);
    if (scene >= SceneScores) {
        for (int32_t side = 0; side < 2; ++side) {
            PaintCounters(table, geometry.sides[side], canvas, side, language);
            PaintKan(table, geometry.sides[side], canvas, side, language);
        }
        PaintYakuLabels(table, geometry, canvas, language);
        PaintKoiBadge(table, geometry, canvas, language);
    }
    if (scene >= SceneTurn) PaintTurnLabel(table, geometry, canvas, language);
    PaintPrompt(table, geometry, canvas, scene, language);
}

}  // namespace

bool BuildAnnouncement(const Table& table, int32_t message, int32_t amount, Language language,
                       char (&text)[kTextBufferSize]) {
    const auto in = [language](TextId id) { return Text(language, id); };
    const char* side = CurrentSideName(table, language);
    text[0] = '\0';
    switch (message) {
        case MsgNewYear:
            // The new year always introduces the opponent, whoever has the turn.
            AppendText(text, in(TextId::MsgNewYearHead));
            AppendText(text, OpponentName(table.OpponentId, language));
            AppendText(text, in(TextId::MsgNewYearTail));
            return true;
        case MsgNewMonth:
            AppendText(text, in(TextId::MsgNewMonth));
            return true;
        case MsgNewDay:
            AppendText(text, in(TextId::MsgNewDay));
            return true;
        case MsgAddToDay:
            AppendText(text, side);
            AppendText(text, in(TextId::MsgAddToDayTail));
            return true;
        case MsgAddToMonth:
            AppendText(text, side);
            AppendText(text, in(TextId::MsgAddToMonthTail));
            return true;
        case MsgMonthWon: {
            TextBuffer head = "";
            AppendText(head, in(TextId::MsgMonthWonHead));
            AppendText(head, side);
            AppendText(head, in(TextId::MsgMonthWonMiddle));
            // snprintf cuts an overlong text at the buffer's end like AppendText.
            return std::snprintf(text, sizeof text, "%s%d%s", head, amount,
                                 in(TextId::MsgMonthWonTail)) >= 0;
        }
        case MsgKoiKoi:
            AppendText(text, side);
            AppendText(text, in(TextId::MsgKoiKoiTail));
            return true;
        default:
            return false;
    }
}

namespace {

// False, with nothing drawn, for a code no caller uses.
bool PaintAnnouncement(const Table& table, const BoardGeometry& geometry, Canvas& canvas,
                       int32_t message, int32_t amount, Language language) {
    TextBuffer text = "";
    if (!BuildAnnouncement(table, message, amount, language, text)) return false;
    canvas.TextBox(geometry.announcement, geometry.announcementFont, kAnnouncementColour, text);
    return true;
}

void NoteOverlay(BoardShown* shown, BoardShown::Overlay overlay) {
    if (shown == nullptr) return;
    if (shown->overlayCount == BoardShown::kMostOverlays) {
        for (int32_t i = 1; i < BoardShown::kMostOverlays; ++i) {
            shown->overlays[i - 1] = shown->overlays[i];
        }
        --shown->overlayCount;
    }
    shown->overlays[shown->overlayCount++] = overlay;
}

}  // namespace

void PaintBoard(const Table& table, const BoardGeometry& geometry, Canvas& canvas, Host& host,
                int32_t scene, int32_t pauseBefore, int32_t message, int32_t amount,
                int32_t highlightSlot, int32_t pauseAfter, BoardShown* shown, Language language) {
    // The context is taken even when nothing is drawn, and held through
    // pauseBefore, but let go before pauseAfter.
    canvas.AcquireWindow();
    if (scene >= 0) {
        PaintScene(table, geometry, canvas, scene, language);
        canvas.Present();
        if (shown != nullptr) *shown = BoardShown{.scene = scene};
    }
    if (pauseBefore > 0) host.Pause(pauseBefore);
    if (message >= 0 && PaintAnnouncement(table, geometry, canvas, message, amount, language)) {
        canvas.Present();
        NoteOverlay(shown, {message, amount, kNoSlot});
    }
    // The slot need not hold a card; one past the table has no place at all.
    if (highlightSlot >= 0 && highlightSlot < kSlots) {
        canvas.Frame(geometry.slots.x[highlightSlot], geometry.slots.y[highlightSlot]);
        canvas.Present();
        NoteOverlay(shown, {MsgNone, 0, highlightSlot});
    }
    canvas.ReleaseWindow();
    if (pauseAfter > 0) host.Pause(pauseAfter);
}

void RepaintShown(const Table& table, const BoardGeometry& geometry, Canvas& canvas,
                  const BoardShown& shown, Language language) {
    if (shown.scene < 0) return;
    PaintScene(table, geometry, canvas, shown.scene, language);
    for (int32_t i = 0; i < shown.overlayCount; ++i) {
        const BoardShown::Overlay& overlay = shown.overlays[i];
        if (overlay.message >= 0)
            PaintAnnouncement(table, geometry, canvas, overlay.message, overlay.amount, language);
        if (overlay.slot >= 0)
            canvas.Frame(geometry.slots.x[overlay.slot], geometry.slots.y[overlay.slot]);
    }
    canvas.Present();
}

}  // namespace koikoi
