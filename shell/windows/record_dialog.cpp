// The opponent and record dialog: its radios and buttons handed to the
// window controller, and the timer that has the record table painted once,
// a moment after the dialog opens.
#include "shell/windows/record_dialog.h"

#include "resources/resource_ids.h"
#include "shell/windows/main_window.h"

namespace koikoi {

namespace {

constexpr UINT_PTR kTableTimer = 1;

// The dialog's four radios: the Windows program offers the four opponents
// of its record file.
constexpr int32_t kRadios = 4;

// What the dialog is opened with: its owner and the opponent to check.
struct Opening {
    MainWindow* main;
    uint8_t opponent;
};

// The main window, stored with the dialog when it opens; null before.
MainWindow* StoredOwnerOf(HWND dialog) {
    return reinterpret_cast<MainWindow*>(GetWindowLongPtrW(dialog, DWLP_USER));
}

// For the messages that come after the opening stored it.
WindowController& ControllerOf(HWND dialog) {
    return StoredOwnerOf(dialog)->controller();
}

// The first checked radio's opponent, or -1 when none is checked.
int32_t FirstCheckedRadio(HWND dialog) {
    for (int32_t i = 0; i < kRadios; ++i) {
        if (SendMessageW(GetDlgItem(dialog, IDC_OPPONENT_FIRST + i), BM_GETCHECK, 0, 0) ==
            BST_CHECKED) {
            return i;
        }
    }
    return -1;
}

INT_PTR OnInitDialog(HWND dialog, LPARAM lParam) {
    const auto* opening = reinterpret_cast<const Opening*>(lParam);
    SetWindowLongPtrW(dialog, DWLP_USER, reinterpret_cast<LONG_PTR>(opening->main));
    CheckOpponentRadio(dialog, opening->opponent);
    SetTimer(dialog, kTableTimer, static_cast<UINT>(kPanelTableDelayMs), nullptr);
    return TRUE;  // the platform puts the focus on the first control
}

INT_PTR OnDialogCommand(HWND dialog, WPARAM wParam) {
    WindowController& controller = ControllerOf(dialog);
    switch (LOWORD(wParam)) {
        case IDCANCEL:
            controller.OnPanelClose();
            return TRUE;
        case IDC_CHOOSE_OPPONENT:
            controller.OnPanelChoose(FirstCheckedRadio(dialog));
            return TRUE;
        case IDC_RESET_RECORDS:
            controller.OnPanelReset();
            return TRUE;
        default:
            return FALSE;
    }
}

}  // namespace

void CheckOpponentRadio(HWND dialog, uint8_t opponent) {
    for (int32_t i = 0; i < kRadios; ++i) {
        const WPARAM state = i == opponent ? BST_CHECKED : BST_UNCHECKED;
        SendMessageW(GetDlgItem(dialog, IDC_OPPONENT_FIRST + i), BM_SETCHECK, state, 0);
    }
}

INT_PTR CALLBACK RecordDialogProcedure(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    // A dialog whose creation fails (a control that cannot be made) is
    // destroyed before its opening message, so before the main window was
    // stored with it: nothing but the opening may use the owner until then.
    if (message != WM_INITDIALOG && StoredOwnerOf(dialog) == nullptr) {
        return FALSE;
    }
    switch (message) {
        case WM_INITDIALOG:
            return OnInitDialog(dialog, lParam);
        case WM_TIMER:
            if (wParam != kTableTimer) {
                return FALSE;
            }
            KillTimer(dialog, kTableTimer);
            ControllerOf(dialog).OnPanelTableDue();
            return TRUE;
        case WM_COMMAND:
            return OnDialogCommand(dialog, wParam);
        case WM_CLOSE:
            ControllerOf(dialog).OnPanelClose();
            return TRUE;
        case WM_DESTROY:
            StoredOwnerOf(dialog)->RecordDialogGone();
            return TRUE;
        default:
            return FALSE;
    }
}

HWND OpenRecordDialog(MainWindow& main, uint8_t opponent, const wchar_t* templateName) {
    Opening opening{&main, opponent};
    HWND dialog = CreateDialogParamW(main.instance(), templateName, main.handle(),
                                     RecordDialogProcedure, reinterpret_cast<LPARAM>(&opening));
    if (dialog != nullptr) {
        ShowWindow(dialog, SW_SHOWNORMAL);
    }
    return dialog;
}

}  // namespace koikoi
