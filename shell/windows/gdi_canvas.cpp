// GDI drawing for the board and the guide page. Every pen, brush and font is
// created for one drawing step, selected, used, put back and deleted.
#include "shell/windows/gdi_canvas.h"

#include <string>

#include "game/slot_positions.h"
#include "game/texts.h"
#include "presentation/board_layout.h"
#include "presentation/title_page.h"
#include "presentation/window_rules.h"
#include "shell/windows/wide_text.h"

namespace koikoi {

namespace {

constexpr COLORREF kFrameColour = RGB(0, 255, 255);
constexpr int32_t kFrameWidth = 3;
constexpr int32_t kCornerEllipse = 10;

COLORREF ToColorref(Rgb colour) {
    return RGB(colour.r, colour.g, colour.b);
}

RECT ToRect(Box box) {
    return RECT{box.left, box.top, box.right, box.bottom};
}

HFONT CreateFontFor(TextFont font) {
    return CreateMinchoFont(font.size, font.bold ? FW_BOLD : 0);
}

UINT DrawFlagsFor(TextLayout layout) {
    // No single-line flag for the centred boxes: the text starts at the box's
    // top edge and is clipped to it, as the board's labels are laid out.
    return layout == TextLayout::WordWrap ? UINT{DT_WORDBREAK} : UINT{DT_CENTER | DT_VCENTER};
}

void DrawShiftJis(HDC dc, const char* text, Box box, UINT flags) {
    const std::wstring wide = WideFromShiftJis(text);
    RECT rect = ToRect(box);
    DrawTextW(dc, wide.c_str(), -1, &rect, flags);
}

void ReleaseMemoryBitmap(MemoryBitmap& memory) {
    if (memory.dc != nullptr) {
        if (memory.previous != nullptr) {
            SelectObject(memory.dc, memory.previous);
        }
        DeleteDC(memory.dc);
    }
    if (memory.bitmap != nullptr) {
        DeleteObject(memory.bitmap);
    }
    memory = MemoryBitmap{};
}

void FillOn(HDC dc, Box box, Rgb colour) {
    HBRUSH brush = CreateSolidBrush(ToColorref(colour));
    HGDIOBJ previous = SelectObject(dc, brush);
    PatBlt(dc, box.left, box.top, box.right - box.left, box.bottom - box.top, PATCOPY);
    SelectObject(dc, previous);
    DeleteObject(brush);
}

void TextBoxOn(HDC dc, Box box, TextFont font, Rgb colour, const char* text) {
    HBRUSH brush = CreateSolidBrush(ToColorref(colour));
    HPEN pen = CreatePen(PS_SOLID, 0, ToColorref(colour));
    HFONT textFont = CreateFontFor(font);
    HGDIOBJ previousBrush = SelectObject(dc, brush);
    HGDIOBJ previousPen = SelectObject(dc, pen);
    HGDIOBJ previousFont = SelectObject(dc, textFont);

    RoundRect(dc, box.left, box.top, box.right, box.bottom, kCornerEllipse, kCornerEllipse);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, RGB(0, 0, 0));
    DrawShiftJis(dc, text, box, DT_CENTER | DT_VCENTER);

    SelectObject(dc, previousFont);
    SelectObject(dc, previousPen);
    SelectObject(dc, previousBrush);
    DeleteObject(textFont);
    DeleteObject(pen);
    DeleteObject(brush);
}

void TextOn(HDC dc, Box box, TextFont font, Rgb colour, TextLayout layout, const char* text) {
    HFONT textFont = CreateFontFor(font);
    HGDIOBJ previousFont = SelectObject(dc, textFont);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, ToColorref(colour));
    DrawShiftJis(dc, text, box, DrawFlagsFor(layout));
    SelectObject(dc, previousFont);
    DeleteObject(textFont);
}

// DrawText measures the box it would fill instead of drawing.
int32_t WrappedHeightOn(HDC dc, int32_t width, TextFont font, const char* text) {
    HFONT textFont = CreateFontFor(font);
    HGDIOBJ previousFont = SelectObject(dc, textFont);
    const std::wstring wide = WideFromShiftJis(text);
    RECT rect{0, 0, width, 0};
    DrawTextW(dc, wide.c_str(), -1, &rect, DT_WORDBREAK | DT_CALCRECT);
    SelectObject(dc, previousFont);
    DeleteObject(textFont);
    return static_cast<int32_t>(rect.bottom - rect.top);
}

