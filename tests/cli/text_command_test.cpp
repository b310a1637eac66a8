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

// UTF-16 without a byte-order mark: numbered 10 (LE) and 11 (BE), shown as
// UTF-8 and saved back without a mark. A file that only looks like UTF-16
// is 12 (LE) or 13 (BE), and a save as one of those is refused.
TEST_F(TextCommand, Utf16WithoutMarkIsToldShownAndSavedBackAsItWas) {
    const std::string le = std::string("\xE5\x65\x2C\x67\r\0\n\0x\0\r\0\n\0", 14);  // 日本 CR LF x CR LF
    const std::string path = Write("le.txt", le);
    EXPECT_EQ(RunCli({"text", "detect", path}).out, "{\"encoding\":10,\"line_end\":0}\n");
    const CliResult loaded = RunCli({"text", "load", path});
    EXPECT_EQ(loaded.out, "日本\r\nx\r\n");
    EXPECT_EQ(RunCli({"text", "save", path, "--encoding", "10", "--line-end", "0"}, loaded.out).exitCode, 0);
    EXPECT_EQ(test::ReadFileBytes(path), le);
    const std::string be = std::string("\0a\0b\0\n\0c\0\n", 10);
    EXPECT_EQ(RunCli({"text", "detect", Write("be.txt", be)}).out, "{\"encoding\":11,\"line_end\":1}\n");

    const std::string unsure = std::string("a\0b\0c\0d\0e\0f\0g\0h\0\0\0\n\0", 20);  // a NUL unit
    const std::string unsurePath = Write("unsure.txt", unsure);
    EXPECT_EQ(RunCli({"text", "detect", unsurePath}).out, "{\"encoding\":12,\"line_end\":1}\n");
    EXPECT_EQ(RunCli({"text", "load", unsurePath}).out, std::string("abcdefgh\0\r\n", 11));
    const CliResult refused = RunCli({"text", "save", unsurePath, "--encoding", "12", "--line-end", "1"}, "abc\r\n");
    EXPECT_EQ(refused.exitCode, 1);
    EXPECT_NE(refused.err.find("read-only"), std::string::npos);
    EXPECT_EQ(test::ReadFileBytes(unsurePath), unsure);
}

// A Ctrl-Z is data: loaded with what follows it and saved back.
TEST_F(TextCommand, ControlZIsLoadedAndSavedLikeAnyByte) {
    const std::string euc = "\xB4\xC1\xBB\xFA\n\x1A after\n";
    const std::string path = Write("z.txt", euc);
    const CliResult loaded = RunCli({"text", "load", path});
    EXPECT_EQ(loaded.out, Sj("漢字") + "\r\n\x1A after\r\n");
    EXPECT_EQ(RunCli({"text", "save", path, "--encoding", "2", "--line-end", "1"}, loaded.out).exitCode, 0);
    EXPECT_EQ(test::ReadFileBytes(path), euc);
}

}  // namespace
}  // namespace kelmio::test
