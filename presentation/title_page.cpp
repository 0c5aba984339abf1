// The guide page: an introduction to the game, where to find the rules and
// the opponent choice, and the opponent now chosen.
#include "presentation/title_page.h"

#include "game/texts.h"
#include "presentation/board_layout.h"

namespace koikoi {
namespace {

inline constexpr Rgb kPageColour = {255, 255, 255};
inline constexpr Rgb kGuideColour = {0, 0, 0};
inline constexpr Rgb kOpponentLineColour = {255, 0, 0};

// The paragraphs' texts in the order of their boxes; the opponent's line
// is made up when painted.
inline constexpr TextId kGuide[kPageParagraphs - 1] = {
    TextId::Page1, TextId::Page2, TextId::Page3, TextId::Page4,
    TextId::Page5, TextId::Page6, TextId::Page7, TextId::Page8,
};

// The box of each paragraph in turn: fixed, or on a flowing page as high as
// the paragraph's lines, below the one before.
class Boxes {
  public:
    Boxes(Canvas& canvas, const PageGeometry& page) : canvas_(canvas), page_(page) {}

    Box Next(const char* text) {
        Box box = page_.paragraphs[index_++];
        if (!page_.flowing) return box;
        box.top = top_ < 0 ? box.top : top_;
        box.bottom = box.top + canvas_.WrappedTextHeight(box.right - box.left, kPageFont, text);
        top_ = box.bottom + page_.gap;
        return box;
    }

  private:
    Canvas& canvas_;
    const PageGeometry& page_;
    int32_t index_ = 0;
    int32_t top_ = -1;
};

}  // namespace

void PaintTitle(Canvas& canvas, uint8_t opponentId, const PageGeometry& page, Language language) {
    canvas.Fill({0, 0, page.width, page.height}, kPageColour);
    Boxes boxes(canvas, page);
    for (const TextId id : kGuide) {
        const char* paragraph = Text(language, id);
        canvas.Text(boxes.Next(paragraph), kPageFont, kGuideColour, TextLayout::WordWrap,
                    paragraph);
    }

    // The name stands between two blanks inside the brackets: the head
    // ends and the tail begins with one.
    char line[kTextBufferSize] = "";
    AppendText(line, Text(language, TextId::Page9Head));
    AppendText(line, OpponentName(opponentId, language));
    AppendText(line, Text(language, TextId::Page9Tail));
    canvas.Text(boxes.Next(line), kPageFont, kOpponentLineColour, TextLayout::WordWrap, line);

    canvas.PresentPage();
}

}  // namespace koikoi
