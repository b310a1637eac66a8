#include "encoding/text_source.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <variant>


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

// The text of a Japanese source, which must be held as Shift-JIS.
std::string SjisOf(const LoadedTextSource& source) {
    const auto* text = std::get_if<SjisSourceText>(&source.text);
    EXPECT_NE(text, nullptr) << "held as UTF-8";
    return text != nullptr ? text->bytes : std::string();
}

TEST(LoadTextSource, SevenBitCrLfFileIsTakenAsItIs) {
    const LoadedTextSource source = Load("abc\r\ndef\r\n");
    EXPECT_EQ(source.kind.encoding, TextEncoding::kAscii);
    EXPECT_EQ(source.kind.lineEnd, LineEnd::kCrLf);
    EXPECT_FALSE(source.converted);
    EXPECT_EQ(SjisOf(source), "abc\r\ndef\r\n");
}

TEST(LoadTextSource, ShiftJisAndUndecidedFilesAreNotConverted) {
    const std::string sjis = Sj("日本語\nテキスト\n");
    EXPECT_EQ(SjisOf(Load(sjis)), sjis);  // LF stays LF on this path
    EXPECT_FALSE(Load(sjis).converted);
    const LoadedTextSource undecided = Load("\xA4\xA2\r\n");
    EXPECT_EQ(undecided.kind.encoding, TextEncoding::kSjisOrEuc);
    EXPECT_EQ(SjisOf(undecided), "\xA4\xA2\r\n");
}

TEST(LoadTextSource, CrOnlyFileGetsCrLfLines) {
    const LoadedTextSource source = Load("one\rtwo\r\rthree");
    EXPECT_EQ(source.kind.lineEnd, LineEnd::kCr);
    EXPECT_TRUE(source.converted);
    EXPECT_EQ(SjisOf(source), "one\r\ntwo\r\n\r\nthree\r\n");
    EXPECT_EQ(FormatConvertedText(SjisOf(source), source.kind), "one\rtwo\r\rthree\r");
}

TEST(LoadTextSource, ConvertsJisAndEucLines) {
    const LoadedTextSource jis = Load("\x1B$B" "4A;z" "\x1B(B" "abc\n");
    EXPECT_EQ(jis.kind.encoding, TextEncoding::kJis);
    EXPECT_EQ(SjisOf(jis), Sj("漢字") + "abc\r\n");
    const LoadedTextSource euc = Load("\xB4\xC1\xBB\xFA\r\nx\r\n");
    EXPECT_EQ(euc.kind.encoding, TextEncoding::kEucJp);
    EXPECT_EQ(SjisOf(euc), Sj("漢字") + "\r\nx\r\n");
}

TEST(LoadTextSource, ReadsLikeWindowsTextMode) {
    // CR LF reads as LF and one more CR goes with it; a CR inside a line
    // stays. (A Ctrl-Z is kept, unlike in text mode: ctrl_z_source_test.)
    EXPECT_EQ(SjisOf(Load("\xB4\xC1\xBB\xFA\r\nb\r\r\r\nc\r\r\n")), Sj("漢字") + "\r\nb\r\r\nc\r\n");
    EXPECT_EQ(SjisOf(Load("\xB4\xC1\xBB\xFA\n a\rb\n")), Sj("漢字") + "\r\n a\rb\r\n");
    EXPECT_EQ(SjisOf(Load("\xB4\xC1\xBB\xFA\n\n")), Sj("漢字") + "\r\n\r\n");
}

TEST(LoadTextSource, FileWithoutLineEnd) {
    const LoadedTextSource plain = Load("abc");
    EXPECT_EQ(plain.kind.lineEnd, LineEnd::kNone);
    EXPECT_EQ(SjisOf(plain), "abc");
    const LoadedTextSource euc = Load("\xB4\xC1\xBB\xFA");
    EXPECT_EQ(euc.kind.lineEnd, LineEnd::kNone);
    EXPECT_EQ(SjisOf(euc), Sj("漢字") + "\r\n");
    // Saved with CR LF, the usual line end.
    EXPECT_EQ(FormatConvertedText(SjisOf(euc), euc.kind), "\xB4\xC1\xBB\xFA\r\n");
}

TEST(LoadTextSource, EmptyAndControlBytes) {
    EXPECT_EQ(SjisOf(Load("")), "");
    EXPECT_EQ(Load("").kind.lineEnd, LineEnd::kNone);
    const std::string nul("\xBB\xFA\0\xBB\xFA\n\0", 7);
    EXPECT_EQ(SjisOf(Load(nul)), Sj("字") + std::string("\0", 1) + Sj("字") + "\r\n" + std::string("\0\r\n", 3));
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
    const std::string& text = SjisOf(source);
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
    EXPECT_EQ(kind->encoding, TextEncoding::kEucJp);
    EXPECT_EQ(kind->lineEnd, LineEnd::kCr);
}