int CALLBACK NoteFamily(const LOGFONTW* font, const TEXTMETRICW*, DWORD, LPARAM found) {
    // The enumeration may offer a family by another of its names; only the
    // name asked for counts as installed under that name.
    auto* wanted = reinterpret_cast<std::pair<const wchar_t*, bool>*>(found);
    if (lstrcmpiW(font->lfFaceName, wanted->first) == 0) {
        wanted->second = true;
        return 0;  // enough
    }
    return 1;
}

}  // namespace

bool FontFamilyInstalled(const wchar_t* face) {
    LOGFONTW wanted{};
    wanted.lfCharSet = DEFAULT_CHARSET;
    lstrcpynW(wanted.lfFaceName, face, LF_FACESIZE);
    std::pair<const wchar_t*, bool> found{face, false};
    HDC screen = GetDC(nullptr);
    EnumFontFamiliesExW(screen, &wanted, NoteFamily, reinterpret_cast<LPARAM>(&found), 0);
    ReleaseDC(nullptr, screen);
    return found.second;
}

const std::wstring& MinchoFaceName() {
    // Asked once: the installed fonts do not change while the game runs, and
    // every text of every painting needs the name. The names are converted
    // from the stored Shift-JIS bytes, so the font is found whatever the
    // system's ANSI code page is.
    static const std::wstring chosen = [] {
        const char* const names[] = {texts::kBoardFontFace, texts::kBoardFontFaceWindows,
                                     texts::kBoardFontFaceEnglish};
        for (const char* name : names) {
            std::wstring face = WideFromShiftJis(name);
            if (FontFamilyInstalled(face.c_str())) return face;
        }
        // None installed: GDI picks a font of the character set for the first.
        return WideFromShiftJis(texts::kBoardFontFace);
    }();
    return chosen;
}

HFONT CreateMinchoFont(int32_t height, int32_t weight) {
    const std::wstring& face = MinchoFaceName();
    return CreateFontW(height, 0, 0, 0, weight, FALSE, FALSE, FALSE, SHIFTJIS_CHARSET,
                       OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                       DEFAULT_PITCH | FF_DONTCARE, face.c_str());
}

class GdiCanvas::WindowDc {
  public:
    explicit WindowDc(const GdiCanvas& canvas)
        : window_(canvas.window_),
          dc_(canvas.heldDc_ != nullptr ? canvas.heldDc_ : GetDC(canvas.window_)),
          owned_(canvas.heldDc_ == nullptr) {}
    WindowDc(const WindowDc&) = delete;
    WindowDc& operator=(const WindowDc&) = delete;
    ~WindowDc() {
        if (owned_ && dc_ != nullptr) {
            ReleaseDC(window_, dc_);
        }
    }
    HDC get() const { return dc_; }

  private:
    HWND window_;
    HDC dc_;
    bool owned_;
};

void GdiCanvas::Create(HWND window, const wchar_t* sheetPath, int32_t viewWidth,
                       int32_t viewHeight) {
    Release();
    window_ = window;
    viewWidth_ = viewWidth;
    viewHeight_ = viewHeight;
    HDC windowDc = GetDC(window);

    // A missing or unreadable sheet is passed over: the cards stay blank.
    sheet_.bitmap = static_cast<HBITMAP>(
        LoadImageW(nullptr, sheetPath, IMAGE_BITMAP, kSheetWidth, kSheetHeight, LR_LOADFROMFILE));
    sheet_.dc = CreateCompatibleDC(windowDc);
    if (sheet_.bitmap != nullptr) {
        sheet_.previous = SelectObject(sheet_.dc, sheet_.bitmap);
    }

    board_.bitmap = CreateCompatibleBitmap(windowDc, kBoardWidth, kBoardHeight);
    board_.dc = CreateCompatibleDC(windowDc);
    board_.previous = SelectObject(board_.dc, board_.bitmap);
    PatBlt(board_.dc, 0, 0, kBoardWidth, kBoardHeight, WHITENESS);

    ReleaseDC(window, windowDc);
}

