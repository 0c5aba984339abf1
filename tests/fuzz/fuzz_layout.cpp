// Fuzz target: the layout file parser and the bounded reader in front of it.
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "files/file_io.h"
#include "files/layout.h"

namespace {

void Require(bool condition) {
    if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace koikoi;
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);

    SlotPositions whole;
    const bool wholeComplete = ParseLayout(bytes, whole);
    // Three characters hold no more than 999 and no less than -99.
    for (SlotId slot = 0; slot < kSlots; ++slot) {
        Require(whole.x[slot] >= -99 && whole.x[slot] <= 999);
        Require(whole.y[slot] >= -99 && whole.y[slot] <= 999);
    }
    Require(whole.x[DrawnSlot] == kDrawnSlotX && whole.y[DrawnSlot] == kDrawnSlotY);

    // What the file reader keeps, fed in two pieces, parses the same.
    LinePrefixCollector collector(kLayoutLines, kLayoutUsedColumns + 1);
    const size_t split = size == 0 ? 0 : data[0] % (size + 1);
    collector.Feed(bytes.substr(0, split));
    collector.Feed(bytes.substr(split));
    Require(collector.Text().size() <= kLayoutLines * (kLayoutUsedColumns + 2));
    SlotPositions kept;
    // And it reads completely exactly when the whole file does.
    Require(ParseLayout(collector.Text(), kept) == wholeComplete);
    for (SlotId slot = 0; slot < kSlots; ++slot) {
        Require(kept.x[slot] == whole.x[slot] && kept.y[slot] == whole.y[slot]);
    }
    return 0;
}
