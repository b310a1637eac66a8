#include <filesystem>
#include <gtest/gtest.h>


#include "cli/cli_runner.h"
#include "support/file_bytes.h"
#include "support/sjis_literal.h"
#include "support/temp_dir.h"

namespace kelmio::test {
namespace {

class TextCommand : public ::testing::Test {
protected:
    std::string Write(const std::string& name, const std::string& bytes) {
        const std::string path = m_dir.File(name);
        test::WriteFileBytes(path, bytes);
        return path;
    }

    TempDir m_dir;
};

TEST_F(TextCommand, DetectPrintsEncodingAndLineEnd) {
    const CliResult jis = RunCli({"text", "detect", Write("j.txt", "\x1B$B4A\x1B(B\r\n")});
    EXPECT_EQ(jis.exitCode, 0);
    EXPECT_EQ(jis.out, "{\"encoding\":1,\"line_end\":0}\n");
    EXPECT_EQ(RunCli({"text", "detect", Write("e.txt", "ab")}).out, "{\"encoding\":4,\"line_end\":-1}\n");
}

TEST_F(TextCommand, LoadPrintsThePaneText) {
    EXPECT_EQ(RunCli({"text", "load", Write("e.txt", "\xB4\xC1\xBB\xFA\nx\n")}).out, Sj("漢字") + "\r\nx\r\n");
    EXPECT_EQ(RunCli({"text", "load", Write("cr.txt", "a\rb\r")}).out, "a\r\nb\r\n");
    const std::string sjis = Sj("そのまま\n");
    EXPECT_EQ(RunCli({"text", "load", Write("s.txt", sjis)}).out, sjis);
}

TEST_F(TextCommand, SaveWritesTheFileAsAConvertedSource) {
    const std::string path = m_dir.File("out.txt");
    const std::string text = Sj("漢字") + "abc\r\n" + Sj("ｱ") + "\r\n";
    EXPECT_EQ(RunCli({"text", "save", path, "--encoding", "1", "--line-end", "1"}, text).exitCode, 0);
    EXPECT_EQ(test::ReadFileBytes(path), "\x1B$B4A;z\x1B(Babc\n\x0E" "1\x0F\n");
    EXPECT_EQ(RunCli({"text", "save", path, "--line-end", "-1", "--encoding", "2"}, text).exitCode, 0);
    EXPECT_EQ(test::ReadFileBytes(path), "\xB4\xC1\xBB\xFA" "abc\r\n\x8E\xB1\r\n");
    EXPECT_EQ(RunCli({"text", "save", path, "--encoding", "0", "--line-end", "2"}, text).exitCode, 0);
    EXPECT_EQ(test::ReadFileBytes(path), Sj("漢字") + "abc\r" + Sj("ｱ") + "\r");
    // Loading it again gives the text that was saved.
    EXPECT_EQ(RunCli({"text", "load", path}).out, text);
}

TEST_F(TextCommand, UnicodeSourcesAreShownAsUtf8) {
    const std::string utf16 = std::string("\xFF\xFE" "a\0\xE9\0\n\0", 8);  // aé LF
    const std::string path = Write("u.txt", utf16);
    EXPECT_EQ(RunCli({"text", "detect", path}).out, "{\"encoding\":8,\"line_end\":1}\n");
    const CliResult loaded = RunCli({"text", "load", path});
    EXPECT_EQ(loaded.out, "a\xC3\xA9\r\n");
    EXPECT_EQ(RunCli({"text", "save", path, "--encoding", "8", "--line-end", "1"}, loaded.out).exitCode, 0);
    EXPECT_EQ(test::ReadFileBytes(path), utf16);
    EXPECT_EQ(RunCli({"text", "save", path, "--encoding", "7", "--line-end", "2"}, loaded.out).exitCode, 0);
    EXPECT_EQ(test::ReadFileBytes(path), "\xEF\xBB\xBF" "a\xC3\xA9\r");
}

TEST_F(TextCommand, ErrorsAreReported) {
    const CliResult missing = RunCli({"text", "load", m_dir.File("none.txt")});
    EXPECT_EQ(missing.exitCode, 1);
    EXPECT_EQ(missing.err, "ファイルが見つかりません\n");
    EXPECT_EQ(RunCli({"text", "detect", m_dir.File("none.txt")}).exitCode, 1);
    EXPECT_EQ(RunCli({"text", "save", m_dir.File("x/y.txt"), "--encoding", "1", "--line-end", "0"}, "a").exitCode, 1);
    EXPECT_EQ(RunCli({"text", "save", m_dir.File("y.txt"), "--encoding", "1"}, "a").exitCode, 2);
    EXPECT_EQ(RunCli({"text", "save", m_dir.File("y.txt"), "--encoding", "1", "--line-end", "3"}).exitCode, 2);
    EXPECT_EQ(RunCli({"text", "save", m_dir.File("y.txt"), "--encoding", "3", "--line-end", "0"}).exitCode, 2);
    EXPECT_FALSE(std::filesystem::exists(m_dir.File("y.txt")));
    EXPECT_EQ(RunCli({"text", "convert", "a"}).exitCode, 2);
}

}  // namespace
}  // namespace kelmio::test
