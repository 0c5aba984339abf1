// The main window: start-up of the window, the window procedure's handlers,
// the popup menu, closing, Pause, and the Host calls of the match flow.
#include "shell/windows/main_window.h"

#include <shellapi.h>

#include "files/card_sheet.h"
#include "files/records.h"
#include "game/texts.h"
#include "presentation/board_painter.h"
#include "presentation/title_page.h"
#include "resources/resource_ids.h"
#include "shell/windows/record_dialog.h"
#include "shell/windows/wide_text.h"

namespace koikoi {

namespace {

// An overlapped window without a sizing border: it can be minimised and
// maximised but not resized by dragging.
constexpr DWORD kWindowStyle = WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX;

// The system's standard application icon and arrow cursor (IDI_APPLICATION,
// IDC_ARROW), named by number for the wide loader.
constexpr WORD kStandardIcon = 32512;
constexpr WORD kArrowCursor = 32512;

void EnableItem(HMENU menu, UINT id, bool enabled) {
    const UINT state = enabled ? UINT{MF_ENABLED} : UINT{MF_GRAYED};
    EnableMenuItem(menu, id, UINT{MF_BYCOMMAND} | state);
}

}  // namespace

MainWindow::MainWindow(HINSTANCE instance, const SlotPositions& positions, uint64_t seed)
    : instance_(instance),
      random_(seed),
      positions_(positions),
      match_{table_, *this, random_, positions_} {}

bool MainWindow::RegisterWindowClass(HINSTANCE instance) {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.style = CS_HREDRAW | CS_VREDRAW;
    windowClass.lpfnWndProc = WindowProcedure;
    windowClass.hInstance = instance;
    windowClass.hIcon = static_cast<HICON>(LoadImageW(
        nullptr, MAKEINTRESOURCEW(kStandardIcon), IMAGE_ICON, 0, 0, LR_SHARED | LR_DEFAULTSIZE));
    windowClass.hIconSm = windowClass.hIcon;
    windowClass.hCursor = static_cast<HCURSOR>(LoadImageW(
        nullptr, MAKEINTRESOURCEW(kArrowCursor), IMAGE_CURSOR, 0, 0, LR_SHARED | LR_DEFAULTSIZE));
    windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    windowClass.lpszClassName = kWindowClass;
    return RegisterClassExW(&windowClass) != 0;
}

HWND MainWindow::Create(int showCommand) {
    const std::wstring title = WideFromShiftJis(texts::kWindowTitle);
    // The create message runs inside this call and needs `this`, which
    // travels in the creation parameter.
    CreateWindowExW(0, kWindowClass, title.c_str(), kWindowStyle, kTitleLeft, kTitleTop,
                    kTitleWidth, kTitleHeight, nullptr, nullptr, instance_, this);
    if (window_ == nullptr) {
        return nullptr;
    }
    ShowWindow(window_, showCommand);
    UpdateWindow(window_);
    SetTimer(window_, kTitleTimer, kTitleTimerMs, nullptr);
    ReportCardSheet();
    return window_;
}

LRESULT CALLBACK MainWindow::WindowProcedure(HWND window, UINT message, WPARAM wParam,
                                             LPARAM lParam) {
    if (message == WM_NCCREATE) {
        const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
        auto* self = static_cast<MainWindow*>(create->lpCreateParams);
        self->window_ = window;
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<MainWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (self == nullptr) {
        return DefWindowProcW(window, message, wParam, lParam);
    }
    return self->Dispatch(message, wParam, lParam);
}

// The window procedure only dispatches; each handler is named for its message.
LRESULT MainWindow::Dispatch(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_CREATE:
            OnCreate();
            return 0;
        case WM_DESTROY:
            OnDestroy();
            return 0;
        case WM_PAINT:
            OnPaint();
            return 0;
        case WM_CLOSE:
            OnClose();
            return 0;
        case WM_COMMAND:
            return OnCommand(wParam, lParam);
        case WM_TIMER:
            OnTimer(wParam);
            return 0;
        case WM_INITMENUPOPUP:
            OnMenuOpening(reinterpret_cast<HMENU>(wParam));
            return 0;
        case WM_RBUTTONDOWN:
            OnRightButtonDown(lParam);
            return 0;
        case WM_LBUTTONDOWN:
            OnLeftButtonDown(lParam);
            return 0;
        default:
            return DefWindowProcW(window_, message, wParam, lParam);
    }
}

void MainWindow::OnCreate() {
    view_ = FitBoardToScreen(GetSystemMetrics(SM_CXFULLSCREEN), GetSystemMetrics(SM_CYFULLSCREEN));
    match_.viewScale = view_.scale;
    canvas_.Create(window_, WideFromShiftJis(kSheetFile).c_str(), view_.width, view_.height);
    table_.GameState = StateNoGame;
}

void MainWindow::OnDestroy() {
    canvas_.Release();
    PostQuitMessage(0);
}

void MainWindow::OnPaint() {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window_, &paint);
    RECT client;
    GetClientRect(window_, &client);
    canvas_.CopyToWindow(dc, client.right - client.left);
    EndPaint(window_, &paint);
}

