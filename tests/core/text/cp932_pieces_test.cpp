// The piecewise conversions against the whole-text ones they stand in for,
// on Japanese text, random bytes and bytes chosen to sit at piece edges.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "text/cp932.h"
#include "text/cp932_table.h"

namespace kelmio {
namespace {

std::string RandomBytes(std::mt19937& random, std::size_t size, std::string_view alphabet) {
    std::string bytes(size, '\0');
    std::uniform_int_distribution<std::size_t> pick(0, alphabet.size() - 1);
    for (char& c : bytes) c = alphabet[pick(random)];
    return bytes;
}

std::string AllBytes() {
    std::string bytes;
    for (int b = 0; b < 256; ++b) bytes += static_cast<char>(b);
    return bytes;
}

// Japanese text, random bytes of every value, and bytes that are mostly
// lead, trail and continuation bytes, so pieces end in awkward places.
std::vector<std::string> Inputs(bool utf8) {
    std::mt19937 random(932);
    const std::string japanese = "翻訳の手順をまとめたものです。ﾃｷｽﾄ ABC ①～\r\n";
    std::vector<std::string> inputs = {"", "a", utf8 ? japanese : Utf8ToCp932(japanese)};
    std::string repeated;
    for (int i = 0; i < 200; ++i) repeated += inputs.back();
    inputs.push_back(repeated);
    for (int i = 0; i < 20; ++i) {
        inputs.push_back(RandomBytes(random, 1 + random() % 3000, AllBytes()));
        inputs.push_back(RandomBytes(random, 1 + random() % 3000,
                                     utf8 ? "\x80\xBF\xC2\xE3\xF0\xF4\xF8\xFF\xED\xA0\x81" "a"
                                          : "\x81\x82\x9F\xE0\xFC\xFD\x40\x7F\x80\xA0\xDF\x0A" "a"));
    }
    inputs.push_back(std::string(5000, '\x80'));  // continuation bytes only
    inputs.push_back(std::string(5000, '\x82'));  // lead bytes only
    return inputs;
}

TEST(Cp932Pieces, ShiftJisPiecesJoinToTheWholeConversion) {
    for (const std::string& sjis : Inputs(false)) {
        for (const std::size_t chunk : {1u, 2u, 3u, 5u, 64u, 1000u, 1u << 20}) {
            std::string joined;
            std::size_t pieces = 0;
            Cp932ToUtf8Pieces(sjis, chunk, [&](std::string_view piece) {
                joined.append(piece);
                ++pieces;
            });
            ASSERT_EQ(joined, Cp932ToUtf8(sjis)) << "chunk " << chunk;
            // Pieces are cut near the size asked for, not kept whole.
            if (chunk >= 4) {
                EXPECT_GE(pieces, sjis.size() / (chunk + 1));
            }
        }
    }
}

// The editor saves its text piece by piece, each piece cut before a byte
// that is no continuation byte: that must give the whole text's bytes.
TEST(Cp932Pieces, Utf8CutBeforeAnyLeadByteConvertsToTheWholeConversion) {
    for (const std::string& utf8 : Inputs(true)) {
        const ConversionResult whole = Utf8ToCp932Checked(utf8);
        for (const std::size_t chunk : {1u, 3u, 7u, 64u, 1000u}) {
            std::string joined;
            std::size_t unconvertible = 0;
            for (std::size_t start = 0; start < utf8.size();) {
                std::size_t end = std::min(utf8.size(), start + chunk);
                while (end < utf8.size() && (static_cast<unsigned char>(utf8[end]) & 0xC0) == 0x80) ++end;
                const ConversionResult piece = Utf8ToCp932Checked(utf8.substr(start, end - start));
                joined += piece.text;
                unconvertible += piece.unconvertible;
                start = end;
            }
            ASSERT_EQ(joined, whole.text) << "chunk " << chunk;
            EXPECT_EQ(unconvertible, whole.unconvertible) << "chunk " << chunk;

            std::string converted;
            EXPECT_TRUE(Utf8ToCp932Pieces(utf8, chunk, [&converted](std::string_view piece) {
                converted.append(piece);
                return true;
            }));
            ASSERT_EQ(converted, whole.text) << "chunk " << chunk;
        }
        EXPECT_EQ(CountCharsWithoutCp932Form(utf8), FindCharsWithoutCp932Form(utf8).size());
    }
}

TEST(Cp932Pieces, Utf8PiecesStopWhenTheTakerRefuses) {
    int calls = 0;
    EXPECT_FALSE(Utf8ToCp932Pieces(std::string(100, 'a'), 10, [&calls](std::string_view) { return ++calls < 3; }));
    EXPECT_EQ(calls, 3);
    EXPECT_TRUE(Utf8ToCp932Pieces("", 10, [](std::string_view) { return false; }));
}

// The table-driven conversion against iconv itself, on every character of
// the Basic Multilingual Plane and on hostile byte sequences.
TEST(Cp932Table, GivesIconvsBytesAndCounts) {
    std::vector<std::string> inputs = Inputs(true);
    std::string every;
    for (char32_t cp = 1; cp < 0x10000; ++cp) {
        if (cp >= 0xD800 && cp <= 0xDFFF) continue;
        // In blocks, as iconv slows down on long runs of refusals.
        if (cp % 512 == 0) {
            inputs.push_back(every);
            every.clear();
        }
        if (cp < 0x80) every += static_cast<char>(cp);
        else if (cp < 0x800) every += {static_cast<char>(0xC0 | (cp >> 6)), static_cast<char>(0x80 | (cp & 0x3F))};
        else every += {static_cast<char>(0xE0 | (cp >> 12)), static_cast<char>(0x80 | ((cp >> 6) & 0x3F)),
                       static_cast<char>(0x80 | (cp & 0x3F))};
    }
    inputs.push_back(every);
    // Overlong forms, surrogates, code points past U+10FFFF, cut sequences.
    inputs.push_back("\xC0\xAF\xC1\xBF\xE0\x80\xAF\xED\xA0\x80\xED\xBF\xBF\xF4\x90\x80\x80\xF5\x80");
    inputs.push_back("\xF0\x9F\x98\x80\xF0\x8F\xBF\xBF\xE3\x81\xE3\x81\x82\xE3");
    // Tag characters (U+E0000, U+E0001, U+E007F) around the last one (U+E0080 is none).
    inputs.push_back("x\xF3\xA0\x80\x80\xF3\xA0\x80\x81y\xF3\xA0\x81\xBF\xF3\xA0\x82\x80");
    for (const std::string& utf8 : inputs) {
        const ConversionResult reference = Utf8ToCp932ByIconv(utf8);
        std::string table;
        std::size_t unconvertible = 0;
        ASSERT_TRUE(Utf8ToCp932ByTable(utf8, table, unconvertible));
        ASSERT_EQ(table, reference.text);
        EXPECT_EQ(unconvertible, reference.unconvertible);
        std::size_t count = 0;
        ASSERT_TRUE(CountWithoutCp932FormByTable(utf8, count));
        EXPECT_EQ(count, FindCharsWithoutCp932Form(utf8).size());
    }
}

TEST(Cp932Pieces, SizeEstimateIsExactForJapaneseTextAndNeverShortForCharacters) {
    const std::string japanese = Utf8ToCp932("翻訳の手順をまとめたものです。ﾃｷｽﾄ ABC ①～\r\n");
    EXPECT_EQ(Cp932ToUtf8SizeEstimate(japanese), Cp932ToUtf8(japanese).size());
    EXPECT_EQ(Cp932ToUtf8SizeEstimate("plain ASCII\r\n"), 13u);
    // Every double-byte and single-byte character there is, and bytes that
    // are no character but no double-byte one either.
    std::string every;
    for (int lead = 0x81; lead <= 0xFC; ++lead) {
        for (int trail = 0x40; trail <= 0xFC; ++trail) every += {static_cast<char>(lead), static_cast<char>(trail)};
    }
    for (int single = 0x00; single <= 0xFF; ++single) {
        if (single < 0x81 || (single > 0x9F && single < 0xE0) || single > 0xFC) every += static_cast<char>(single);
    }
    const std::string utf8 = Cp932ToUtf8(every);
    EXPECT_GE(Cp932ToUtf8SizeEstimate(every), utf8.size());
    EXPECT_LT(Cp932ToUtf8SizeEstimate(every), utf8.size() + utf8.size() / 50);
}

}  // namespace
}  // namespace kelmio
