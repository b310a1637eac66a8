#include "viewer/find_history.h"

#include <gtest/gtest.h>

#include "platform/settings.h"

namespace kelmio {
namespace {

std::vector<std::string> Saved(const CMemorySettings& settings, std::string_view section) {
    return LoadFindHistory(settings, section);
}

TEST(FindHistory, EmptyHistoryOpensEmpty) {
    const CMemorySettings settings;
    EXPECT_TRUE(LoadFindHistory(settings, kFindSection).empty());
    EXPECT_TRUE(LoadFindHistory(settings, kReplaceSection).empty());
}

TEST(FindHistory, LoadSkipsEmptyValuesAndKeepsOrder) {
    CMemorySettings settings;
    settings.WriteString("Find", "Str00", "new");
    settings.WriteString("Find", "Str02", "old");
    settings.WriteString("Replace", "Str00", "r");
    EXPECT_EQ(LoadFindHistory(settings, kFindSection), (std::vector<std::string>{"new", "old"}));
    EXPECT_EQ(LoadFindHistory(settings, kReplaceSection), (std::vector<std::string>{"r"}));
}

TEST(FindHistory, StringAlreadyListedMovesToTheTopWithoutRepeat) {
    CMemorySettings settings;
    SaveFindHistory(settings, kFindSection, "b", {"a", "b", "c"});
    EXPECT_EQ(Saved(settings, kFindSection), (std::vector<std::string>{"b", "a", "c"}));
}

TEST(FindHistory, EleventhStringDropsTheOldest) {
    CMemorySettings settings;
    std::vector<std::string> listed;
    for (int i = 0; i < 10; ++i) {
        const std::string text = "s" + std::to_string(i);
        SaveFindHistory(settings, kFindSection, text, listed);
        listed = LoadFindHistory(settings, kFindSection);
    }
    SaveFindHistory(settings, kFindSection, "s10", listed);
    const std::vector<std::string> history = Saved(settings, kFindSection);
    ASSERT_EQ(history.size(), 10u);
    EXPECT_EQ(history.front(), "s10");
    EXPECT_EQ(history.back(), "s1");  // s0 is gone
}

TEST(FindHistory, ComparisonIsCaseSensitiveAndLaterValuesKeepWhatTheyHeld) {
    CMemorySettings settings;
    settings.WriteString("Find", "Str05", "kept");
    SaveFindHistory(settings, kFindSection, "ABC", {"abc"});
    EXPECT_EQ(settings.GetString("Find", "Str00", "?"), "ABC");
    EXPECT_EQ(settings.GetString("Find", "Str01", "?"), "abc");
    EXPECT_EQ(settings.GetString("Find", "Str05", "?"), "kept");
}

TEST(FindHistory, EmptyCurrentStringIsWrittenToo) {
    CMemorySettings settings;
    settings.WriteString("Replace", "Str00", "x");
    SaveFindHistory(settings, kReplaceSection, "", {"x"});
    EXPECT_TRUE(settings.Has("Replace", "Str00"));
    EXPECT_EQ(settings.GetString("Replace", "Str00", "?"), "");
    EXPECT_EQ(settings.GetString("Replace", "Str01", "?"), "x");
}

}  // namespace
}  // namespace kelmio
