#include "text/compare.h"

#include <gtest/gtest.h>

#include "support/sjis_literal.h"

namespace kelmio {
namespace {

using test::Sj;

TEST(CompareNoCaseMb, FoldsAsciiAndFullWidthLetters) {
    EXPECT_EQ(CompareNoCaseMb("href", "HREF"), 0);
    EXPECT_EQ(CompareNoCaseMb(Sj("ａｂ"), Sj("ＡＢ")), 0);
    EXPECT_EQ(CompareNoCaseMb("", ""), 0);
}

TEST(CompareNoCaseMb, ReturnsDifferenceOfFirstDifferingCodes) {
    EXPECT_EQ(CompareNoCaseMb("abc", "abd"), 'C' - 'D');
    EXPECT_EQ(CompareNoCaseMb("ab", "abc"), -'C');
    EXPECT_EQ(CompareNoCaseMb("abc", "ab"), 'C');
    EXPECT_GT(CompareNoCaseMb(Sj("漢"), "a"), 0);
}

TEST(CompareNoCaseMb, TrailBytesAreNeverFoldedAsLetters) {
    // 0x82 0x61 is "Ｂ"; 0x82 0x41 does not exist as a letter pair, but a
    // byte-wise fold would take 0x61 ('a') for a letter and equal them.
    EXPECT_NE(CompareNoCaseMb("\x82\x61", "\x82\x41"), 0);
    EXPECT_NE(CompareNoCaseMb(Sj("表"), "\x95\x7C"), 0);
}

TEST(EqualsNoCaseMb, PathsDifferingOnlyInCase) {
    EXPECT_TRUE(EqualsNoCaseMb("/Home/A.TXT", "/home/a.txt"));
    EXPECT_FALSE(EqualsNoCaseMb("/home/a.txt", "/home/a.txt2"));
}

}  // namespace
}  // namespace kelmio
