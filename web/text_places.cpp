#include "web/text_places.h"

#include <cstdio>
#include <set>
#include <tuple>

#include "game/host.h"
#include "game/table.h"
#include "opponents/roster.h"
#include "presentation/board_geometry.h"
#include "presentation/board_painter.h"
#include "presentation/record_table.h"
#include "presentation/title_page.h"

namespace koikoi::web {

namespace {

struct Place {
    std::string text;
    Box box;
    TextFont font;
    bool wrap;
    const char* where;
    int32_t width, height;  // of the surface the text is drawn on
    auto Key() const {
        return std::tie(text, box.left, box.top, box.right, box.bottom, font.size, font.bold, wrap);
    }
    bool operator<(const Place& other) const { return Key() < other.Key(); }
};

// Draws nothing; keeps every text with its box.
class PlaceCanvas final : public Canvas {
  public:
    PlaceCanvas(std::set<Place>& places, Canvas& measure) : places_(places), measure_(measure) {}
    void SetWhere(const char* where, int32_t width, int32_t height) {
        where_ = where;
        width_ = width;
        height_ = height;
    }

    void AcquireWindow() override {}
    void ReleaseWindow() override {}
    void CopyCell(int32_t, int32_t, int32_t, int32_t, int32_t, int32_t) override {}
    void Fill(Box, Rgb) override {}
    void TextBox(Box box, TextFont font, Rgb, const char* text) override {
        Keep(box, font, false, text);
    }
    void Text(Box box, TextFont font, Rgb, TextLayout layout, const char* text) override {
        Keep(box, font, layout == TextLayout::WordWrap, text);
    }
    // A flowing guide page places its paragraphs by the page's own measure.
    int32_t WrappedTextHeight(int32_t width, TextFont font, const char* text) override {
        return measure_.WrappedTextHeight(width, font, text);
    }
    void Frame(int32_t, int32_t) override {}
    void Present() override {}
    void PresentPage() override {}

  private:
    void Keep(Box box, TextFont font, bool wrap, const char* text) {
        if (text[0] != '\0') places_.insert({text, box, font, wrap, where_, width_, height_});
    }
    std::set<Place>& places_;
    Canvas& measure_;
    const char* where_ = "";
    int32_t width_ = 0, height_ = 0;
};

void AppendJsonString(std::string& out, const std::string& text) {
    out += '"';
    for (const char c : text) {
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (static_cast<unsigned char>(c) < 0x20) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\u%04x", c);
            out += escaped;
        } else {
            out += c;
        }
    }
    out += '"';
}

// A table on which every label of the board shows: every combination made
// by both sides, a koi-koi called by `caller`.
Table LabelledTable(int32_t month, int32_t side, int32_t opponent, int32_t caller) {
    Table table{};
    table.MonthNumber = static_cast<int8_t>(month);
    table.CurrentSide = static_cast<int8_t>(side);
    table.OpponentId = static_cast<uint8_t>(opponent);
    for (int32_t s = 0; s < 2; ++s) {
        for (int32_t yaku = 0; yaku < YakuCount; ++yaku) table.YakuScore[s][yaku] = 1;
    }
    table.KoiCalled[caller] = 1;
    return table;
}

void PaintBoards(PlaceCanvas& canvas, Language language) {
    SilentHost host;
    const BoardGeometry wide = WideGeometry(SlotPositions{});
    const BoardGeometry* layouts[] = {&wide, &PortraitGeometry(), &LandscapeGeometry()};
    for (const BoardGeometry* geometry : layouts) {
        canvas.SetWhere(LayoutName(geometry->layout), geometry->width, geometry->height);
        for (int32_t opponent = 0; opponent < kOpponents; ++opponent) {
            for (int32_t side = 0; side < 2; ++side) {
                for (int32_t month = 1; month <= kMonths; ++month) {
                    const Table table = LabelledTable(month, side, opponent, side);
                    for (const int32_t scene : {SceneHandPrompt, SceneFieldPrompt}) {
                        PaintBoard(table, *geometry, canvas, host, scene, 0, MsgNone, 0, kNoSlot, 0,
                                   nullptr, language);
                    }
                }
                const Table table = LabelledTable(1, side, opponent, side);
                for (int32_t message = MsgNewYear; message <= MsgKoiKoi; ++message) {
                    // The most kan a month can win, and more, for the month's result.
                    for (const int32_t amount : {1, 36}) {
                        PaintBoard(table, *geometry, canvas, host, SceneNone, 0, message, amount,
                                   kNoSlot, 0, nullptr, language);
                    }
                }
            }
        }
    }
}

void PaintPagesAndTables(PlaceCanvas& canvas, Language language) {
    for (const PageGeometry* page : {&kWidePage, &kNarrowPage}) {
        canvas.SetWhere(page == &kWidePage ? "guide page" : "narrow guide page", page->width,
                        page->height);
        for (int32_t opponent = 0; opponent < kOpponents; ++opponent) {
            PaintTitle(canvas, static_cast<uint8_t>(opponent), *page, language);
        }
    }
    RecordSummary summary[kOpponents] = {};
    for (RecordSummary& row : summary) {
        row.months = 99999;
        row.average = -3.0f;
        for (int32_t& count : row.counts) count = 99999;
    }
    for (const RecordTableShape shape :
         {RecordTableShape::RowPerOpponent, RecordTableShape::ColumnPerOpponent}) {
        const RecordTableSize size = RecordTableSizeOf(shape);
        canvas.SetWhere("record table", size.width, size.height);
        PaintRecordTable(canvas, summary, shape, language);
    }
}

}  // namespace

std::string TextPlaces(Language language, Canvas& measure) {
    std::set<Place> places;
    PlaceCanvas canvas(places, measure);
    PaintBoards(canvas, language);
    PaintPagesAndTables(canvas, language);

    std::string json = "[";
    for (const Place& place : places) {
        if (json.size() > 1) json += ',';
        json += "{\"text\":";
        AppendJsonString(json, place.text);
        char rest[192];
        std::snprintf(rest, sizeof rest,
                      ",\"box\":[%d,%d,%d,%d],\"size\":%d,\"bold\":%s,\"wrap\":%s,\"where\":\"%s\","
                      "\"within\":[%d,%d]}",
                      place.box.left, place.box.top, place.box.right, place.box.bottom,
                      place.font.size, place.font.bold ? "true" : "false",
                      place.wrap ? "true" : "false", place.where, place.width, place.height);
        json += rest;
    }
    json += ']';
    return json;
}

}  // namespace koikoi::web
