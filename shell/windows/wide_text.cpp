// Conversion of the stored Shift-JIS texts to UTF-16 for the wide Windows functions.
#include "shell/windows/wide_text.h"

namespace koikoi {

namespace {
constexpr UINT kShiftJis = 932;
}

std::wstring WideFromShiftJis(const char* text) {
    if (text == nullptr || *text == '\0') {
        return std::wstring();
    }
    const int needed = MultiByteToWideChar(kShiftJis, 0, text, -1, nullptr, 0);
    if (needed <= 0) {
        return std::wstring();
    }
    std::wstring wide(static_cast<size_t>(needed), L'\0');
    MultiByteToWideChar(kShiftJis, 0, text, -1, wide.data(), needed);
    wide.resize(static_cast<size_t>(needed - 1));  // the converted terminator
    return wide;
}

int32_t ShowMessage(HWND owner, const char* text, const char* caption, UINT flags) {
    const std::wstring wideText = WideFromShiftJis(text);
    const std::wstring wideCaption = WideFromShiftJis(caption);
    return MessageBoxW(owner, wideText.c_str(), wideCaption.c_str(), flags);
}

}  // namespace koikoi
