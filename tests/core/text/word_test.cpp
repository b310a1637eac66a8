#include "text/word.h"

#include <gtest/gtest.h>

#include "support/sjis_literal.h"

namespace kelmio {
namespace {

using test::Sj;

TEST(GetWordAt, KanjiKanaBoundaries) {
    const std::string text = Sj("漢字かなカナ");
    EXPECT_EQ(GetWordAt(text, 0), Sj("漢字"));
    EXPECT_EQ(GetWordAt(text, 2), Sj("漢字"));
    EXPECT_EQ(GetWordAt(text, 4), Sj("漢字"));
    EXPECT_EQ(GetWordAt(text, 5), Sj("かな"));
    EXPECT_EQ(GetWordAt(text, 12), Sj("カナ"));
}

TEST(GetWordAt, LettersAndDigits) {
    EXPECT_EQ(GetWordAt("abc123", 3), "abc");
    EXPECT_EQ(GetWordAt("abc123", 4), "123");
}

TEST(GetWordAt, ProlongedSoundMarkSplitsKatakana) {
    const std::string text = Sj("コーヒー");
    EXPECT_EQ(GetLeadingRun(text), Sj("コ"));
    EXPECT_EQ(GetWordAt(text, 3), Sj("ー"));
    EXPECT_EQ(GetWordAt(text, 5), Sj("ヒ"));
    EXPECT_EQ(GetWordAt(text, 7), Sj("ー"));
}

TEST(GetWordAt, FullWidthAndHalfWidthLettersAreDifferentRuns) {
    const std::string text = Sj("ＡＢＣ") + "ABC";
    EXPECT_EQ(GetLeadingRun(text), Sj("ＡＢＣ"));
    EXPECT_EQ(GetWordAt(text, 7), "ABC");
}

TEST(GetWordAt, LineBreaksJoinKanji) {
    const std::string text = Sj("辞書") + "\r\n" + Sj("引き");
    EXPECT_EQ(GetWordAt(text, 1), Sj("辞書") + "\r\n" + Sj("引"));
}

TEST(GetWordAt, EmptyTextAndPositionPastTheEnd) {
    EXPECT_EQ(GetWordAt("", 0), "");
    EXPECT_EQ(GetWordAt("abc", 4), "");
    EXPECT_EQ(GetWordAt("abc", 3), "abc");
}

TEST(GetWordAt, TrailByteIsNotALetter) {
    // "ソ" ends in 0x5C and "表" in 0x5C: neither may split a run of kana or kanji.
    const std::string text = Sj("ソソ表");
    EXPECT_EQ(GetLeadingRun(text), Sj("ソソ"));
    EXPECT_EQ(GetWordAt(text, 5), Sj("表"));
}

TEST(GetLeadingRun, LoneLeadByte) {
    EXPECT_EQ(GetLeadingRun("\x82"), "\x82");
    EXPECT_EQ(GetLeadingRun("\x82\xA0\x82"), "\x82\xA0");  // あ, then a lead byte without its trail
    EXPECT_EQ(GetWordAt("ab\x82", 3), "\x82");
}

TEST(GetWordAt, PunctuationAndSpacesAreRunsToo) {
    EXPECT_EQ(GetWordAt("a, b", 2), ",");
    EXPECT_EQ(GetWordAt("a  b", 2), "  ");
}

}  // namespace
}  // namespace kelmio
