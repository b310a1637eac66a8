#include "text/char_kind.h"

#include <gtest/gtest.h>

namespace kelmio {
namespace {

struct KindCase {
    unsigned int code;
    int kind;
    const char* what;
};

TEST(GetCharKind, ClassTable) {
    const KindCase cases[] = {
        {'!', 0, "ASCII punctuation"},
        {'@', 0, "at sign"},
        {'~', 0, "tilde"},
        {'a', 1, "letter"},
        {'Z', 1, "letter"},
        {'7', 2, "digit"},
        {0xB1, 3, "half-width katakana"},
        {0xA1, 3, "half-width full stop"},
        {0xDF, 3, "half-width semi-voiced mark"},
        {' ', 9, "space"},
        {'\t', 9, "tab"},
        {'\r', 9, "CR"},
        {'\n', 9, "LF"},
        {0x7F, 9, "DEL"},
        {0x80, 9, "0x80"},
        {0xA0, 9, "0xA0"},
        {0xE0, 9, "0xE0 alone"},
        {0x8140, 4, "ideographic space"},
        {0x8141, 4, "ideographic comma"},
        {0x815B, 4, "prolonged sound mark"},
        {0x81AC, 4, "last symbol"},
        {0x8340, 7, "small katakana a"},
        {0x8396, 7, "small katakana ke"},
        {0x829F, 8, "small hiragana a"},
        {0x82F1, 8, "hiragana n"},
        {0x8260, 5, "full-width A"},
        {0x829A, 5, "full-width z"},
        {0x824F, 6, "full-width 0"},
        {0x8258, 6, "full-width 9"},
        {0x8ABF, 9, "kanji"},
        {0x839F, 9, "Greek capital alpha"},
        {0x81B8, 9, "symbol past the symbol range"},
    };
    for (const KindCase& c : cases) {
        EXPECT_EQ(GetCharKind(c.code), c.kind) << c.what << " 0x" << std::hex << c.code;
    }
}

TEST(ToHalfWidth, MapsFullWidthAsciiAndKana) {
    EXPECT_EQ(ToHalfWidth(0x8260), 'A');
    EXPECT_EQ(ToHalfWidth(0x8281), 'a');
    EXPECT_EQ(ToHalfWidth(0x8250), '1');
    EXPECT_EQ(ToHalfWidth(0x8140), ' ');
    EXPECT_EQ(ToHalfWidth(0x8197), '@');
    EXPECT_EQ(ToHalfWidth(0x815B), 0xB0);  // ー
    EXPECT_EQ(ToHalfWidth(0x8341), 0xB1);  // ア
    EXPECT_EQ(ToHalfWidth(0x8393), 0xDD);  // ン, after the gap at 0x837F
    EXPECT_EQ(ToHalfWidth(0x82F1), 0xDD);  // ん
    EXPECT_EQ(ToHalfWidth(0x834B), std::nullopt);  // ガ needs a voicing mark
    EXPECT_EQ(ToHalfWidth(0x8ABF), std::nullopt);  // kanji
}

TEST(ToUpperMb, FoldsSmallLettersOnly) {
    EXPECT_EQ(ToUpperMb('a'), static_cast<unsigned>('A'));
    EXPECT_EQ(ToUpperMb('A'), static_cast<unsigned>('A'));
    EXPECT_EQ(ToUpperMb(0x8281), 0x8260u);  // ａ -> Ａ
    EXPECT_EQ(ToUpperMb(0x83BF), 0x839Fu);  // α -> Α
    EXPECT_EQ(ToUpperMb(0x8470), 0x8440u);  // а -> А
    EXPECT_EQ(ToUpperMb(0x8491), 0x8460u);  // я -> Я
    EXPECT_EQ(ToUpperMb(0x8ABF), 0x8ABFu);
    EXPECT_EQ(ToUpperMb(0xE1), 0xE1u);      // single byte beyond ASCII is no letter
}

}  // namespace
}  // namespace kelmio
