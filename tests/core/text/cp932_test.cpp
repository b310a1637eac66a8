#include "text/cp932.h"

#include <gtest/gtest.h>

namespace kelmio {
namespace {

TEST(Cp932, KnownCharactersBothWays) {
    const std::string sjis = "A\x8A\xBF\x8E\x9A\x82\xA9\xB1\x5C";  // A漢字かｱ\ (0x5C stays a backslash)
    const std::string utf8 = "A\xE6\xBC\xA2\xE5\xAD\x97\xE3\x81\x8B\xEF\xBD\xB1\\";
    EXPECT_EQ(Cp932ToUtf8(sjis), utf8);
    EXPECT_EQ(Utf8ToCp932(utf8), sjis);
    EXPECT_EQ(Cp932ToUtf16(sjis), u"A漢字かｱ\\");
    EXPECT_EQ(Utf16ToCp932(u"A漢字かｱ\\"), sjis);
}

TEST(Cp932, CharacterWithoutCp932FormBecomesQuestionMark) {
    // U+00E9 and U+1F600 have no Shift-JIS form; the text after them survives.
    const ConversionResult r = Utf8ToCp932Checked("a\xC3\xA9" "b\xF0\x9F\x98\x80" "c");
    EXPECT_EQ(r.text, "a?b?c");
    EXPECT_EQ(r.unconvertible, 2u);
    EXPECT_EQ(Utf16ToCp932(u"x\U0001F600y"), "x?y");
}

TEST(Cp932, FindsEveryCharacterThatShiftJisCannotHold) {
    // "é" (2 bytes), "😀" (4 bytes) and "한" (3 bytes) have no Shift-JIS form;
    // kanji, kana, "～", "①" and half-width kana have one.
    const std::string text = "a\xC3\xA9訳～①ｱ\xF0\x9F\x98\x80x\xED\x95\x9C";
    EXPECT_EQ(FindCharsWithoutCp932Form(text),
              (std::vector<Utf8Span>{{1, 2}, {15, 4}, {20, 3}}));
    EXPECT_TRUE(FindCharsWithoutCp932Form("訳文の行\r\n").empty());
    EXPECT_EQ(FindCharsWithoutCp932Form("\xFF!").size(), 1u);
}

TEST(Cp932, InvalidBytesNeverStopTheConversion) {
    EXPECT_EQ(Cp932ToUtf8("a\xFD" "b"), "a\xEF\xBF\xBD" "b");
    EXPECT_EQ(Cp932ToUtf8("a\x82"), "a\xEF\xBF\xBD");  // lead byte cut off at the end
    EXPECT_EQ(Utf8ToCp932("a\xE6\xBC"), "a?");           // UTF-8 sequence cut off
    EXPECT_EQ(Utf8ToCp932("\xFF\xFE" "z"), "??z");
    EXPECT_EQ(Utf16ToCp932(u"\xD800z"), "?z");           // lone surrogate
}

TEST(Cp932, Utf16LittleEndianBytes) {
    EXPECT_EQ(Utf16FromLeBytes(std::string("\x22\x6F\x57\x5B", 4)), u"漢字");
    EXPECT_EQ(Utf16FromLeBytes(std::string("A\0B", 3)), u"A");  // odd byte dropped
}

TEST(Cp932, LongTextRoundTrips) {
    std::string sjis;
    for (int i = 0; i < 20000; ++i) sjis += "\x93\xFA\x96\x7B\x8C\xEA text ";  // 日本語 text
    EXPECT_EQ(Utf8ToCp932(Cp932ToUtf8(sjis)), sjis);
}

}  // namespace
}  // namespace kelmio
