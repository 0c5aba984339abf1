// The phone layouts: every card cell, label and panel on the board and clear
// of one another where the player must see or tap them; the layout chosen
// for a phone upright and sideways, and its cards at least 44 CSS pixels
// wide; and the board painted again the same in another layout.
#include "presentation/board_geometry.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "presentation/board_layout.h"
#include "presentation/board_painter.h"
#include "tests/presentation/recording.h"

namespace koikoi::testing {
namespace {

struct Named {
    std::string what;
    Box box;
};

Box Cell(const BoardGeometry& g, SlotId slot) {
    return {g.slots.x[slot], g.slots.y[slot], g.slots.x[slot] + kCardWidth,
            g.slots.y[slot] + kCardHeight};
}
Box At(BoardPlace place, int32_t width, int32_t height) {
    return {place.x, place.y, place.x + width, place.y + height};
}
bool Overlap(Box a, Box b) {
    return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}
// The bounding box of a run of slots: a pile's fan, a hand, the stock.
Box Span(const BoardGeometry& g, SlotId first, SlotId last) {
    Box box = Cell(g, first);
    for (SlotId slot = first + 1; slot <= last; ++slot) {
        const Box cell = Cell(g, slot);
        box = {std::min(box.left, cell.left), std::min(box.top, cell.top),
               std::max(box.right, cell.right), std::max(box.bottom, cell.bottom)};
    }
    return box;
}

// Everything the player must see whole: each hand and pile, the stock, the
// field's places (with room for a laid card) and the drawn card, then the
// panels: labels, the first twelve pips of each counter, a balance of 69
// kan (the most tokens), the turn labels, the prompts, the marker, the badge.
std::vector<Named> Parts(const BoardGeometry& g) {
    std::vector<Named> parts;
    const char* side[2] = {"human", "computer"};
    for (int32_t s = 0; s < 2; ++s) {
        const SlotId base = kSideBlock * s;
        parts.push_back({std::string(side[s]) + " hand", Span(g, base, base + 7)});
        parts.push_back({std::string(side[s]) + " brights", Span(g, base + 8, base + 12)});
        parts.push_back({std::string(side[s]) + " animals", Span(g, base + 13, base + 21)});
        parts.push_back({std::string(side[s]) + " ribbons", Span(g, base + 22, base + 31)});
        parts.push_back({std::string(side[s]) + " chaff", Span(g, base + 32, base + 55)});
        const SidePlaces& p = g.sides[s];
        for (int32_t r = 0; r < 3; ++r) {
            parts.push_back({std::string(side[s]) + " counter", At(p.counterLabel[r], 50, 20)});
            const BoardPlace last = {p.firstPip[r].x + p.pipStep * 11, p.firstPip[r].y};
            parts.push_back({std::string(side[s]) + " pips",
                             {std::min(p.firstPip[r].x, last.x), last.y,
                              std::max(p.firstPip[r].x, last.x) + 8, last.y + 10}});
        }
        parts.push_back({std::string(side[s]) + " kan", At(p.kanLabel, 50, 20)});
        // 69 kan: six tens, a five and four ones, in rows of tokensPerRow.
        const int32_t tokens[] = {22, 22, 22, 22, 22, 22, 20, 16, 16, 16, 16};
        int32_t widest = 0;
        int32_t row = 0;
        for (size_t i = 0; i < std::size(tokens); ++i) {
            if (static_cast<int32_t>(i) % p.tokensPerRow == 0) row = -kTokenGap;
            row += tokens[i] + kTokenGap;
            widest = std::max(widest, row);
        }
        const int32_t rows = (11 + p.tokensPerRow - 1) / p.tokensPerRow;
        const int32_t left = p.tokenDirection > 0 ? p.tokenRowStart.x : p.tokenRowStart.x - widest;
        parts.push_back({std::string(side[s]) + " tokens",
                         {left, p.tokenRowStart.y, left + widest,
                          p.tokenRowStart.y + p.tokenRowStep * (rows - 1) + 20}});
        for (int32_t k = 0; k < YakuCount; ++k) {
            parts.push_back({std::string(side[s]) + " label", At(p.yakuLabel[k], 50, 20)});
        }
    }
    parts.push_back({"stock", Span(g, kStockFirst, kStockLast)});
    for (SlotId f = kFieldFirst; f < kFieldFirst + 18; ++f) {
        Box place = Cell(g, f);
        place.right = Cell(g, OverlaySlot(f)).right;
        parts.push_back({"field " + std::to_string(f), place});
    }
    parts.push_back({"drawn card", Cell(g, DrawnSlot)});
    parts.push_back({"human turn", g.sides[0].turnBox});
    parts.push_back({"computer turn", g.sides[1].turnBox});
    parts.push_back({"hand prompt", At(g.handPrompt, 200, 20)});
    parts.push_back({"field prompt", At(g.fieldPrompt, 200, 20)});
    parts.push_back({"month marker", At(g.monthMarker, 60, 30)});
    parts.push_back({"koi-koi badge", At(g.koiBadge, 50, 20)});
    return parts;
}

// The computer's turn label and the field prompt never show at once: the
// prompts are the human's.
bool MayShare(const std::string& a, const std::string& b) {
    return (a == "computer turn" && b.find("prompt") != std::string::npos) ||
           (b == "computer turn" && a.find("prompt") != std::string::npos);
}

TEST(PhoneLayouts, EveryPartOnTheBoardAndClearOfEveryOther) {
    for (const BoardGeometry* g : {&PortraitGeometry(), &LandscapeGeometry()}) {
        SCOPED_TRACE(LayoutName(g->layout));
        const std::vector<Named> parts = Parts(*g);
        for (size_t i = 0; i < parts.size(); ++i) {
            const Box& a = parts[i].box;
            EXPECT_TRUE(a.left >= 0 && a.top >= 0 && a.right <= g->width && a.bottom <= g->height)
                << parts[i].what << " leaves the board";
            for (size_t j = i + 1; j < parts.size(); ++j) {
                if (MayShare(parts[i].what, parts[j].what)) continue;
                EXPECT_FALSE(Overlap(a, parts[j].box)) << parts[i].what << " / " << parts[j].what;
            }
        }
        // The announcement lies over the field, inside the board.
        EXPECT_TRUE(g->announcement.left >= 0 && g->announcement.right <= g->width);
        // The field places never reached lie off the board, apart.
        for (SlotId f = kFieldFirst + 18; f <= kFieldLast; ++f) {
            EXPECT_GE(g->slots.x[f], g->width);
            EXPECT_FALSE(Overlap(Cell(*g, f), Cell(*g, f - 1)) && f > kFieldFirst + 18);
        }
    }
}

TEST(PhoneLayouts, AreChosenByTheScreenAndShowCardsAtLeast44CssPixelsWide) {
    struct Row {
        int32_t width, height;  // the page, in CSS pixels
        BoardLayout layout;
    };
    const Row rows[] = {
        {390, 844, BoardLayout::Portrait}, {844, 390, BoardLayout::Landscape},
        {360, 780, BoardLayout::Portrait}, {1200, 860, BoardLayout::Wide},
        {768, 1024, BoardLayout::Wide},    {600, 600, BoardLayout::Wide},
        {0, 0, BoardLayout::Wide},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(::testing::Message() << row.width << " x " << row.height);
        EXPECT_EQ(ChooseLayout(row.width, row.height), row.layout);
    }
    for (const BoardGeometry* g : {&PortraitGeometry(), &LandscapeGeometry()}) {
        const Row& row = rows[g->layout == BoardLayout::Portrait ? 0 : 1];
        const BoardRoom room = RoomFor(g->layout, row.width, row.height);
        const ViewFit fit = FitGeometry(*g, room.width, room.height);
        EXPECT_GE(kCardWidth * fit.scale, kTouchCardWidth) << LayoutName(g->layout);
        EXPECT_LE(fit.width, room.width);
        EXPECT_LE(fit.height, room.height);
        // Texts drawn at least 12 CSS pixels high.
        EXPECT_GE(static_cast<float>(g->announcementFont.size) * fit.scale, 12.0f);
        EXPECT_GE(static_cast<float>(g->turnLabelFont.size) * fit.scale, 12.0f);
    }
}

// A moment of a game painted step by step, then again in another layout:
// the same scene, announcement and frames, at the new layout's places.
TEST(PhoneLayouts, TheBoardShownIsPaintedAgainInAnotherLayout) {
    Table table = EmptyTable();
    table.SlotCards[0] = 5;
    table.SlotCards[160] = 6;
    const BoardGeometry wide = WideGeometry(TellingPositions());
    Log log;
    RecordingCanvas canvas(log);
    RecordingHost host(log);
    BoardShown shown;
    PaintBoard(table, wide, canvas, host, SceneTurn, 0, MsgNone, 0, kNoSlot, 0, &shown);
    PaintBoard(table, wide, canvas, host, SceneNone, 0, MsgKoiKoi, 0, 0, 0, &shown);
    PaintBoard(table, wide, canvas, host, SceneNone, 0, MsgNone, 0, 160, 0, &shown);
    ASSERT_EQ(shown.scene, SceneTurn);
    ASSERT_EQ(shown.overlayCount, 3);

    const BoardGeometry& portrait = PortraitGeometry();
    Log again;
    RecordingCanvas fresh(again);
    RepaintShown(table, portrait, fresh, shown);
    const std::vector<Call> frames = CallsOf(again, Op::Frame);
    ASSERT_EQ(frames.size(), 2u);
    EXPECT_EQ(frames[0].at, (Point{portrait.slots.x[0], portrait.slots.y[0]}));
    EXPECT_EQ(frames[1].at, (Point{portrait.slots.x[160], portrait.slots.y[160]}));
    const std::vector<Call> boxes = CallsOf(again, Op::TextBox);
    ASSERT_EQ(boxes.size(), 2u);  // the turn label, then the announcement over it
    EXPECT_EQ(boxes[1].box, portrait.announcement);
    EXPECT_EQ(CallsOf(again, Op::Present).size(), 1u);
    EXPECT_TRUE(CallsOf(again, Op::Pause).empty());

    // A scene repaint clears what was drawn over the last one.
    PaintBoard(table, wide, canvas, host, SceneCards, 0, MsgNone, 0, kNoSlot, 0, &shown);
    EXPECT_EQ(shown.overlayCount, 0);
}

}  // namespace
}  // namespace koikoi::testing
