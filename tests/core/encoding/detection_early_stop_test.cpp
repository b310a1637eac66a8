// Detection stops at the byte that decides: a JIS file is known to be JIS
// (and not UTF-8) at its first kanji escape, however long it is. Checked
// against a straightforward reading of the rule (validate everything, then
// look for the escape in the 7-bit bytes before the first multi-byte
// sequence) on random and hostile bytes, also fed in tiny blocks that cut
// the escape apart.

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <random>
#include <string>
#include <string_view>

#include "encoding/detection.h"
#include "encoding/text_source.h"
#include "encoding/unicode_source.h"

namespace kelmio {
namespace {

// The straightforward answer: strict UTF-8 over the whole input (iconv-free,
// a byte-by-byte reading of the standard), then the JIS escape rule.
bool IsStrictUtf8WithMultiByte(std::string_view bytes) {
    bool multi = false;
    std::size_t i = 0;
    while (i < bytes.size()) {
        const auto b = static_cast<unsigned char>(bytes[i]);
        if (b < 0x80) {
            ++i;
            continue;
        }
        multi = true;
        std::size_t need = 0;
        unsigned char low = 0x80;
        unsigned char high = 0xBF;
        if (b >= 0xC2 && b <= 0xDF) need = 1;
        else if (b >= 0xE0 && b <= 0xEF) need = 2, low = b == 0xE0 ? 0xA0 : 0x80, high = b == 0xED ? 0x9F : 0xBF;
        else if (b >= 0xF0 && b <= 0xF4) need = 3, low = b == 0xF0 ? 0x90 : 0x80, high = b == 0xF4 ? 0x8F : 0xBF;
        else return false;
        if (bytes.size() - i - 1 < need) return false;
        for (std::size_t k = 1; k <= need; ++k) {
            const auto t = static_cast<unsigned char>(bytes[i + k]);
            if (t < (k == 1 ? low : 0x80) || t > (k == 1 ? high : 0xBF)) return false;
        }
        i += need + 1;
    }
    return multi;
}

std::optional<TextEncoding> ReferenceUnicode(std::string_view bytes) {
    if (bytes.substr(0, 3) == "\xEF\xBB\xBF") return TextEncoding::kUtf8Bom;
    if (bytes.substr(0, 2) == "\xFF\xFE") return TextEncoding::kUtf16LeBom;
    if (bytes.substr(0, 2) == "\xFE\xFF") return TextEncoding::kUtf16BeBom;
    if (!IsStrictUtf8WithMultiByte(bytes)) return std::nullopt;
    const auto firstHigh = std::find_if(bytes.begin(), bytes.end(), [](char c) { return static_cast<unsigned char>(c) >= 0x80; });
    const std::string_view sevenBit = bytes.substr(0, static_cast<std::size_t>(firstHigh - bytes.begin()));
    if (DetectEncoding(sevenBit) == TextEncoding::kJis) return std::nullopt;
    return TextEncoding::kUtf8;
}

// A reader over `bytes` that hands out at most `block` bytes per refill and
// counts what it handed out.
struct CCountingSource {
    std::string_view bytes;
    std::size_t block;
    std::size_t given = 0;

    CByteReader::Refill Refill() {
        return [this](char* buffer, std::size_t size) {
            const std::size_t n = std::min({size, block, bytes.size() - given});
            std::copy_n(bytes.data() + given, n, buffer);
            given += n;
            return n;
        };
    }
};

std::string RandomBytes(std::mt19937& random, std::size_t length) {
    static const std::string_view pieces[] = {
        "\x1B$B", "\x1B$@", "\x1B", "$", "B", "@", "\x1B(B", "\x1B\x1B$B", "\x1B$\x1B$B", "abc", "\r\n", "\r",
        std::string_view("\0", 1), "\xE3\x81\x82", "\xC3\xA9", "\xF0\x9F\x98\x80", "\xE3\x81", "\xED\xA0\x80",
        "\x82\xA0", "\xA4\xA2", "\xEF\xBB\xBF", "\xFF\xFE",
    };
    std::string bytes;
    while (bytes.size() < length) {
        if (random() % 5 == 0) bytes += static_cast<char>(random() % 128);
        else bytes += pieces[random() % std::size(pieces)];
    }
    return bytes;
}

TEST(DetectionEarlyStopTest, JisKanjiEscapeDecidesWithoutReadingTheRest) {
    std::string jis = "Title\r\n\x1B$B\x46\x7C\x4B\x5C\x1B(B\r\n";
    jis.append(8u << 20, 'a');
    jis += "\xE3\x81\x82";  // a UTF-8 character far beyond the escape does not count
    CCountingSource source{jis, 1u << 16};
    CByteReader reader(source.Refill());
    EXPECT_EQ(DetectUnicode(reader), std::nullopt);
    EXPECT_LE(source.given, std::size_t{1} << 16);
    EXPECT_EQ(DetectEncoding(jis), TextEncoding::kJis);

    const LoadedTextSource loaded = LoadTextSourceBytes(jis);
    EXPECT_EQ(loaded.kind.encoding, TextEncoding::kJis);
    EXPECT_EQ(loaded.kind.lineEnd, LineEnd::kCrLf);
}

TEST(DetectionEarlyStopTest, MultiByteUtf8BeforeTheEscapeStaysUtf8) {
    EXPECT_EQ(DetectUnicode(std::string_view("\xE3\x81\x82 then \x1B$B")), TextEncoding::kUtf8);
    // An escape that is not the kanji one, or is broken apart, decides nothing.
    EXPECT_EQ(DetectUnicode(std::string_view("\x1B(B \xE3\x81\x82")), TextEncoding::kUtf8);
    EXPECT_EQ(DetectUnicode(std::string_view("\x1B\x1B$B \xE3\x81\x82")), TextEncoding::kUtf8);
    // The Japanese detection uses up the second ESC as the third byte of
    // the first sequence, so neither is a kanji escape.
    EXPECT_EQ(DetectUnicode(std::string_view("\x1B$\x1B$B \xE3\x81\x82")), TextEncoding::kUtf8);
    EXPECT_EQ(DetectUnicode(std::string_view("\x1B$\x1B\x1B$@ \xE3\x81\x82")), std::nullopt);
}

TEST(DetectionEarlyStopTest, RandomAndHostileBytesMatchTheStraightforwardRule) {
    std::mt19937 random(2024);
    for (int round = 0; round < 4000; ++round) {
        const std::string bytes = RandomBytes(random, random() % 64);
        const std::optional<TextEncoding> expected = ReferenceUnicode(bytes);
        ASSERT_EQ(DetectUnicode(bytes), expected) << round;
        CCountingSource source{bytes, 1 + random() % 4};
        CByteReader reader(source.Refill());
        ASSERT_EQ(DetectUnicode(reader), expected) << round;
        if (!expected) {
            // Whatever the Japanese detection then says, the load agrees.
            EXPECT_EQ(LoadTextSourceBytes(bytes).kind.encoding, DetectEncoding(bytes));
        }
    }
}

}  // namespace
}  // namespace kelmio
