// The main window's behaviour, written once for both front-ends: the menu
// commands, the close request and its deferral, the opponent choice and the
// record reset with their refusals, the month recording, the start-up
// fallbacks and the Pause that keeps the window answering. A front-end turns
// its platform's events into calls of the controller and does for it the few
// things only the platform can (WindowFrontEnd).
#pragma once

#include <cstdint>
#include <string_view>

#include "files/card_sheet.h"
#include "files/layout.h"
#include "files/records.h"
#include "game/host.h"
#include "game/random.h"
#include "game/slot_positions.h"
#include "game/table.h"
#include "match/flow.h"
#include "match/trace.h"
#include "presentation/board_geometry.h"
#include "presentation/board_painter.h"
#include "presentation/canvas.h"
#include "presentation/record_table.h"
#include "presentation/title_page.h"
#include "presentation/window_rules.h"

namespace koikoi {

// The guide page is painted this long after start-up and after ゲームセット,
// and the record table this long after the record panel opens.
inline constexpr int32_t kTitleTimerMs = 100;
inline constexpr int32_t kPanelTableDelayMs = 60;

// Who owns a message box: nobody (before the window exists), the window, or
// the record panel (its refusals and its question).
enum class BoxOwner : uint8_t { None, Window, RecordPanel };
// OK, or yes and no (the close question also shows the question icon).
enum class BoxKind : uint8_t { Ok, YesNo, YesNoQuestion };

// What only the platform can do. Every call may dispatch nothing but what it
// says; SleepAndDispatch alone re-enters the controller.
class WindowFrontEnd {
  public:
    virtual ~WindowFrontEnd() = default;

    // A modal message box of texts in the controller's language (Shift-JIS
    // in Japanese, UTF-8 in English); kYes or kNo for the yes/no kinds.
    virtual int32_t ShowBox(BoxOwner owner, BoxKind kind, const char* text,
                            const char* caption) = 0;
    // Waits `ms` (0: not at all) in one piece, then dispatches every event
    // already queued: clicks, commands, the close request.
    virtual void SleepAndDispatch(int32_t ms) = 0;
    // The window takes the fitted board's size.
    virtual void ShowGameMode(const ViewFit& view) = 0;
    // Back to the title window: the window's own surface is whitened (the
    // canvas is not), so until the guide page is painted again nothing of
    // the last board shows.
    virtual void ShowTitleMode() = 0;
    virtual void StartTitleTimer(int32_t ms) = 0;
    // False when the rules page is not there to be opened.
    virtual bool OpenRulesPage() = 0;
    virtual void DestroyWindow() = 0;

    // The modeless record panel, opened with `opponent`'s button checked;
    // false when it could not be made. Its table is painted when the
    // controller says so (kPanelTableDelayMs after it opened).
    virtual bool OpenRecordPanel(uint8_t opponent) = 0;
    virtual void CloseRecordPanel() = 0;
    virtual void CheckOpponent(uint8_t opponent) = 0;
    // Paints the table in the panel, shaped as the layout in use wants it.
    virtual void PaintRecordPanel(const RecordSummary (&summary)[kOpponents],
                                  RecordTableShape shape) = 0;

    // Around every change of the record file, and before the panel reads it:
    // a browser fetches the stored file and holds its cross-tab lock here.
    virtual void BeginRecordChange() {}
    virtual void EndRecordChange(bool /*changed*/) {}
    virtual void RefreshRecords() {}

    // The guide page has just been painted.
    virtual void TitlePainted() {}
};

enum class ImportOutcome : uint8_t { Imported, NotARecordFile, Failed };

class WindowController final : public Host {
  public:
    // `board` is the off-screen canvas the painters draw into; `recordPath`
    // the record file. The shuffles draw from a generator seeded with `seed`.
    WindowController(WindowFrontEnd& frontEnd, Canvas& board, const char* recordPath,
                     uint64_t seed);
    WindowController(const WindowController&) = delete;
    WindowController& operator=(const WindowController&) = delete;

    const Table& table() const { return table_; }
    // For the benchmarks that paint a board they dealt themselves.
    Table& table() { return table_; }
    const SlotPositions& positions() const { return geometry_.slots; }
    const BoardGeometry& geometry() const { return geometry_; }
    const PageGeometry& page() const { return *page_; }
    const ViewFit& view() const { return view_; }
    // A game step or a pause is running: the browser's tests wait for this.
    bool Busy() const { return pauseDepth_ > 0 || match_.sequenceRunning; }

    // Start-up: the layout file, read before the window exists, so a
    // failure's message has no owner; a missing or damaged file is replaced
    // by the shipped layout. Then, once the window has its card sheet, what
    // the sheet's check found.
    LayoutStatus LoadLayout(const char* path);
    void ReportCardSheet(SheetStatus status, bool loaded);

