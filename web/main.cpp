// The browser edition's entry point: the layout file the page put in the
// memory file system, the generator's seed, and the window's event loop.
#include <emscripten.h>

#include <ctime>

#include "files/layout.h"
#include "game/slot_positions.h"
#include "game/texts.h"
#include "web/bridge.h"
#include "web/web_window.h"

namespace {

koikoi::web::WebWindow* g_window = nullptr;

}  // namespace

// The page's records() hook: the four rows of the record file's summary.
extern "C" EMSCRIPTEN_KEEPALIVE const void* koikoi_records_summary() {
    return g_window != nullptr ? g_window->ReadSummary() : nullptr;
}

int main() {
    using namespace koikoi;

    // The page fetched allocation.dat beside itself before starting; without
    // it the game still runs with every slot at the board's top-left corner.
    static SlotPositions positions{};
    if (!LoadLayout("/site/allocation.dat", positions)) {
        koikoi_js_ask(texts::kFileNotFound, texts::kFileCaption, 0);
    }
    // The shuffles draw from a generator seeded with the time in seconds.
    static web::WebWindow window(positions, static_cast<uint64_t>(std::time(nullptr)));
    g_window = &window;
    window.Run();
}
