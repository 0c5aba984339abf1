// The browser edition's window: the event loop and the handlers of what the
// page queues, the popup menu, closing, Pause, the record panel, and the
// Host calls of the match flow. It follows the Windows main window handler
// by handler, so the game is paced and re-entered exactly as there.
#include "web/web_window.h"

#include <cstdio>
#include <string>

#include "files/file_io.h"
#include "game/texts.h"
#include "presentation/board_painter.h"
#include "presentation/record_table.h"
#include "presentation/title_page.h"
#include "resources/resource_ids.h"
#include "web/bridge.h"

namespace koikoi::web {

namespace {

constexpr int32_t kTitleTimerMs = 100;

// Storage notices the page words for itself (site/app.js).
constexpr int32_t kNoticeUnavailable = 2;
constexpr int32_t kNoticeWriteFailed = 3;
constexpr int32_t kNoticeBadImport = 4;

// The storage answers of the page (bridge.h).
constexpr int32_t kStorageDone = 0;
constexpr int32_t kStorageUnavailable = 2;

// An imported file larger than this cannot be a record file (4960 bytes).
constexpr int32_t kImportLimit = 65536;

// The menu's enabling as the page reads it: one bit per item.
int32_t MenuBits(const MenuEnabling& enabling) {
    return (enabling.gameStart ? 1 : 0) | (enabling.gameSet ? 2 : 0) |
           (enabling.showRecords ? 4 : 0) | (enabling.exit ? 8 : 0);
}

}  // namespace

void PageTrace::Write(std::string_view line) {
    // The page keeps each line without its LF.
    if (!line.empty() && line.back() == '\n') line.remove_suffix(1);
    koikoi_js_trace(line.data(), static_cast<int32_t>(line.size()));
}

WebWindow::WebWindow(const SlotPositions& positions, uint64_t seed)
    : random_(seed), positions_(positions), match_{table_, *this, random_, positions_} {
    seed_ = seed;
    uint32_t high = 0;
    uint32_t low = 0;
    if (koikoi_js_seed_switch(&high, &low) != 0) {
        fixedSeed_ = true;
        seed_ = (uint64_t{high} << 32) | low;
    }
    tracing_ = koikoi_js_tracing() != 0;
    for (int32_t& card : table_.MatchList) card = kNoCard;
    table_.GameState = StateNoGame;
}

void WebWindow::Run() {
    koikoi_js_publish(&table_.GameState, &table_.OpponentId, table_.CardSlots, positions_.x,
                      positions_.y, &busy_);
    // The record file as this browser last stored it; a first visit, or a
    // browser that keeps nothing, starts from a reset file.
    const int32_t loaded = koikoi_js_records_load(kRecordPath);
    if (loaded != kStorageDone) {
        if (std::FILE* file = std::fopen(kRecordPath, "rb")) {
            std::fclose(file);
        } else {
            ResetRecords(kRecordPath);
        }
    }
    if (loaded == kStorageUnavailable) ReportStorage(kNoticeUnavailable);
    // The page queues its size and starts the guide-page timer itself.
    for (;;) {
        Event event{};
        koikoi_js_wait_event(&event.kind);
        Dispatch(event);
        AfterOuterDispatch();
    }
}

// The window procedure: it only dispatches; each handler is named for its event.
void WebWindow::Dispatch(const Event& event) {
    switch (event.kind) {
        case kEventClick:
            OnClick(event.a, event.b);
            break;
        case kEventRightClick:
            OnRightClick(event.a, event.b);
            break;
        case kEventCommand:
            OnCommand(event.a);
            break;
        case kEventClose:
            OnClose();
            break;
        case kEventTitleTimer:
            RepaintTitle();
            break;
        case kEventViewport:
            OnViewport(event.a, event.b);
            break;
        case kEventPanelClose:
            OnPanelClose();
            break;
        case kEventPanelChoose:
            OnPanelChoose();
            break;
        case kEventPanelReset:
            OnPanelReset();
            break;
        case kEventPanelImport:
            OnPanelImport();
            break;
        case kEventPanelTimer:
            OnPanelTimer();
            break;
        default:
            break;
    }
}

// What the Windows message loop leaves to the end of a dispatch: a game that
// has ended closes its trace, and a destroyed window ends the program, which
// in a page means a fresh guide page.
void WebWindow::AfterOuterDispatch() {
    if (traceOpen_ && table_.GameState == StateGameOver) {
        trace_.End(true, clockMs_);
        traceOpen_ = false;
    }
    if (destroyed_) {
        destroyed_ = false;
        quitRequested_ = false;
        if (traceOpen_) trace_.End(false, clockMs_);
        traceOpen_ = false;
        table_.GameState = StateNoGame;
        if (panelOpen_) OnPanelClose();
        koikoi_js_set_mode(0);
        koikoi_js_whiten();
        koikoi_js_start_title_timer(kTitleTimerMs);
    }
    busy_ = pauseDepth_ > 0 || match_.sequenceRunning ? 1 : 0;
}

void WebWindow::OnClick(int32_t x, int32_t y) {
    if (x < 0 || y < 0) return;
    HandleBoardClick(match_, static_cast<uint32_t>(x), static_cast<uint32_t>(y));
}

void WebWindow::OnRightClick(int32_t x, int32_t y) {
    if (!MenuOffered(table_.GameState)) return;
    const MenuEnabling enabling = MenuEnablingFor(table_.GameState, panelOpen_);
    busy_ = pauseDepth_ > 0 || match_.sequenceRunning ? 1 : 0;
    // Like a tracked popup menu, the chosen item arrives afterwards as a
    // command at the end of the queue.
    const int32_t command = koikoi_js_menu(x, y, MenuBits(enabling));
    if (command != 0) koikoi_js_post_event(kEventCommand, command, 0);
}

void WebWindow::OnCommand(int32_t id) {
    switch (id) {
        case IDM_GAME_START:
            StartGameCommand();
            break;
        case IDM_GAME_SET:
            GameSetCommand();
            break;
        case IDM_SHOW_RECORDS:
            ShowRecordsCommand();
            break;
        case IDM_RULES:
            koikoi_js_open_rules();
            break;
        case IDM_EXIT:
            ExitCommand();
            break;
        default:
            break;
    }
}

// The page's close box, answered as the Windows window answers its own.
void WebWindow::OnClose() {
    const bool busy = InsidePause();
    const int32_t answer = AskYesNo(texts::kAskClose, texts::kAskCloseCaption);
    switch (CloseOutcomeFor(busy, answer)) {
        case CloseOutcome::Stay:
            break;
        case CloseOutcome::DestroyNow:
            DestroyWindow();
            break;
        case CloseOutcome::DeferToSequence:
            Tell(texts::kClosing, texts::kClosingCaption);
            quitRequested_ = true;
            break;
    }
}

void WebWindow::OnViewport(int32_t width, int32_t height) {
    // The same fit as the window's on the screen: the board's aspect kept,
    // never enlarged. The page refits when its size changes; a click is
    // always mapped through the scale it was made at, as events stay in order.
    view_ = FitBoardToScreen(width, height);
    match_.viewScale = view_.scale;
    koikoi_js_set_view(view_.width, view_.height, view_.scale);
}

void WebWindow::RepaintTitle() {
    PaintTitle(canvas_, table_.OpponentId);
    koikoi_js_title_painted();
}

void WebWindow::StartGameCommand() {
    // The flow is not re-entrant: a start is only taken on the title screen.
    if (table_.GameState != StateNoGame) return;
    // With the test switch every game replays the same shuffles, as the
    // simulator's --seed does.
    if (fixedSeed_) random_ = Random(seed_);
    clockMs_ = 0;
    if (tracing_) {
        trace_.Start(table_.OpponentId, seed_);
        traceOpen_ = true;
    }
    StartGame(match_);
}

void WebWindow::GameSetCommand() {
    if (table_.GameState == StateNoGame) return;
    table_.GameState = StateNoGame;
    if (traceOpen_) {
        trace_.End(false, clockMs_);
        traceOpen_ = false;
    }
    // The page is whitened, not the canvas: until the timer repaints the
    // guide page, nothing else of the last board is shown.
    koikoi_js_set_mode(0);
    koikoi_js_whiten();
    koikoi_js_start_title_timer(kTitleTimerMs);
}

void WebWindow::ShowRecordsCommand() {
    if (panelOpen_) return;
    panelOpen_ = true;
    koikoi_js_panel_show(table_.OpponentId);
}

void WebWindow::ExitCommand() {
    // Offered only on the title screen; a stray command during a game must
    // not pull the window from under the running sequence.
    if (table_.GameState == StateNoGame) DestroyWindow();
}

void WebWindow::OnPanelTimer() {
    if (!panelOpen_) return;
    // Another tab may have recorded months since this one last looked.
    koikoi_js_records_load(kRecordPath);
    PaintPanelTable();
}

void WebWindow::PaintPanelTable() {
    // A missing file is reported over the board; the panel stays without a table.
    if (ReadRecordSummary(kRecordPath, summary_) != RecordStatus::Ok) {
        Tell(texts::kFileNotFound, texts::kFileCaption);
        return;
    }
    // The page clears the table's canvas here and keeps the numbers.
    koikoi_js_panel_summary(summary_);
    PaintRecordTable(tableCanvas_, summary_);
}

void WebWindow::OnPanelClose() {
    panelOpen_ = false;
    koikoi_js_panel_hide();
}

void WebWindow::OnPanelChoose() {
    if (!panelOpen_) return;
    if (table_.GameState != StateNoGame) {
        Tell(texts::kNoOpponentChange, "");
        koikoi_js_panel_check(table_.OpponentId);
        return;
    }
    // The first checked radio names the opponent; none checked gives the last.
    const int32_t checked = koikoi_js_panel_checked();
    table_.OpponentId =
        static_cast<uint8_t>(checked >= 0 && checked < kOpponents - 1 ? checked : kOpponents - 1);
    RepaintTitle();
    OnPanelClose();
}

void WebWindow::OnPanelReset() {
    if (!panelOpen_) return;
    if (table_.GameState != StateNoGame) {
        Tell(texts::kNoRecordReset, "");
        return;
    }
    if (AskYesNo(texts::kAskReset, texts::kAskResetCaption) != kYes) return;
    // The table on screen keeps its old numbers until the panel opens again.
    if (ChangeRecords([] { return ResetRecords(kRecordPath); }) != RecordStatus::Ok) {
        Tell(texts::kFileNotWritten, texts::kFileCaption);
    }
}

void WebWindow::OnPanelImport() {
    const int32_t size = koikoi_js_import_size();
    std::string bytes;
    if (size > 0 && size <= kImportLimit) {
        bytes.resize(static_cast<size_t>(size));
        koikoi_js_import_take(bytes.data(), size);
    }
    // Checked by the record reader's own rule before anything is replaced.
    if (!IsRecordFile(bytes)) {
        koikoi_js_storage_notice(kNoticeBadImport);
        return;
    }
    const RecordStatus status = ChangeRecords([&bytes] {
        FileReplacer replacer;
        return replacer.Replace(kRecordPath, bytes) ? RecordStatus::Ok : RecordStatus::WriteFailed;
    });
    if (status == RecordStatus::Ok && panelOpen_) PaintPanelTable();
}

// Two tabs must not lose a month: each change of the record file runs under
// the page's Web Lock "koikoi-records", re-reads the file from IndexedDB
// after taking the lock, changes it, and stores it before letting go. A
// second tab's change waits for the first and then starts from its result.
template <typename Change>
RecordStatus WebWindow::ChangeRecords(Change change) {
    const int32_t loaded = koikoi_js_records_begin(kRecordPath);
    const RecordStatus status = change();
    const int32_t stored =
        koikoi_js_records_commit(kRecordPath, status == RecordStatus::Ok ? 1 : 0);
    if (loaded == kStorageUnavailable || stored == kStorageUnavailable) {
        ReportStorage(kNoticeUnavailable);
    } else if (stored != kStorageDone) {
        ReportStorage(kNoticeWriteFailed);
    }
    return status;
}

// Unavailable storage is told once a visit; a failed write every time, as
// that month is kept only in the page.
void WebWindow::ReportStorage(int32_t notice) {
    if (notice == kNoticeUnavailable) {
        if (storageNoticeShown_) return;
        storageNoticeShown_ = true;
    }
    busy_ = pauseDepth_ > 0 || match_.sequenceRunning ? 1 : 0;
    koikoi_js_storage_notice(notice);
}

const RecordSummary* WebWindow::ReadSummary() {
    static RecordSummary summary[kRecordOpponents];
    ReadRecordSummary(kRecordPath, summary);
    return summary;
}

void WebWindow::PaintBoard(int32_t scene, int32_t pauseBefore, int32_t message, int32_t amount,
                           int32_t highlightSlot, int32_t pauseAfter) {
    koikoi::PaintBoard(table_, positions_, canvas_, *this, scene, pauseBefore, message, amount,
                       highlightSlot, pauseAfter);
}

void WebWindow::Pause(int32_t ms) {
    ++pauseDepth_;
    busy_ = 1;
    // The whole time is waited in one piece, then the queue is drained: the
    // board is frozen meanwhile and catches up afterwards, as on Windows.
    if (ms > 0) clockMs_ += ms;
    koikoi_js_sleep(ms > 0 ? ms : 0);
    Event event{};
    while (koikoi_js_poll_event(&event.kind) != 0) Dispatch(event);
    --pauseDepth_;
    busy_ = pauseDepth_ > 0 || match_.sequenceRunning ? 1 : 0;
}

int32_t WebWindow::AskYesNo(const char* text, const char* caption) {
    busy_ = pauseDepth_ > 0 || match_.sequenceRunning ? 1 : 0;
    return koikoi_js_ask(text, caption, 1);
}

void WebWindow::Tell(const char* text, const char* caption) {
    busy_ = pauseDepth_ > 0 || match_.sequenceRunning ? 1 : 0;
    koikoi_js_ask(text, caption, 0);
}

void WebWindow::EnterGameMode() {
    koikoi_js_set_mode(1);
}

void WebWindow::DestroyWindow() {
    destroyed_ = true;
}

void WebWindow::RecordMonthResult(int32_t opponent, int32_t kan) {
    if (tracing_) trace_.Record(opponent, kan);
    switch (ChangeRecords([&] { return koikoi::RecordMonthResult(kRecordPath, opponent, kan); })) {
        case RecordStatus::Ok:
        case RecordStatus::BadArgument:
            break;
        case RecordStatus::NotFound:
            Tell(texts::kFileNotFound, texts::kFileCaption);
            break;
        case RecordStatus::WriteFailed:
            Tell(texts::kFileNotWritten, texts::kFileCaption);
            break;
    }
}

void WebWindow::NoteShuffle(const Table& table) {
    if (tracing_) trace_.Shuffle(table);
}
void WebWindow::NoteHumanCard(CardId card) {
    if (tracing_) trace_.HumanCard(card);
}
void WebWindow::NoteHumanField(CardId card) {
    if (tracing_) trace_.HumanField(card);
}
void WebWindow::NoteAsk(int32_t side, Question question, int32_t answer) {
    if (tracing_) trace_.Ask(side, question, answer);
}
void WebWindow::NoteComputerPlay(bool capture, const int32_t (&matchList)[4]) {
    if (tracing_) trace_.ComputerPlay(capture, matchList);
}
void WebWindow::NoteScored(int32_t side, int32_t code, const Table& table) {
    if (tracing_) trace_.Scored(side, code, clockMs_, table);
}

}  // namespace koikoi::web
