// The main window's behaviour that both front-ends share.
#include "presentation/window_controller.h"

#include "files/file_io.h"
#include "game/texts.h"
#include "presentation/board_painter.h"
#include "presentation/title_page.h"
#include "resources/resource_ids.h"

namespace koikoi {

WindowController::WindowController(WindowFrontEnd& frontEnd, Canvas& board, const char* recordPath,
                                   uint64_t seed)
    : frontEnd_(frontEnd),
      board_(board),
      recordPath_(recordPath),
      random_(seed),
      geometry_(WideGeometry(fromFile_)),
      match_{table_, *this, random_, geometry_.slots},
      seed_(seed) {
    for (int32_t& card : table_.MatchList) card = kNoCard;
    table_.GameState = StateNoGame;
}

LayoutStatus WindowController::LoadLayout(const char* path) {
    const LayoutStatus status = koikoi::LoadLayout(path, fromFile_);
    if (geometry_.layout == BoardLayout::Wide) geometry_.slots = fromFile_;
    if (status == LayoutStatus::NotFound) {
        frontEnd_.ShowBox(BoxOwner::None, BoxKind::Ok, Say(TextId::FileNotFound),
                          Say(TextId::FileCaption));
    } else if (status == LayoutStatus::Damaged) {
        frontEnd_.ShowBox(BoxOwner::None, BoxKind::Ok, Say(TextId::LayoutNotRead),
                          Say(TextId::FileCaption));
    }
    return status;
}

// The game runs on without the card sheet (the cards are not drawn and the
// clicks still count), so the player is told once, when the window shows.
void WindowController::ReportCardSheet(SheetStatus status, bool loaded) {
    if (status == SheetStatus::NotFound) {
        Tell(TextId::SheetNotFound, TextId::FileCaption);
    } else if (status == SheetStatus::Damaged || !loaded) {
        Tell(TextId::SheetNotRead, TextId::FileCaption);
    }
}

// The board keeps its aspect and is never enlarged. A click is always
// mapped through the scale in force when it is played, as events stay in
// order.
const ViewFit& WindowController::FitView(int32_t width, int32_t height) {
    view_ = FitBoardToScreen(width, height);
    match_.viewScale = view_.scale;
    return view_;
}

bool WindowController::FitPage(int32_t width, int32_t height) {
    const BoardLayout layout = ChooseLayout(width, height);
    const bool changed = layout != geometry_.layout;
    if (changed) {
        switch (layout) {
            case BoardLayout::Wide:
                geometry_ = WideGeometry(fromFile_);
                break;
            case BoardLayout::Portrait:
                geometry_ = PortraitGeometry();
                break;
            case BoardLayout::Landscape:
                geometry_ = LandscapeGeometry();
                break;
        }
        page_ = layout == BoardLayout::Portrait ? &kNarrowPage : &kWidePage;
    }
    // The classic board keeps the window's own fit, float for float.
    const BoardRoom room = RoomFor(layout, width, height);
    view_ = layout == BoardLayout::Wide ? FitBoardToScreen(width, height)
                                        : FitGeometry(geometry_, room.width, room.height);
    match_.viewScale = view_.scale;
    return changed;
}

void WindowController::SetLanguage(Language language, bool repaint) {
    if (language == language_) return;
    language_ = language;
    if (!repaint) return;
    RepaintInLayout();
    if (panelOpen_) PaintPanelTable();
}

void WindowController::RepaintInLayout() {
    if (table_.GameState == StateNoGame) {
        RepaintTitle();
        return;
    }
    board_.AcquireWindow();
    RepaintShown(table_, geometry_, board_, shown_, language_);
    board_.ReleaseWindow();
}

void WindowController::OnTitleTimer() {
    RepaintTitle();
}

void WindowController::RepaintTitle() {
    board_.AcquireWindow();
    PaintTitle(board_, table_.OpponentId, *page_, language_);
    board_.ReleaseWindow();
    frontEnd_.TitlePainted();
}

bool WindowController::OnCommand(int32_t id) {
    switch (id) {
        case IDM_GAME_START:
            StartGameCommand();
            return true;
        case IDM_GAME_SET:
            GameSetCommand();
            return true;
        case IDM_SHOW_RECORDS:
            ShowRecordsCommand();
            return true;
        case IDM_RULES:
            RulesCommand();
            return true;
        case IDM_EXIT:
            ExitCommand();
            return true;
        default:
            return false;
    }
}

void WindowController::StartGameCommand() {
    // The flow is not re-entrant: a start is only taken on the title screen.
    if (table_.GameState != StateNoGame) return;
    if (replaying_) random_ = Random(seed_);
    clockMs_ = 0;
    if (trace_ != nullptr) {
        trace_->Start(table_.OpponentId, seed_);
        traceOpen_ = true;
    }
    StartGame(match_);
}

// Nothing of the game is recorded or kept for later.
void WindowController::GameSetCommand() {
    if (table_.GameState == StateNoGame) return;
    table_.GameState = StateNoGame;
    EndTrace(false);
    frontEnd_.ShowTitleMode();
    frontEnd_.StartTitleTimer(kTitleTimerMs);
}

void WindowController::ShowRecordsCommand() {
    if (panelOpen_) return;
    panelOpen_ = frontEnd_.OpenRecordPanel(table_.OpponentId);
}

void WindowController::RulesCommand() {
    // What the system then does with the page (no application for it, say)
    // is its own business.
    if (!frontEnd_.OpenRulesPage()) Tell(TextId::RulesNotFound, TextId::FileCaption);
}

void WindowController::ExitCommand() {
    // Offered only on the title screen; a stray command during a game must
    // not pull the window from under the running sequence.
    if (table_.GameState == StateNoGame) frontEnd_.DestroyWindow();
}

void WindowController::OnBoardClick(int32_t x, int32_t y) {
    if (x < 0 || y < 0) return;
    HandleBoardClick(match_, static_cast<uint32_t>(x), static_cast<uint32_t>(y));
}

// While a pause drains the queue the window must outlive the game sequence
// paused in the middle of painting, so closing is left to that sequence.
void WindowController::OnCloseRequest() {
    const bool busy = InsidePause();
    const int32_t answer = frontEnd_.ShowBox(BoxOwner::Window, BoxKind::YesNoQuestion,
                                             Say(TextId::AskClose), Say(TextId::AskCloseCaption));
    switch (CloseOutcomeFor(busy, answer)) {
        case CloseOutcome::Stay:
            break;
        case CloseOutcome::DestroyNow:
            frontEnd_.DestroyWindow();
            break;
        case CloseOutcome::DeferToSequence:
            Tell(TextId::Closing, TextId::ClosingCaption);
            quitRequested_ = true;
            break;
    }
}

void WindowController::OnPanelTableDue() {
    if (!panelOpen_) return;
    // Another tab may have recorded months since this one last looked.
    frontEnd_.RefreshRecords();
    PaintPanelTable();
}

void WindowController::PaintPanelTable() {
    RecordSummary summary[kOpponents];
    // A missing file is reported over the window; the panel stays without
    // a table.
    if (ReadRecordSummary(recordPath_, summary) != RecordStatus::Ok) {
        Tell(TextId::FileNotFound, TextId::FileCaption);
        return;
    }
    const bool narrow = geometry_.layout == BoardLayout::Portrait;
    frontEnd_.PaintRecordPanel(
        summary, narrow ? RecordTableShape::ColumnPerOpponent : RecordTableShape::RowPerOpponent);
}

void WindowController::OnPanelClose() {
    panelOpen_ = false;
    frontEnd_.CloseRecordPanel();
}

void WindowController::OnPanelChoose(int32_t firstChecked) {
    if (!panelOpen_) return;
    if (table_.GameState != StateNoGame) {
        frontEnd_.ShowBox(BoxOwner::RecordPanel, BoxKind::Ok, Say(TextId::NoOpponentChange), "");
        frontEnd_.CheckOpponent(table_.OpponentId);
        return;
    }
    // The first checked button names the opponent; none checked gives the last.
    const bool named = firstChecked >= 0 && firstChecked < kOpponents - 1;
    table_.OpponentId = static_cast<uint8_t>(named ? firstChecked : kOpponents - 1);
    RepaintTitle();
    OnPanelClose();
}

void WindowController::OnPanelReset() {
    if (!panelOpen_) return;
    if (table_.GameState != StateNoGame) {
        frontEnd_.ShowBox(BoxOwner::RecordPanel, BoxKind::Ok, Say(TextId::NoRecordReset), "");
        return;
    }
    if (frontEnd_.ShowBox(BoxOwner::RecordPanel, BoxKind::YesNo, Say(TextId::AskReset),
                          Say(TextId::AskResetCaption)) != kYes) {
        return;
    }
    // The table on screen keeps its old numbers until the panel opens again.
    if (ChangeRecords([this] { return ResetRecords(recordPath_); }) != RecordStatus::Ok) {
        Tell(TextId::FileNotWritten, TextId::FileCaption);
    }
}

ImportOutcome WindowController::ImportRecords(std::string_view bytes) {
    // Checked by the record reader's own rule before anything is replaced.
    if (!IsRecordFile(bytes)) return ImportOutcome::NotARecordFile;
    const RecordStatus status = ChangeRecords([this, bytes] {
        FileReplacer replacer;
        return replacer.Replace(recordPath_, bytes) ? RecordStatus::Ok : RecordStatus::WriteFailed;
    });
    if (status != RecordStatus::Ok) return ImportOutcome::Failed;
    if (panelOpen_) PaintPanelTable();
    return ImportOutcome::Imported;
}

template <typename Change>
RecordStatus WindowController::ChangeRecords(Change change) {
    frontEnd_.BeginRecordChange();
    const RecordStatus status = change();
    frontEnd_.EndRecordChange(status == RecordStatus::Ok);
    return status;
}

void WindowController::ReplayShuffles(uint64_t seed) {
    replaying_ = true;
    seed_ = seed;
}

void WindowController::EndTrace(bool declined) {
    if (!traceOpen_) return;
    trace_->End(declined, clockMs_);
    traceOpen_ = false;
}

void WindowController::AfterEvent() {
    if (table_.GameState == StateGameOver) EndTrace(true);
}

void WindowController::RestartAtTitle() {
    quitRequested_ = false;
    EndTrace(false);
    table_.GameState = StateNoGame;
    if (panelOpen_) OnPanelClose();
    frontEnd_.ShowTitleMode();
    frontEnd_.StartTitleTimer(kTitleTimerMs);
}

void WindowController::PaintBoard(int32_t scene, int32_t pauseBefore, int32_t message,
                                  int32_t amount, int32_t highlightSlot, int32_t pauseAfter) {
    koikoi::PaintBoard(table_, geometry_, board_, *this, scene, pauseBefore, message, amount,
                       highlightSlot, pauseAfter, &shown_, language_);
}

// The whole time is waited in one piece, then the queue is drained: the
// window is frozen meanwhile and catches up afterwards.
void WindowController::Pause(int32_t ms) {
    ++pauseDepth_;
    if (ms > 0) clockMs_ += ms;
    frontEnd_.SleepAndDispatch(ms > 0 ? ms : 0);
    --pauseDepth_;
}

int32_t WindowController::AskYesNo(TextId text, TextId caption) {
    return frontEnd_.ShowBox(BoxOwner::Window, BoxKind::YesNo, Say(text), Say(caption));
}

void WindowController::Tell(TextId text, TextId caption) {
    frontEnd_.ShowBox(BoxOwner::Window, BoxKind::Ok, Say(text), Say(caption));
}

void WindowController::RecordMonthResult(int32_t opponent, int32_t kan) {
    if (traceOpen_) trace_->Record(opponent, kan);
    const RecordStatus status =
        ChangeRecords([&] { return koikoi::RecordMonthResult(recordPath_, opponent, kan); });
    if (status == RecordStatus::NotFound) {
        Tell(TextId::FileNotFound, TextId::FileCaption);
    } else if (status == RecordStatus::WriteFailed) {
        Tell(TextId::FileNotWritten, TextId::FileCaption);
    }
    // BadArgument cannot come: the flow settles months of 1 to 3 kan only.
}

void WindowController::NoteShuffle(const Table& table) {
    if (traceOpen_) trace_->Shuffle(table);
}
void WindowController::NoteHumanCard(CardId card) {
    if (traceOpen_) trace_->HumanCard(card);
}
void WindowController::NoteHumanField(CardId card) {
    if (traceOpen_) trace_->HumanField(card);
}
void WindowController::NoteAsk(int32_t side, Question question, int32_t answer) {
    if (traceOpen_) trace_->Ask(side, question, answer);
}
void WindowController::NoteComputerPlay(bool capture, const int32_t (&matchList)[4]) {
    if (traceOpen_) trace_->ComputerPlay(capture, matchList);
}
void WindowController::NoteScored(int32_t side, int32_t code, const Table& table) {
    if (traceOpen_) trace_->Scored(side, code, clockMs_, table);
}

}  // namespace koikoi