    // The classic board fitted to a full-screen client area of this size.
    const ViewFit& FitView(int32_t width, int32_t height);
    // A page of this size: the board layout for it (board_geometry.h) and the
    // board fitted to it. True when the layout changed; the front-end then
    // makes room for the new board and has it painted again with
    // RepaintInLayout, at the same moment of the game: the game itself does
    // not change with the layout.
    bool FitPage(int32_t width, int32_t height);
    void RepaintInLayout();

    // The language the painters and the messages use; Japanese unless the
    // front-end sets another. A change repaints what the window shows, at
    // the same moment of the game.
    Language language() const { return language_; }
    void SetLanguage(Language language, bool repaint = true);
    const char* Say(TextId id) const { return Text(language_, id); }

    // The window's events.
    void OnTitleTimer();
    bool OnCommand(int32_t id);  // false for an id that is no command of the menu
    void OnBoardClick(int32_t x, int32_t y);
    void OnCloseRequest();
    bool MenuOffered() const { return koikoi::MenuOffered(table_.GameState); }
    MenuEnabling Menu() const { return MenuEnablingFor(table_.GameState, panelOpen_); }

    // The record panel's events: its table is due, it was closed (by its
    // button or its close box), it is gone (the platform destroyed it), and
    // its two buttons. `firstChecked` is the first checked opponent button,
    // or -1 when none is.
    void OnPanelTableDue();
    void OnPanelClose();
    void OnPanelGone() { panelOpen_ = false; }
    void OnPanelChoose(int32_t firstChecked);
    void OnPanelReset();
    // Replaces the record file with one the player offered; refused, with
    // nothing changed, unless it is a record file as the game writes it.
    ImportOutcome ImportRecords(std::string_view bytes);

    // The browser's test switch: every game replays the shuffles of `seed`,
    // as the simulator's --seed does, and the game is traced.
    void ReplayShuffles(uint64_t seed);
    void TraceTo(TraceWriter& trace) { trace_ = &trace; }
    // After each event the outer loop dispatched: a game that has ended
    // closes its trace.
    void AfterEvent();
    // A page cannot close its window: what would be its end shows a fresh
    // guide page instead.
    void RestartAtTitle();

    // Host
    void PaintBoard(int32_t scene, int32_t pauseBefore, int32_t message, int32_t amount,
                    int32_t highlightSlot, int32_t pauseAfter) override;
    void Pause(int32_t ms) override;
    int32_t AskYesNo(TextId text, TextId caption) override;
    void Tell(TextId text, TextId caption) override;
    void EnterGameMode() override { frontEnd_.ShowGameMode(view_); }
    bool InsidePause() const override { return pauseDepth_ > 0; }
    bool QuitRequested() const override { return quitRequested_; }
    void DestroyWindow() override { frontEnd_.DestroyWindow(); }
    void RecordMonthResult(int32_t opponent, int32_t kan) override;

    void NoteShuffle(const Table& table) override;
    void NoteHumanCard(CardId card) override;
    void NoteHumanField(CardId card) override;
    void NoteAsk(int32_t side, Question question, int32_t answer) override;
    void NoteComputerPlay(bool capture, const int32_t (&matchList)[4]) override;
    void NoteScored(int32_t side, int32_t code, const Table& table) override;

  private:
    void StartGameCommand();
    void GameSetCommand();
    void ShowRecordsCommand();
    void RulesCommand();
    void ExitCommand();
    void RepaintTitle();
    void PaintPanelTable();
    void EndTrace(bool declined);

    // Runs `change` on the record file between the front-end's begin and end.
    template <typename Change>
    RecordStatus ChangeRecords(Change change);

    WindowFrontEnd& frontEnd_;
    Canvas& board_;
    const char* recordPath_;
    Table table_{};
    Random random_;
    SlotPositions fromFile_{};  // the classic board's slots, from the layout file
    BoardGeometry geometry_;    // the layout in use; its slots are the ones clicks hit
    const PageGeometry* page_ = &kWidePage;
    Language language_ = Language::Japanese;
    BoardShown shown_;
    ViewFit view_{kBoardWidth, kBoardHeight, 1.0f};
    Match match_;
    // BusyFlag: a depth rather than a flag, so that a pause nested inside
    // another cannot clear it while the outer one drains.
    int32_t pauseDepth_ = 0;
    bool quitRequested_ = false;
    bool panelOpen_ = false;

    bool replaying_ = false;
    uint64_t seed_;
    TraceWriter* trace_ = nullptr;
    bool traceOpen_ = false;  // a game's "start" written, its "end" not yet
    int64_t clockMs_ = 0;     // the pauses of the game traced
};

}  // namespace koikoi
