#include "platform/command_line_args.h"

#include <gtest/gtest.h>

#include "support/sjis_literal.h"

namespace kelmio {
namespace {

using Args = std::vector<std::string>;

TEST(SplitCommandLineTest, FollowsTheWindowsStartUpRules) {
    EXPECT_EQ(SplitCommandLine("/e1 /d /k cat"), (Args{"/e1", "/d", "/k", "cat"}));
    EXPECT_EQ(SplitCommandLine("  a\t\tb  "), (Args{"a", "b"}));
    EXPECT_EQ(SplitCommandLine(""), Args{});
    EXPECT_EQ(SplitCommandLine("\"two words\" x"), (Args{"two words", "x"}));
    EXPECT_EQ(SplitCommandLine("a\"b c\"d"), (Args{"ab cd"}));
    EXPECT_EQ(SplitCommandLine("\"\""), (Args{""}));
    EXPECT_EQ(SplitCommandLine("\"say \"\"hi\"\"\""), (Args{"say \"hi\""}));
    EXPECT_EQ(SplitCommandLine("\"unclosed quote"), (Args{"unclosed quote"}));
}

TEST(SplitCommandLineTest, BackslashesEscapeOnlyBeforeAQuote) {
    EXPECT_EQ(SplitCommandLine(R"(C:\dir\file)"), (Args{R"(C:\dir\file)"}));
    EXPECT_EQ(SplitCommandLine(R"(a\\"b c")"), (Args{R"(a\b c)"}));
    EXPECT_EQ(SplitCommandLine(R"(a\"b)"), (Args{R"(a"b)"}));
    EXPECT_EQ(SplitCommandLine(R"(a\\\"b)"), (Args{R"(a\"b)"}));
    // "表" ends in 0x5C: the byte stays, as no quote follows it.
    EXPECT_EQ(SplitCommandLine(test::Sj("表 x")), (Args{test::Sj("表"), "x"}));
}

}  // namespace
}  // namespace kelmio
