// The drawing interface implemented with GDI: the off-screen BoardCanvas, the
// CardSheet it copies card cells from, and the copies to the window.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

#include "presentation/canvas.h"

namespace koikoi {

// A bitmap selected into its own memory drawing context.
struct MemoryBitmap {
    HDC dc = nullptr;
    HBITMAP bitmap = nullptr;
    HGDIOBJ previous = nullptr;
};

class GdiCanvas final : public Canvas {
  public:
    GdiCanvas() = default;
    GdiCanvas(const GdiCanvas&) = delete;
    GdiCanvas& operator=(const GdiCanvas&) = delete;
    ~GdiCanvas() override { Release(); }

    // Loads the card sheet from `sheetPath` (missing: cards stay blank) and
    // creates the white 1016 x 698 canvas, both compatible with the window.
    void Create(HWND window, const wchar_t* sheetPath, int32_t viewWidth, int32_t viewHeight);
    void Release();

    // A repaint request: the whole canvas stretched when the client area is
    // wide enough, else its top-left page unscaled.
    void CopyToWindow(HDC target, int32_t clientWidth) const;

    void AcquireWindow() override;
    void ReleaseWindow() override;
    void CopyCell(int32_t sheetX, int32_t sheetY, int32_t width, int32_t height, int32_t x,
                  int32_t y) override;
    void Fill(Box box, Rgb colour) override;
    void TextBox(Box box, TextFont font, Rgb colour, const char* text) override;
    void Text(Box box, TextFont font, Rgb colour, TextLayout layout, const char* text) override;
    int32_t WrappedTextHeight(int32_t width, TextFont font, const char* text) override;
    void Frame(int32_t x, int32_t y) override;
    void Present() override;
    void PresentPage() override;

    bool SheetLoaded() const { return sheet_.bitmap != nullptr; }

  private:
    // The window's context held between AcquireWindow and ReleaseWindow, or
    // one taken for a single copy when none is held.
    class WindowDc;

    HWND window_ = nullptr;
    int32_t viewWidth_ = 0;
    int32_t viewHeight_ = 0;
    MemoryBitmap board_;  // BoardCanvas
    MemoryBitmap sheet_;  // CardSheet
    HDC heldDc_ = nullptr;
    int32_t holdDepth_ = 0;
};

// Draws the texts and fills of a painter straight onto a drawing context the
// caller holds (the record dialog's client area). It has no card sheet and no
// off-screen canvas: cell copies, frames and presents do nothing.
class DcCanvas final : public Canvas {
  public:
    explicit DcCanvas(HDC dc) : dc_(dc) {}

    void AcquireWindow() override {}
    void ReleaseWindow() override {}
    void CopyCell(int32_t, int32_t, int32_t, int32_t, int32_t, int32_t) override {}
    void Fill(Box box, Rgb colour) override;
    void TextBox(Box box, TextFont font, Rgb colour, const char* text) override;
    void Text(Box box, TextFont font, Rgb colour, TextLayout layout, const char* text) override;
    int32_t WrappedTextHeight(int32_t width, TextFont font, const char* text) override;
    void Frame(int32_t, int32_t) override {}
    void Present() override {}
    void PresentPage() override {}

  private:
    HDC dc_;
};

// A font of "MS 明朝" in the Shift-JIS character set, as every text of the
// board, the guide page and the record table uses.
HFONT CreateMinchoFont(int32_t height, int32_t weight);

// Whether an installed font family has exactly this name.
bool FontFamilyInstalled(const wchar_t* face);

// The face name the Mincho fonts are created with: "MS 明朝" if a family of
// that name is installed, else "ＭＳ 明朝" (the family's name on a Japanese
// Windows), else "MS Mincho" (its English name), else "MS 明朝" again for
// GDI to find a stand-in.
const std::wstring& MinchoFaceName();

}  // namespace koikoi