void GdiCanvas::Release() {
    if (heldDc_ != nullptr) {
        ReleaseDC(window_, heldDc_);
        heldDc_ = nullptr;
        holdDepth_ = 0;
    }
    ReleaseMemoryBitmap(board_);
    ReleaseMemoryBitmap(sheet_);
}

void GdiCanvas::CopyToWindow(HDC target, int32_t clientWidth) const {
    if (board_.dc == nullptr) {
        return;
    }
    if (PaintCopyFor(clientWidth) == PaintCopy::WholeBoardStretched) {
        StretchBlt(target, 0, 0, viewWidth_, viewHeight_, board_.dc, 0, 0, kBoardWidth,
                   kBoardHeight, SRCCOPY);
    } else {
        BitBlt(target, 0, 0, kPageWidth, kPageHeight, board_.dc, 0, 0, SRCCOPY);
    }
}

void GdiCanvas::AcquireWindow() {
    // Nested holds share one context; only the outermost release lets it go.
    if (holdDepth_++ == 0) {
        heldDc_ = GetDC(window_);
    }
}

void GdiCanvas::ReleaseWindow() {
    if (holdDepth_ > 0 && --holdDepth_ == 0) {
        ReleaseDC(window_, heldDc_);
        heldDc_ = nullptr;
    }
}

void GdiCanvas::CopyCell(int32_t sheetX, int32_t sheetY, int32_t width, int32_t height, int32_t x,
                         int32_t y) {
    if (sheet_.bitmap == nullptr) {
        return;
    }
    BitBlt(board_.dc, x, y, width, height, sheet_.dc, sheetX, sheetY, SRCCOPY);
}

void GdiCanvas::Fill(Box box, Rgb colour) {
    FillOn(board_.dc, box, colour);
}

void GdiCanvas::TextBox(Box box, TextFont font, Rgb colour, const char* text) {
    TextBoxOn(board_.dc, box, font, colour, text);
}

void GdiCanvas::Text(Box box, TextFont font, Rgb colour, TextLayout layout, const char* text) {
    TextOn(board_.dc, box, font, colour, layout, text);
}

int32_t GdiCanvas::WrappedTextHeight(int32_t width, TextFont font, const char* text) {
    return WrappedHeightOn(board_.dc, width, font, text);
}

void GdiCanvas::Frame(int32_t x, int32_t y) {
    HPEN pen = CreatePen(PS_SOLID, kFrameWidth, kFrameColour);
    HGDIOBJ previous = SelectObject(board_.dc, pen);
    const int32_t right = x + kCardWidth - 1;
    const int32_t bottom = y + kCardHeight - 1;
    MoveToEx(board_.dc, x, y, nullptr);
    LineTo(board_.dc, right, y);
    LineTo(board_.dc, right, bottom);
    LineTo(board_.dc, x, bottom);
    LineTo(board_.dc, x, y);
    SelectObject(board_.dc, previous);
    DeleteObject(pen);
}

void GdiCanvas::Present() {
    const WindowDc target(*this);
    StretchBlt(target.get(), 0, 0, viewWidth_, viewHeight_, board_.dc, 0, 0, kBoardWidth,
               kBoardHeight, SRCCOPY);
}

void DcCanvas::Fill(Box box, Rgb colour) {
    FillOn(dc_, box, colour);
}

void DcCanvas::TextBox(Box box, TextFont font, Rgb colour, const char* text) {
    TextBoxOn(dc_, box, font, colour, text);
}

void DcCanvas::Text(Box box, TextFont font, Rgb colour, TextLayout layout, const char* text) {
    TextOn(dc_, box, font, colour, layout, text);
}

int32_t DcCanvas::WrappedTextHeight(int32_t width, TextFont font, const char* text) {
    return WrappedHeightOn(dc_, width, font, text);
}

void GdiCanvas::PresentPage() {
    const WindowDc target(*this);
    BitBlt(target.get(), 0, 0, kPageWidth, kPageHeight, board_.dc, 0, 0, SRCCOPY);
}

}  // namespace koikoi
