// The one interface through which the game shows and asks: the window
// implements it, and so do the headless simulator and the tests. The game
// behaves the same whatever an implementation does with the calls.
#pragma once

#include <cstdint>

#include "game/table.h"
#include "game/texts.h"

namespace koikoi {

// Scene levels: each includes everything of the levels below it.
enum Scene : int32_t {
    SceneNone = -1,
    SceneCards = 0,
    SceneMonth = 1,
    SceneScores = 2,
    SceneTurn = 3,
    SceneHandPrompt = 4,
    SceneFieldPrompt = 5,
};

// Announcements drawn over the board.
enum Message : int32_t {
    MsgNone = -1,
    MsgNewYear = 0,
    MsgNewMonth = 1,
    MsgNewDay = 2,
    MsgAddToDay = 3,
    MsgAddToMonth = 4,
    MsgMonthWon = 5,
    MsgKoiKoi = 6,
};

// What a koi-koi or new-year question was, for the hosts that keep a trace.
enum class Question : uint8_t { KoiKoi, NewYear };

class Host {
  public:
    virtual ~Host() = default;

    // Repaints at a scene level, pauses, announces, frames a slot and pauses
    // again; any negative scene, message or slot and any pause <= 0 is skipped.
    virtual void PaintBoard(int32_t scene, int32_t pauseBefore, int32_t message, int32_t amount,
                            int32_t highlightSlot, int32_t pauseAfter) = 0;
    // Waits; a window keeps answering its queued messages meanwhile, which
    // may re-enter the game's click handler.
    virtual void Pause(int32_t ms) = 0;

    // Texts of the text table, shown in the host's language; the answer is
    // kYes (6) or kNo (7).
    virtual int32_t AskYesNo(TextId text, TextId caption) = 0;
    virtual void Tell(TextId text, TextId caption) = 0;

    virtual void EnterGameMode() = 0;
    // True while the host is draining its message queue inside a Pause.
    virtual bool InsidePause() const = 0;
    // The user asked to close while a Pause was running.
    virtual bool QuitRequested() const = 0;
    virtual void DestroyWindow() = 0;

    // Appends a settled month to the record file: +k kan for a month the
    // human won, -k for one the computer won.
    virtual void RecordMonthResult(int32_t opponent, int32_t kan) = 0;

    // Whether the host reads the table between a new month's shuffle and the
    // new day's shuffle that follows it (to trace the stock, paint it or
    // check it). The new day's shuffle replaces the stock before any card
    // moves, so for a host that reads none of it the month's shuffle only
    // draws its numbers and lays out no card. Every host reads it unless it
    // says otherwise.
    virtual bool ReadsMonthShuffle() const { return true; }

    // Observation points for a trace of the game; nothing by default.
    virtual void NoteShuffle(const Table&) {}
    virtual void NoteHumanCard(CardId) {}
    virtual void NoteHumanField(CardId) {}
    virtual void NoteAsk(int32_t /*side*/, Question, int32_t /*answer*/) {}
    virtual void NoteComputerPlay(bool /*capture*/, const int32_t (&/*matchList*/)[4]) {}
    virtual void NoteScored(int32_t /*side*/, int32_t /*code*/, const Table&) {}
};

// A host that shows nothing, never waits and answers every question No.
// The game plays the same through it; benchmarks deal and play with it.
class SilentHost : public Host {
  public:
    void PaintBoard(int32_t, int32_t, int32_t, int32_t, int32_t, int32_t) override {}
    void Pause(int32_t) override {}
    int32_t AskYesNo(TextId, TextId) override { return kNo; }
    void Tell(TextId, TextId) override {}
    void EnterGameMode() override {}
    bool InsidePause() const override { return false; }
    bool QuitRequested() const override { return false; }
    void DestroyWindow() override {}
    void RecordMonthResult(int32_t, int32_t) override {}
};

}  // namespace koikoi