void MainWindow::OnClose() {
    const bool busy = InsidePause();
    const int32_t answer =
        ShowMessage(window_, texts::kAskClose, texts::kAskCloseCaption, MB_YESNO | MB_ICONQUESTION);
    switch (CloseOutcomeFor(busy, answer)) {
        case CloseOutcome::Stay:
            break;
        case CloseOutcome::DestroyNow:
            ::DestroyWindow(window_);
            break;
        case CloseOutcome::DeferToSequence:
            ShowMessage(window_, texts::kClosing, texts::kClosingCaption, MB_OK);
            quitRequested_ = true;
            break;
    }
}

LRESULT MainWindow::OnCommand(WPARAM wParam, LPARAM lParam) {
    switch (LOWORD(wParam)) {
        case IDM_GAME_START:
            StartGameCommand();
            return 0;
        case IDM_GAME_SET:
            GameSetCommand();
            return 0;
        case IDM_SHOW_RECORDS:
            ShowRecordsCommand();
            return 0;
        case IDM_RULES:
            RulesCommand();
            return 0;
        case IDM_EXIT:
            // Offered only on the title screen; a stray command during a game
            // must not pull the window from under the running sequence.
            if (table_.GameState == StateNoGame) {
                ::DestroyWindow(window_);
            }
            return 0;
        default:
            return DefWindowProcW(window_, WM_COMMAND, wParam, lParam);
    }
}

void MainWindow::OnTimer(WPARAM timerId) {
    if (timerId != kTitleTimer) {
        return;
    }
    KillTimer(window_, kTitleTimer);
    RepaintTitle();
}

void MainWindow::RepaintTitle() {
    canvas_.AcquireWindow();
    PaintTitle(canvas_, table_.OpponentId);
    canvas_.ReleaseWindow();
}

void MainWindow::OnMenuOpening(HMENU menu) {
    const MenuEnabling enabling =
        MenuEnablingFor(table_.GameState, recordDialog_ != nullptr && IsWindow(recordDialog_));
    EnableItem(menu, IDM_SHOW_RECORDS, enabling.showRecords);
    EnableItem(menu, IDM_GAME_START, enabling.gameStart);
    EnableItem(menu, IDM_EXIT, enabling.exit);
    EnableItem(menu, IDM_GAME_SET, enabling.gameSet);
}

void MainWindow::OnRightButtonDown(LPARAM lParam) {
    if (!MenuOffered(table_.GameState)) {
        return;
    }
    HMENU menu = LoadMenuW(instance_, L"MYMENU");
    if (menu == nullptr) {
        return;
    }
    POINT point{static_cast<LONG>(LOWORD(lParam)), static_cast<LONG>(HIWORD(lParam))};
    ClientToScreen(window_, &point);
    TrackPopupMenu(GetSubMenu(menu, 0), TPM_RIGHTALIGN, point.x, point.y, 0, window_, nullptr);
    DestroyMenu(menu);
}

void MainWindow::OnLeftButtonDown(LPARAM lParam) {
    HandleBoardClick(match_, LOWORD(lParam), HIWORD(lParam));
}

