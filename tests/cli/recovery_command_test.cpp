#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <filesystem>

#include "cli/cli_runner.h"
#include "recovery/recovery_store.h"
#include "support/scoped_env.h"
#include "support/sjis_literal.h"
#include "support/temp_dir.h"

namespace kelmio::test {
namespace {

TEST(RecoveryCommand, WritesShowsAndReadsBackTheEntryOfAProject) {
    TempDir dir;
    ScopedEnv data("XDG_DATA_HOME", dir.File("data"));
    const std::string project = dir.File("表.kmp");
    const CliResult missing = RunCli({"recovery", "text", project});
    EXPECT_EQ(missing.exitCode, 1);
    EXPECT_NE(missing.err.find("表.kmp"), std::string::npos);

    const std::string text = Sj("訳文の表\r\n二行目\r\n");
    ASSERT_EQ(RunCli({"recovery", "write", project}, text).exitCode, 0);
    EXPECT_EQ(RunCli({"recovery", "text", project}).out, text);
    const CliResult shown = RunCli({"recovery", "show", project});
    ASSERT_EQ(shown.exitCode, 0);
    const nlohmann::json json = nlohmann::json::parse(shown.out);
    EXPECT_EQ(json["project"], project);
    EXPECT_EQ(json["translation"], "訳文の表\r\n二行目\r\n");
    EXPECT_GT(json["time"].get<long long>(), 0);
    EXPECT_TRUE(json["memos"].empty());
    // Another project's entry is not this one's.
    EXPECT_EQ(RunCli({"recovery", "text", dir.File("other.kmp")}).exitCode, 1);
    EXPECT_EQ(RunCli({"recovery", "open", project}).exitCode, 2);
}

TEST(RecoveryCommand, ShowsTheSourceTextInTheFormItWasKept) {
    TempDir dir;
    ScopedEnv data("XDG_DATA_HOME", dir.File("data"));
    CRecoveryEntry entry;
    const std::string project = dir.File("p.kmp");
    entry.m_strProject = project;
    entry.m_nCopyTime = 1;
    // A Unicode source is kept as UTF-8, every other one as Shift-JIS.
    entry.m_source = RecoverySource{"/s/u.txt", 6, 1, "한국어"};
    ASSERT_FALSE(CRecoveryStore(DefaultRecoveryFolder()).Save(entry));
    EXPECT_EQ(nlohmann::json::parse(RunCli({"recovery", "show", project}).out)["source"]["text"], "한국어");

    entry.m_source = RecoverySource{"/s/j.txt", 0, 0, Sj("原文")};
    ASSERT_FALSE(CRecoveryStore(DefaultRecoveryFolder()).Save(entry));
    EXPECT_EQ(nlohmann::json::parse(RunCli({"recovery", "show", project}).out)["source"]["text"], "原文");
}

// An entry written before names were kept by their own bytes is found under
// the same file name and shown as it always was.
TEST(RecoveryCommand, AnEarlierEntryIsFoundAndShownAsBefore) {
    TempDir dir;
    ScopedEnv data("XDG_DATA_HOME", dir.File("data"));
    const std::string folder = dir.File("data/Morva/Kelmio/recovery");
    std::filesystem::create_directories(folder);
    std::filesystem::copy_file(std::string(KELMIO_TEST_DATA_DIR) + "/recovery/sample.kmr",
                               folder + "/b31826250c815aad.kmr");
    const CliResult shown = RunCli({"recovery", "show", "/home/u/表.kmp"});
    ASSERT_EQ(shown.exitCode, 0) << shown.err;
    EXPECT_EQ(shown.out,
              R"({"project":"/home/u/表.kmp","pid":4242,"start_time":123456,"time":1796644800000,)"
              R"("translation_file":"/home/u/表.txt","translation":"訳文\r\n表示\r\n","caret":3,"top_line":0,)"
              R"("memos":[{"title":"用語","text":"本文"},{"title":"","text":""}],"selected_memo":1,)"
              R"("source":{"path":"/src/原文.txt","encoding":2,"line_end":1,"text":"原文\r\n"}})"
              "\n");
}

// Projects named by bytes Shift-JIS cannot hold keep entries of their own:
// "é.kmp" is not "?.kmp", and a raw 0xFF byte is shown, not refused.
TEST(RecoveryCommand, ProjectsWithoutAShiftJisNameKeepAndShowTheirOwnEntries) {
    TempDir dir;
    ScopedEnv data("XDG_DATA_HOME", dir.File("data"));
    const std::string accent = dir.File("é.kmp");
    ASSERT_EQ(RunCli({"recovery", "write", accent}, Sj("アクセント")).exitCode, 0);
    const CliResult shown = RunCli({"recovery", "show", accent});
    ASSERT_EQ(shown.exitCode, 0) << shown.err;
    EXPECT_EQ(nlohmann::json::parse(shown.out)["project"], accent);
    EXPECT_EQ(nlohmann::json::parse(shown.out)["translation"], "アクセント");
    const CliResult question = RunCli({"recovery", "show", dir.File("?.kmp")});
    EXPECT_EQ(question.exitCode, 1);
    EXPECT_NE(question.err.find("?.kmp"), std::string::npos);

    const std::string raw = dir.File("\xff.kmp");
    EXPECT_EQ(RunCli({"recovery", "show", raw}).exitCode, 1);
    ASSERT_EQ(RunCli({"recovery", "write", raw}, Sj("生")).exitCode, 0);
    EXPECT_EQ(RunCli({"recovery", "text", raw}).out, Sj("生"));
    const CliResult rawShown = RunCli({"recovery", "show", raw});
    ASSERT_EQ(rawShown.exitCode, 0) << rawShown.err;
    // JSON holds UTF-8 only: the stray byte is shown as U+FFFD.
    EXPECT_EQ(nlohmann::json::parse(rawShown.out)["project"], dir.File("\uFFFD.kmp"));
    EXPECT_EQ(RunCli({"recovery", "text", accent}).out, Sj("アクセント"));
}

}  // namespace
}  // namespace kelmio::test
