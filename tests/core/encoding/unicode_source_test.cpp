#include "encoding/unicode_source.h"

#include <gtest/gtest.h>

#include "encoding/text_source.h"
#include "support/iconv_convert.h"

namespace kelmio {
namespace {

using namespace std::string_literals;

std::optional<TextEncoding> Detect(const std::string& bytes) { return DetectUnicode(bytes); }

// The text of a Unicode source, which must be held as UTF-8.
std::string Utf8Of(const LoadedTextSource& source) {
    const auto* text = std::get_if<Utf8SourceText>(&source.text);
    EXPECT_NE(text, nullptr) << "held as Shift-JIS";
    return text != nullptr ? text->bytes : std::string();
}

// Loads the bytes and formats the pane's text for saving again.
std::string RoundTrip(const std::string& bytes) {
    const LoadedTextSource source = LoadTextSourceBytes(bytes);
    EXPECT_TRUE(IsUnicodeEncoding(source.kind.encoding)) << EncodingNumber(source.kind.encoding);
    return SourceFileBytes(Utf8SourceText{Utf8Of(source)}, source.kind);
}

TEST(DetectUnicode, MarksAndValidUtf8) {
    EXPECT_EQ(Detect("\xEF\xBB\xBF" "abc"), TextEncoding::kUtf8Bom);
    EXPECT_EQ(Detect("\xEF\xBB\xBF"), TextEncoding::kUtf8Bom);
    EXPECT_EQ(Detect("\xFF\xFE" "a\0"s), TextEncoding::kUtf16LeBom);
    EXPECT_EQ(Detect("\xFE\xFF" "\0a"s), TextEncoding::kUtf16BeBom);
    EXPECT_EQ(Detect("caf\xC3\xA9 \xE6\x97\xA5\xF0\x9F\x98\x80"), TextEncoding::kUtf8);
}

TEST(DetectUnicode, EverythingElseIsLeftToTheJapaneseDetection) {
    EXPECT_FALSE(Detect(""));
    EXPECT_FALSE(Detect("plain ascii\r\n"));                // no multi-byte sequence
    EXPECT_FALSE(Detect("\x1B$B4A\x1B(B"));                  // JIS is 7-bit
    EXPECT_FALSE(Detect("\x93\xFA\x96\x7B\x8C\xEA"));        // Shift-JIS 日本語
    EXPECT_FALSE(Detect("\xC6\xFC\xCB\xDC\xB8\xEC"));        // EUC-JP 日本語
    EXPECT_FALSE(Detect("\xC0\x80"));                        // overlong NUL
    EXPECT_FALSE(Detect("\xED\xA0\x80"));                    // surrogate
    EXPECT_FALSE(Detect("\xF4\x90\x80\x80"));                // above U+10FFFF
    EXPECT_FALSE(Detect("ok \xE6\x97"));                     // cut off at the end
    EXPECT_EQ(LoadTextSourceBytes("\x1B$B4A\x1B(B").kind.encoding, TextEncoding::kJis);
    EXPECT_EQ(LoadTextSourceBytes("\xC6\xFC\xCB\xDC\xB8\xEC").kind.encoding, TextEncoding::kEucJp);
}

TEST(DetectUnicode, Utf16LineEndsAreCountedInUnits) {
    EXPECT_EQ(DetectUnicodeLineEnd("\xFF\xFE" "a\0\r\0\n\0"s, TextEncoding::kUtf16LeBom), LineEnd::kCrLf);
    EXPECT_EQ(DetectUnicodeLineEnd("\xFE\xFF" "\0a\0\r\0b"s, TextEncoding::kUtf16BeBom), LineEnd::kCr);
    // U+0A0D is stored as the bytes 0D 0A but is no line end.
    EXPECT_EQ(DetectUnicodeLineEnd("\xFF\xFE\x0D\x0A"s, TextEncoding::kUtf16LeBom), LineEnd::kNone);
    EXPECT_EQ(DetectUnicodeLineEnd("\xEF\xBB\xBF" "a\nb"s, TextEncoding::kUtf8Bom), LineEnd::kLf);
}

TEST(UnicodeSource, PaneHoldsUtf8WithCrLfLines) {
    const LoadedTextSource lf = LoadTextSourceBytes("caf\xC3\xA9\nz\n");
    EXPECT_EQ(lf.kind.encoding, TextEncoding::kUtf8);
    EXPECT_EQ(lf.kind.lineEnd, LineEnd::kLf);
    EXPECT_EQ(Utf8Of(lf), "caf\xC3\xA9\r\nz\r\n");
    const std::optional<std::string> utf16 = test::IconvConvert("UTF-16BE", "UTF-8", "日本\r語\r");
    ASSERT_TRUE(utf16);
    const LoadedTextSource cr = LoadTextSourceBytes("\xFE\xFF" + *utf16);
    EXPECT_EQ(cr.kind.encoding, TextEncoding::kUtf16BeBom);
    EXPECT_EQ(Utf8Of(cr), "日本\r\n語\r\n");
}

TEST(UnicodeSource, LoadThenSaveGivesBackTheSameBytes) {
    // Characters Shift-JIS does not have (é, 한, an emoji) must survive.
    const std::string text = "café 日本語 한국어 \xF0\x9F\x98\x80 end";
    for (const std::string& lineEnd : {"\r\n"s, "\n"s, "\r"s}) {
        const std::string utf8 = text + lineEnd + "second" + lineEnd + lineEnd + "last";
        EXPECT_EQ(RoundTrip(utf8), utf8);
        EXPECT_EQ(RoundTrip("\xEF\xBB\xBF" + utf8), "\xEF\xBB\xBF" + utf8);
        for (const auto& [name, bom] : {std::pair{"UTF-16LE", "\xFF\xFE"s}, std::pair{"UTF-16BE", "\xFE\xFF"s}}) {
            const std::optional<std::string> utf16 = test::IconvConvert(name, "UTF-8", utf8);
            ASSERT_TRUE(utf16);
            EXPECT_EQ(RoundTrip(bom + *utf16), bom + *utf16) << name;
        }
    }
    // Mixed line ends in an LF file come back as they were too.
    EXPECT_EQ(RoundTrip("\xC3\xA9\na\r\nb\rc\n"), "\xC3\xA9\na\r\nb\rc\n");
    EXPECT_EQ(RoundTrip("\xC3\xA9\ra\r\nb\nc\r"), "\xC3\xA9\ra\r\nb\nc\r");
}

TEST(UnicodeSource, BrokenUtf16Survives) {
    // A lone high surrogate, a lone low one, and a pair.
    const std::string le = "\xFF\xFE" "\x00\xD8" "a\0" "\x00\xDC" "\x3D\xD8\x00\xDE"s;
    EXPECT_EQ(RoundTrip(le), le);
    // An odd last byte has no character; the rest loads.
    const LoadedTextSource odd = LoadTextSourceBytes("\xFF\xFE" "a\0b"s);
    EXPECT_EQ(Utf8Of(odd), "a\xEF\xBF\xBD");
}

TEST(UnicodeSource, SavingTextThatIsNotUtf8) {
    std::size_t unmapped = 0;
    EXPECT_EQ(EncodeUnicodeSource("a\xFF" "b", TextEncoding::kUtf16LeBom, LineEnd::kCrLf, &unmapped),
              "\xFF\xFE" "a\0\xFD\xFF" "b\0"s);
    EXPECT_EQ(unmapped, 1u);
    // UTF-8 files are written as they are.
    EXPECT_EQ(EncodeUnicodeSource("a\xFF\r\n", TextEncoding::kUtf8, LineEnd::kLf), "a\xFF\n");
}

}  // namespace
}  // namespace kelmio
