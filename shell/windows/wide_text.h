// Shift-JIS texts handed to the wide Windows functions, and the message boxes built on them.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

namespace koikoi {

// The program keeps its texts as code page 932 bytes. USER32's ANSI functions
// would decode them with the system's ANSI code page, which garbles them on
// any Windows whose language is not Japanese; so they are converted from 932
// explicitly and only the wide functions see them.
std::wstring WideFromShiftJis(const char* text);

// A modal message box with Shift-JIS text and caption; returns the button
// pressed (IDYES 6, IDNO 7, IDOK 1).
int32_t ShowMessage(HWND owner, const char* text, const char* caption, UINT flags);

}  // namespace koikoi
