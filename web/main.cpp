// The browser edition's entry point: the page's facts and texts, the layout
// file the page put in the memory file system, the generator's seed, and the
// window's event loop; and the hooks the page's tests read the game through.
#include <emscripten.h>

#include <ctime>
#include <string>

#include "files/records.h"
#include "game/texts.h"
#include "web/bridge.h"
#include "web/page_facts.h"
#include "web/text_places.h"
#include "web/web_window.h"

namespace {

koikoi::web::WebWindow* g_window = nullptr;

const koikoi::Table* GameTable() {
    return g_window != nullptr ? &g_window->controller().table() : nullptr;
}

}  // namespace

// The test hooks (window.koikoi): the state the page waits on, where a
// card lies and where a slot is drawn, and the record file's summary.
extern "C" {
EMSCRIPTEN_KEEPALIVE int32_t koikoi_game_state() {
    return GameTable() != nullptr ? GameTable()->GameState : 0;
}
EMSCRIPTEN_KEEPALIVE int32_t koikoi_opponent() {
    return GameTable() != nullptr ? GameTable()->OpponentId : 0;
}
// Until the window exists the page is as good as busy.
EMSCRIPTEN_KEEPALIVE int32_t koikoi_busy() {
    return g_window == nullptr || g_window->controller().Busy() ? 1 : 0;
}
EMSCRIPTEN_KEEPALIVE int32_t koikoi_card_slot(int32_t card) {
    const bool known = GameTable() != nullptr && card >= 0 && card < koikoi::kCards;
    return known ? GameTable()->CardSlots[card] : koikoi::kNoSlot;
}
// The slot's card cell as left, top, right, bottom in board pixels; all 0
// for a slot the table has not.
EMSCRIPTEN_KEEPALIVE const int32_t* koikoi_slot_box(int32_t slot) {
    static int32_t box[4];
    box[0] = box[1] = box[2] = box[3] = 0;
    if (g_window == nullptr || slot < 0 || slot >= koikoi::kSlots) return box;
    const koikoi::SlotPositions& positions = g_window->controller().positions();
    box[0] = positions.x[slot];
    box[1] = positions.y[slot];
    box[2] = positions.x[slot] + koikoi::kCardWidth;
    box[3] = positions.y[slot] + koikoi::kCardHeight;
    return box;
}
// For the browser's check that every text fits its box: the texts of a
// language with their boxes, as JSON (text_places.h).
EMSCRIPTEN_KEEPALIVE const char* koikoi_text_places(int32_t language) {
    static std::string places;
    const bool known = language >= 0 && language < koikoi::kLanguages;
    // The board's canvas measures a flowing guide page's paragraphs, in
    // the fonts of the language the page shows.
    koikoi::web::WebCanvas measure{koikoi::web::Surface::Board};
    places =
        known ? koikoi::web::TextPlaces(static_cast<koikoi::Language>(language), measure) : "[]";
    return places.c_str();
}
EMSCRIPTEN_KEEPALIVE const void* koikoi_records_summary() {
    static koikoi::RecordSummary summary[koikoi::kOpponents];
    koikoi::ReadRecordSummary(koikoi::web::kRecordPath, summary);
    return summary;
}
}

int main() {
    using namespace koikoi;

    // The page learns its facts and texts before anything is shown.
    static const std::string facts = web::PageFacts();
    koikoi_js_start(facts.c_str(), kTextNames, kShiftJisTexts, kEnglishTexts, kTextCount);

    // The shuffles draw from a generator seeded with the time in seconds.
    static web::WebWindow window(static_cast<uint64_t>(std::time(nullptr)));
    // The page fetched allocation.dat beside itself before starting; a
    // missing or damaged file is replaced by the shipped layout.
    window.controller().LoadLayout(web::kLayoutPath);
    g_window = &window;
    window.Run();
}
