#include "editor/text_wrap.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "core/editor/fake_print_device.h"
#include "support/sjis_literal.h"

namespace kelmio {
namespace {

using test::CFakePrintDevice;
using test::Sj;
using ::testing::ElementsAre;
using ::testing::IsEmpty;

// Ten single-byte characters wide, `lines` lines high.
CPrintRect Box(int chars, int lines) {
    return {0, 0, chars * CFakePrintDevice::kCharWidth, lines * CFakePrintDevice::kLineHeight};
}

std::vector<std::string> Wrap(std::string_view text, int chars, int lines = 20, int tabSize = 8) {
    CFakePrintDevice device;
    WrapTextIntoRect(device, text, 0, Box(chars, lines), tabSize, CWrapMode::kDraw);
    return device.DrawnTexts();
}

TEST(WrapTextIntoRect, BreaksBeforeTheLastWhiteSpaceThatFitsAndSkipsSpaceAfterIt) {
    EXPECT_THAT(Wrap("aaaa bbbb cccc", 10), ElementsAre("aaaa bbbb", "cccc"));
    // The white space right at the fit point counts; the run after it is skipped.
    EXPECT_THAT(Wrap("aaaa bbbbb   cc", 10), ElementsAre("aaaa bbbbb", "cc"));
    // White space right after the line start may end a one-letter line.
    EXPECT_THAT(Wrap("a bbbbbbbbbbbb", 10), ElementsAre("a", "bbbbbbbbbb", "bb"));
    // A text that fits keeps its own spaces.
    EXPECT_THAT(Wrap("  ab  ", 10), ElementsAre("  ab  "));
}

TEST(WrapTextIntoRect, WordWiderThanTheLineBreaksAtTheLastWholeCharacter) {
    EXPECT_THAT(Wrap("abcdefghijklmno", 10), ElementsAre("abcdefghij", "klmno"));
    // Double-byte characters are 20 wide, though the estimate counts them 10.
    EXPECT_THAT(Wrap(Sj("あいうえおかき"), 5), ElementsAre(Sj("あい"), Sj("うえ"), Sj("おか"), Sj("き")));
    EXPECT_THAT(Wrap(Sj("aあいう"), 4), ElementsAre(Sj("aあ"), Sj("いう")));
    // Trail bytes 0x5C and 0x40 are halves of characters, never break points.
    EXPECT_THAT(Wrap(Sj("ソ\\ソ@表"), 3), ElementsAre(Sj("ソ\\"), Sj("ソ@"), Sj("表")));
}

TEST(WrapTextIntoRect, RectangleNarrowerThanOneCharacterStillTakesOneCharacterALine) {
    CFakePrintDevice device;
    const CPrintRect narrow{0, 0, 5, 100};
    const CWrapResult result = WrapTextIntoRect(device, Sj("aあ"), 0, narrow, 8, CWrapMode::kDraw);
    EXPECT_THAT(device.DrawnTexts(), ElementsAre("a", Sj("あ")));
    EXPECT_EQ(result.nEnd, 3u);
}

TEST(WrapTextIntoRect, EachLineEndEndsOneLineAndEmptyLinesAdvance) {
    for (const std::string_view text : {"a\r\n\r\nb", "a\r\rb", "a\n\nb", "a\r\r\nb"}) {
        CFakePrintDevice device;
        const CWrapResult result = WrapTextIntoRect(device, text, 0, Box(10, 10), 8, CWrapMode::kDraw);
        EXPECT_THAT(device.m_arrDrawn, ElementsAre(test::CDrawnLine{0, 0, "a", 20}, test::CDrawnLine{0, 24, "b", 20}))
            << "for " << ::testing::PrintToString(text);
        EXPECT_EQ(result.nEnd, text.size());
        EXPECT_EQ(result.nBottom, 36);
    }
    // A space before a line end never swallows the line end with it.
    EXPECT_THAT(Wrap("aaaaaaaaaa  \r\n\r\nb", 10), ElementsAre("aaaaaaaaaa", "b"));
    // A lead byte just before CR is broken, not the first half of the CR.
    EXPECT_THAT(Wrap("a\x82\r\nb", 10), ElementsAre("a\x82", "b"));
}

TEST(WrapTextIntoRect, TabsAdvanceToStopsFromTheEditorTabSize) {
    EXPECT_EQ(PrintTabStop(80, 16), 40);
    EXPECT_EQ(PrintTabStop(80, 4), 10);
    EXPECT_EQ(PrintTabStop(7, 4), 1);  // rounds down to nothing: still a stop
    EXPECT_EQ(PrintTabStop(80, 0), 1);
    EXPECT_EQ(PrintTabStop(80, -4), 1);

    // Stops every 40: "a\tb\tc" is 90 wide, the next tab would reach 120.
    CFakePrintDevice device;
    WrapTextIntoRect(device, "a\tb\tc\td", 0, {30, 0, 130, 100}, 16, CWrapMode::kDraw);
    EXPECT_THAT(device.m_arrDrawn,
                ElementsAre(test::CDrawnLine{30, 0, "a\tb\tc", 40}, test::CDrawnLine{30, 12, "d", 40}));
}

TEST(WrapTextIntoRect, StopsBeforeALineThatWouldEndBelowTheBottom) {
    CFakePrintDevice device;
    const std::string text = "one two three four five six";
    const CPrintRect rect{0, 100, 90, 100 + 2 * 12 + 11};  // room for two lines, not three
    const CWrapResult result = WrapTextIntoRect(device, text, 0, rect, 8, CWrapMode::kDraw);
    EXPECT_THAT(device.DrawnTexts(), ElementsAre("one two", "three"));
    EXPECT_EQ(result.nEnd, text.find("four"));
    EXPECT_EQ(result.nBottom, 124);
    EXPECT_THAT(device.m_arrClips, ElementsAre(rect));
    EXPECT_EQ(device.m_nClearedClips, 1);

    // Laid out again from there, the rest follows at the exact byte.
    CFakePrintDevice next;
    EXPECT_EQ(WrapTextIntoRect(next, text, result.nEnd, rect, 8, CWrapMode::kDraw).nEnd, text.size());
    EXPECT_THAT(next.DrawnTexts(), ElementsAre("four five", "six"));
}

TEST(WrapTextIntoRect, MeasuringLaysOutAlikeWithoutDrawing) {
    const std::string text = Sj("日本語のテキスト、 and some words\r\n\r\nmore text here\tand there");
    for (const CPrintRect& rect : {Box(7, 3), Box(12, 2), Box(3, 9)}) {
        CFakePrintDevice drawing;
        CFakePrintDevice measuring;
        const CWrapResult drawn = WrapTextIntoRect(drawing, text, 2, rect, 8, CWrapMode::kDraw);
        const CWrapResult measured = WrapTextIntoRect(measuring, text, 2, rect, 8, CWrapMode::kMeasure);
        EXPECT_EQ(drawn.nEnd, measured.nEnd);
        EXPECT_EQ(drawn.nBottom, measured.nBottom);
        EXPECT_FALSE(drawing.m_arrDrawn.empty());
        EXPECT_THAT(measuring.m_arrDrawn, IsEmpty());
        EXPECT_THAT(measuring.m_arrClips, IsEmpty());
    }
}

TEST(WrapTextIntoRect, NothingToDrawOrNoRoom) {
    CFakePrintDevice device;
    const CWrapResult atEnd = WrapTextIntoRect(device, "abc", 3, Box(10, 2), 8, CWrapMode::kDraw);
    EXPECT_EQ(atEnd.nEnd, 3u);
    EXPECT_EQ(atEnd.nBottom, 24);
    EXPECT_EQ(WrapTextIntoRect(device, "abc", 9, Box(10, 2), 8, CWrapMode::kDraw).nEnd, 3u);

    // A rectangle turned inside out by the margins shows nothing, but one
    // line is still used up so that the pages move on.
    const CWrapResult inverted = WrapTextIntoRect(device, "ab cd", 0, {50, 50, 40, 40}, 8, CWrapMode::kDraw);
    EXPECT_EQ(inverted.nEnd, 1u);
    EXPECT_THAT(device.m_arrDrawn, IsEmpty());
    EXPECT_THAT(device.m_arrClips, IsEmpty());
}

TEST(WrapTextIntoRect, LongJapaneseLineNeedsFewMeasures) {
    // The estimate counts double-byte characters at half their width; the
    // correction must not measure once per character it steps back over.
    std::string text;
    for (int i = 0; i < 100; ++i) text += Sj("漢");
    CFakePrintDevice device;
    const CWrapResult result = WrapTextIntoRect(device, text, 0, Box(100, 1), 8, CWrapMode::kMeasure);
    EXPECT_EQ(result.nEnd, 100u);  // fifty characters of twenty
    EXPECT_LT(device.m_nMeasures, 12);
}

}  // namespace
}  // namespace kelmio
