#include "platform/settings_text.h"

#include <gtest/gtest.h>

namespace kelmio {
namespace {

TEST(SettingsText, OnlyWellFormedUtf8Survives) {
    EXPECT_EQ(ValidUtf8("a\xE6\xBC\xA2z"), "a\xE6\xBC\xA2z");       // 漢
    EXPECT_EQ(ValidUtf8("a\xFF" "b"), "a?b");
    EXPECT_EQ(ValidUtf8(std::string("a\0b", 3)), "a?b");
    EXPECT_EQ(ValidUtf8("\xC0\xAF"), "??");                           // overlong "/"
    EXPECT_EQ(ValidUtf8("\xED\xA0\x80"), "???");                      // a surrogate
    EXPECT_EQ(ValidUtf8("\xF4\x90\x80\x80"), "????");                 // past U+10FFFF
    EXPECT_EQ(ValidUtf8("x\xE6\xBC"), "x??");                         // cut short
}

TEST(SettingsText, DamagedLinesAreDroppedAndSectionsMerged) {
    const std::string text =
        "; comment\n"
        "[System]\n"
        "InitFile=0\n"
        "=nameless\n"
        "InitFile=1\n"
        "no equals sign\n"
        "[bad/name]\n"
        "Lost=1\n"
        "[View]\n"
        "FormWidth = 500\n"
        "[System]\n"
        "NewFolder=/home/u\n";
    EXPECT_EQ(WellFormedIni(text), "[System]\nInitFile=0\nNewFolder=/home/u\n[View]\nFormWidth = 500\n");
    EXPECT_EQ(WellFormedIni(""), "");
}

}  // namespace
}  // namespace kelmio
