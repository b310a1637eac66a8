#include "gui/platform/file_filter.h"

#include <gtest/gtest.h>

#include "support/sjis_literal.h"

namespace kelmio {
namespace {

using test::Sj;

TEST(ToWxWildcard, PairsOfTextAndPatternsWithoutTheClosingBars) {
    EXPECT_EQ(ToWxWildcard("A|*.a|B|*.b;*.c||"), "A|*.[aA]|B|*.[bB];*.[cC]");
    // "*.*" means every file, also names without a dot.
    EXPECT_EQ(ToWxWildcard(Sj("すべて (*.*)|*.*||")), wxString::FromUTF8("すべて (*.*)|*"));
    EXPECT_EQ(ToWxWildcard(""), "");
    // A text without its pattern, and an empty pattern list, are dropped.
    EXPECT_EQ(ToWxWildcard("A|*.a|B"), "A|*.[aA]");
    EXPECT_EQ(ToWxWildcard("A||B|*.b||"), "B|*.[bB]");
}

TEST(ToWxWildcard, ABarByteInsideAShiftJisCharacterIsNotASeparator) {
    // The second byte of "ポ" is 0x7C, the code of "|".
    ASSERT_EQ(Sj("ポ")[1], '|');
    EXPECT_EQ(ToWxWildcard(Sj("ポスト (*.ps)|*.ps||")), wxString::FromUTF8("ポスト (*.ps)|*.[pP][sS]"));
}

}  // namespace
}  // namespace kelmio
