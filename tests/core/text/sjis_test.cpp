#include "text/sjis.h"

#include <gtest/gtest.h>

namespace kelmio {
namespace {

// "表" is 0x95 0x5C and "ソ" is 0x83 0x5C: their trail byte is the ASCII
// backslash, the classic trap for byte-wise scans.
const std::string kHyo = "\x95\x5C";
const std::string kSo = "\x83\x5C";

TEST(IsLeadByteAt, ClassifiesEachByteFromTheStart) {
    const std::string text = "a" + kHyo + "b";
    EXPECT_EQ(IsLeadByteAt(text, 0), 0);
    EXPECT_EQ(IsLeadByteAt(text, 1), 1);
    EXPECT_EQ(IsLeadByteAt(text, 2), 0);  // trail byte 0x5C
    EXPECT_EQ(IsLeadByteAt(text, 3), 0);
    EXPECT_EQ(IsLeadByteAt(text, 4), -1);
}

TEST(IsLeadByteAt, TrailByteThatLooksLikeALeadByte) {
    // 0x81 0x81 is one character "＝"; the second 0x81 is a trail byte.
    const std::string text = "\x81\x81\x81\x81";
    EXPECT_EQ(IsLeadByteAt(text, 1), 0);
    EXPECT_EQ(IsLeadByteAt(text, 2), 1);
}

TEST(IsLeadByteAt, NulEndsTheText) {
    const std::string text("ab\0cd", 5);
    EXPECT_EQ(IsLeadByteAt(text, 1), 0);
    EXPECT_EQ(IsLeadByteAt(text, 2), -1);
    EXPECT_EQ(IsLeadByteAt(text, 4), -1);
}

TEST(IsLeadByteAt, LoneLeadByteAtTheEndIsASingleByte) {
    EXPECT_EQ(IsLeadByteAt("a\x82", 1), 0);
}

TEST(PathScan, TrailByteBackslashIsNeverASeparatorOrDot) {
    const std::string path = "/home/u/" + kHyo + kSo + "/file.txt";
    EXPECT_EQ(FindLastPathSeparator(path), 12u);
    EXPECT_EQ(FindLastDot(path), 17u);
    EXPECT_EQ(FindLastPathSeparator(kHyo), std::string::npos);
    // 0x82 0x2E is not a character pair (0x2E is no trail byte) but scans
    // take a lead byte with whatever follows, as the code page does.
    EXPECT_EQ(FindLastDot("a\x82.b"), std::string::npos);
}

TEST(PathScan, JoinPathAddsOneSeparator) {
    EXPECT_EQ(JoinPath("/tmp", "a.kmp"), "/tmp/a.kmp");
    EXPECT_EQ(JoinPath("/tmp/", "a.kmp"), "/tmp/a.kmp");
    EXPECT_EQ(JoinPath("", "a.kmp"), "a.kmp");
    EXPECT_EQ(JoinPath("/x/" + kSo, "a"), "/x/" + kSo + "/a");
}

}  // namespace
}  // namespace kelmio