TEST_F(TextSourceFile, FailedSaveKeepsTheOldFile) {
    const std::string path = Write("keep.txt", "old\r\n");
    const std::string folder = FromNativePath(m_dir.File("no-such-folder/x.txt"));
    EXPECT_TRUE(SaveTextSource(folder, SjisSourceText{"text\r\n"}, {TextEncoding::kEucJp, LineEnd::kLf}).error);
    EXPECT_EQ(Read(path), "old\r\n");
}

TEST_F(TextSourceFile, DetectionRefusesAFifoWithoutWaiting) {
    const std::string fifo = m_dir.File("pipe");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    std::optional<FileError> error;
    EXPECT_FALSE(DetectTextFile(FromNativePath(fifo), error));
    ASSERT_TRUE(error);
    EXPECT_EQ(error->cause, FileErrorCause::kAccessDenied);
    EXPECT_EQ(LoadTextSource(FromNativePath(fifo)).status, TextLoadStatus::kNotFound);
}

// The text's form travels with it: a text in the other form than the file's
// is converted on the way, and what has no form there is counted.
// A source above what a pane holds gets the memory message (the browser
// then shows it) instead of being read until memory runs out.
TEST_F(TextSourceFile, HugeFileGetsTheMemoryMessageUnread) {
    const std::string path = Write("huge.txt", "text\r\n");
    std::filesystem::resize_file(ToNativePath(path), std::uintmax_t{100} << 30);  // sparse
    const LoadedTextSource source = LoadTextSource(path);
    EXPECT_EQ(source.status, TextLoadStatus::kOutOfMemory);
    EXPECT_EQ(source.message, Sj("メモリ不足のため、十分な編集領域が確保できませんでした。\nブラウザモードに移行します"));
}

TEST(SourceFileBytes, ConvertsATextOfTheOtherForm) {
    std::size_t unmapped = 0;
    const TextSourceKind euc{TextEncoding::kEucJp, LineEnd::kLf};
    EXPECT_EQ(SourceFileBytes(Utf8SourceText{"\xE6\xBC\xA2\r\n\xF0\x9F\x98\x80\r\n"}, euc, &unmapped),
              "\xB4\xC1\n?\n");
    EXPECT_EQ(unmapped, 1u);
    const TextSourceKind utf16{TextEncoding::kUtf16LeBom, LineEnd::kCrLf};
    EXPECT_EQ(SourceFileBytes(SjisSourceText{Sj("漢")}, utf16, &unmapped), std::string("\xFF\xFE\x22\x6F", 4));
    EXPECT_EQ(unmapped, 0u);
    const TextSourceKind sjis{TextEncoding::kShiftJis, LineEnd::kCrLf};
    EXPECT_EQ(SourceFileBytes(SjisSourceText{"a\x82"}, sjis, &unmapped), "a\x82");  // bytes as they are
}

TEST(TextEncoding, NumbersAreThoseOfTheCommandLine) {
    // 10 to 13: UTF-16 without a byte-order mark, and files that only look like it.
    for (int number = -3; number < 16; ++number) {
        const std::optional<TextEncoding> encoding = EncodingFromNumber(number);
        EXPECT_EQ(encoding.has_value(), number >= 0 && number <= 13 && number != 3) << number;
        if (encoding) {
            EXPECT_EQ(EncodingNumber(*encoding), number);
        }
        const std::optional<LineEnd> lineEnd = LineEndFromNumber(number);
        EXPECT_EQ(lineEnd.has_value(), number >= -1 && number <= 2) << number;
        if (lineEnd) {
            EXPECT_EQ(LineEndNumber(*lineEnd), number);
        }
    }
}

TEST(FormatConvertedText, EveryLineGetsTheLineEnd) {
    const TextSourceKind lf{TextEncoding::kShiftJis, LineEnd::kLf};
    EXPECT_EQ(FormatConvertedText("a\r\nb", lf), "a\nb\n");
    EXPECT_EQ(FormatConvertedText("a\r\nb\r\n", lf), "a\nb\n");  // no extra empty line
    EXPECT_EQ(FormatConvertedText("\r\n", lf), "\n");
    EXPECT_EQ(FormatConvertedText("", lf), "");
    EXPECT_EQ(FormatConvertedText("a\rb\r\n", lf), "a\rb\n");  // only CR LF separates lines
    std::size_t unmapped = 0;
    EXPECT_EQ(FormatConvertedText(Sj("漢") + "\xF0\x40\r\n", {TextEncoding::kEucJp, LineEnd::kCr}, &unmapped),
              "\xB4\xC1\xF0\x40\r");
    EXPECT_EQ(unmapped, 1u);
}

}  // namespace
}  // namespace kelmio
