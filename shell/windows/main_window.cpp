// The main window: the class, the window procedure's handlers, the popup
// menu, and the Windows side of the window controller.
#include "shell/windows/main_window.h"

#include <shellapi.h>

#include "game/texts.h"
#include "presentation/record_table.h"
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

UINT BoxFlags(BoxKind kind) {
    switch (kind) {
        case BoxKind::YesNo:
            return MB_YESNO;
        case BoxKind::YesNoQuestion:
            return MB_YESNO | MB_ICONQUESTION;
        case BoxKind::Ok:
            break;
    }
    return MB_OK;
}

}  // namespace

MainWindow::MainWindow(HINSTANCE instance, uint64_t seed)
    : instance_(instance), controller_(*this, canvas_, kRecordFile, seed) {}

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
    SetTimer(window_, kTitleTimer, static_cast<UINT>(kTitleTimerMs), nullptr);
    controller_.ReportCardSheet(CheckCardSheet(kSheetFile), canvas_.SheetLoaded());
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
            canvas_.Release();
            PostQuitMessage(0);
            return 0;
        case WM_PAINT:
            OnPaint();
            return 0;
        case WM_CLOSE:
            controller_.OnCloseRequest();
            return 0;
        case WM_COMMAND:
            if (controller_.OnCommand(LOWORD(wParam))) return 0;
            return DefWindowProcW(window_, message, wParam, lParam);
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
            controller_.OnBoardClick(LOWORD(lParam), HIWORD(lParam));
            return 0;
        default:
            return DefWindowProcW(window_, message, wParam, lParam);
    }
}

void MainWindow::OnCreate() {
    const ViewFit& view =
        controller_.FitView(GetSystemMetrics(SM_CXFULLSCREEN), GetSystemMetrics(SM_CYFULLSCREEN));
    canvas_.Create(window_, WideFromShiftJis(kSheetFile).c_str(), view.width, view.height);
}

void MainWindow::OnPaint() {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window_, &paint);
    RECT client;
    GetClientRect(window_, &client);
    canvas_.CopyToWindow(dc, client.right - client.left);
    EndPaint(window_, &paint);
}

void MainWindow::OnTimer(WPARAM timerId) {
    if (timerId != kTitleTimer) {
        return;
    }
    KillTimer(window_, kTitleTimer);
    controller_.OnTitleTimer();
}

void MainWindow::OnMenuOpening(HMENU menu) {
    const MenuEnabling enabling = controller_.Menu();
    EnableItem(menu, IDM_SHOW_RECORDS, enabling.showRecords);
    EnableItem(menu, IDM_GAME_START, enabling.gameStart);
    EnableItem(menu, IDM_EXIT, enabling.exit);
    EnableItem(menu, IDM_GAME_SET, enabling.gameSet);
}

void MainWindow::OnRightButtonDown(LPARAM lParam) {
    if (!controller_.MenuOffered()) {
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

void MainWindow::RecordDialogGone() {
    recordDialog_ = nullptr;
    controller_.OnPanelGone();
}

int32_t MainWindow::ShowBox(BoxOwner owner, BoxKind kind, const char* text, const char* caption) {
    HWND ownerWindow = owner == BoxOwner::Window        ? window_
                       : owner == BoxOwner::RecordPanel ? recordDialog_
                                                        : nullptr;
    return ShowMessage(ownerWindow, text, caption, BoxFlags(kind));
}

void MainWindow::SleepAndDispatch(int32_t ms) {
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
}

void MainWindow::ShowGameMode(const ViewFit& view) {
    MoveWindow(window_, 0, 0, view.width + kGameFrameWidth, view.height + kGameFrameHeight, TRUE);
}

void MainWindow::ShowTitleMode() {
    HDC dc = GetDC(window_);
    PatBlt(dc, 0, 0, kBoardWidth, kBoardHeight, WHITENESS);
    ReleaseDC(window_, dc);
    MoveWindow(window_, kTitleLeft, kTitleTop, kTitleWidth, kTitleHeight, TRUE);
}

void MainWindow::StartTitleTimer(int32_t ms) {
    SetTimer(window_, kTitleTimer, static_cast<UINT>(ms), nullptr);
}

bool MainWindow::OpenRulesPage() {
    const std::wstring page = WideFromShiftJis(kRulesFile);
    const DWORD attributes = GetFileAttributesW(page.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
        return false;
    }
    // The result is not examined.
    ShellExecuteW(window_, L"open", page.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
    return true;
}

void MainWindow::DestroyWindow() {
    if (window_ != nullptr && IsWindow(window_)) {
        ::DestroyWindow(window_);
    }
}

bool MainWindow::OpenRecordPanel(uint8_t opponent) {
    recordDialog_ = OpenRecordDialog(*this, opponent);
    return recordDialog_ != nullptr;
}

void MainWindow::CloseRecordPanel() {
    if (recordDialog_ != nullptr && IsWindow(recordDialog_)) {
        ::DestroyWindow(recordDialog_);
    }
}

void MainWindow::CheckOpponent(uint8_t opponent) {
    CheckOpponentRadio(recordDialog_, opponent);
}

void MainWindow::PaintRecordPanel(const RecordSummary (&summary)[kOpponents],
                                  RecordTableShape shape) {
    HDC dc = GetDC(recordDialog_);
    DcCanvas canvas(dc);
    PaintRecordTable(canvas, summary, shape);
    ReleaseDC(recordDialog_, dc);
}

}  // namespace koikoi
