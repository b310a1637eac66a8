#include "editor/undo_grouping.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace kelmio {
namespace {

// Types `text` one character every `stepMs` and returns the units it falls into.
std::vector<std::u32string> Units(const std::u32string& text, std::int64_t stepMs = 100,
                                  std::uint64_t commit = 0) {
    CUndoGrouping grouping;
    std::vector<std::u32string> units;
    std::int64_t time = 0;
    for (const char32_t ch : text) {
        const CTypedChar typed{ch, time += stepMs, commit};
        if (units.empty() || grouping.BreakBefore(typed)) units.emplace_back();
        units.back() += ch;
        grouping.Add(typed);
    }
    return units;
}

TEST(UndoGrouping, WordsKeepTheSpaceOrPunctuationAfterThem) {
    EXPECT_EQ(Units(U"one two, three"), (std::vector<std::u32string>{U"one ", U"two, ", U"three"}));
    EXPECT_EQ(Units(U"訳文、原文。次"), (std::vector<std::u32string>{U"訳文、", U"原文。", U"次"}));
    EXPECT_EQ(Units(U"「引用」です"), (std::vector<std::u32string>{U"「", U"引用」", U"です"}));
}

TEST(UndoGrouping, EveryLineBreakIsAUnitOfItsOwn) {
    EXPECT_EQ(Units(U"ab\r\ncd"), (std::vector<std::u32string>{U"ab", U"\r", U"\n", U"cd"}));
}

TEST(UndoGrouping, APauseOfASecondEndsTheUnit) {
    CUndoGrouping grouping;
    grouping.Add({U'a', 0, 0});
    EXPECT_FALSE(grouping.BreakBefore({U'b', 999, 0}));
    EXPECT_TRUE(grouping.BreakBefore({U'b', 1000, 0}));
    EXPECT_EQ(Units(U"abc", 1500), (std::vector<std::u32string>{U"a", U"b", U"c"}));
}

TEST(UndoGrouping, ACommitOfTheInputMethodIsOneUnitWhateverItHolds) {
    CUndoGrouping grouping;
    std::int64_t time = 0;
    for (const char32_t ch : std::u32string(U"日本語、")) grouping.Add({ch, ++time, 7});
    // Within the commit nothing breaks, not even after punctuation.
    EXPECT_FALSE(grouping.BreakBefore({U'で', ++time, 7}));
    EXPECT_TRUE(grouping.BreakBefore({U'で', ++time, 8}));
    EXPECT_TRUE(grouping.BreakBefore({U'x', ++time, 0}));
}

TEST(UndoGrouping, ALongRunWithoutBreaksEndsAfterTheLimitAndResetStartsAfresh) {
    const std::vector<std::u32string> units = Units(std::u32string(45, U'あ'));
    ASSERT_EQ(units.size(), 3u);
    EXPECT_EQ(units[0].size(), CUndoGrouping::kMaxRun);
    CUndoGrouping grouping;
    grouping.Add({U' ', 0, 0});
    EXPECT_TRUE(grouping.BreakBefore({U'a', 1, 0}));
    grouping.Reset();
    EXPECT_FALSE(grouping.BreakBefore({U'a', 1, 0}));
}

}  // namespace
}  // namespace kelmio
