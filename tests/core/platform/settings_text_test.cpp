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


// The toolkit ends a line at a lone CR as well: a header or value broken by
// one must be seen as the same separate lines here, or a saved file would
// not read back as it was.
TEST(SettingsText, ALoneCrEndsALine) {
    EXPECT_EQ(WellFormedIni("[Recent File L\r\rist]\nFile1=a\r\n[View]\rFormWidth=3\r\n"),
              "[View]\nFormWidth=3\n");  // values under a broken header go with it
    EXPECT_EQ(WellFormedIni("[A]\r\nx=1\r\ny=2\r\n"), "[A]\nx=1\ny=2\n");
}

}  // namespace
}  // namespace kelmio
