// The guide page: its paragraphs in their boxes, the opponent's line in red,
// and nothing drawn outside the 600 x 400 page.
#include "presentation/title_page.h"

#include <gtest/gtest.h>

#include <string>

#include "tests/presentation/recording.h"

namespace koikoi::testing {
namespace {

const std::string kMiddleDot =
    "\x81"
    "E";  // ・, the bullet points' opening

Log PaintPage(uint8_t opponent) {
    Log log;
    RecordingCanvas canvas(log);
    PaintTitle(canvas, opponent);
    return log;
}

TEST(PaintTitle, WhitePageThenNineParagraphsThenTheCopyToTheWindow) {
    const Log log = PaintPage(0);
    ASSERT_EQ(log.size(), 11u);
    EXPECT_EQ(log.front().op, Op::Fill);
    EXPECT_EQ(log.front().box, (Box{0, 0, 600, 400}));
    EXPECT_EQ(log.front().colour, (Rgb{255, 255, 255}));
    EXPECT_EQ(log.back().op, Op::PresentPage);
    // The caller holds the window's context; the page takes none of its own.
    EXPECT_TRUE(CallsOf(log, Op::Acquire).empty());
    EXPECT_TRUE(CallsOf(log, Op::Present).empty());
}

TEST(PaintTitle, ParagraphsInTheirBoxesIntroductionFirstThenBulletPoints) {
    const Box boxes[] = {
        {6, 6, 580, 40},     {6, 46, 580, 80},    {6, 86, 580, 120},
        {6, 126, 580, 177},  {16, 183, 590, 217}, {16, 223, 590, 240},
        {16, 246, 590, 280}, {16, 286, 590, 320}, {16, 326, 590, 343},
    };
    const std::vector<Call> texts = CallsOf(PaintPage(0), Op::Text);
    ASSERT_EQ(texts.size(), 9u);
    for (size_t i = 0; i < texts.size(); ++i) {
        SCOPED_TRACE(::testing::Message() << "paragraph " << i + 1);
        EXPECT_EQ(texts[i].box, boxes[i]);
        EXPECT_EQ(texts[i].font, kPageFont);
        EXPECT_EQ(texts[i].layout, TextLayout::WordWrap);
        EXPECT_EQ(texts[i].colour, (i < 8 ? Rgb{0, 0, 0} : Rgb{255, 0, 0}));
        // Paragraphs 5 to 9 are the bullet points, indented to x = 16.
        EXPECT_EQ(texts[i].text.starts_with(kMiddleDot), i >= 4);
    }
    // ・ゲームは２人で行います。１人はあなた、もう１人はコンピュータです。
    EXPECT_EQ(texts[5].text,
              "\x81"
              "E\x83Q\x81[\x83\x80\x82\xCD\x82Q\x90l\x82\xC5\x8Ds\x82\xA2\x82\xDC\x82\xB7\x81"
              "B\x82P\x90l\x82\xCD"
              "\x82\xA0\x82\xC8\x82\xBD\x81"
              "A\x82\xE0\x82\xA4\x82P\x90l\x82\xCD"
              "\x83R\x83\x93\x83s\x83\x85\x81[\x83^\x82\xC5\x82\xB7\x81"
              "B");
}

TEST(PaintTitle, RedLineNamesTheChosenOpponentBetweenBlanks) {
    // ・現在設定されている対戦者は「␣青龍␣」です。
    const std::string expected =
        "\x81"
        "E\x8C\xBB\x8D\xDD\x90\xDD\x92\xE8\x82\xB3\x82\xEA\x82\xC4\x82\xA2\x82\xE9\x91\xCE\x90\xED"
        "\x8E\xD2\x82\xCD"
        "\x81u \x90\xC2\x97\xB4 \x81v\x82\xC5\x82\xB7\x81"
        "B";
    const Log log = PaintPage(1);
    const Call& line = log[log.size() - 2];
    ASSERT_EQ(line.op, Op::Text);
    EXPECT_EQ(line.text, expected);
    EXPECT_EQ(line.colour, (Rgb{255, 0, 0}));
}

TEST(PaintTitle, OnlyTheRedLineChangesWithTheOpponent) {
    const std::vector<Call> first = CallsOf(PaintPage(0), Op::Text);
    const std::string names[] = {"\x8E\xE9\x90\x9D", "\x90\xC2\x97\xB4", "\x94\x92\x8C\xD5",
                                 "\x8C\xBA\x95\x90"};
    for (uint8_t opponent = 0; opponent < 4; ++opponent) {
        const std::vector<Call> texts = CallsOf(PaintPage(opponent), Op::Text);
        ASSERT_EQ(texts.size(), 9u);
        for (size_t i = 0; i < 8; ++i)
            EXPECT_EQ(texts[i].text, first[i].text) << "opponent " << int{opponent};
        EXPECT_NE(texts[8].text.find(" " + names[opponent] + " "), std::string::npos)
            << int{opponent};
    }
    // An identifier outside the four names nobody rather than reading past the names.
    const std::vector<Call> unknown = CallsOf(PaintPage(4), Op::Text);
    ASSERT_EQ(unknown.size(), 9u);
    EXPECT_NE(unknown[8].text.find("  "), std::string::npos);
}

TEST(PaintTitle, NothingOutsideThePage) {
    for (const Call& call : PaintPage(3)) {
        if (call.op == Op::Fill || call.op == Op::Text || call.op == Op::TextBox) {
            EXPECT_GE(call.box.left, 0);
            EXPECT_GE(call.box.top, 0);
            EXPECT_LE(call.box.right, 600);
            EXPECT_LE(call.box.bottom, 400);
        }
        EXPECT_NE(call.op, Op::Copy);
        EXPECT_NE(call.op, Op::Frame);
    }
}

}  // namespace
}  // namespace koikoi::testing
