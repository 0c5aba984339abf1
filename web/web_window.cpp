// The browser edition's window: the event loop and the page's side of the
// window controller.
#include "web/web_window.h"

#include <string>

#include "game/texts.h"
#include "presentation/record_table.h"
#include "web/bridge.h"

namespace koikoi::web {

namespace {

// An imported file larger than this cannot be a record file (4960 bytes).
constexpr int32_t kImportLimit = 65536;

int32_t MenuBits(const MenuEnabling& enabling) {
    return (enabling.gameStart ? kMenuBitGameStart : 0) | (enabling.gameSet ? kMenuBitGameSet : 0) |
           (enabling.showRecords ? kMenuBitShowRecords : 0) | (enabling.exit ? kMenuBitExit : 0);
}

}  // namespace

void PageTrace::Write(std::string_view line) {
    // The page keeps each line without its LF.
    if (!line.empty() && line.back() == '\n') line.remove_suffix(1);
    koikoi_js_trace(line.data(), static_cast<int32_t>(line.size()));
}

WebWindow::WebWindow(uint64_t seed) : controller_(*this, canvas_, kRecordPath, seed) {
    uint32_t high = 0;
    uint32_t low = 0;
    if (koikoi_js_seed_switch(&high, &low) != 0) {
        controller_.ReplayShuffles((uint64_t{high} << 32) | low);
    }
    if (koikoi_js_tracing() != 0) controller_.TraceTo(trace_);
    // Nothing is shown yet: the guide page is painted in it when due.
    OnLanguage(koikoi_js_language(), false);
}

void WebWindow::Run() {
    records_.LoadAtStart();
    for (;;) {
        Event event{};
        koikoi_js_wait_event(&event.kind);
        Dispatch(event);
        AfterOuterDispatch();
    }
}

// The window procedure: it only dispatches.
void WebWindow::Dispatch(const Event& event) {
    switch (event.kind) {
        case kEventClick:
            controller_.OnBoardClick(event.a, event.b);
            break;
        case kEventRightClick:
            OnRightClick(event.a, event.b);
            break;
        case kEventCommand:
            controller_.OnCommand(event.a);
            break;
        case kEventClose:
            controller_.OnCloseRequest();
            break;
        case kEventTitleTimer:
            controller_.OnTitleTimer();
            break;
        case kEventViewport:
            OnViewport(event.a, event.b);
            break;
        case kEventPanelClose:
            controller_.OnPanelClose();
            break;
        case kEventPanelChoose:
            controller_.OnPanelChoose(koikoi_js_panel_checked());
            break;
        case kEventPanelReset:
            controller_.OnPanelReset();
            break;
        case kEventPanelImport:
            OnImport();
            break;
        case kEventPanelTimer:
            controller_.OnPanelTableDue();
            break;
        case kEventLanguage:
            OnLanguage(event.a);
            break;
        case kEventStorageNotKept:
            records_.OnNotKept(event.a);
            break;
        default:
            break;
    }
}

// What the Windows message loop leaves to the end of a dispatch.
void WebWindow::AfterOuterDispatch() {
    controller_.AfterEvent();
    if (destroyed_) {
        destroyed_ = false;
        controller_.RestartAtTitle();
    }
}

void WebWindow::OnRightClick(int32_t x, int32_t y) {
    if (!controller_.MenuOffered()) return;
    // Like a tracked popup menu, the chosen item arrives afterwards as a
    // command at the end of the queue.
    const int32_t command = koikoi_js_menu(x, y, MenuBits(controller_.Menu()));
    if (command != 0) koikoi_js_post_event(kEventCommand, command, 0);
}

// The page refits when its size changes, and takes another layout of the
// board when a phone is turned.
void WebWindow::OnViewport(int32_t width, int32_t height) {
    const bool relaid = controller_.FitPage(width, height);
    const ViewFit& view = controller_.view();
    const BoardGeometry& board = controller_.geometry();
    const PageGeometry& page = controller_.page();
    koikoi_js_set_view(view.width, view.height, view.scale, static_cast<int32_t>(board.layout),
                       board.width, board.height, page.width, page.height);
    if (relaid) controller_.RepaintInLayout();
}

// The page reads what it is given in the language's encoding from now on;
// what the window shows is painted again in it.
void WebWindow::OnLanguage(int32_t code, bool repaint) {
    if (code < 0 || code >= kLanguages) return;
    const auto language = static_cast<Language>(code);
    koikoi_js_set_language(code);
    records_.SetLanguage(language);
    controller_.SetLanguage(language, repaint);
}

void WebWindow::OnImport() {
    const int32_t size = koikoi_js_import_size();
    std::string bytes;
    if (size > 0 && size <= kImportLimit) {
        bytes.resize(static_cast<size_t>(size));
        koikoi_js_import_take(bytes.data(), size);
    }
    if (controller_.ImportRecords(bytes) == ImportOutcome::NotARecordFile) {
        ShowBox(BoxOwner::Window, BoxKind::Ok, controller_.Say(TextId::ImportNotRecords),
                controller_.Say(TextId::ImportCaption));
    }
}

int32_t WebWindow::ShowBox(BoxOwner, BoxKind kind, const char* text, const char* caption) {
    // One modal box for the whole page, whoever owns it.
    return koikoi_js_ask(text, caption, kind == BoxKind::Ok ? 0 : 1);
}

void WebWindow::SleepAndDispatch(int32_t ms) {
    koikoi_js_sleep(ms);
    Event event{};
    while (koikoi_js_poll_event(&event.kind) != 0) Dispatch(event);
}

void WebWindow::ShowGameMode(const ViewFit&) {
    koikoi_js_set_mode(1);
}

void WebWindow::ShowTitleMode() {
    koikoi_js_set_mode(0);
    koikoi_js_whiten();
}

void WebWindow::StartTitleTimer(int32_t ms) {
    koikoi_js_start_title_timer(ms);
}

bool WebWindow::OpenRulesPage() {
    koikoi_js_open_rules();
    return true;
}

bool WebWindow::OpenRecordPanel(uint8_t opponent) {
    koikoi_js_panel_show(opponent);
    return true;
}

void WebWindow::CloseRecordPanel() {
    koikoi_js_panel_hide();
}

void WebWindow::CheckOpponent(uint8_t opponent) {
    koikoi_js_panel_check(opponent);
}

void WebWindow::PaintRecordPanel(const RecordSummary (&summary)[kOpponents],
                                 RecordTableShape shape) {
    const RecordTableSize size = RecordTableSizeOf(shape);
    koikoi_js_panel_clear_table(size.width, size.height);
    PaintRecordTable(tableCanvas_, summary, shape, controller_.language());
}

void WebWindow::BeginRecordChange() {
    records_.BeginChange();
}
void WebWindow::EndRecordChange(bool changed) {
    records_.EndChange(changed);
}
void WebWindow::RefreshRecords() {
    records_.Refresh();
}

void WebWindow::TitlePainted() {
    koikoi_js_title_painted();
}

}  // namespace koikoi::web
