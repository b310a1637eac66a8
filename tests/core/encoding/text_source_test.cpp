#include "encoding/text_source.h"

#include <gtest/gtest.h>


#include "platform/file_io.h"
#include "support/file_bytes.h"
#include "support/sjis_literal.h"
#include "support/temp_dir.h"
#include "text/cp932.h"

namespace kelmio {
namespace {

using test::Sj;

class TextSourceFile : public ::testing::Test {
protected:
    std::string Write(const std::string& name, const std::string& bytes) {
        const std::string path = m_dir.File(name);
        test::WriteFileBytes(path, bytes);
        return FromNativePath(path);
    }
    std::string Read(const std::string& sjisPath) {
        return test::ReadFileBytes(ToNativePath(sjisPath));
    }
    // Loads the file and saves the text straight back.
    std::string LoadAndSave(const std::string& name, const std::string& bytes) {
        const std::string path = Write(name, bytes);
        const LoadedTextSource source = LoadTextSource(path);
        EXPECT_EQ(source.status, TextLoadStatus::kLoaded);
        EXPECT_FALSE(SaveTextSource(path, source.text, source.kind).error);
        return Read(path);
    }

    test::TempDir m_dir;
};

LoadedTextSource Load(const std::string& bytes) { return LoadTextSourceBytes(bytes); }

TEST(LoadTextSource, SevenBitCrLfFileIsTakenAsItIs) {
    const LoadedTextSource source = Load("abc\r\ndef\r\n");
    EXPECT_EQ(source.kind.encoding, kEncodingAscii);
    EXPECT_EQ(source.kind.lineEnd, kLineEndCrLf);
    EXPECT_FALSE(source.converted);
    EXPECT_EQ(source.text, "abc\r\ndef\r\n");
}

TEST(LoadTextSource, ShiftJisAndUndecidedFilesAreNotConverted) {
    const std::string sjis = Sj("日本語\nテキスト\n");
    EXPECT_EQ(Load(sjis).text, sjis);  // LF stays LF on this path
    EXPECT_FALSE(Load(sjis).converted);
    const LoadedTextSource undecided = Load("\xA4\xA2\r\n");
    EXPECT_EQ(undecided.kind.encoding, kEncodingSjisOrEuc);
    EXPECT_EQ(undecided.text, "\xA4\xA2\r\n");
}

TEST(LoadTextSource, CrOnlyFileGetsCrLfLines) {
    const LoadedTextSource source = Load("one\rtwo\r\rthree");
    EXPECT_EQ(source.kind.lineEnd, kLineEndCr);
    EXPECT_TRUE(source.converted);
    EXPECT_EQ(source.text, "one\r\ntwo\r\n\r\nthree\r\n");
    EXPECT_EQ(FormatConvertedText(source.text, source.kind), "one\rtwo\r\rthree\r");
}

TEST(LoadTextSource, ConvertsJisAndEucLines) {
    const LoadedTextSource jis = Load("\x1B$B" "4A;z" "\x1B(B" "abc\n");
    EXPECT_EQ(jis.kind.encoding, kEncodingJis);
    EXPECT_EQ(jis.text, Sj("漢字") + "abc\r\n");
    const LoadedTextSource euc = Load("\xB4\xC1\xBB\xFA\r\nx\r\n");
    EXPECT_EQ(euc.kind.encoding, kEncodingEucJp);
    EXPECT_EQ(euc.text, Sj("漢字") + "\r\nx\r\n");
}

TEST(LoadTextSource, ReadsLikeWindowsTextMode) {
    // Ctrl-Z ends the input; CR LF reads as LF and one more CR goes with it;
    // a CR inside a line stays.
    EXPECT_EQ(Load("\xB4\xC1\xBB\xFA\r\n\x1A" "after").text, Sj("漢字") + "\r\n");
    EXPECT_EQ(Load("\xB4\xC1\xBB\xFA\r\nb\r\r\r\nc\r\r\n").text, Sj("漢字") + "\r\nb\r\r\nc\r\n");
    EXPECT_EQ(Load("\xB4\xC1\xBB\xFA\n a\rb\n").text, Sj("漢字") + "\r\n a\rb\r\n");
    EXPECT_EQ(Load("\xB4\xC1\xBB\xFA\n\n").text, Sj("漢字") + "\r\n\r\n");
}

TEST(LoadTextSource, FileWithoutLineEnd) {
    const LoadedTextSource plain = Load("abc");
    EXPECT_EQ(plain.kind.lineEnd, kLineEndNone);
    EXPECT_EQ(plain.text, "abc");
    const LoadedTextSource euc = Load("\xB4\xC1\xBB\xFA");
    EXPECT_EQ(euc.kind.lineEnd, kLineEndNone);
    EXPECT_EQ(euc.text, Sj("漢字") + "\r\n");
    // Saved with CR LF, the usual line end.
    EXPECT_EQ(FormatConvertedText(euc.text, euc.kind), "\xB4\xC1\xBB\xFA\r\n");
}

TEST(LoadTextSource, EmptyAndControlBytes) {
    EXPECT_EQ(Load("").text, "");
    EXPECT_EQ(Load("").kind.lineEnd, kLineEndNone);
    const std::string nul("\xBB\xFA\0\xBB\xFA\n\0", 7);
    EXPECT_EQ(Load(nul).text, Sj("字") + std::string("\0", 1) + Sj("字") + "\r\n" + std::string("\0\r\n", 3));
}

TEST(LoadTextSource, VeryLongLineIsKeptWhole) {
    // One line of 25 MB of EUC kanji and 25 MB of ASCII, then a short one.
    std::string euc = "\xF0\xA1\r\n";
    euc.reserve(50'000'020);
    for (int i = 0; i < 12'500'000; ++i) euc += "\xB4\xC1";
    euc.append(25'000'000, 'a');
    euc += "\r\nend\r\n";
    const LoadedTextSource source = Load(euc);
    ASSERT_TRUE(source.converted);
    const std::string& text = source.text;
    ASSERT_EQ(text.size(), euc.size());  // the pairs keep their size
    EXPECT_EQ(text.compare(4, 2, Sj("漢")), 0);
    EXPECT_EQ(text.find("\r\n", 4), 4 + 50'000'000u);
    EXPECT_EQ(FormatConvertedText(text, source.kind), euc);
}

TEST_F(TextSourceFile, LoadThenSaveGivesBackTheSameBytes) {
    const std::string sjis = Sj("日本語のテキスト。\r\nｶﾀｶﾅ と ASCII\r\n\r\n最後の行\r\n");
    EXPECT_EQ(LoadAndSave("sjis.txt", sjis), sjis);
    const std::string euc = "\xC6\xFC\xCB\xDC\xB8\xEC\n\x8E\xB6\x8E\xC0 abc\n\n\xF0\xA1\n";
    EXPECT_EQ(LoadAndSave("euc.txt", euc), euc);
    const std::string eucCrLf = "\xC6\xFC\xCB\xDC\xB8\xEC\r\nx\r\n";
    EXPECT_EQ(LoadAndSave("euc-crlf.txt", eucCrLf), eucCrLf);
    const std::string crOnly = Sj("一行目\r二行目\r\r");
    EXPECT_EQ(LoadAndSave("cr.txt", crOnly), crOnly);
    const std::string jis = "\x1B$B" "4A;z" "\x0E" "12" "\x0F" "\x1B$B" "4A" "\x1B(B" "abc\r\n" "plain\r\n";
    EXPECT_EQ(LoadAndSave("jis.txt", jis), jis);
}

TEST_F(TextSourceFile, MissingFileGivesTheMessage) {
    const LoadedTextSource source = LoadTextSource(FromNativePath(m_dir.File("none.txt")));
    EXPECT_EQ(source.status, TextLoadStatus::kNotFound);
    EXPECT_EQ(source.message, Sj("ファイルが見つかりません"));
    ASSERT_TRUE(source.error);
    std::optional<FileError> error;
    EXPECT_FALSE(DetectTextFile(FromNativePath(m_dir.File("none.txt")), error));
    ASSERT_TRUE(error);
    EXPECT_EQ(error->cause, FileErrorCause::kNotFound);
}

TEST_F(TextSourceFile, DetectsFromTheFile) {
    std::optional<FileError> error;
    const std::optional<TextSourceKind> kind = DetectTextFile(Write("a.txt", "ab\xB4\xC1\xBB\xFA\rz"), error);
    ASSERT_TRUE(kind);
    EXPECT_EQ(kind->encoding, kEncodingEucJp);
    EXPECT_EQ(kind->lineEnd, kLineEndCr);
}

TEST_F(TextSourceFile, FailedSaveKeepsTheOldFile) {
    const std::string path = Write("keep.txt", "old\r\n");
    const std::string folder = FromNativePath(m_dir.File("no-such-folder/x.txt"));
    EXPECT_TRUE(SaveTextSource(folder, "text\r\n", {kEncodingEucJp, kLineEndLf}).error);
    EXPECT_EQ(Read(path), "old\r\n");
}

TEST(FormatConvertedText, EveryLineGetsTheLineEnd) {
    const TextSourceKind lf{kEncodingShiftJis, kLineEndLf};
    EXPECT_EQ(FormatConvertedText("a\r\nb", lf), "a\nb\n");
    EXPECT_EQ(FormatConvertedText("a\r\nb\r\n", lf), "a\nb\n");  // no extra empty line
    EXPECT_EQ(FormatConvertedText("\r\n", lf), "\n");
    EXPECT_EQ(FormatConvertedText("", lf), "");
    EXPECT_EQ(FormatConvertedText("a\rb\r\n", lf), "a\rb\n");  // only CR LF separates lines
    std::size_t unmapped = 0;
    EXPECT_EQ(FormatConvertedText(Sj("漢") + "\xF0\x40\r\n", {kEncodingEucJp, kLineEndCr}, &unmapped),
              "\xB4\xC1\xF0\x40\r");
    EXPECT_EQ(unmapped, 1u);
}

}  // namespace
}  // namespace kelmio
