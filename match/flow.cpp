// The match flow: the game start, the human's clicks and the computer's
// plays between them, the scoring after each play and the calendar.
//
// Everything runs synchronously inside the two handlers the window calls.
// Each plays forward, painting and pausing, until the human has to choose a
// card, and returns with GameState saying what the next click means.
#include "match/flow.h"

#include <bit>

#include "game/moves.h"
#include "game/scoring.h"
#include "game/texts.h"
#include "opponents/koikoi_decision.h"
#include "opponents/move_choice.h"
#include "opponents/roster.h"
#include "opponents/search.h"

namespace koikoi {

namespace {

void Paint(Host& host, int32_t scene, int32_t pauseBefore = 0, int32_t message = MsgNone,
           int32_t amount = 0, int32_t highlightSlot = kNoSlot, int32_t pauseAfter = 0) {
    host.PaintBoard(scene, pauseBefore, message, amount, highlightSlot, pauseAfter);
}

void Add(int8_t& counter, int32_t delta) {
    counter = static_cast<int8_t>(counter + delta);
}

// Destroys the window if the user asked to close during a pause. A handler
// running inside a Pause leaves that to the handler whose Pause it is, and
// a click waiting to be played is played first, as it would have been.
void QuitCheck(Match& match) {
    if (match.clickPending || match.host.InsidePause()) return;
    if (match.host.QuitRequested()) match.host.DestroyWindow();
}

// The computer's three choices, by the search for the opponent that
// searches (from what the computer's seat sees) and by its rules for the
// others.
uint64_t NextDecisionSeed(Match& match) {
    return DecisionSeed(match.searchSeed, match.searchDecisions++);
}

bool ComputerHandCard(Match& match) {
    Table& table = match.table;
    if (!Searches(table.OpponentId)) return ChooseHandCard(table, table.OpponentId, table.MatchList);
    return SearchHandCard(Observe(table, 1), NextDecisionSeed(match), match.searchPlayouts,
                          table.MatchList);
}

void ComputerFieldCard(Match& match) {
    Table& table = match.table;
    if (!Searches(table.OpponentId)) {
        ChooseFieldCard(table, table.OpponentId, table.CurrentSide, table.MatchList);
        return;
    }
    if (table.MatchList[2] == kNoCard || table.MatchList[3] != kNoCard) return;  // nothing to choose
    SearchFieldCard(Observe(table, 1), NextDecisionSeed(match), match.searchPlayouts,
                    table.MatchList);
}

int32_t ComputerKoiKoi(Match& match) {
    Table& table = match.table;
    if (!Searches(table.OpponentId)) return DecideKoiKoi(table, table.OpponentId);
    return SearchKoiKoi(Observe(table, 1), NextDecisionSeed(match), match.searchPlayouts);
}

inline void PlayCard(Match& match, int32_t found) {
    Table& table = match.table;
    if (found == 0) {
        DiscardToField(table, match.host, table.MatchList);
    } else {
        CaptureCards(table, match.host, table.CurrentSide, table.MatchList);
    }
}

// The user declined a new year: the last board stays until the game is
// closed from the menu.
void EndGame(Match& match) {
    match.host.Tell(TextId::HowToEnd, TextId::HowToEndCaption);
    Paint(match.host, SceneTurn);
    match.table.GameState = StateGameOver;
    QuitCheck(match);
}

// The human is to choose a hand card. `pause` ms follow the prompt (the
// end of a click-started sequence, in which the next click is accepted).
inline void OfferHumanTurn(Match& match, int32_t pause) {
    SetCurrentSide(match.table, 0);
    Paint(match.host, SceneHandPrompt);
    match.table.GameState = StateChooseHand;
    if (pause > 0) match.host.Pause(pause);
    QuitCheck(match);
}

// Scores the play just made and sets up the next one; false when the game
// has ended.
inline bool FinishPlay(Match& match) {
    Table& table = match.table;
    const int32_t code = ScoreAfterPlay(match, table.CurrentSide);
    match.host.NoteScored(table.CurrentSide, code, table);
    if (AdvanceCalendar(match, code) == 0) {
        EndGame(match);
        return false;
    }
    return true;
}

// The computer plays until the turn is the human's. The chosen hand card
// stays framed for `highlight` ms; a sequence started by a click ends with
// a 500 ms pause in which the human's next click is already accepted.
void RunComputerPlays(Match& match, int32_t highlight, bool startedByClick) {
    Table& table = match.table;
    Host& host = match.host;
    for (;;) {
        if (table.GameState != StateBusy) return;
        const bool capture = ComputerHandCard(match);
        host.NoteComputerPlay(capture, table.MatchList);
        Paint(host, SceneNone, 0, MsgNone, 0, table.CardSlots[table.MatchList[0]], highlight);
        PlayCard(match, capture ? 1 : 0);

        DrawFromStock(table, host);
        const int32_t found = FindMatches(table, table.SlotCards[DrawnSlot], table.MatchList);
        if (found > 0) ComputerFieldCard(match);
        PlayCard(match, found);
        if (!FinishPlay(match)) return;

        if (table.CurrentSide == 1) {
            // The next play is the human's, in this day or in a new day the
            // human leads.
            OfferHumanTurn(match, startedByClick ? 500 : 0);
            return;
        }
        // A new day led by the computer: it plays the first card at once.
        SetCurrentSide(table, 1);
        table.GameState = StateBusy;
        Paint(host, SceneHandPrompt);
    }
}

// The part of the human's play that follows the draw: the drawn card takes
// or is laid down (or waits for a choice), the play is scored and the
// computer answers.
void FinishHumanPlay(Match& match, bool drawDone) {
    Table& table = match.table;
    Host& host = match.host;
    if (!drawDone) {
        DrawFromStock(table, host);
        const int32_t found = FindMatches(table, table.SlotCards[DrawnSlot], table.MatchList);
        if (found == 2) {
            Paint(host, SceneFieldPrompt);
            Paint(host, SceneNone, 0, MsgNone, 0, DrawnSlot);
            table.GameState = StateChooseFieldForDrawn;
            QuitCheck(match);
            return;
        }
        PlayCard(match, found);
    }
    if (!FinishPlay(match)) return;

    if (table.CurrentSide == 1) {
        // A new day led by the human has begun.
        OfferHumanTurn(match, 0);
        return;
    }
    SetCurrentSide(table, 1);
    table.GameState = StateBusy;
    Paint(host, SceneHandPrompt, 0, MsgNone, 0, kNoSlot, 500);
    RunComputerPlays(match, 500, true);
}

// Plays an accepted click: `saved` is the state the click was made in and
// `slot` the card it hit.
void PlayClick(Match& match, uint8_t saved, SlotId slot) {
    Table& table = match.table;
    Host& host = match.host;
    const CardId card = table.SlotCards[slot];
    if (saved == StateChooseHand) {
        host.NoteHumanCard(card);
        Paint(host, SceneNone, 0, MsgNone, 0, slot);
        const int32_t found = FindMatches(table, card, table.MatchList);
        if (found == 2) {
            Paint(host, SceneFieldPrompt);
            Paint(host, SceneNone, 0, MsgNone, 0, table.CardSlots[table.MatchList[0]]);
            table.GameState = StateChooseFieldForHand;
            QuitCheck(match);
            return;
        }
        PlayCard(match, found);
        FinishHumanPlay(match, false);
        return;
    }
    host.NoteHumanField(card);
    table.MatchList[1] = card;
    table.MatchList[2] = kNoCard;
    CaptureCards(table, host, table.CurrentSide, table.MatchList);
    // A choice for the drawn card comes after the draw: it is not repeated.
    FinishHumanPlay(match, saved == StateChooseFieldForDrawn);
}

// The slot a click hits among the candidates of the state, or -1 when the
// click must be ignored (nothing hit, an empty slot, another month).
SlotId AcceptedSlot(const Match& match, uint8_t saved, uint32_t x, uint32_t y) {
    const Table& table = match.table;
    // A window at the board's own size divides by 1, which changes nothing.
    const float scale = match.viewScale;
    const auto bx =
        static_cast<int32_t>(scale == 1.0f ? static_cast<float>(x) : static_cast<float>(x) / scale);
    const auto by =
        static_cast<int32_t>(scale == 1.0f ? static_cast<float>(y) : static_cast<float>(y) / scale);
    const bool hand = saved == StateChooseHand;
    const SlotId first = hand ? kHumanHand : kFieldFirst;
    const SlotId last = hand ? kHumanHand + kHandSize - 1 : kFieldLast;
    SlotId hit = kNoSlot;
    for (SlotId slot = first; slot <= last; ++slot) {
        const int32_t sx = match.positions.x[slot];
        const int32_t sy = match.positions.y[slot];
        if (sx <= bx && bx < sx + kCardWidth && sy <= by && by < sy + kCardHeight) {
            hit = slot;
            break;
        }
    }
    if (hit == kNoSlot || table.SlotCards[hit] == kNoCard) return kNoSlot;
    if (!hand && MonthOf(table.SlotCards[hit]) != MonthOf(table.MatchList[0])) return kNoSlot;
    return hit;
}

// Plays the clicks accepted during the final pauses of the sequences just
// run, one after another, until none waits.
void PlayPendingClicks(Match& match) {
    while (match.clickPending) {
        match.clickPending = false;
        PlayClick(match, match.pendingState, match.pendingSlot);
    }
    match.sequenceRunning = false;
}

}  // namespace

void StartGame(Match& match) {
    Table& table = match.table;
    Host& host = match.host;
    host.EnterGameMode();
    table.GameState = StateBusy;
    ResetForGameStart(table);
    match.sequenceRunning = true;
    match.clickPending = false;

    ShuffleStock(table, match.random);
    host.NoteShuffle(table);
    Paint(host, SceneCards, 1000, MsgNewYear);
    Paint(host, SceneNone, 1000, MsgNewMonth, 0, kNoSlot, 500);
    Paint(host, SceneMonth);
    Paint(host, SceneNone, 1000, MsgNewDay, 0, kNoSlot, 500);
    Paint(host, SceneScores);
    DealCards(table, host, 1);  // month 1 is odd: the computer leads
    host.Pause(500);
    RunComputerPlays(match, 1000, false);
    PlayPendingClicks(match);
}

void HandleBoardClick(Match& match, uint32_t x, uint32_t y) {
    Table& table = match.table;
    const uint8_t saved = table.GameState;
    if (saved < StateChooseHand || saved > StateChooseFieldForDrawn) return;
    table.GameState = StateBusy;
    const SlotId slot = AcceptedSlot(match, saved, x, y);
    if (slot == kNoSlot) {
        table.GameState = saved;
        QuitCheck(match);
        return;
    }
    if (match.sequenceRunning) {
        // A click accepted in the final pause of a running sequence: the
        // running handler plays it once its pause returns. Playing it here
        // would nest one more handler and pause per play, without bound.
        match.clickPending = true;
        match.pendingState = saved;
        match.pendingSlot = slot;
        return;
    }
    match.sequenceRunning = true;
    PlayClick(match, saved, slot);
    PlayPendingClicks(match);
}

int32_t ScoreAfterPlay(Match& match, int8_t side) {
    Table& table = match.table;
    Host& host = match.host;
    const int8_t other = Other(side);
    const int32_t total = ScoreCombinations(table, side);
    table.TurnGain[side] = static_cast<int8_t>(total - table.TodayMon[side]);
    if (table.TurnGain[side] == 0) {
        table.TurnGain[0] = table.TurnGain[1] = 0;
        // After the 16th play both hands are empty: the day ends drawn,
        // whatever either side had banked for it.
        return table.TurnCount <= 15 ? NextTurn : NewDay;
    }

    Paint(host, SceneTurn, 500);  // the gain shows as pips
    Add(table.TodayMon[side], table.TurnGain[side]);
    table.TurnGain[0] = table.TurnGain[1] = 0;
    Paint(host, SceneNone, 0, MsgAddToDay, 0, kNoSlot, 1500);
    Paint(host, SceneTurn);

    // No question once the other side has called koi-koi (it wins the day
    // with its first new mon), nor on plays 15 and 16.
    if (table.KoiCalled[other] == 0 && table.TurnCount < 15) {
        int32_t answer = kNo;
        if (side == 0) {
            answer = host.AskYesNo(TextId::AskKoiKoi, TextId::AskKoiKoiCaption);
        } else {
            answer = ComputerKoiKoi(match);
        }
        host.NoteAsk(side, Question::KoiKoi, answer);
        if (side == 1) host.Pause(1500);
        if (answer == kYes) {
            Paint(host, SceneNone, 0, MsgKoiKoi, 0, kNoSlot, 1500);
            table.KoiCalled[side] = 1;
            return NextTurn;  // the day's mon stays at stake
        }
    }

    // The side wins the day and banks its mon for the month.
    const int8_t dayMon = table.TodayMon[side];
    Add(table.MonthMon[side], dayMon);
    table.TodayMon[0] = table.TodayMon[1] = 0;
    Paint(host, SceneNone, 0, MsgAddToMonth, 0, kNoSlot, 1500);
    Paint(host, SceneTurn, 1500);
    if (table.MonthMon[side] < 10) return NewDay;

    // The month is won: 1 kan, 2 if the loser has no mon in the month, and
    // one more if the winning day alone brought 10 mon or more.
    int32_t kan = table.MonthMon[other] != 0 ? 1 : 2;
    if (dayMon >= 10) ++kan;
    Add(table.KanBalance[side], kan);
    Add(table.KanBalance[other], -kan);
    table.MonthMon[0] = table.MonthMon[1] = 0;
    Paint(host, SceneNone, 0, MsgMonthWon, kan, kNoSlot, 1500);
    host.RecordMonthResult(table.OpponentId, side == 0 ? kan : -kan);
    Paint(host, SceneTurn, 1500);
    return table.MonthNumber <= 11 ? NewMonth : NewYear;
}

int32_t AdvanceCalendar(Match& match, int32_t code) {
    Table& table = match.table;
    Host& host = match.host;
    // The cases run on into each other: a new year continues with a new
    // month, a new month with a new day, a new day with the next turn.
    switch (code) {
        case NewYear: {
            const int32_t answer = host.AskYesNo(TextId::AskNewYear, TextId::AskNewYearCaption);
            host.NoteAsk(0, Question::NewYear, answer);
            if (answer != kYes) return 0;
            ResetForNewYear(table);
            // The announcement stays a second before the new month's repaint,
            // as it does at the game start.
            Paint(host, SceneCards, 1000, MsgNewYear, 0, kNoSlot, 1000);
        }
            [[fallthrough]];
        case NewMonth:
            ResetForNewMonth(table);
            if (host.ReadsMonthShuffle()) {
                ShuffleStock(table, match.random);
                host.NoteShuffle(table);
            } else {
                DrawShuffle(match.random);
            }
            Paint(host, SceneMonth, 1000, MsgNewMonth, 0, kNoSlot, 1000);
            [[fallthrough]];
        case NewDay:
            ResetForNewDay(table);
            ShuffleStock(table, match.random);
            host.NoteShuffle(table);
            Paint(host, SceneTurn, 1000, MsgNewDay, 0, kNoSlot, 500);
            DealCards(table, host, table.OtherSide);  // the leader gets the first packet
            [[fallthrough]];
        default:
            ResetForNextTurn(table);
    }
    return 1;
}

}  // namespace koikoi
