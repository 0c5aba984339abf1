// Checks, under Wine, that the stored Shift-JIS texts reach the wide Windows
// functions intact, whatever the system's ANSI code page: the conversion is
// from code page 932 explicitly. Prints each failure; exit code 1 if any.
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "game/texts.h"
#include "shell/windows/wide_text.h"

namespace {

int failures = 0;

void Expect(bool ok, const char* what) {
    if (!ok) {
        std::printf("FAIL: %s\n", what);
        ++failures;
    }
}

// Back to code page 932, to check that nothing is lost on the way.
std::string ShiftJisFromWide(const std::wstring& wide) {
    const int size = WideCharToMultiByte(932, 0, wide.c_str(), -1, nullptr, 0, nullptr, nullptr);
    std::string bytes(static_cast<size_t>(size), '\0');
    WideCharToMultiByte(932, 0, wide.c_str(), -1, bytes.data(), size, nullptr, nullptr);
    bytes.resize(static_cast<size_t>(size - 1));
    return bytes;
}

}  // namespace

int main() {
    using koikoi::WideFromShiftJis;
    namespace texts = koikoi::texts;

    Expect(WideFromShiftJis(texts::kWindowTitle) == L"Kanemiro「来い来い」(ver1.02)", "window title");
    Expect(WideFromShiftJis(texts::kBoardFontFace) == L"MS 明朝", "font face");
    // 能 and 表 have 0x5C ('\') as their second byte, which a byte-wise
    // treatment would take for a backslash.
    Expect(WideFromShiftJis(texts::kAskReset) ==
               L"これまでの戦績をリセットします。リセット後は復元不能です。よろしいか？",
           "reset question (second byte 0x5C)");
    Expect(WideFromShiftJis(texts::kOpponentName1) == L"青龍", "opponent name");
    Expect(WideFromShiftJis(texts::kRecordHeader2) == L"３貫勝", "record header");
    Expect(WideFromShiftJis("").empty(), "empty text");
    Expect(WideFromShiftJis(nullptr).empty(), "no text");

    const char* const roundTrip[] = {texts::kPage1, texts::kPage4, texts::kPage5, texts::kPage8,
                                     texts::kHowToEnd, texts::kClosing, texts::kMsgMonthWonMiddle};
    for (const char* text : roundTrip) {
        Expect(ShiftJisFromWide(WideFromShiftJis(text)) == text, "round trip of a guide text");
    }

    std::printf("ANSI code page %u: ", GetACP());
    std::printf("%s\n", failures == 0 ? "all conversions as expected" : "conversions failed");
    return failures == 0 ? 0 : 1;
}
