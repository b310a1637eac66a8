#include "editor/line_breaking.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace kelmio {
namespace {

// `line` cut at every break opportunity.
std::vector<std::u32string> Pieces(std::u32string_view line) {
    std::vector<std::u32string> pieces;
    std::size_t start = 0;
    for (const std::size_t at : LineBreakOpportunities(line)) {
        pieces.emplace_back(line.substr(start, at - start));
        start = at;
    }
    pieces.emplace_back(line.substr(start));
    return pieces;
}

TEST(LineBreaking, LatinTextBreaksOnlyAfterWhiteSpace) {
    EXPECT_EQ(Pieces(U"The quick-brown fox, jumps."),
              (std::vector<std::u32string>{U"The ", U"quick-brown ", U"fox, ", U"jumps."}));
    EXPECT_EQ(Pieces(U"(see p.12)"), (std::vector<std::u32string>{U"(see ", U"p.12)"}));
}

TEST(LineBreaking, JapaneseBreaksBetweenCharactersButNotBeforeClosingPunctuation) {
    EXPECT_EQ(Pieces(U"訳文、です。"), (std::vector<std::u32string>{U"訳", U"文、", U"で", U"す。"}));
    EXPECT_EQ(Pieces(U"「原文」を"), (std::vector<std::u32string>{U"「原", U"文」", U"を"}));
    EXPECT_EQ(Pieces(U"ちょっとテーブル"),
              (std::vector<std::u32string>{U"ちょっ", U"と", U"テー", U"ブ", U"ル"}));
    EXPECT_EQ(Pieces(U"（注）ｶｯﾌﾟ"), (std::vector<std::u32string>{U"（注）", U"ｶｯ", U"ﾌﾟ"}));
}

TEST(LineBreaking, MixedTextBreaksBetweenScriptsAndKeepsEnglishWordsWhole) {
    EXPECT_EQ(Pieces(U"翻訳はtranslationです"),
              (std::vector<std::u32string>{U"翻", U"訳", U"は", U"translation", U"で", U"す"}));
    EXPECT_EQ(Pieces(U"全角　空白"), (std::vector<std::u32string>{U"全", U"角　", U"空", U"白"}));
    EXPECT_TRUE(LineBreakOpportunities(U"").empty());
    EXPECT_TRUE(LineBreakOpportunities(U"a").empty());
}

}  // namespace
}  // namespace kelmio
