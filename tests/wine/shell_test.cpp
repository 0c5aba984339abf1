// Checks, under Wine, the parts of the Windows program that need Windows
// itself: the font face chosen for the Mincho texts, the dialog template's
// character set, a record dialog that cannot be created, and a record file
// with the read-only attribute. Prints each failure; exit code 1 if any.
//
//   koikoi_shell_test FACE
//
// FACE is the face the Mincho fonts must be created with in this prefix:
// "first" for "MS 明朝", "english" for "MS Mincho".
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "files/file_io.h"
#include "files/records.h"
#include "game/slot_positions.h"
#include "game/texts.h"
#include "resources/resource_ids.h"
#include "shell/windows/gdi_canvas.h"
#include "shell/windows/main_window.h"
#include "shell/windows/record_dialog.h"
#include "shell/windows/wide_text.h"

namespace {

int failures = 0;

void Expect(bool ok, const char* what) {
    std::printf("%s: %s\n", ok ? "ok" : "FAIL", what);
    if (!ok) ++failures;
}

std::string Utf8(const std::wstring& wide) {
    const int size =
        WideCharToMultiByte(CP_UTF8, 0, wide.c_str(), -1, nullptr, 0, nullptr, nullptr);
    std::string bytes(static_cast<size_t>(size > 0 ? size : 1), '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide.c_str(), -1, bytes.data(), size, nullptr, nullptr);
    bytes.resize(bytes.size() - 1);
    return bytes;
}

void CheckFace(const char* expected) {
    const std::wstring wanted = std::strcmp(expected, "english") == 0 ? L"MS Mincho" : L"MS 明朝";
    const std::wstring& chosen = koikoi::MinchoFaceName();
    std::printf("chosen face: %s\n", Utf8(chosen).c_str());
    Expect(chosen == wanted, "the Mincho face is the first installed of the three names");
    // The font really made with that name is a Mincho, not a stand-in of
    // another family.
    HFONT font = koikoi::CreateMinchoFont(20, 0);
    HDC screen = GetDC(nullptr);
    HGDIOBJ previous = SelectObject(screen, font);
    wchar_t face[LF_FACESIZE] = {};
    GetTextFaceW(screen, LF_FACESIZE, face);
    SelectObject(screen, previous);
    ReleaseDC(nullptr, screen);
    DeleteObject(font);
    std::printf("font made: %s\n", Utf8(face).c_str());
}

// Skips a sz_Or_Ord field of a dialog template: none, an ordinal or a string.
const WORD* SkipNameOrOrdinal(const WORD* at) {
    if (*at == 0x0000) return at + 1;
    if (*at == 0xFFFF) return at + 2;
    while (*at != 0) ++at;
    return at + 1;
}

// The character set byte of MYDLG's font (an extended dialog template).
void CheckDialogCharset() {
    HRSRC found = FindResourceW(nullptr, L"MYDLG", MAKEINTRESOURCEW(5));  // RT_DIALOG
    Expect(found != nullptr, "MYDLG is in the resources");
    if (found == nullptr) return;
    const auto* words = static_cast<const WORD*>(LockResource(LoadResource(nullptr, found)));
    Expect(words[0] == 1 && words[1] == 0xFFFF, "MYDLG is an extended template");
    // dlgVer, signature, helpID (2), exStyle (2), style (2), cDlgItems, x, y, cx, cy.
    const WORD* at = words + 2 + 2 + 2 + 2 + 1 + 4;
    at = SkipNameOrOrdinal(at);  // menu
    at = SkipNameOrOrdinal(at);  // class
    while (*at != 0) ++at;       // title
    ++at;
    // pointsize, weight, then italic and charset as two bytes.
    const auto* bytes = reinterpret_cast<const BYTE*>(at + 2);
    std::printf("MYDLG font: %u points, weight %u, charset %u\n", at[0], at[1], bytes[1]);
    Expect(bytes[1] == DEFAULT_CHARSET, "MYDLG's font has the default character set (1)");
}

void CheckDialogCreation() {
    koikoi::MainWindow main(GetModuleHandleW(nullptr), 1);
    // Without the fix the destruction of the half-made dialog followed a
    // null owner and this process died here.
    HWND broken = koikoi::OpenRecordDialog(main, 0, L"BROKENDLG");
    Expect(broken == nullptr, "a dialog that cannot be created gives no handle, and no crash");
    Expect(main.recordDialog() == nullptr, "the main window keeps no dialog");

    // The same dialog procedure on a dialog that never had its opening
    // message: the destruction, a timer and a command are passed over
    // instead of following the owner that was never stored.
    HWND dialog = CreateDialogParamW(
        GetModuleHandleW(nullptr), L"BAREDLG", nullptr,
        [](HWND, UINT, WPARAM, LPARAM) -> INT_PTR { return FALSE; }, 0);
    Expect(dialog != nullptr, "a bare dialog");
    if (dialog == nullptr) return;
    Expect(koikoi::RecordDialogProcedure(dialog, WM_TIMER, 1, 0) == FALSE, "timer passed over");
    Expect(koikoi::RecordDialogProcedure(dialog, WM_COMMAND, IDC_RESET_RECORDS, 0) == FALSE,
           "command passed over");
    Expect(koikoi::RecordDialogProcedure(dialog, WM_DESTROY, 0, 0) == FALSE,
           "destruction before the opening passed over");
    DestroyWindow(dialog);
}

std::string ReadAll(const std::string& path) {
    std::string bytes;
    if (FILE* file = std::fopen(path.c_str(), "rb")) {
        char buffer[4096];
        size_t got;
        while ((got = std::fread(buffer, 1, sizeof buffer, file)) > 0) bytes.append(buffer, got);
        std::fclose(file);
    }
    return bytes;
}

// The read-only attribute protects the record: it is neither replaced nor
// made writable, and both writers report the failure.
void CheckReadOnlyRecords() {
    char folder[MAX_PATH];
    GetTempPathA(MAX_PATH, folder);
    const std::string path = std::string(folder) + "koikoi-readonly-result.dat";
    const std::wstring wide(path.begin(), path.end());
    SetFileAttributesW(wide.c_str(), FILE_ATTRIBUTE_NORMAL);
    DeleteFileW(wide.c_str());

    koikoi::RecordTable table;
    koikoi::ClearRecords(table);
    koikoi::AddMonthResult(table, 0, 3);
    const std::string old = koikoi::FormatRecords(table);
    koikoi::FileReplacer replacer;
    Expect(replacer.Replace(path.c_str(), old), "a record file is written");
    Expect(SetFileAttributesW(wide.c_str(), FILE_ATTRIBUTE_READONLY) != 0, "attribute set");

    Expect(koikoi::RecordMonthResult(path.c_str(), 1, 2) == koikoi::RecordStatus::WriteFailed,
           "a month on a read-only record: write failed");
    Expect(koikoi::ResetRecords(path.c_str()) == koikoi::RecordStatus::WriteFailed,
           "a reset of a read-only record: write failed");
    Expect(ReadAll(path) == old, "the read-only record is unchanged");
    const DWORD attributes = GetFileAttributesW(wide.c_str());
    Expect(attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) != 0,
           "the record is still read-only");
    const std::string temporary = koikoi::FileReplacer::TemporaryPath(path.c_str());
    Expect(GetFileAttributesA(temporary.c_str()) == INVALID_FILE_ATTRIBUTES,
           "no temporary file is left");

    SetFileAttributesW(wide.c_str(), FILE_ATTRIBUTE_NORMAL);
    Expect(koikoi::ResetRecords(path.c_str()) == koikoi::RecordStatus::Ok,
           "writable again: the reset goes through");
    DeleteFileW(wide.c_str());
}

}  // namespace

int main(int argc, char** argv) {
    CheckFace(argc > 1 ? argv[1] : "first");
    CheckDialogCharset();
    CheckDialogCreation();
    CheckReadOnlyRecords();
    std::printf("%s\n", failures == 0 ? "all checks passed" : "checks failed");
    return failures == 0 ? 0 : 1;
}
