// The program's one window: its class, modes, menu, closing, the Pause that
// keeps it answering during a game, and the Host the match flow talks to.
#pragma once

#include <windows.h>

#include <cstdint>

#include "match/flow.h"
#include "game/host.h"
#include "game/random.h"
#include "game/slot_positions.h"
#include "game/table.h"
#include "shell/windows/gdi_canvas.h"
#include "presentation/window_rules.h"

namespace koikoi {

inline constexpr wchar_t kWindowClass[] = L"Window";
inline constexpr UINT_PTR kTitleTimer = 1;
inline constexpr UINT kTitleTimerMs = 100;

// The data files, relative to the working directory.
inline constexpr char kLayoutFile[] = "allocation.dat";
inline constexpr char kRecordFile[] = "result.dat";
inline constexpr wchar_t kSheetFile[] = L"hanaX.bmp";
inline constexpr wchar_t kRulesFile[] = L"koikoi.html";

class MainWindow final : public Host {
  public:
    // `positions` were read before the window exists; `seed` feeds the shuffles.
    MainWindow(HINSTANCE instance, const SlotPositions& positions, uint64_t seed);
    MainWindow(const MainWindow&) = delete;
    MainWindow& operator=(const MainWindow&) = delete;

    // Registers the class "Window"; false if the system refuses it.
    static bool RegisterWindowClass(HINSTANCE instance);
    // Creates the window in TitleMode, shows it and starts the guide-screen timer.
    HWND Create(int showCommand);

    HWND handle() const { return window_; }
    Table& table() { return table_; }
    const ViewFit& view() const { return view_; }
    GdiCanvas& canvas() { return canvas_; }
    HINSTANCE instance() const { return instance_; }

    // The record dialog reports its opening and closing here, so the menu can
    // grey its item while it exists.
    void SetRecordDialog(HWND dialog) { recordDialog_ = dialog; }
    HWND recordDialog() const { return recordDialog_; }
    // Repaints the guide page now (the dialog's confirm button).
    void RepaintTitle();

    // Host
    void PaintBoard(int32_t scene, int32_t pauseBefore, int32_t message, int32_t amount,
                    int32_t highlightSlot, int32_t pauseAfter) override;
    void Pause(int32_t ms) override;
    int32_t AskYesNo(const char* text, const char* caption) override;
    void Tell(const char* text, const char* caption) override;
    void EnterGameMode() override;
    bool InsidePause() const override { return pauseDepth_ > 0; }
    bool QuitRequested() const override { return quitRequested_; }
    void DestroyWindow() override;
    void RecordMonthResult(int32_t opponent, int32_t kan) override;

  private:
    static LRESULT CALLBACK WindowProcedure(HWND window, UINT message, WPARAM wParam,
                                            LPARAM lParam);
    LRESULT Dispatch(UINT message, WPARAM wParam, LPARAM lParam);

    void OnCreate();
    void OnDestroy();
    void OnPaint();
    void OnClose();
    LRESULT OnCommand(WPARAM wParam, LPARAM lParam);
    void OnTimer(WPARAM timerId);
    void OnMenuOpening(HMENU menu);
    void OnRightButtonDown(LPARAM lParam);
    void OnLeftButtonDown(LPARAM lParam);

    void StartGameCommand();
    void GameSetCommand();
    void ShowRecordsCommand();
    void RulesCommand();

    HINSTANCE instance_;
    HWND window_ = nullptr;
    HWND recordDialog_ = nullptr;
    Table table_{};
    Random random_;
    const SlotPositions& positions_;
    ViewFit view_{kBoardWidth, kBoardHeight, 1.0f};
    GdiCanvas canvas_;
    Match match_;
    // BusyFlag: set while a Pause runs. A depth rather than a flag, so that a
    // pause nested inside another cannot clear it while the outer one drains.
    int32_t pauseDepth_ = 0;
    bool quitRequested_ = false;
};

}  // namespace koikoi
