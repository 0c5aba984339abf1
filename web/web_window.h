// The browser edition's window: the same modes, menu, record panel, closing
// and Pause as the Windows program's main window, driven by the page's event
// queue instead of a message queue, and the Host the match flow talks to.
#pragma once

#include <cstdint>
#include <string_view>

#include "files/records.h"
#include "game/host.h"
#include "game/random.h"
#include "game/slot_positions.h"
#include "game/table.h"
#include "match/flow.h"
#include "match/trace.h"
#include "presentation/window_rules.h"
#include "web/web_canvas.h"

namespace koikoi::web {

// What the page queues; each event is four integers, the kind first.
enum EventKind : int32_t {
    kEventClick = 1,         // x, y: CSS pixels on the board canvas
    kEventRightClick = 2,    // x, y: page coordinates the menu opens at
    kEventCommand = 3,       // a menu command id
    kEventClose = 4,         // the page's close box
    kEventTitleTimer = 5,    // the one-shot guide-page timer
    kEventViewport = 6,      // width, height of the page in CSS pixels
    kEventPanelClose = 7,    // the record panel's 閉じる
    kEventPanelChoose = 8,   // 対戦相手決定
    kEventPanelReset = 9,    // 戦績リセット
    kEventPanelImport = 10,  // a record file was chosen for import
    kEventPanelTimer = 11,   // the panel's table is painted 60 ms after it opens
};

struct Event {
    int32_t kind, a, b, c;
};

// The record file in the page's memory file system; the page loads it from
// IndexedDB before every read that matters and stores it after every write.
inline constexpr char kRecordPath[] = "/records/result.dat";

// Trace lines go to the page's window.koikoiTrace.
class PageTrace final : public TraceWriter {
  protected:
    void Write(std::string_view line) override;
};

class WebWindow final : public Host {
  public:
    WebWindow(const SlotPositions& positions, uint64_t seed);
    WebWindow(const WebWindow&) = delete;
    WebWindow& operator=(const WebWindow&) = delete;

    // Loads the record file, shows the guide page and runs the event loop;
    // never returns.
    [[noreturn]] void Run();

    // The numbers of the record file as the panel shows them (the page's
    // records() hook).
    const RecordSummary* ReadSummary();

    // Host
    void PaintBoard(int32_t scene, int32_t pauseBefore, int32_t message, int32_t amount,
                    int32_t highlightSlot, int32_t pauseAfter) override;
    void Pause(int32_t ms) override;
    int32_t AskYesNo(const char* text, const char* caption) override;
    void Tell(const char* text, const char* caption) override;
    void EnterGameMode() override;
    bool InsidePause() const override { return pauseDepth_ > 0; }
    bool QuitRequested() const override { return quitRequested_; }
    void DestroyWindow() override;
    void RecordMonthResult(int32_t opponent, int32_t kan) override;

    void NoteShuffle(const Table& table) override;
    void NoteHumanCard(CardId card) override;
    void NoteHumanField(CardId card) override;
    void NoteAsk(int32_t side, Question question, int32_t answer) override;
    void NoteComputerPlay(bool capture, const int32_t (&matchList)[4]) override;
    void NoteScored(int32_t side, int32_t code, const Table& table) override;

  private:
    void Dispatch(const Event& event);
    void AfterOuterDispatch();

    void OnClick(int32_t x, int32_t y);
    void OnRightClick(int32_t x, int32_t y);
    void OnCommand(int32_t id);
    void OnClose();
    void OnViewport(int32_t width, int32_t height);
    void RepaintTitle();

    void StartGameCommand();
    void GameSetCommand();
    void ShowRecordsCommand();
    void ExitCommand();

    void OnPanelTimer();
    void OnPanelClose();
    void OnPanelChoose();
    void OnPanelReset();
    void OnPanelImport();
    void PaintPanelTable();

    // Runs `change` on the record file between a fresh load and a store,
    // under the page's cross-tab lock; reports storage trouble.
    template <typename Change>
    RecordStatus ChangeRecords(Change change);
    void ReportStorage(int32_t status);

    Table table_{};
    Random random_;
    const SlotPositions& positions_;
    ViewFit view_{kBoardWidth, kBoardHeight, 1.0f};
    WebCanvas canvas_{Surface::Board};
    WebCanvas tableCanvas_{Surface::RecordTable};
    Match match_;
    // BusyFlag as a depth, as on Windows: a nested pause cannot clear it.
    int32_t pauseDepth_ = 0;
    int32_t busy_ = 0;  // read by the page's state() hook
    bool quitRequested_ = false;
    bool destroyed_ = false;
    bool panelOpen_ = false;
    bool storageNoticeShown_ = false;
    RecordSummary summary_[kRecordOpponents]{};

    // The test switch: a fixed seed for every game, and the trace.
    bool fixedSeed_ = false;
    uint64_t seed_ = 0;
    bool tracing_ = false;
    bool traceOpen_ = false;  // a game's "start" written, its "end" not yet
    int64_t clockMs_ = 0;
    PageTrace trace_;
};

}  // namespace koikoi::web
