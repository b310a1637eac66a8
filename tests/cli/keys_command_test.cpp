#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>

#include "cli/cli_runner.h"
#include "support/file_bytes.h"
#include "support/temp_dir.h"

namespace kelmio::test {
namespace {

const std::string kTable = R"([
  {"key": 83, "alt": 0, "shift": 0, "ctrl": 1, "command": 32777},
  {"key": 114, "alt": 0, "shift": 0, "ctrl": 0, "command": 57640}
])";

TEST(KeysCommand, WriteThenShowRoundTrips) {
    TempDir dir;
    const std::string path = dir.File("two.key");
    const CliResult write = RunCli({"keys", "write", path}, kTable);
    ASSERT_EQ(write.exitCode, 0) << write.err;
    EXPECT_EQ(test::ReadFileBytes(path).size(), 38u);

    const CliResult show = RunCli({"keys", "show", path});
    ASSERT_EQ(show.exitCode, 0) << show.err;
    const nlohmann::json shown = nlohmann::json::parse(show.out);
    ASSERT_EQ(shown.size(), 2u);
    EXPECT_EQ(shown[0]["text"], "Ctrl+S");
    EXPECT_EQ(shown[0]["name"], "[ﾌｧｲﾙ]編集ファイルを上書き保存");
    EXPECT_EQ(shown[1]["text"], "F3");
    EXPECT_EQ(shown[1]["command"], 57640);
    std::vector<std::string> fields;
    const nlohmann::ordered_json ordered = nlohmann::ordered_json::parse(show.out);
    for (const auto& item : ordered[0].items()) fields.push_back(item.key());
    EXPECT_EQ(fields, (std::vector<std::string>{"key", "alt", "shift", "ctrl", "command", "text", "name"}));

    // Writing what show printed gives the same bytes again.
    const std::string again = dir.File("again.key");
    ASSERT_EQ(RunCli({"keys", "write", again}, show.out).exitCode, 0);
    EXPECT_EQ(test::ReadFileBytes(again), test::ReadFileBytes(path));
}

TEST(KeysCommand, WritingTheSameTableTwiceGivesIdenticalFiles) {
    TempDir dir;
    ASSERT_EQ(RunCli({"keys", "write", dir.File("a.key")}, kTable).exitCode, 0);
    ASSERT_EQ(RunCli({"keys", "write", dir.File("b.key")}, kTable).exitCode, 0);
    EXPECT_EQ(test::ReadFileBytes(dir.File("a.key")), test::ReadFileBytes(dir.File("b.key")));
    ASSERT_EQ(RunCli({"keys", "write", dir.File("empty.key")}, "[]").exitCode, 0);
    EXPECT_EQ(test::ReadFileBytes(dir.File("empty.key")), std::string(2, '\0'));
}

TEST(KeysCommand, RefusesWhatItCannotReadOrWrite) {
    TempDir dir;
    std::ofstream(dir.File("junk.key"), std::ios::binary) << "\x01\x00\xFF\xFF\x01\x00\x08\x00" "CKeycusX";
    const CliResult junk = RunCli({"keys", "show", dir.File("junk.key")});
    EXPECT_EQ(junk.exitCode, 1);
    EXPECT_EQ(junk.err, "読み込めません\n");
    EXPECT_EQ(RunCli({"keys", "show", dir.File("missing.key")}).err, "読み込めません\n");

    EXPECT_EQ(RunCli({"keys", "write", dir.File("x.key")}, "{}").exitCode, 1);
    EXPECT_EQ(RunCli({"keys", "write", dir.File("x.key")}, R"([{"key": 70000}])").exitCode, 1);
    EXPECT_EQ(RunCli({"keys", "write", dir.File("x.key")}, R"([{"key": -1}])").exitCode, 1);
    EXPECT_FALSE(std::filesystem::exists(dir.File("x.key")));
    EXPECT_EQ(RunCli({"keys", "list", dir.File("x.key")}).exitCode, 2);
}

TEST(KeysCommand, TheShippedKeyFileHoldsTheUsualShortcuts) {
    const std::string shipped = (std::filesystem::path(KELMIO_CLI_PATH).parent_path() / "Kelmio.key").string();
    const CliResult show = RunCli({"keys", "show", shipped});
    ASSERT_EQ(show.exitCode, 0) << show.err;
    std::map<std::string, int> commandOf;
    for (const auto& binding : nlohmann::json::parse(show.out)) commandOf[binding["text"]] = binding["command"];
    EXPECT_EQ(commandOf["Ctrl+S"], 57603);
    EXPECT_EQ(commandOf["Ctrl+Z"], 57643);
    EXPECT_EQ(commandOf["Ctrl+V"], 57637);
    EXPECT_EQ(commandOf["F3"], 57640);
    EXPECT_EQ(commandOf["Shift+F3"], 32834);
    EXPECT_EQ(commandOf["F1"], 57667);
    // The source scrolls from the editor without leaving it.
    EXPECT_EQ(commandOf["Alt+Down"], 32785);
    EXPECT_EQ(commandOf["Alt+Left"], 32789);
    EXPECT_EQ(commandOf["Alt+PageDown"], 3845);
}

}  // namespace
}  // namespace kelmio::test
