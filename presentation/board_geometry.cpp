// The three board layouts: the classic board's fixed places, and the two
// phone boards built from a few named measures.
#include "presentation/board_geometry.h"

#include <algorithm>

namespace koikoi {

namespace {

// ---------------------------------------------------------------------------
// The classic board: 1016 x 698, its slots from the layout file. The human's
// panel runs down the left edge and its labels along the bottom of the
// field, the computer's down the right edge and along the top.

constexpr SidePlaces WideSide(int32_t side) {
    SidePlaces places{};
    if (side == 0) {
        for (int32_t r = 0; r < 3; ++r) {
            places.counterLabel[r] = {2, 232 + 38 * r};
            places.firstPip[r] = {12, 254 + 38 * r};
        }
        places.pipStep = 11;
        places.kanLabel = {2, 360};
        places.tokenRowStart = {8, 382};
        places.tokenDirection = +1;
        for (int32_t k = 0; k < YakuCount; ++k) places.yakuLabel[k] = {280 + 55 * k, 460};
        places.turnBox = {4, 464, 144, 484};
        places.turnColour = {209, 248, 246};
    } else {
        for (int32_t r = 0; r < 3; ++r) {
            places.counterLabel[r] = {964, 250 + 38 * r};
            places.firstPip[r] = {995, 272 + 38 * r};
        }
        places.pipStep = -11;
        places.kanLabel = {964, 378};
        places.tokenRowStart = {1008, 400};
        places.tokenDirection = -1;
        for (int32_t k = 0; k < YakuCount; ++k) places.yakuLabel[k] = {685 - 55 * k, 216};
        places.turnBox = {872, 210, 1012, 230};
        places.turnColour = {246, 216, 244};
    }
    places.tokensPerRow = 5;
    places.tokenRowStep = 22;
    return places;
}

// ---------------------------------------------------------------------------
// The phone boards. Their cards are the sheet's own 63 x 104 cells, as on
// the classic board; the boards are narrower (upright) or lower (sideways)
// so that a phone shows every card at least 44 CSS pixels wide.

constexpr int32_t kMargin = 2;
constexpr int32_t kRowGap = 8;                 // between two rows of cards
constexpr int32_t kGroupGap = 8;               // between piles of a row
constexpr int32_t kHiddenHandStep = 14;        // the computer's hand is face down: a tight fan
constexpr int32_t kPileStep = 12;              // each captured card shows its left 12 pixels
constexpr int32_t kChaffStep = 10;             // the chaff pile is the longest
constexpr int32_t kHandStep = kCardWidth + 5;  // the human's cards are tapped: never overlapping
constexpr int32_t kOverlayDx = 14;             // a capturing card lies right of its field card
constexpr int32_t kFieldStep = kCardWidth + kOverlayDx;
constexpr int32_t kCounterStep = 183;  // three counters side by side, room for 12 pips
constexpr int32_t kPipOffsetX = 54;    // the first pip right of its 50-pixel label
constexpr int32_t kPipOffsetY = 5;     // pips are 10 high beside the 20-high label
constexpr int32_t kTokenOffsetX = 54;  // the first kan token right of the kan label
constexpr int32_t kLabelStep = 55;     // combination labels are 50 wide
constexpr int32_t kStockStack = 12;    // the stock shifts a pixel every 12 cards

constexpr int32_t FanWidth(int32_t count, int32_t step) {
    return kCardWidth + step * (count - 1);
}

struct SlotBuilder {
    SlotPositions& slots;

