// The program's one window: its class, the window procedure that hands the
// window's messages to the window controller, and what the controller needs
// of Windows (message boxes, the message queue, moving the window, timers,
// the shell, the record dialog).
#pragma once

#include <windows.h>

#include <cstdint>

#include "presentation/window_controller.h"
#include "shell/windows/gdi_canvas.h"

namespace koikoi {

inline constexpr wchar_t kWindowClass[] = L"Window";
inline constexpr UINT_PTR kTitleTimer = 1;

// The data files, relative to the working directory.
inline constexpr char kLayoutFile[] = "allocation.dat";
inline constexpr char kRecordFile[] = "result.dat";
inline constexpr char kSheetFile[] = "hanaX.bmp";
inline constexpr char kRulesFile[] = "koikoi.html";

class MainWindow final : public WindowFrontEnd {
  public:
    // `seed` feeds the shuffles. No window exists until Create.
    MainWindow(HINSTANCE instance, uint64_t seed);
    MainWindow(const MainWindow&) = delete;
    MainWindow& operator=(const MainWindow&) = delete;

    // Registers the class "Window"; false if the system refuses it.
    static bool RegisterWindowClass(HINSTANCE instance);
    // Creates the window in TitleMode, shows it and starts the guide-screen timer.
    HWND Create(int showCommand);

    HWND handle() const { return window_; }
    WindowController& controller() { return controller_; }
    GdiCanvas& canvas() { return canvas_; }
    HINSTANCE instance() const { return instance_; }

    // The record dialog reports its end here.
    void RecordDialogGone();
    HWND recordDialog() const { return recordDialog_; }

    // WindowFrontEnd
    int32_t ShowBox(BoxOwner owner, BoxKind kind, const char* text, const char* caption) override;
    void SleepAndDispatch(int32_t ms) override;
    void ShowGameMode(const ViewFit& view) override;
    void ShowTitleMode() override;
    void StartTitleTimer(int32_t ms) override;
    bool OpenRulesPage() override;
    void DestroyWindow() override;
    bool OpenRecordPanel(uint8_t opponent) override;
    void CloseRecordPanel() override;
    void CheckOpponent(uint8_t opponent) override;
    void PaintRecordPanel(const RecordSummary (&summary)[kOpponents],
                          RecordTableShape shape) override;

  private:
    static LRESULT CALLBACK WindowProcedure(HWND window, UINT message, WPARAM wParam,
                                            LPARAM lParam);
    LRESULT Dispatch(UINT message, WPARAM wParam, LPARAM lParam);

    void OnCreate();
    void OnPaint();
    void OnTimer(WPARAM timerId);
    void OnMenuOpening(HMENU menu);
    void OnRightButtonDown(LPARAM lParam);

    HINSTANCE instance_;
    HWND window_ = nullptr;
    HWND recordDialog_ = nullptr;
    GdiCanvas canvas_;
    WindowController controller_;
};

}  // namespace koikoi
