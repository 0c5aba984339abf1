// Times a full board repaint with its copy to the window, in the real window
// with the real canvas and card sheet, and reports the process's memory
// after a dealt board. Runs in a folder holding the data files.
//
// With the argument "bare" it only shows a plain window of the game's size
// and reports the memory of that: under Wine most of a process's working set
// is Wine's own, and this is the floor the program's figure is measured from.
#include <windows.h>
// psapi.h needs the types of windows.h first.
#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <vector>

#include "game/host.h"
#include "game/moves.h"
#include "game/random.h"
#include "game/table.h"
#include "files/layout.h"
#include "shell/windows/main_window.h"

namespace {

using namespace koikoi;

constexpr int kWarmUp = 20;
constexpr int kRepaints = 500;

void DealBoard(Table& table) {
    SilentHost host;
    Random random(20261209);
    ResetForGameStart(table);
    ShuffleStock(table, random);
    DealCards(table, host, 1);
    SetCurrentSide(table, 0);
    table.GameState = StateChooseHand;
}

// Lets the window handle what its creation and moves queued.
void DrainMessages() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

size_t WorkingSet() {
    PROCESS_MEMORY_COUNTERS memory{};
    memory.cb = sizeof(memory);
    K32GetProcessMemoryInfo(GetCurrentProcess(), &memory, sizeof(memory));
    return memory.WorkingSetSize;
}

int ShowBareWindow(HINSTANCE instance) {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.lpfnWndProc = DefWindowProcW;
    windowClass.hInstance = instance;
    windowClass.lpszClassName = L"Bare";
    RegisterClassExW(&windowClass);
    HWND window = CreateWindowExW(0, L"Bare", L"bare", WS_CAPTION | WS_SYSMENU, 0, 0,
                                  kBoardWidth + kGameFrameWidth, kBoardHeight + kGameFrameHeight,
                                  nullptr, nullptr, instance, nullptr);
    ShowWindow(window, SW_SHOWNORMAL);
    UpdateWindow(window);
    DrainMessages();
    std::printf("bare_working_set_bytes=%zu\n", WorkingSet());
    DestroyWindow(window);
    return 0;
}

double Milliseconds(LARGE_INTEGER from, LARGE_INTEGER to, LARGE_INTEGER frequency) {
    return static_cast<double>(to.QuadPart - from.QuadPart) * 1000.0 /
           static_cast<double>(frequency.QuadPart);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int) {
    if (lstrcmpA(commandLine, "bare") == 0) {
        return ShowBareWindow(instance);
    }
    // Checked first: the window's own reading would stop at a message box.
    SlotPositions layout{};
    if (LoadLayout(kLayoutFile, layout) != LayoutStatus::Ok) {
        std::printf("error: no %s in the working folder\n", kLayoutFile);
        return 1;
    }
    MainWindow window(instance, 1);
    window.controller().LoadLayout(kLayoutFile);
    if (!MainWindow::RegisterWindowClass(instance)) {
        return 1;
    }
    if (window.Create(SW_SHOWNORMAL) == nullptr || !window.canvas().SheetLoaded()) {
        std::printf("error: no window or no card sheet\n");
        return 1;
    }
    WindowController& controller = window.controller();
    DealBoard(controller.table());
    controller.EnterGameMode();
    DrainMessages();

    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    std::vector<double> times;
    times.reserve(kRepaints);
    for (int i = 0; i < kWarmUp + kRepaints; ++i) {
        LARGE_INTEGER start, end;
        QueryPerformanceCounter(&start);
        controller.PaintBoard(SceneHandPrompt, 0, MsgNone, 0, kNoSlot, 0);
        GdiFlush();
        QueryPerformanceCounter(&end);
        if (i >= kWarmUp) {
            times.push_back(Milliseconds(start, end, frequency));
        }
    }
    std::sort(times.begin(), times.end());
    const auto at = [&](double share) {
        return times[static_cast<size_t>(share * static_cast<double>(times.size() - 1))];
    };
    std::printf("scene repaint and present, %d runs: median %.3f ms, p10 %.3f ms, p90 %.3f ms\n",
                kRepaints, at(0.5), at(0.1), at(0.9));

    const size_t workingSet = WorkingSet();
    std::printf("working set after a dealt board: %.1f MB\n",
                static_cast<double>(workingSet) / 1048576.0);
    std::printf("median_ms=%.3f working_set_bytes=%zu\n", at(0.5), workingSet);
    controller.DestroyWindow();
    return 0;
}
