#include "viewer/page_selection.h"

#include <gtest/gtest.h>

#include "support/sjis_literal.h"

namespace kelmio {
namespace {

using test::Sj;

TEST(PageLookupWord, SelectionIsTakenAsItIsInShiftJis) {
    EXPECT_EQ(PageLookupWord("S翻訳"), Sj("翻訳"));
    EXPECT_EQ(PageLookupWord("Stwo words"), "two words");
    EXPECT_EQ(PageLookupWord(""), "");
    EXPECT_EQ(PageLookupWord("S"), "");
}

// Counts are characters, whatever their UTF-8 length: the caret after "原文の"
// stands in "翻訳"'s run only when the count is read as characters.
TEST(PageLookupWord, CaretTakesTheWordItStandsIn) {
    EXPECT_EQ(PageLookupWord("C8:the original text"), "original");
    EXPECT_EQ(PageLookupWord("C0:hello world"), "hello");
    EXPECT_EQ(PageLookupWord("C11:hello world"), "world");
    EXPECT_EQ(PageLookupWord("C4:原文のテキストを翻訳する"), Sj("テキスト"));
    EXPECT_EQ(PageLookupWord("C9:原文のテキストを翻訳する"), Sj("翻訳"));
    // A character beyond Shift-JIS counts as one and becomes "?".
    EXPECT_EQ(PageLookupWord("C2:\xF0\x9F\x98\x80語彙"), Sj("語彙"));
}

TEST(PageLookupWord, MalformedAnswersGiveNoWord) {
    for (const char* answer : {"C", "C:", "Cx:abc", "C-1:abc", "C3abc", "X:abc", "C99999999999999999999999:ab"}) {
        EXPECT_EQ(PageLookupWord(answer), "") << answer;
    }
    // A count past the text's end: the caret is at its end.
    EXPECT_EQ(PageLookupWord("C40:abc"), "abc");
}

}  // namespace
}  // namespace kelmio
