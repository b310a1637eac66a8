// The table-driven conversions against a straightforward byte-by-byte
// reading of the same rules, on random and hostile lines: lone lead bytes,
// escape sequences cut at the line's end or at the converter's block
// boundary, NUL, CR, and every byte value.

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <string_view>

#include "encoding/conversion.h"
#include "text/sjis.h"

namespace kelmio {
namespace {

// The reference: one byte or pair at a time, computing each mapping with
// the row/cell arithmetic through the public pair functions.
namespace reference {

constexpr unsigned char kEsc = 0x1B;

bool IsKana(unsigned char byte) { return byte >= 0xA1 && byte <= 0xDF; }

std::size_t TakeEscape(std::string_view s, std::size_t i, CJisState& state) {
    if (s.size() - i < 3) return 0;
    const char a = s[i + 1];
    const char b = s[i + 2];
    if ((a == '$' && (b == '@' || b == 'B')) || (a == '&' && b == '@')) return state = {true, false}, 3;
    if (a == '(' && (b == 'J' || b == 'H' || b == 'B')) return state = {false, false}, 3;
    if (a == '(' && b == 'I') return state = {false, true}, 3;
    if (s.size() - i >= 4 && a == '$' && b == '(' && s[i + 3] == 'D') return state = {true, false}, 4;
    return 0;
}

LineConversion JisToSjis(std::string_view s, CJisState& state, std::string& out) {
    LineConversion result;
    std::size_t i = 0;
    while (i < s.size()) {
        const auto c = static_cast<unsigned char>(s[i]);
        if (c == kEsc) {
            if (const std::size_t n = TakeEscape(s, i, state)) {
                i += n;
                continue;
            }
        } else if (c == 0x0E) {
            state = {false, true};
            ++i;
            continue;
        } else if (c == 0x0F) {
            state = {};
            ++i;
            continue;
        }
        unsigned char lead = 0;
        unsigned char trail = 0;
        if (state.m_bKanji && i + 1 < s.size() &&
            JisPairToSjis(c, static_cast<unsigned char>(s[i + 1]), lead, trail)) {
            out += static_cast<char>(lead);
            out += static_cast<char>(trail);
            ++result.converted;
            i += 2;
            continue;
        }
        const bool kana = !state.m_bKanji && state.m_bKana && c >= 0x21 && c <= 0x5F;
        out += static_cast<char>(kana ? c + 0x80 : c);
        ++i;
    }
    return result;
}

LineConversion EucToSjis(std::string_view s, std::string& out) {
    LineConversion result;
    std::size_t i = 0;
    while (i < s.size()) {
        const auto c = static_cast<unsigned char>(s[i]);
        unsigned char lead = 0;
        unsigned char trail = 0;
        if (c < 0x80) {
            out += s[i++];
        } else if (c == 0x8E) {
            if (++i < s.size()) out += s[i++];
        } else if (c == 0x8F) {
            ++i;
        } else if (i + 1 < s.size() && static_cast<unsigned char>(s[i + 1]) >= 0x80 &&
                   JisPairToSjis(c & 0x7F, static_cast<unsigned char>(s[i + 1]) & 0x7F, lead, trail)) {
            out += static_cast<char>(lead);
            out += static_cast<char>(trail);
            ++result.converted;
            i += 2;
        } else {
            out += s[i++];
        }
    }
    return result;
}

void ToAscii(CJisState& state, std::string& out) {
    if (state.m_bKana) out += '\x0F';
    if (state.m_bKanji) out += "\x1B(B";
    state = {};
}

// `jis` is true for SjisToJis, false for SjisToEuc.
LineConversion FromSjis(std::string_view s, CJisState& state, std::string& out, bool jis) {
    LineConversion result;
    std::size_t i = 0;
    while (i < s.size()) {
        const auto c = static_cast<unsigned char>(s[i]);
        if (IsKana(c)) {
            if (jis && !state.m_bKana) out += '\x0E';
            if (jis) state = {false, true};
            if (!jis) out += '\x8E';
            out += static_cast<char>(jis ? c - 0x80 : c);
            ++i;
            continue;
        }
        if (IsSjisLeadByte(c) && i + 1 < s.size() && IsSjisTrailByte(static_cast<unsigned char>(s[i + 1]))) {
            unsigned char first = 0;
            unsigned char second = 0;
            if (SjisPairToJis(c, static_cast<unsigned char>(s[i + 1]), first, second)) {
                if (jis && state.m_bKana) out += '\x0F';
                if (jis && !state.m_bKanji) out += "\x1B$B";
                if (jis) state = {true, false};
                out += static_cast<char>(jis ? first : first | 0x80);
                out += static_cast<char>(jis ? second : second | 0x80);
                ++result.converted;
            } else {
                if (jis) ToAscii(state, out);
                out.append(s.substr(i, 2));
                ++result.unmapped;
            }
            i += 2;
            continue;
        }
        if (jis) ToAscii(state, out);
        out += s[i++];
    }
    if (jis) ToAscii(state, out);
    return result;
}

}  // namespace reference

// Lines built from pieces that stress each converter: every kind of
// character, bytes that start a sequence without finishing it, and escapes.
std::string HostileLine(std::mt19937& random, std::size_t length) {
    static const std::string_view pieces[] = {
        "\x1B$B", "\x1B(B", "\x1B(J", "\x1B(I", "\x1B$(D", "\x1B&@", "\x1B$", "\x1B(", "\x1B",
        "\x0E",   "\x0F",   "\x8E",   "\x8F",   "\x82\xA0", "\x88\x9F", "\xEA\xA4", "\xF0\x40",
        "\x81",   "\xFC",   "\x81\x7F", "\xA4\xA2", "\xB0\xA1", "\x8E\xB1", "\x8F\xB0\xA1",
        "$B",     "!!",     "~~",     "\x21\x7E", std::string_view("\0", 1), "\r", "\n", "\r\n",
        "abc",    " ",      "\\",     "\x7F",     "\x80", "\xA0", "\xFD\xFE\xFF",
    };
    std::string line;
    while (line.size() < length) {
        if (random() % 4 == 0) {
            line += static_cast<char>(random() % 256);
        } else {
            line += pieces[random() % std::size(pieces)];
        }
    }
    return line;
}

// Converts `line` both ways and expects the same bytes and counts.
void ExpectSameAsReference(std::string_view line, const CJisState& start) {
    {
        CJisState fast = start;
        CJisState slow = start;
        std::string a = "prefix";
        std::string b = "prefix";
        const LineConversion x = JisToSjis(line, fast, a);
        const LineConversion y = reference::JisToSjis(line, slow, b);
        ASSERT_EQ(a, b) << "JisToSjis";
        EXPECT_EQ(x.converted, y.converted);
        EXPECT_EQ(fast.m_bKanji, slow.m_bKanji);
        EXPECT_EQ(fast.m_bKana, slow.m_bKana);
    }
    {
        std::string a;
        std::string b;
        const LineConversion x = EucToSjis(line, a);
        const LineConversion y = reference::EucToSjis(line, b);
        ASSERT_EQ(a, b) << "EucToSjis";
        EXPECT_EQ(x.converted, y.converted);
    }
    for (const bool jis : {true, false}) {
        CJisState fast = start;
        CJisState slow = start;
        std::string a;
        std::string b;
        const LineConversion x = jis ? SjisToJis(line, fast, a) : SjisToEuc(line, a);
        const LineConversion y = reference::FromSjis(line, slow, b, jis);
        ASSERT_EQ(a, b) << (jis ? "SjisToJis" : "SjisToEuc");
        EXPECT_EQ(x.converted, y.converted);
        EXPECT_EQ(x.unmapped, y.unmapped);
    }
}

TEST(ConversionReferenceTest, EveryPairOfBytesAgreesInEveryState) {
    for (unsigned a = 0; a < 256; ++a) {
        for (unsigned b = 0; b < 256; ++b) {
            const char pair[2] = {static_cast<char>(a), static_cast<char>(b)};
            for (const CJisState state : {CJisState{}, CJisState{true, false}, CJisState{false, true}}) {
                ExpectSameAsReference(std::string_view(pair, 2), state);
                if (HasFatalFailure()) return;
            }
        }
    }
}

TEST(ConversionReferenceTest, RandomHostileLinesAgree) {
    std::mt19937 random(4711);
    for (int round = 0; round < 3000; ++round) {
        const std::string line = HostileLine(random, random() % 200);
        ExpectSameAsReference(line, CJisState{round % 3 == 1, round % 3 == 2});
        if (HasFatalFailure()) return;
    }
}

// Long lines cross the converters' internal blocks (16 KiB of output), so
// a pair, an escape or a single shift is cut there at some offset.
TEST(ConversionReferenceTest, LongLinesCutAtEveryBlockOffsetAgree) {
    std::mt19937 random(99);
    for (std::size_t shift = 0; shift < 12; ++shift) {
        std::string line(16384 - 80 - shift, 'a');
        line += HostileLine(random, 40000);
        ExpectSameAsReference(line, CJisState{});
        std::string kanji = "\x1B$B";
        kanji.append(shift, '!');
        while (kanji.size() < 70000) kanji += "\x30\x21\x46\x7E";
        ExpectSameAsReference(kanji, CJisState{});
        std::string sjis(shift, 'x');
        while (sjis.size() < 70000) sjis += "\x93\xFA\xB1\x96\x7B";
        ExpectSameAsReference(sjis, CJisState{});
        if (HasFatalFailure()) return;
    }
}

}  // namespace
}  // namespace kelmio
