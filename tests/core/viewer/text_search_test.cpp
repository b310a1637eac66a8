#include "viewer/text_search.h"

#include <gtest/gtest.h>

namespace kelmio {
namespace {

TEST(TextSearch, StartsOneCharacterAfterTheSelection) {
    EXPECT_EQ(FindNoCase("xabc", SearchStart("xabc", 0), "abc"), 1u);
    EXPECT_FALSE(FindNoCase("abc", SearchStart("abc", 0), "abc"));
    // After a Japanese character the start moves by its three bytes.
    const std::string text = "日本語の日本語";
    EXPECT_EQ(SearchStart(text, 0), 3u);
    EXPECT_EQ(FindNoCase(text, SearchStart(text, 0), "日本"), 12u);
    EXPECT_EQ(SearchStart(text, text.size()), text.size());
}

TEST(TextSearch, IgnoresCaseOfLatinAndFullWidthLetters) {
    EXPECT_EQ(FindNoCase("..Kelmio", 0, "kELMIO"), 2u);
    EXPECT_EQ(FindNoCase("ａＢｃ", 0, "ＡｂＣ"), 0u);
    EXPECT_FALSE(FindNoCase("abc", 0, "abd"));
    EXPECT_FALSE(FindNoCase("abc", 0, ""));
}

TEST(TextSearch, NeverMatchesInsideACharacter) {
    // "ｷ" (U+FF77) ends in the bytes BD B7; a search for a text starting
    // with those bytes must not match inside it.
    const std::string text = "ｷ";
    EXPECT_FALSE(FindNoCase(text, 0, text.substr(1)));
}

TEST(ReplaceAllMatches, ContinuesAfterEachMatchSoItEnds) {
    // A replacement containing the search text would loop forever if each
    // search restarted at the same place.
    const std::string text = "-aa-aa-aa";
    EXPECT_EQ(ReplaceAllMatches(text, 0, "aa"), (std::vector<std::size_t>{1, 4, 7}));
    EXPECT_EQ(ReplaceAllMatches("aaaa", 0, "aa"), (std::vector<std::size_t>{1}));
}

TEST(ReplaceAllMatches, SelectedMatchIsNotCountedAgain) {
    const std::string text = "翻訳と翻訳";
    // The first match is selected (bytes 0-6): replace-all starts after it.
    EXPECT_EQ(ReplaceAllMatches(text, 6, "翻訳"), (std::vector<std::size_t>{9}));
    EXPECT_TRUE(ReplaceAllMatches(text, 15, "翻訳").empty());
}

TEST(Utf8Index, CharactersAndBytes) {
    const std::string text = "a日b";
    EXPECT_EQ(Utf8CharIndex(text, 4), 2u);
    EXPECT_EQ(Utf8ByteOffset(text, 2), 4u);
    EXPECT_EQ(Utf8ByteOffset(text, 9), text.size());
}

}  // namespace
}  // namespace kelmio
