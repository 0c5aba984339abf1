// The modeless opponent and record dialog built from MYDLG.
#pragma once

#include <windows.h>

#include "files/records.h"

namespace koikoi {

class MainWindow;

// Creates the dialog owned by the main window and shows it; returns its handle.
HWND OpenRecordDialog(MainWindow& main);

}  // namespace koikoi
