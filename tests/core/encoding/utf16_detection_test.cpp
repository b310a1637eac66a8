// UTF-16 without a byte-order mark: told from its zero bytes, shown as the
// text it is and saved back in the same form, while Shift-JIS, binary data
// and files too short or of an odd size are never taken for it. A file that
// only looks like UTF-16 is shown but never saved.

#include "encoding/utf16_detection.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <variant>

#include "encoding/text_source.h"
#include "encoding/unicode_source.h"
#include "platform/file_io.h"
#include "support/file_bytes.h"
#include "support/iconv_convert.h"
#include "support/sjis_literal.h"
#include "support/temp_dir.h"

namespace kelmio {
namespace {

using namespace std::string_literals;
using test::Sj;

std::string Utf16(const char* order, const std::string& utf8) {
    const std::optional<std::string> bytes = test::IconvConvert(order, "UTF-8", utf8);
    EXPECT_TRUE(bytes) << order;
    return bytes.value_or("");
}

std::string Utf8Of(const LoadedTextSource& source) {
    const auto* text = std::get_if<Utf8SourceText>(&source.text);
    EXPECT_NE(text, nullptr) << "held as Shift-JIS";
    return text != nullptr ? text->bytes : std::string();
}

// Texts with the units that trip a careless count: the ideographic space
// U+3000 and 一 U+4E00 (a zero low byte), 」 U+300D and 不 U+4E0D (a CR
// byte), and no ASCII at all but the line ends.
const std::string kJapanese = "　　日本語のテキスト、「一つ」と不一致。\r\n二行目\r\n";
const std::string kAscii = "Plain ASCII text, 42 of it.\r\nSecond line\r\n";

TEST(Utf16WithoutMark, LittleAndBigEndianAreToldAndShown) {
    struct Case {
        const char* order;
        TextEncoding encoding;
    };
    for (const Case& order : {Case{"UTF-16LE", TextEncoding::kUtf16Le}, Case{"UTF-16BE", TextEncoding::kUtf16Be}}) {
        for (const std::string& text : {kJapanese, kAscii, "no line end at all"s}) {
            const std::string bytes = Utf16(order.order, text);
            EXPECT_EQ(DetectUtf16WithoutMark(bytes), order.encoding) << order.order << " " << text;
            const LoadedTextSource loaded = LoadTextSourceBytes(bytes);
            EXPECT_EQ(loaded.kind.encoding, order.encoding) << order.order << " " << text;
            EXPECT_EQ(Utf8Of(loaded), text);
        }
        // The line end is counted in units from the first byte: there is no mark to skip.
        const LoadedTextSource lf = LoadTextSourceBytes(Utf16(order.order, "日本\n語\n"));
        EXPECT_EQ(lf.kind.lineEnd, LineEnd::kLf) << order.order;
        EXPECT_EQ(Utf8Of(lf), "日本\r\n語\r\n");
        EXPECT_EQ(LoadTextSourceBytes(Utf16(order.order, "ab\rcd\r")).kind.lineEnd, LineEnd::kCr);
    }
}

TEST(Utf16WithoutMark, ShiftJisBinaryShortAndOddFilesAreNotTakenForIt) {
    // Shift-JIS has no zero byte; with stray NULs it still is not UTF-16.
    const std::string sjis = Sj("日本語のテキスト\r\n二行目です。\r\n");
    EXPECT_EQ(DetectUtf16WithoutMark(sjis), std::nullopt);
    for (std::size_t at = 0; at <= sjis.size(); at += 3) {
        for (const std::string& nul : {"\0"s, "\0\0"s, "\0x\0"s}) {
            std::string withNul = sjis;
            withNul.insert(at, nul);
            const std::optional<TextEncoding> found = DetectUtf16WithoutMark(withNul);
            EXPECT_FALSE(found) << "NUL at " << at << ": " << EncodingNumber(*found);
            EXPECT_FALSE(IsUnicodeEncoding(LoadTextSourceBytes(withNul).kind.encoding));
        }
    }
    // Binary data: random bytes (a quarter of them zero) and a PNG's start.
    std::mt19937 random(16);
    for (std::size_t size : {64u, 65u, 1000u, 70000u}) {
        for (int round = 0; round < 20; ++round) {
            std::string bytes(size, '\0');
            for (char& c : bytes) c = random() % 4 == 0 ? '\0' : static_cast<char>(random());
            const std::optional<TextEncoding> found = DetectUtf16WithoutMark(bytes);
            EXPECT_TRUE(found != TextEncoding::kUtf16Le && found != TextEncoding::kUtf16Be) << size;
        }
    }
    const std::string png = "\x89PNG\r\n\x1A\n\0\0\0\x0DIHDR\0\0\x01\0\0\0\x01\0\x08\x02\0\0\0\x90wS\xDE"s;
    EXPECT_EQ(DetectUtf16WithoutMark(png), std::nullopt);
    // Fewer than four units, or an odd number of bytes.
    for (const std::string& bytes : {"a\0"s, "a\0b\0"s, "\r\0\n\0"s, "a\0b\0\r\0"s, "a\0b\0c\0d\0\n"s,
                                     Utf16("UTF-16LE", kAscii) + "x"}) {
        EXPECT_EQ(DetectUtf16WithoutMark(bytes), std::nullopt) << bytes.size() << " bytes";
    }
}

TEST(Utf16WithoutMark, LooksLikeItWithoutBeingItIsShownButUnsure) {
    // A NUL unit or a control character in UTF-16 text: no text has them.
    const std::string le = Utf16("UTF-16LE", kAscii) + "\0\0"s + Utf16("UTF-16LE", kAscii);
    EXPECT_EQ(DetectUtf16WithoutMark(le), TextEncoding::kUtf16LeUnsure);
    const std::string be = Utf16("UTF-16BE", kAscii + "\x01" + kJapanese);
    EXPECT_EQ(DetectUtf16WithoutMark(be), TextEncoding::kUtf16BeUnsure);
    const LoadedTextSource loaded = LoadTextSourceBytes(be);
    EXPECT_EQ(loaded.kind.encoding, TextEncoding::kUtf16BeUnsure);
    EXPECT_EQ(Utf8Of(loaded), kAscii + "\x01" + kJapanese);
    EXPECT_TRUE(IsReadOnlyEncoding(loaded.kind.encoding));
    EXPECT_FALSE(IsReadOnlyEncoding(TextEncoding::kUtf16Le));
}

TEST(Utf16WithoutMark, TheWholeFileIsLookedAtOnceItHasAZeroByteNearItsStart) {
    // Text for well past the first 64 KiB, then a NUL unit: not text throughout.
    std::string text;
    while (text.size() < 80'000) text += kJapanese + kAscii;
    const std::string good = Utf16("UTF-16LE", text);
    EXPECT_EQ(DetectUtf16WithoutMark(good), TextEncoding::kUtf16Le);
    EXPECT_EQ(DetectUtf16WithoutMark(good + "\0\0"s + Utf16("UTF-16LE", kAscii)), TextEncoding::kUtf16LeUnsure);
    // A Shift-JIS file whose first NUL comes after 64 KiB is read no further.
    std::string sjis;
    while (sjis.size() < 70'000) sjis += Sj("日本語のテキスト\r\n");
    EXPECT_EQ(DetectUtf16WithoutMark(sjis + "\0\0\0\0"s), std::nullopt);
}

class Utf16WithoutMarkFile : public ::testing::Test {
protected:
    std::string Write(const std::string& bytes) {
        test::WriteFileBytes(m_dir.File("source.txt"), bytes);
        return FromNativePath(m_dir.File("source.txt"));
    }
    std::string Read() { return test::ReadFileBytes(m_dir.File("source.txt")); }

    test::TempDir m_dir;
};

TEST_F(Utf16WithoutMarkFile, DetectedFromTheFileAsFromTheBytesAndSavedBackUnchanged) {
    for (const char* order : {"UTF-16LE", "UTF-16BE"}) {
        for (const std::string& lineEnd : {"\r\n"s, "\n"s, "\r"s}) {
            const std::string bytes = Utf16(order, "一行目 first" + lineEnd + "　二行目" + lineEnd);
            const std::string path = Write(bytes);
            std::optional<FileError> error;
            const std::optional<TextSourceKind> kind = DetectTextFile(path, error);
            const LoadedTextSource loaded = LoadTextSource(path);
            ASSERT_TRUE(kind);
            EXPECT_EQ(kind->encoding, loaded.kind.encoding);
            EXPECT_EQ(kind->lineEnd, loaded.kind.lineEnd);
            EXPECT_EQ(Utf8Of(loaded), "一行目 first\r\n　二行目\r\n");
            // Saved as loaded: the same bytes, no mark added.
            EXPECT_FALSE(SaveTextSource(path, loaded.text, loaded.kind).error);
            EXPECT_EQ(Read(), bytes) << order << " line end " << lineEnd.size();
        }
    }
}

}  // namespace
}  // namespace kelmio
