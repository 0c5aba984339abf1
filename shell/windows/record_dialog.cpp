// The opponent and record dialog: choosing the opponent, resetting the
// record, and the record table painted once, 60 ms after the dialog opens.
#include "shell/windows/record_dialog.h"

#include "game/texts.h"
#include "presentation/record_table.h"
#include "resources/resource_ids.h"
#include "shell/windows/gdi_canvas.h"
#include "shell/windows/main_window.h"
#include "shell/windows/wide_text.h"

namespace koikoi {

namespace {

constexpr UINT_PTR kTableTimer = 1;
constexpr UINT kTableTimerMs = 60;

MainWindow& OwnerOf(HWND dialog) {
    return *reinterpret_cast<MainWindow*>(GetWindowLongPtrW(dialog, DWLP_USER));
}

void CheckOpponentRadio(HWND dialog, uint8_t opponent) {
    for (int32_t i = 0; i < kOpponents; ++i) {
        const WPARAM state = i == opponent ? BST_CHECKED : BST_UNCHECKED;
        SendMessageW(GetDlgItem(dialog, IDC_OPPONENT_FIRST + i), BM_SETCHECK, state, 0);
    }
}

// The first checked radio names the opponent; none checked gives the last.
uint8_t CheckedOpponent(HWND dialog) {
    for (int32_t i = 0; i < kOpponents - 1; ++i) {
        if (SendMessageW(GetDlgItem(dialog, IDC_OPPONENT_FIRST + i), BM_GETCHECK, 0, 0) ==
            BST_CHECKED) {
            return static_cast<uint8_t>(i);
        }
    }
    return kOpponents - 1;
}

void OnTableTimer(HWND dialog) {
    KillTimer(dialog, kTableTimer);
    RecordSummary summary[kOpponents];
    MainWindow& main = OwnerOf(dialog);
    // A missing file is reported over the main window; the dialog stays
    // without a table.
    if (ReadRecordSummary(kRecordFile, summary) != RecordStatus::Ok) {
        ShowMessage(main.handle(), texts::kFileNotFound, texts::kFileCaption, MB_OK);
        return;
    }
    HDC dc = GetDC(dialog);
    DcCanvas canvas(dc);
    PaintRecordTable(canvas, summary);
    ReleaseDC(dialog, dc);
}

void OnChooseOpponent(HWND dialog) {
    MainWindow& main = OwnerOf(dialog);
    Table& table = main.table();
    if (table.GameState != StateNoGame) {
        ShowMessage(dialog, texts::kNoOpponentChange, "", MB_OK);
        CheckOpponentRadio(dialog, table.OpponentId);
        return;
    }
    table.OpponentId = CheckedOpponent(dialog);
    main.RepaintTitle();
    DestroyWindow(dialog);
}

void OnResetRecords(HWND dialog) {
    const Table& table = OwnerOf(dialog).table();
    if (table.GameState != StateNoGame) {
        ShowMessage(dialog, texts::kNoRecordReset, "", MB_OK);
        return;
    }
    if (ShowMessage(dialog, texts::kAskReset, texts::kAskResetCaption, MB_YESNO) != IDYES) {
        return;
    }
    // The table on screen keeps its old numbers until the dialog is opened again.
    if (ResetRecords(kRecordFile) != RecordStatus::Ok) {
        ShowMessage(OwnerOf(dialog).handle(), texts::kFileNotWritten, texts::kFileCaption, MB_OK);
    }
}

INT_PTR OnInitDialog(HWND dialog, LPARAM lParam) {
    SetWindowLongPtrW(dialog, DWLP_USER, lParam);
    // An OpponentId outside 0..3 leaves every radio clear.
    CheckOpponentRadio(dialog, OwnerOf(dialog).table().OpponentId);
    SetTimer(dialog, kTableTimer, kTableTimerMs, nullptr);
    return TRUE;  // the platform puts the focus on the first control
}

INT_PTR OnDialogCommand(HWND dialog, WPARAM wParam) {
    switch (LOWORD(wParam)) {
        case IDCANCEL:
            DestroyWindow(dialog);
            return TRUE;
        case IDC_CHOOSE_OPPONENT:
            OnChooseOpponent(dialog);
            return TRUE;
        case IDC_RESET_RECORDS:
            OnResetRecords(dialog);
            return TRUE;
        default:
            return FALSE;
    }
}

INT_PTR CALLBACK RecordDialogProcedure(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_INITDIALOG:
            return OnInitDialog(dialog, lParam);
        case WM_TIMER:
            if (wParam != kTableTimer) {
                return FALSE;
            }
            OnTableTimer(dialog);
            return TRUE;
        case WM_COMMAND:
            return OnDialogCommand(dialog, wParam);
        case WM_CLOSE:
            DestroyWindow(dialog);
            return TRUE;
        case WM_DESTROY:
            OwnerOf(dialog).SetRecordDialog(nullptr);
            return TRUE;
        default:
            return FALSE;
    }
}

}  // namespace

HWND OpenRecordDialog(MainWindow& main) {
    HWND dialog = CreateDialogParamW(main.instance(), L"MYDLG", main.handle(),
                                     RecordDialogProcedure, reinterpret_cast<LPARAM>(&main));
    if (dialog != nullptr) {
        ShowWindow(dialog, SW_SHOWNORMAL);
    }
    return dialog;
}

}  // namespace koikoi
