// The program's entry point: the layout file, the generator's seed, the
// window, and the message loop that runs until the window is destroyed.
#include <windows.h>

#include <ctime>

#include "files/temporaries.h"
#include "shell/windows/main_window.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE /*previous*/, LPSTR /*commandLine*/,
                   int showCommand) {
    using namespace koikoi;

    // The shuffles draw from a generator seeded with the time in seconds.
    MainWindow window(instance, static_cast<uint64_t>(std::time(nullptr)));
    // Read before any window exists, so a failure message has no owner; a
    // missing or damaged file is replaced by the shipped layout.
    window.controller().LoadLayout(kLayoutFile);

    // A crash in the middle of a record write leaves its temporary file;
    // those of copies of the game still running stay theirs.
    RemoveStaleTemporaryFiles(kRecordFile);

    if (!MainWindow::RegisterWindowClass(instance)) {
        return 0;
    }
    // Without a window no quit message would ever come to end the loop.
    if (window.Create(showCommand) == nullptr) {
        return 0;
    }

    // The loop ends at the quit message, whose parameter is the exit code,
    // or at the first error of the fetch.
    MSG msg{};
    for (;;) {
        const BOOL got = GetMessageW(&msg, nullptr, 0, 0);
        if (got == 0) {
            return static_cast<int>(msg.wParam);
        }
        if (got == -1) {
            return 0;
        }
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}
