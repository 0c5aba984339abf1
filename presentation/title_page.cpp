// The guide page: an introduction to the game, where to find the rules and
// the opponent choice, and the opponent now chosen.
#include "presentation/title_page.h"

#include "game/texts.h"
#include "presentation/board_layout.h"

namespace koikoi {
namespace {

inline constexpr Box kPage = {0, 0, kPageWidth, kPageHeight};
inline constexpr Rgb kPageColour = {255, 255, 255};
inline constexpr Rgb kGuideColour = {0, 0, 0};
inline constexpr Rgb kOpponentLineColour = {255, 0, 0};

struct Paragraph {
    Box box;
    const char* text;
};

// The introduction runs from x = 6 to 580, the bullet points (each opening
// with a middle dot) from x = 16 to 590.
inline constexpr Paragraph kGuide[] = {
    {{6, 6, 580, 40}, texts::kPage1},     {{6, 46, 580, 80}, texts::kPage2},
    {{6, 86, 580, 120}, texts::kPage3},   {{6, 126, 580, 177}, texts::kPage4},
    {{16, 183, 590, 217}, texts::kPage5}, {{16, 223, 590, 240}, texts::kPage6},
    {{16, 246, 590, 280}, texts::kPage7}, {{16, 286, 590, 320}, texts::kPage8},
};
inline constexpr Box kOpponentLineBox = {16, 326, 590, 343};

}  // namespace

void PaintTitle(Canvas& canvas, uint8_t opponentId) {
    canvas.Fill(kPage, kPageColour);
    for (const Paragraph& paragraph : kGuide) {
        canvas.Text(paragraph.box, kPageFont, kGuideColour, TextLayout::WordWrap,
                    paragraph.text);
    }

    // The name stands between two blanks inside the brackets: the head
    // ends and the tail begins with one.
    char line[kTextBufferSize] = "";
    AppendText(line, texts::kPage9Head);
    AppendText(line, OpponentName(opponentId));
    AppendText(line, texts::kPage9Tail);
    canvas.Text(kOpponentLineBox, kPageFont, kOpponentLineColour, TextLayout::WordWrap, line);

    canvas.PresentPage();
}

}  // namespace koikoi
