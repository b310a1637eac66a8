#include "text/mb_case.h"

#include <gtest/gtest.h>

#include "support/sjis_literal.h"
#include "text/char_kind.h"

namespace kelmio {
namespace {

using test::Sj;

TEST(MbCaseTest, LowersAndUppersAsciiFullWidthGreekAndCyrillicLetters) {
    EXPECT_EQ(MakeLowerMb(Sj("AbZ ＡＺａ ΑΩ АЯЁ")), Sj("abz ａｚａ αω аяё"));
    EXPECT_EQ(MakeUpperMb(Sj("abz ａｚ αω аяё")), Sj("ABZ ＡＺ ΑΩ АЯЁ"));
    for (unsigned int code = 0x8440; code <= 0x8460; ++code) EXPECT_EQ(ToUpperMb(ToLowerMb(code)), code) << code;
}

TEST(MbCaseTest, TrailBytesThatLookLikeLettersStayAsTheyAre) {
    // "ソ" is 0x83 0x5C and "ア" is 0x83 0x41 ("A" as trail byte).
    EXPECT_EQ(MakeLowerMb(Sj("ソアA")), Sj("ソアa"));
    EXPECT_EQ(MakeUpperMb(std::string("\x83\x61")), std::string("\x83\x61"));
    // A lone lead byte at the end is kept.
    EXPECT_EQ(MakeLowerMb("A\x82"), "a\x82");
}

TEST(MbCaseTest, PrefixComparesWholeCharactersWithoutCase) {
    EXPECT_TRUE(StartsWithNoCaseMb(Sj("Ａｐｐｌｅ"), Sj("ａＰ")));
    EXPECT_TRUE(StartsWithNoCaseMb("Apple", "aPP"));
    EXPECT_FALSE(StartsWithNoCaseMb("Ap", "apple"));
    EXPECT_FALSE(StartsWithNoCaseMb("abc", ""));
    EXPECT_FALSE(StartsWithNoCaseMb(Sj("表"), "\x95"));
    EXPECT_FALSE(StartsWithNoCaseMb("\x83\x41", "\x83\x61"));
}

}  // namespace
}  // namespace kelmio
