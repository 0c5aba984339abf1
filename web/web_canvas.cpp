// Each canvas call is one call of the page script, which draws with the 2D
// context (site/app.js): card cells from the sheet image, fills, rounded
// text boxes, Mincho texts in their boxes and the card frame.
#include "web/web_canvas.h"

#include "web/bridge.h"

namespace koikoi::web {

namespace {

int32_t Packed(Rgb colour) {
    return static_cast<int32_t>((uint32_t{colour.r} << 16) | (uint32_t{colour.g} << 8) |
                                uint32_t{colour.b});
}

}  // namespace

void WebCanvas::CopyCell(int32_t sheetX, int32_t sheetY, int32_t width, int32_t height, int32_t x,
                         int32_t y) {
    if (surface_ != static_cast<int32_t>(Surface::Board)) return;
    koikoi_js_copy_cell(sheetX, sheetY, width, height, x, y);
}

void WebCanvas::Fill(Box box, Rgb colour) {
    koikoi_js_fill(surface_, box.left, box.top, box.right, box.bottom, Packed(colour));
}

void WebCanvas::TextBox(Box box, TextFont font, Rgb colour, const char* text) {
    // The box is filled in its colour and the text is always black.
    koikoi_js_text(surface_, box.left, box.top, box.right, box.bottom, font.size, font.bold ? 1 : 0,
                   0, static_cast<int32_t>(TextLayout::CentredLine), 1, Packed(colour), text);
}

void WebCanvas::Text(Box box, TextFont font, Rgb colour, TextLayout layout, const char* text) {
    koikoi_js_text(surface_, box.left, box.top, box.right, box.bottom, font.size, font.bold ? 1 : 0,
                   Packed(colour), static_cast<int32_t>(layout), 0, 0, text);
}

int32_t WebCanvas::WrappedTextHeight(int32_t width, TextFont font, const char* text) {
    return koikoi_js_text_height(surface_, width, font.size, font.bold ? 1 : 0, text);
}

void WebCanvas::Frame(int32_t x, int32_t y) {
    if (surface_ != static_cast<int32_t>(Surface::Board)) return;
    koikoi_js_frame(x, y);
}

void WebCanvas::Present() {
    if (surface_ == static_cast<int32_t>(Surface::Board)) koikoi_js_present(0);
}

void WebCanvas::PresentPage() {
    if (surface_ == static_cast<int32_t>(Surface::Board)) koikoi_js_present(1);
}

}  // namespace koikoi::web