void MainWindow::StartGameCommand() {
    // The flow is not re-entrant: a start is only taken on the title screen.
    if (table_.GameState != StateNoGame) {
        return;
    }
    StartGame(match_);
}

void MainWindow::GameSetCommand() {
    if (table_.GameState == StateNoGame) {
        return;
    }
    table_.GameState = StateNoGame;
    // The window is whitened, not the canvas: until the timer repaints the
    // guide page, a repaint still shows the corner of the last board.
    HDC dc = GetDC(window_);
    PatBlt(dc, 0, 0, kBoardWidth, kBoardHeight, WHITENESS);
    ReleaseDC(window_, dc);
    MoveWindow(window_, kTitleLeft, kTitleTop, kTitleWidth, kTitleHeight, TRUE);
    SetTimer(window_, kTitleTimer, kTitleTimerMs, nullptr);
}

void MainWindow::ShowRecordsCommand() {
    if (recordDialog_ != nullptr && IsWindow(recordDialog_)) {
        return;
    }
    recordDialog_ = OpenRecordDialog(*this);
}

void MainWindow::RulesCommand() {
    const std::wstring page = WideFromShiftJis(kRulesFile);
    const DWORD attributes = GetFileAttributesW(page.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
        ShowMessage(window_, texts::kRulesNotFound, texts::kFileCaption, MB_OK);
        return;
    }
    // The page is there: what the system does with it (no application for
    // it, say) is its own business, and the result is not examined.
    ShellExecuteW(window_, L"open", page.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

// The game runs on without the card sheet (the cards are not drawn and the
// clicks still count), so the player is told once, when the window shows.
void MainWindow::ReportCardSheet() {
    const SheetStatus status = CheckCardSheet(kSheetFile);
    if (status == SheetStatus::NotFound) {
        ShowMessage(window_, texts::kSheetNotFound, texts::kFileCaption, MB_OK);
    } else if (status == SheetStatus::Damaged || !canvas_.SheetLoaded()) {
        ShowMessage(window_, texts::kSheetNotRead, texts::kFileCaption, MB_OK);
    }
}

void MainWindow::PaintBoard(int32_t scene, int32_t pauseBefore, int32_t message, int32_t amount,
                            int32_t highlightSlot, int32_t pauseAfter) {
    koikoi::PaintBoard(table_, positions_, canvas_, *this, scene, pauseBefore, message, amount,
                       highlightSlot, pauseAfter);
}

void MainWindow::Pause(int32_t ms) {
    ++pauseDepth_;
    // The whole time is slept in one piece: the window is frozen meanwhile
    // and catches up on its queue afterwards.
    if (ms > 0) {
        Sleep(static_cast<DWORD>(ms));
    }
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            // Leave the quit to the outer message loop.
            PostQuitMessage(static_cast<int>(msg.wParam));
            break;
        }
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    --pauseDepth_;
}

int32_t MainWindow::AskYesNo(const char* text, const char* caption) {
    return ShowMessage(window_, text, caption, MB_YESNO);
}

void MainWindow::Tell(const char* text, const char* caption) {
    ShowMessage(window_, text, caption, MB_OK);
}

void MainWindow::EnterGameMode() {
    MoveWindow(window_, 0, 0, view_.width + kGameFrameWidth, view_.height + kGameFrameHeight, TRUE);
}

void MainWindow::DestroyWindow() {
    if (window_ != nullptr && IsWindow(window_)) {
        ::DestroyWindow(window_);
    }
}

void MainWindow::RecordMonthResult(int32_t opponent, int32_t kan) {
    switch (koikoi::RecordMonthResult(kRecordFile, opponent, kan)) {
        case RecordStatus::Ok:
            break;
        case RecordStatus::NotFound:
            ShowMessage(window_, texts::kFileNotFound, texts::kFileCaption, MB_OK);
            break;
        case RecordStatus::WriteFailed:
            ShowMessage(window_, texts::kFileNotWritten, texts::kFileCaption, MB_OK);
            break;
        case RecordStatus::BadArgument:
            // The flow only settles months of 1 to 3 kan for opponents 0..3.
            break;
    }
}

}  // namespace koikoi
