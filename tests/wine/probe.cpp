// A small Windows helper for the end-to-end test: reads back what the program
// shows through the wide API and stands in for the browser.
//
//   probe title            the main window's title, as UTF-8
//   probe client           screen x, y, width, height of the main window's client area
//   probe dialog           the same for the record dialog's client area
//   probe window           screen x, y, width, height of the main window
//   probe menu             the same for the open popup menu
//   probe button CAPTION ID  screen centre of control ID in the dialog or message box CAPTION
//   probe boxes            captions of the visible dialogs and message boxes
//   probe closebox         screen centre of the main window's close box
//   probe maxbox           screen centre of the main window's maximise box
//   probe text CAPTION     the text of the message box CAPTION ("" for none)
//   probe checked CAPTION ID  1 if button ID of dialog CAPTION is checked, else 0
//   probe metrics          the full-screen client size the window fits the board to
//   probe repaint          has the main window erased and repainted now
//   probe browser ARGS...  appends its command line to opened.txt beside itself
#include <windows.h>

#include <cstdio>
#include <cwchar>
#include <string>

namespace {

void PrintUtf8(const wchar_t* text) {
    const int size = WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
    std::string utf8(static_cast<size_t>(size > 0 ? size : 1), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text, -1, utf8.data(), size, nullptr, nullptr);
    std::printf("%s\n", utf8.c_str());
}

HWND MainWindow() {
    return FindWindowW(L"Window", nullptr);
}

int PrintClient(HWND window) {
    if (window == nullptr) {
        return 2;
    }
    RECT client;
    GetClientRect(window, &client);
    POINT origin{0, 0};
    ClientToScreen(window, &origin);
    std::printf("%ld %ld %ld %ld\n", origin.x, origin.y, client.right, client.bottom);
    return 0;
}

int PrintRect(HWND window) {
    RECT rect;
    GetWindowRect(window, &rect);
    std::printf("%ld %ld %ld %ld\n", rect.left, rect.top, rect.right - rect.left,
                rect.bottom - rect.top);
    return 0;
}

int Title() {
    HWND window = MainWindow();
    if (window == nullptr) {
        return 2;
    }
    wchar_t title[256] = {};
    GetWindowTextW(window, title, 256);
    PrintUtf8(title);
    return 0;
}

int Dialog() {
    // The dialog's caption: 戦績表示.
    return PrintClient(FindWindowW(L"#32770", L"\x6226\x7e3e\x8868\x793a"));
}

// The open popup menu's window rectangle. Its items are read from the
// screen: a menu handle does not cross processes under Wine.
int Menu() {
    HWND popup = FindWindowW(L"#32768", nullptr);
    if (popup == nullptr || !IsWindowVisible(popup)) {
        return 2;
    }
    return PrintRect(popup);
}

// The centre of control `id` in the dialog or message box captioned `caption`.
int Button(const wchar_t* caption, const wchar_t* id) {
    HWND box = FindWindowW(L"#32770", caption);
    if (box == nullptr) {
        return 2;
    }
    HWND control = GetDlgItem(box, static_cast<int>(std::wcstol(id, nullptr, 10)));
    // A message box keeps its unused buttons, hidden.
    if (control == nullptr || !IsWindowVisible(control)) {
        return 3;
    }
    RECT rect;
    GetWindowRect(control, &rect);
    std::printf("%ld %ld\n", (rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
    return 0;
}

// The centre of one of the main window's caption boxes (HTCLOSE,
// HTMAXBUTTON), found by asking the window what each point of its caption is.
int CaptionBox(LRESULT wanted) {
    HWND window = MainWindow();
    if (window == nullptr) {
        return 2;
    }
    RECT rect;
    GetWindowRect(window, &rect);
    long sumX = 0, sumY = 0, hits = 0;
    for (LONG y = rect.top; y < rect.top + 40; ++y) {
        for (LONG x = rect.right - 120; x < rect.right; ++x) {
            DWORD_PTR hit = 0;
            if (SendMessageTimeoutW(window, WM_NCHITTEST, 0, MAKELPARAM(x, y), SMTO_ABORTIFHUNG,
                                    2000, &hit) == 0) {
                return 3;
            }
            if (static_cast<LRESULT>(hit) == wanted) {
                sumX += x;
                sumY += y;
                ++hits;
            }
        }
    }
    if (hits == 0) {
        return 4;
    }
    std::printf("%ld %ld\n", sumX / hits, sumY / hits);
    return 0;
}

// Captions of the visible dialogs and message boxes, one a line.
int Boxes() {
    EnumWindows(
        [](HWND window, LPARAM) -> BOOL {
            wchar_t name[64] = {};
            GetClassNameW(window, name, 64);
            if (std::wcscmp(name, L"#32770") == 0 && IsWindowVisible(window)) {
                wchar_t caption[256] = {};
                GetWindowTextW(window, caption, 256);
                PrintUtf8(caption);
            }
            return TRUE;
        },
        0);
    return 0;
}

// The text of a message box: its static control (id 0xFFFF), else the
// longest static text in it.
int Text(const wchar_t* caption) {
    HWND box = FindWindowW(L"#32770", caption);
    if (box == nullptr || !IsWindowVisible(box)) {
        return 2;
    }
    std::wstring best;
    for (HWND child = GetWindow(box, GW_CHILD); child != nullptr;
         child = GetWindow(child, GW_HWNDNEXT)) {
        wchar_t name[32] = {};
        GetClassNameW(child, name, 32);
        if (lstrcmpiW(name, L"Static") != 0) continue;
        wchar_t text[512] = {};
        GetWindowTextW(child, text, 512);
        if (GetDlgCtrlID(child) == 0xFFFF || std::wcslen(text) > best.size()) {
            best = text;
            if (GetDlgCtrlID(child) == 0xFFFF) break;
        }
    }
    PrintUtf8(best.c_str());
    return 0;
}

int Checked(const wchar_t* caption, const wchar_t* id) {
    HWND box = FindWindowW(L"#32770", caption);
    HWND button = box ? GetDlgItem(box, static_cast<int>(std::wcstol(id, nullptr, 10))) : nullptr;
    if (button == nullptr) {
        return 2;
    }
    std::printf("%d\n", SendMessageW(button, BM_GETCHECK, 0, 0) == BST_CHECKED ? 1 : 0);
    return 0;
}

int Metrics() {
    std::printf("%d %d\n", GetSystemMetrics(SM_CXFULLSCREEN), GetSystemMetrics(SM_CYFULLSCREEN));
    return 0;
}

int Repaint() {
    HWND window = MainWindow();
    if (window == nullptr) {
        return 2;
    }
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    return 0;
}

int Browser() {
    wchar_t path[MAX_PATH];
    const DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring log(path, length);
    log = log.substr(0, log.find_last_of(L'\\') + 1) + L"opened.txt";
    FILE* file = _wfopen(log.c_str(), L"ab");
    if (file == nullptr) {
        return 2;
    }
    const wchar_t* line = GetCommandLineW();
    const int size = WideCharToMultiByte(CP_UTF8, 0, line, -1, nullptr, 0, nullptr, nullptr);
    std::string utf8(static_cast<size_t>(size > 0 ? size : 1), '\0');
    WideCharToMultiByte(CP_UTF8, 0, line, -1, utf8.data(), size, nullptr, nullptr);
    std::fprintf(file, "%s\n", utf8.c_str());
    std::fclose(file);
    return 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 2) {
        return 1;
    }
    const std::wstring command = argv[1];
    if (command == L"title") return Title();
    if (command == L"client") return PrintClient(MainWindow());
    if (command == L"dialog") return Dialog();
    if (command == L"menu") return Menu();
    if (command == L"closebox") return CaptionBox(HTCLOSE);
    if (command == L"maxbox") return CaptionBox(HTMAXBUTTON);
    if (command == L"text" && argc >= 3) return Text(argv[2]);
    if (command == L"checked" && argc >= 4) return Checked(argv[2], argv[3]);
    if (command == L"metrics") return Metrics();
    if (command == L"repaint") return Repaint();
    if (command == L"boxes") return Boxes();
    if (command == L"window") return MainWindow() ? PrintRect(MainWindow()) : 2;
    if (command == L"button" && argc >= 4) return Button(argv[2], argv[3]);
    return Browser();
}