    constexpr void Fan(SlotId first, int32_t count, int32_t x, int32_t y, int32_t step) const {
        for (int32_t i = 0; i < count; ++i) Place(first + i, x + step * i, y);
    }
    constexpr void Place(SlotId slot, int32_t x, int32_t y) const {
        slots.x[slot] = x;
        slots.y[slot] = y;
    }
    constexpr void Stock(int32_t x, int32_t y) const {
        for (int32_t i = 0; i < kStockLast - kStockFirst + 1; ++i) {
            Place(kStockFirst + i, x + i / kStockStack, y + i / kStockStack);
        }
    }
    // Overlay slot f + 24 lies right of field slot f, where it shows the
    // month of the card it was laid on.
    constexpr void Overlays() const {
        for (SlotId f = kFieldFirst; f <= kFieldLast; ++f) {
            Place(OverlaySlot(f), slots.x[f] + kOverlayDx, slots.y[f]);
        }
    }
    // A grid of field places, column by column, so that the deal's eight
    // fill its left half.
    constexpr SlotId FieldGrid(SlotId first, int32_t columns, int32_t rows, int32_t x,
                               int32_t y) const {
        SlotId slot = first;
        for (int32_t c = 0; c < columns; ++c) {
            for (int32_t r = 0; r < rows; ++r) {
                Place(slot++, x + kFieldStep * c, y + (kCardHeight + kRowGap) * r);
            }
        }
        return slot;
    }
};

// The field never holds more than 18 cards: a card is laid there only when
// no card of its month is, so beyond the dealt cards each month adds at most
// one, and a deal covers at least two months. A card is laid in the lowest
// empty field slot, so slots 178..183 are never filled; the phone boards keep
// them beyond their right edge rather than spend a row on them.
constexpr SlotId kFieldSlotsReached = 18;

constexpr void PlaceUnreachedField(const SlotBuilder& build, int32_t boardWidth, int32_t y) {
    for (SlotId f = kFieldFirst + kFieldSlotsReached; f <= kFieldLast; ++f) {
        build.Place(f, boardWidth + kRowGap + kFieldStep * (f - kFieldFirst - kFieldSlotsReached),
                    y);
    }
}

// A phone panel: three counters side by side, the kan label below them with
// tokens in rows of tokensPerRow, the combination labels in
// one row, left to right for the human and right to left for the computer.
constexpr SidePlaces PhoneSide(int32_t side, BoardPlace counters, BoardPlace kan,
                               int32_t tokensPerRow, int32_t labelsY, int32_t labelsLeft,
                               Box turnBox) {
    SidePlaces places{};
    for (int32_t r = 0; r < 3; ++r) {
        places.counterLabel[r] = {counters.x + kCounterStep * r, counters.y};
        places.firstPip[r] = {counters.x + kCounterStep * r + kPipOffsetX,
                              counters.y + kPipOffsetY};
    }
    places.pipStep = 11;
    places.kanLabel = kan;
    places.tokenRowStart = {kan.x + kTokenOffsetX, kan.y};
    places.tokenDirection = +1;
    places.tokensPerRow = tokensPerRow;
    places.tokenRowStep = 22;
    for (int32_t k = 0; k < YakuCount; ++k) {
        const int32_t step = side == 0 ? k : YakuCount - 1 - k;
        places.yakuLabel[k] = {labelsLeft + kLabelStep * step, labelsY};
    }
    places.turnBox = turnBox;
    places.turnColour = WideSide(side).turnColour;
    return places;
}

// Upright: 552 wide, so that 390 CSS pixels show a card 44.5 wide. From the
// top: the computer's hand and piles in two rows with the stock, its panel,
// three rows of field with the drawn card, the marker and the badge beside
// them, the human's panel, its piles in two rows, and its hand at the bottom.
constexpr BoardGeometry MakePortrait() {
    constexpr int32_t kWidth = 552;
    BoardGeometry g{};
    g.layout = BoardLayout::Portrait;
    g.width = kWidth;
    const SlotBuilder build{g.slots};

    const int32_t top = kMargin;
    build.Fan(kComputerHand, kHandSize, kMargin, top, kHiddenHandStep);
    const int32_t bright = kMargin + FanWidth(kHandSize, kHiddenHandStep) + kGroupGap;
    build.Fan(64, 5, bright, top, kPileStep);
    build.Fan(69, 9, bright + FanWidth(5, kPileStep) + kGroupGap, top, kPileStep);
    const int32_t right = kWidth - kMargin - kCardWidth - 5;  // the stock's column
    build.Stock(right, top);
    const int32_t inner = top + kCardHeight + kRowGap;
    build.Fan(78, 10, kMargin, inner, kPileStep);
    build.Fan(88, 24, kMargin + FanWidth(10, kPileStep) + kGroupGap, inner, kChaffStep);

    const int32_t computerLabels = inner + kCardHeight + 2;
    const int32_t computerCounters = computerLabels + 24;
    const int32_t computerKan = computerCounters + 24;
    g.sides[1] = PhoneSide(1, {kMargin, computerCounters}, {kMargin, computerKan}, 6,
                           computerLabels, kMargin, {410, computerKan, 550, computerKan + 20});
    g.fieldPrompt = {206, computerKan + 22};

    const int32_t field = computerKan + 52;
    SlotId next = build.FieldGrid(kFieldFirst, 4, 2, kMargin, field);
    next = build.FieldGrid(next, 2, 2, kMargin + 4 * kFieldStep, field);
    build.FieldGrid(next, 6, 1, kMargin, field + 2 * (kCardHeight + kRowGap));
    PlaceUnreachedField(build, kWidth, field);
    build.Overlays();
    g.monthMarker = {right + 2, field + 12};
    g.koiBadge = {right + 5, field + 54};
    build.Place(DrawnSlot, right, field + kCardHeight + kRowGap);
    g.announcement = {6, field + 144, kWidth - 6, field + 184};
    g.announcementFont = {24, false};
    g.turnLabelFont = {20, true};

    const int32_t humanCounters = field + 3 * (kCardHeight + kRowGap) + 4;
    const int32_t humanKan = humanCounters + 24;
    const int32_t humanLabels = humanKan + 46;
    g.sides[0] = PhoneSide(0, {kMargin, humanCounters}, {kMargin, humanKan}, 6, humanLabels,
                           kMargin, {410, humanKan, 550, humanKan + 20});
    g.handPrompt = {206, humanKan + 22};

    const int32_t piles = humanLabels + 28;
    build.Fan(8, 5, kMargin, piles, kPileStep);
    const int32_t animal = kMargin + FanWidth(5, kPileStep) + kGroupGap;
    build.Fan(13, 9, animal, piles, kPileStep);
    build.Fan(22, 10, animal + FanWidth(9, kPileStep) + kGroupGap, piles, kPileStep);
    const int32_t chaff = piles + kCardHeight + kRowGap;
    build.Fan(32, 24, kMargin, chaff, kChaffStep);
    const int32_t hand = chaff + kCardHeight + kRowGap;
    build.Fan(kHumanHand, kHandSize, 6, hand, kHandStep);
    g.height = hand + kCardHeight + kMargin;
    return g;
}

// Sideways: 552 high, so that 390 CSS pixels show a card 44.5 wide, and
// 1120 wide, leaving a column for the page's buttons on an 844-pixel phone.
// From the top: the computer's hand, piles, stock and drawn card; its
// panel; two rows of field with the human's piles right of them; a band
// for the marker, the badge and the field prompt; the human's hand with its
// panel beside it.
constexpr BoardGeometry MakeLandscape() {
    constexpr int32_t kWidth = 1120;
    BoardGeometry g{};
    g.layout = BoardLayout::Landscape;
    g.width = kWidth;
    const SlotBuilder build{g.slots};

    const int32_t top = kMargin;
    int32_t x = kMargin;
    build.Fan(kComputerHand, kHandSize, x, top, kHiddenHandStep);
    x += FanWidth(kHandSize, kHiddenHandStep) + kGroupGap;
    build.Fan(64, 5, x, top, kPileStep);
    x += FanWidth(5, kPileStep) + kGroupGap;
    build.Fan(69, 9, x, top, kPileStep);
    x += FanWidth(9, kPileStep) + kGroupGap;
    build.Fan(78, 10, x, top, kPileStep);
    x += FanWidth(10, kPileStep) + kGroupGap;
    build.Fan(88, 24, x, top, kChaffStep);
    x += FanWidth(24, kChaffStep) + 2 * kGroupGap;
    build.Stock(x, top);
    build.Place(DrawnSlot, x + kCardWidth + 3 * kGroupGap, top);

    // Below the stock, which stands three pixels lower than a card.
    const int32_t panel = top + kCardHeight + 6;
    g.sides[1] = PhoneSide(1, {kMargin, panel}, {kMargin, panel + 24}, 12, panel,
                           kWidth - kMargin - kLabelStep * (YakuCount - 1) - 50,
                           {420, panel + 24, 560, panel + 44});

    const int32_t field = panel + 50;
    SlotId next = build.FieldGrid(kFieldFirst, 4, 2, kMargin, field);
    next = build.FieldGrid(next, 4, 2, kMargin + 4 * kFieldStep, field);
    const int32_t lower = field + kCardHeight + kRowGap;
    const int32_t piles = kMargin + 8 * kFieldStep + 22;
    build.Fan(8, 5, piles, field, kPileStep);
    const int32_t animal = piles + FanWidth(5, kPileStep) + kGroupGap;
    build.Fan(13, 9, animal, field, kPileStep);
    build.Fan(22, 10, animal + FanWidth(9, kPileStep) + kGroupGap, field, kPileStep);
    build.Fan(32, 24, piles, lower, kChaffStep);
    const int32_t spare = piles + FanWidth(24, kChaffStep) + kGroupGap;
    build.FieldGrid(next, 2, 1, spare, lower);
    PlaceUnreachedField(build, kWidth, field);
    build.Overlays();
    g.announcement = {250, field + 88, 870, field + 128};
    g.announcementFont = {30, false};
    g.turnLabelFont = {20, true};

    const int32_t band = lower + kCardHeight + kRowGap;
    g.fieldPrompt = {kMargin, band + 8};
    g.monthMarker = {480, band + 4};
    g.koiBadge = {560, band + 9};

    const int32_t hand = band + 62;
    build.Fan(kHumanHand, kHandSize, kMargin, hand, kHandStep);
    const int32_t humanPanel = kMargin + FanWidth(kHandSize, kHandStep) + 15;
    g.sides[0] = PhoneSide(0, {humanPanel, hand}, {humanPanel, hand + 24}, 12, hand + 76,
                           humanPanel, {976, hand + 24, 1116, hand + 44});
    g.handPrompt = {humanPanel, hand + 48};
    g.height = hand + kCardHeight + kMargin;
    return g;
}

constexpr BoardGeometry kPortrait = MakePortrait();
constexpr BoardGeometry kLandscape = MakeLandscape();

}  // namespace

BoardGeometry WideGeometry(const SlotPositions& slots) {
    BoardGeometry g{};
    g.layout = BoardLayout::Wide;
    g.width = kBoardWidth;
    g.height = kBoardHeight;
    g.slots = slots;
    g.monthMarker = {476, 416};
    g.koiBadge = {476, 246};
    g.handPrompt = {4, 442};
    g.fieldPrompt = {410, 216};
    g.announcement = {206, 276, 806, 316};
    g.announcementFont = {30, false};
    g.turnLabelFont = {20, true};
    g.sides[0] = WideSide(0);
    g.sides[1] = WideSide(1);
    return g;
}

const BoardGeometry& PortraitGeometry() {
    return kPortrait;
}
const BoardGeometry& LandscapeGeometry() {
    return kLandscape;
}

const char* LayoutName(BoardLayout layout) {
    switch (layout) {
        case BoardLayout::Portrait:
            return "portrait";
        case BoardLayout::Landscape:
            return "landscape";
        case BoardLayout::Wide:
            break;
    }
    return "wide";
}

ViewFit FitGeometry(const BoardGeometry& geometry, int32_t width, int32_t height) {
    if (width <= 0 || height <= 0) return {geometry.width, geometry.height, 1.0f};
    const double scale = std::min({1.0, static_cast<double>(width) / geometry.width,
                                   static_cast<double>(height) / geometry.height});
    return {static_cast<int32_t>(geometry.width * scale),
            static_cast<int32_t>(geometry.height * scale), static_cast<float>(scale)};
}

BoardRoom RoomFor(BoardLayout layout, int32_t width, int32_t height) {
    switch (layout) {
        case BoardLayout::Portrait:
            return {width, height - kPhoneBar};
        case BoardLayout::Landscape:
            return {width - kPhoneBar, height};
        case BoardLayout::Wide:
            break;
    }
    return {width, height};
}

BoardLayout ChooseLayout(int32_t width, int32_t height) {
    // A tablet's or a desktop's page keeps the classic board.
    if (std::min(width, height) >= kPhoneShortSide) return BoardLayout::Wide;
    const auto cardWidth = [&](BoardLayout layout, int32_t boardWidth, int32_t boardHeight) {
        BoardGeometry size{};
        size.width = boardWidth;
        size.height = boardHeight;
        const BoardRoom room = RoomFor(layout, width, height);
        return kCardWidth * FitGeometry(size, room.width, room.height).scale;
    };
    const float wide = cardWidth(BoardLayout::Wide, kBoardWidth, kBoardHeight);
    if (wide >= kTouchCardWidth) return BoardLayout::Wide;
    const float portrait = cardWidth(BoardLayout::Portrait, kPortrait.width, kPortrait.height);
    const float landscape = cardWidth(BoardLayout::Landscape, kLandscape.width, kLandscape.height);
    if (wide >= portrait && wide >= landscape) return BoardLayout::Wide;
    return portrait >= landscape ? BoardLayout::Portrait : BoardLayout::Landscape;
}

}  // namespace koikoi
