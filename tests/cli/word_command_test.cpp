#include <gtest/gtest.h>

#include "cli/cli_runner.h"
#include "support/sjis_literal.h"

namespace kelmio::test {
namespace {

TEST(WordCommand, PrintsTheRunAtThePosition) {
    const std::string text = Sj("漢字かなカナ");
    EXPECT_EQ(RunCli({"word", "4"}, text).out, Sj("漢字"));
    EXPECT_EQ(RunCli({"word", "5"}, text).out, Sj("かな"));
    const CliResult past = RunCli({"word", "99"}, text);
    EXPECT_EQ(past.exitCode, 0);
    EXPECT_EQ(past.out, "");
}

TEST(WordCommand, RejectsABadPosition) {
    EXPECT_EQ(RunCli({"word", "-1"}, "abc").exitCode, 2);
    EXPECT_EQ(RunCli({"word"}, "abc").exitCode, 2);
}

}  // namespace
}  // namespace kelmio::test
