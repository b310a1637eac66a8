#include <filesystem>
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>
#include <vector>

#include "cli/cli_runner.h"
#include "platform/file_io.h"
#include "project/project_file.h"
#include "support/file_bytes.h"
#include "support/sjis_literal.h"
#include "support/temp_dir.h"

namespace kelmio::test {
namespace {

using Json = nlohmann::json;

const char* const kFullProject = R"({
  "source": "C:\\訳\\原稿.png",
  "translation": "/home/user/訳文.txt",
  "reserved": -7,
  "dictionary": {"kind": 5, "path": "/usr/bin/dic", "params": "-w \"%s\""},
  "memos": [{"title": "表現", "text": "一行目\r\n二行目"}, {"title": "", "text": ""}],
  "history": ["C:\\訳\\原稿.png", "http://example.com/ソース"],
  "view": {"version": 101, "scroll_x": 1, "scroll_y": -2, "client_size": 3, "enlarge": 4, "reduce": 5,
           "enlarge_factor": 20, "reduce_divisor": 30, "fit_window": 8, "browser_mode": 9,
           "edit_caret": 2147483647, "edit_top_line": -2147483648}
})";

std::string Dword(std::uint32_t value) {
    std::string bytes;
    for (int i = 0; i < 4; ++i) bytes.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
    return bytes;
}

TEST(ProjectCommand, WriteThenShowGivesTheSameProject) {
    TempDir dir;
    const std::string path = dir.File("訳.kmp");  // a UTF-8 name on the command line
    const CliResult written = RunCli({"project", "write", path}, kFullProject);
    ASSERT_EQ(written.exitCode, 0) << written.err;
    EXPECT_EQ(written.err, "");

    const CliResult shown = RunCli({"project", "show", path});
    ASSERT_EQ(shown.exitCode, 0) << shown.err;
    EXPECT_EQ(Json::parse(shown.out), Json::parse(kFullProject));

    // The file is what the application itself writes for that record.
    CKelmioData data;
    data.m_strSrcFile = Sj("C:\\訳\\原稿.png");
    data.m_strEditFile = Sj("/home/user/訳文.txt");
    data.m_nReserved = -7;
    data.m_nDicKind = 5;
    data.m_strDicPath = "/usr/bin/dic";
    data.m_strDicParam = "-w \"%s\"";
    data.AppendMemo({Sj("表現"), Sj("一行目\r\n二行目")});
    data.AppendMemo({"", ""});
    data.m_arrSrcHistory = {data.m_strSrcFile, Sj("http://example.com/ソース")};
    data.m_pos = CKelmioPosData{1, -2, 3, 4, 5, 20, 30, 8, 9, INT32_MAX, INT32_MIN};
    const std::string bytes = test::ReadFileBytes(path);
    EXPECT_EQ(bytes, WriteProject(data));

    // Writing the shown project again gives the same bytes.
    ASSERT_EQ(RunCli({"project", "write", path}, shown.out).exitCode, 0);
    EXPECT_EQ(test::ReadFileBytes(path), bytes);
}

TEST(ProjectCommand, MissingKeysAreZeroAndTheStateVersionIsTheFilesOwn) {
    TempDir dir;
    const std::string path = dir.File("p.kmp");
    ASSERT_EQ(RunCli({"project", "write", path}, R"({"view": {"version": 5, "edit_caret": 3}})").exitCode, 0);
    CKelmioData expected;
    expected.m_pos.m_nEditCaret = 3;
    std::string bytes = test::ReadFileBytes(path);
    EXPECT_EQ(bytes, WriteProject(expected));
    EXPECT_EQ(Json::parse(RunCli({"project", "show", path}).out)["view"]["version"], 101);

    bytes.replace(24, 4, Dword(100));  // an older display state, without the top line
    bytes.resize(bytes.size() - 4);
    test::WriteFileBytes(path, bytes);
    const Json old = Json::parse(RunCli({"project", "show", path}).out);
    EXPECT_EQ(old["view"]["version"], 100);
    EXPECT_EQ(old["view"]["edit_caret"], 3);

    test::WriteFileBytes(path, "");
    const CliResult empty = RunCli({"project", "show", path});
    ASSERT_EQ(empty.exitCode, 0);
    EXPECT_EQ(Json::parse(empty.out)["memos"], Json::array());
}

