// The modeless opponent and record dialog built from MYDLG.
#pragma once

#include <windows.h>

#include <cstdint>

namespace koikoi {

class MainWindow;

// Creates the dialog owned by the main window, with `opponent`'s radio
// checked, and shows it; returns its handle, or null when the dialog could
// not be created. `templateName` is the dialog resource, MYDLG but for tests.
HWND OpenRecordDialog(MainWindow& main, uint8_t opponent, const wchar_t* templateName = L"MYDLG");

// Checks the radio of `opponent` and clears the others; an identifier no
// radio has leaves every radio clear.
void CheckOpponentRadio(HWND dialog, uint8_t opponent);

// The dialog's procedure. Until the dialog's opening message has stored the
// main window with it, it answers every other message as not handled.
INT_PTR CALLBACK RecordDialogProcedure(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

}  // namespace koikoi
