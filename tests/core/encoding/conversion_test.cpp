#include "encoding/conversion.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>

#include "support/file_bytes.h"
#include "support/iconv_convert.h"
#include "support/sjis_literal.h"
#include "support/temp_dir.h"

namespace kelmio {
namespace {

using test::IconvConvert;
using test::Sj;

std::string Jis(std::string_view line, CJisState& state) {
    std::string out;
    JisToSjis(line, state, out);
    return out;
}
std::string Jis(std::string_view line) {
    CJisState state;
    return Jis(line, state);
}
std::string ToJis(std::string_view line) {
    CJisState state;
    std::string out;
    SjisToJis(line, state, out);
    EXPECT_FALSE(state.m_bKanji || state.m_bKana) << "line must end in ASCII mode";
    return out;
}
std::string Euc(std::string_view line) {
    std::string out;
    EucToSjis(line, out);
    return out;
}
std::string ToEuc(std::string_view line) {
    std::string out;
    SjisToEuc(line, out);
    return out;
}

// Converts a CR LF text line by line, as a file is converted.
template <typename Convert>
std::string ByLines(std::string_view text, Convert convert) {
    std::string out;
    std::size_t pos = 0;
    while (pos < text.size()) {
        const std::size_t crlf = text.find("\r\n", pos);
        convert(text.substr(pos, crlf - pos), out);
        out += "\r\n";
        pos = crlf + 2;
    }
    return out;
}

// Ordinary Japanese prose: kanji, hiragana, katakana, full-width signs, ASCII.
std::string OrdinaryText() {
    return Sj("日本語の文章です。翻訳者のための作業台、Kelmio 1.0。\r\n"
              "「漢字」と『かな』、カタカナ（全角）・記号＆数字１２３。\r\n"
              "\r\n"
              "The quick brown fox; 東京都千代田区 〒100-0001 ★☆◎\r\n"
              "ソース表示 (source)、構文解析と変換テスト。\r\n");
}

std::string WithHalfWidthKana() {
    return OrdinaryText() + Sj("半角ｶﾀｶﾅﾃｷｽﾄ｡｢ｱｲｳ｣ｰﾞﾟ と漢字ﾐｯｸｽ abc\r\n");
}

TEST(JisMapping, EveryRowAndCellRoundTrips) {
    int pairs = 0;
    for (unsigned first = 0x21; first <= 0x7E; ++first) {
        for (unsigned second = 0x21; second <= 0x7E; ++second) {
            unsigned char lead = 0, trail = 0, f = 0, s = 0;
            ASSERT_TRUE(JisPairToSjis(first, second, lead, trail));
            ASSERT_TRUE(SjisPairToJis(lead, trail, f, s)) << std::hex << first << " " << second;
            ASSERT_EQ(f, first);
            ASSERT_EQ(s, second);
            ++pairs;
        }
    }
    EXPECT_EQ(pairs, 94 * 94);
    unsigned char a = 0, b = 0;
    EXPECT_FALSE(JisPairToSjis(0x20, 0x21, a, b));
    EXPECT_FALSE(JisPairToSjis(0x21, 0x7F, a, b));
    EXPECT_FALSE(SjisPairToJis(0xF0, 0x40, a, b));  // user-defined area
    EXPECT_FALSE(SjisPairToJis(0xFA, 0x40, a, b));  // vendor extension
    EXPECT_FALSE(SjisPairToJis(0x81, 0x7F, a, b));
    EXPECT_FALSE(SjisPairToJis(0x81, 0x3F, a, b));
}

TEST(JisMapping, AgreesWithIconvForEveryJisX0208Character) {
    int compared = 0;
    for (unsigned first = 0x21; first <= 0x7E; ++first) {
        for (unsigned second = 0x21; second <= 0x7E; ++second) {
            const std::string euc{static_cast<char>(first | 0x80), static_cast<char>(second | 0x80)};
            const std::optional<std::string> reference = IconvConvert("CP932", "EUC-JP", euc);
            if (!reference || reference->size() != 2) continue;  // unassigned, or mapped elsewhere by Unicode
            ASSERT_EQ(Euc(euc), *reference) << std::hex << first << " " << second;
            ++compared;
        }
    }
    EXPECT_GT(compared, 6800);  // JIS X 0208 assigns 6,879 characters
}

TEST(JisToSjis, KanjiLineOfTheUsualForm) {
    const std::string line = "\x1B$B" "4A;z" "\x1B(B" "abc";
    EXPECT_EQ(Jis(line), Sj("漢字") + "abc");
    EXPECT_EQ(ToJis(Sj("漢字") + "abc"), line);
}

TEST(JisToSjis, StateCarriesFromLineToLine) {
    CJisState state;
    EXPECT_EQ(Jis("\x1B$B" "4A", state), Sj("漢"));
    EXPECT_TRUE(state.m_bKanji);
    EXPECT_EQ(Jis(";z\x1B(B!", state), Sj("字") + "!");
    EXPECT_FALSE(state.m_bKanji);
}

TEST(JisToSjis, EveryEscapeOfTheSet) {
    const std::string kanji = "4A";
    for (const char* in : {"\x1B$@", "\x1B$B", "\x1B&@", "\x1B$(D"}) {
        EXPECT_EQ(Jis(std::string(in) + kanji), Sj("漢")) << in + 1;
    }
    for (const char* out : {"\x1B(J", "\x1B(H", "\x1B(B"}) {
        EXPECT_EQ(Jis("\x1B$B" + kanji + out + "4A"), Sj("漢") + "4A") << out + 1;
    }
    EXPECT_EQ(Jis("\x1B(I" "12\x1B(B" "12"), "\xB1\xB2" "12");
    EXPECT_EQ(Jis("\x0E" "12\x0F" "12"), "\xB1\xB2" "12");
    EXPECT_EQ(Jis("\x1B$B" "4A\x0E" "1\x0F" "a"), Sj("漢") + "\xB1" "a");
}

TEST(JisToSjis, BrokenInputKeepsItsBytes) {
    EXPECT_EQ(Jis("ab\x1B$"), "ab\x1B$");            // escape cut off at the end
    EXPECT_EQ(Jis("ab\x1B(Zc"), "ab\x1B(Zc");          // unknown escape
    EXPECT_EQ(Jis("\x1B$B" "4"), "4");                 // half a kanji at the end
    EXPECT_EQ(Jis("\x1B$B" "\x21\x7F" "4A"), "\x21\x7F" + Sj("漢"));  // no mapping: first byte, then go on
    EXPECT_EQ(Jis("\x1B$B" "4\x1B(B" "a"), "4a");      // escape inside a pair still counts
    EXPECT_EQ(Jis(std::string("a\0b\x1B$B\0" "4A", 9)), std::string("a\0b\0", 4) + Sj("漢"));
    // Controls inside kana mode stay controls; a CR must not become a lead byte.
    EXPECT_EQ(Jis("\x0E" "1\r \x7F"), "\xB1\r \x7F");
}

TEST(SjisToJis, SwitchesOnlyWhenNeeded) {
    // 漢ｱ字a: kanji, half-width kana, kanji, ASCII.
    EXPECT_EQ(ToJis(Sj("漢ｱ字a")), "\x1B$B" "4A" "\x0E" "1" "\x0F" "\x1B$B" ";z" "\x1B(B" "a");
    EXPECT_EQ(ToJis(Sj("ｱｲ")), "\x0E" "12" "\x0F");
    EXPECT_EQ(ToJis("plain"), "plain");
    EXPECT_EQ(ToJis(""), "");
    EXPECT_EQ(Jis(ToJis(Sj("漢ｱ字a"))), Sj("漢ｱ字a"));
}

TEST(SjisToJis, CharactersWithoutJisFormAreCopiedAndCounted) {
    CJisState state;
    std::string out;
    const LineConversion counts = SjisToJis(Sj("漢") + "\xF0\x40" "\xFA\x40" + Sj("字"), state, out);
    EXPECT_EQ(out, "\x1B$B" "4A" "\x1B(B" "\xF0\x40\xFA\x40" "\x1B$B" ";z" "\x1B(B");
    EXPECT_EQ(counts.converted, 2u);
    EXPECT_EQ(counts.unmapped, 2u);
}

TEST(SjisToJis, LoneLeadByteAndNulAtTheEnd) {
    EXPECT_EQ(ToJis(Sj("漢") + "\x8A"), "\x1B$B" "4A" "\x1B(B" "\x8A");
    EXPECT_EQ(ToJis(std::string("\x8A\0", 2)), std::string("\x8A\0", 2));
    // A trail byte in the ASCII range (here "\") belongs to its kanji.
    EXPECT_EQ(ToJis(Sj("表") + "\\"), "\x1B$B" "I=" "\x1B(B" "\\");
}

TEST(EucToSjis, PairsKanaAndBrokenBytes) {
    EXPECT_EQ(Euc("\xB4\xC1\xBB\xFA" "abc"), Sj("漢字") + "abc");
    EXPECT_EQ(Euc("\x8E\xB1\x8E\xB2"), "\xB1\xB2");
    EXPECT_EQ(Euc("\x8F\xB0\xA1"), Sj("亜"));  // single shift 3 dropped alone
    EXPECT_EQ(Euc("a\xB4"), "a\xB4");          // lone lead byte at the end
    EXPECT_EQ(Euc("\x8E"), "");
    EXPECT_EQ(Euc("\xB4" "A"), "\xB4" "A");    // ASCII after a lone byte survives
    EXPECT_EQ(Euc(std::string("\0\xB4\xC1", 3)), std::string("\0", 1) + Sj("漢"));
}

TEST(SjisToEuc, PairsKanaAndOtherBytes) {
    EXPECT_EQ(ToEuc(Sj("漢字") + "abc\xB1"), "\xB4\xC1\xBB\xFA" "abc\x8E\xB1");
    EXPECT_EQ(ToEuc("\x8A"), "\x8A");
    std::string out;
    EXPECT_EQ(SjisToEuc("\xF0\x40\x80\xA0", out).unmapped, 1u);
    EXPECT_EQ(out, "\xF0\x40\x80\xA0");
    EXPECT_EQ(Euc(out), "\xF0\x40\x80\xA0");  // and they come back as they were
}

TEST(CrossCheck, SameBytesAsIconv) {
    const std::string sjis = WithHalfWidthKana();
    const std::optional<std::string> euc = IconvConvert("EUC-JP", "CP932", sjis);
    ASSERT_TRUE(euc);
    EXPECT_EQ(ByLines(sjis, [](std::string_view l, std::string& o) { SjisToEuc(l, o); }), *euc);
    EXPECT_EQ(ByLines(*euc, [](std::string_view l, std::string& o) { EucToSjis(l, o); }), sjis);

    // ISO-2022-JP has no half-width katakana; iconv's JIS X 0213 variant
    // writes them with ESC ( I, which is read as well.
    const std::string ordinary = OrdinaryText();
    const std::optional<std::string> jis = IconvConvert("ISO-2022-JP", "CP932", ordinary);
    ASSERT_TRUE(jis);
    CJisState out;
    EXPECT_EQ(ByLines(ordinary, [&](std::string_view l, std::string& o) { SjisToJis(l, out, o); }), *jis);
    CJisState in;
    EXPECT_EQ(ByLines(*jis, [&](std::string_view l, std::string& o) { JisToSjis(l, in, o); }), ordinary);
    const std::optional<std::string> jisKana = IconvConvert("ISO-2022-JP-3", "CP932", sjis);
    ASSERT_TRUE(jisKana);
    EXPECT_EQ(ByLines(*jisKana, [&](std::string_view l, std::string& o) { JisToSjis(l, in, o); }), sjis);
}

std::string RunNkf(const std::string& options, const std::string& input) {
    test::TempDir dir;
    const std::string in = dir.File("in");
    const std::string out = dir.File("out");
    test::WriteFileBytes(in, input);
    const std::string command = "nkf " + options + " '" + in + "' > '" + out + "'";
    if (std::system(command.c_str()) != 0) return "(nkf failed)";
    return test::ReadFileBytes(out);
}

TEST(CrossCheck, SameBytesAsNkf) {
    if (std::system("command -v nkf >/dev/null 2>&1") != 0) GTEST_SKIP() << "nkf is not installed";
    const std::string sjis = WithHalfWidthKana();
    // -x keeps half-width katakana as they are.
    const std::string euc = RunNkf("-S -e -x", sjis);
    EXPECT_EQ(ByLines(sjis, [](std::string_view l, std::string& o) { SjisToEuc(l, o); }), euc);
    EXPECT_EQ(ByLines(euc, [](std::string_view l, std::string& o) { EucToSjis(l, o); }), sjis);

    const std::string ordinary = OrdinaryText();
    const std::string jis = RunNkf("-S -j", ordinary);
    CJisState out;
    EXPECT_EQ(ByLines(ordinary, [&](std::string_view l, std::string& o) { SjisToJis(l, out, o); }), jis);
    CJisState in;
    EXPECT_EQ(ByLines(jis, [&](std::string_view l, std::string& o) { JisToSjis(l, in, o); }), ordinary);
    const std::string jisKana = RunNkf("-S -j -x", sjis);
    EXPECT_EQ(ByLines(jisKana, [&](std::string_view l, std::string& o) { JisToSjis(l, in, o); }), sjis);
}

}  // namespace
}  // namespace kelmio