TEST(ProjectCommand, UnreadableProjectsFailWithTheApplicationsMessage) {
    TempDir dir;
    const std::string path = dir.File("p.kmp");
    ASSERT_EQ(RunCli({"project", "write", path}, kFullProject).exitCode, 0);
    const std::string whole = test::ReadFileBytes(path);
    const std::string head = WriteProject(CKelmioData()).substr(0, 22);
    const struct {
        const char* name;
        std::string bytes;
    } cases[] = {
        {"truncated", whole.substr(0, whole.size() / 2)},
        {"memo count past the end", head + Dword(3) + Dword(100) + std::string(20, '\0')},
        {"memo count 0xFFFFFFFF", head + Dword(0xFFFFFFFF)},
        {"a text file", "just some notes\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        test::WriteFileBytes(path, c.bytes);
        const CliResult result = RunCli({"project", "show", path});
        EXPECT_EQ(result.exitCode, 1);
        EXPECT_EQ(result.out, "");
        EXPECT_EQ(result.err, "予期しないﾌｧｲﾙ形式です。\n");
    }

    const std::string missing = dir.File("無い.kmp");
    const CliResult result = RunCli({"project", "show", missing});
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_EQ(result.err, missing + " が見つかりませんでした。\n");
}

// Names with no Shift-JIS form used to become "?": saving "é.kmp" wrote
// over an unrelated "?.kmp". Every command now writes and reads the file
// the argument names, and "?.kmp" is never touched.
TEST(ProjectCommand, NamesWithoutAShiftJisFormNameTheirOwnFiles) {
    TempDir dir;
    const std::string other = dir.File("?.kmp");
    ASSERT_EQ(RunCli({"project", "write", other}, kFullProject).exitCode, 0);
    const std::string before = test::ReadFileBytes(other);
    for (const std::string name : {"é", "ü", "\xF0\x9F\x98\x80", "\xFF"}) {
        SCOPED_TRACE(name);
        const std::string project = dir.File(name + ".kmp");
        ASSERT_EQ(RunCli({"project", "write", project}, R"({"memos": [{"title": "t", "text": "x"}]})").exitCode, 0);
        const CliResult shown = RunCli({"project", "show", project});
        ASSERT_EQ(shown.exitCode, 0) << shown.err;
        EXPECT_EQ(Json::parse(shown.out)["memos"][0]["title"], "t");

        const std::string keys = dir.File(name + ".key");
        ASSERT_EQ(RunCli({"keys", "write", keys}, R"([{"key": 65, "alt": 0, "shift": 0, "ctrl": 1, "command": 57603}])")
                      .exitCode, 0);
        EXPECT_EQ(Json::parse(RunCli({"keys", "show", keys}).out)[0]["key"], 65);

        const std::string text = dir.File(name + ".txt");
        ASSERT_EQ(RunCli({"text", "save", text, "--encoding", "0", "--line-end", "-1"}, "text\r\n").exitCode, 0);
        EXPECT_EQ(test::ReadFileBytes(text), "text\r\n");
        EXPECT_EQ(RunCli({"text", "load", text}).out, "text\r\n");
        EXPECT_EQ(RunCli({"text", "detect", text}).exitCode, 0);
    }
    EXPECT_EQ(test::ReadFileBytes(other), before);
    EXPECT_FALSE(std::filesystem::exists(dir.File("?.txt")));
    EXPECT_FALSE(std::filesystem::exists(dir.File("?.key")));
}

// The project's file names are written so that they come back whole: the
// translation "ü.txt" is found again by the project that names it.
TEST(ProjectCommand, FileNamesWithoutAShiftJisFormSurviveTheProjectFile) {
    TempDir dir;
    const std::string translation = dir.File("ü.txt");
    const std::string source = dir.File("\xF0\x9F\x98\x80.html");
    const std::string project = dir.File("é.kmp");
    const Json input = {{"source", source}, {"translation", translation}, {"history", {source, dir.File("a.txt")}}};
    const CliResult written = RunCli({"project", "write", project}, input.dump());
    ASSERT_EQ(written.exitCode, 0) << written.err;
    EXPECT_EQ(written.err, "");  // nothing replaced, nothing to warn about
    const Json shown = Json::parse(RunCli({"project", "show", project}).out);
    EXPECT_EQ(shown["source"], source);
    EXPECT_EQ(shown["translation"], translation);
    EXPECT_EQ(shown["history"], Json({source, dir.File("a.txt")}));
}

TEST(ProjectCommand, BadJsonWritesNothing) {
    TempDir dir;
    const std::string path = dir.File("p.kmp");
    for (const char* input : {"not json", "[1, 2]", R"({"memos": {}})", R"({"source": 5})",
                              R"({"view": {"scroll_x": 4294967296}})", R"({"history": [1]})"}) {
        SCOPED_TRACE(input);
        const CliResult result = RunCli({"project", "write", path}, input);
        EXPECT_EQ(result.exitCode, 1);
        EXPECT_NE(result.err, "");
        EXPECT_FALSE(std::filesystem::exists(path));
    }
    EXPECT_EQ(RunCli({"project", "write"}).exitCode, 2);
    EXPECT_EQ(RunCli({"project", "list", path}).exitCode, 2);
}

TEST(ProjectCommand, WarnsAboutCharactersWithoutAShiftJisForm) {
    TempDir dir;
    const std::string path = dir.File("p.kmp");
    const CliResult result = RunCli({"project", "write", path}, R"({"memos": [{"title": "café", "text": ""}]})");
    EXPECT_EQ(result.exitCode, 0);
    EXPECT_NE(result.err.find("1 character"), std::string::npos);
    EXPECT_EQ(Json::parse(RunCli({"project", "show", path}).out)["memos"][0]["title"], "caf?");
}

}  // namespace
}  // namespace kelmio::test
