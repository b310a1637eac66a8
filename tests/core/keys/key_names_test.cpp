#include <gtest/gtest.h>

#include "keys/key_names.h"

namespace kelmio {
namespace {

TEST(KeyNames, ListsTheSeventyEightKeysInDialogOrder) {
    const std::vector<KeyName>& list = GetKeyNameList();
    ASSERT_EQ(list.size(), 78u);
    const auto at = [&](std::size_t i) { return list[i].name + "=" + std::to_string(list[i].code); };
    EXPECT_EQ(at(0), "F1=112");
    EXPECT_EQ(at(11), "F12=123");
    EXPECT_EQ(at(12), "@=192");
    EXPECT_EQ(at(13), "A=65");
    EXPECT_EQ(at(38), "Z=90");
    EXPECT_EQ(at(39), "Insert=45");
    EXPECT_EQ(at(48), "*=106");
    EXPECT_EQ(at(51), "/=111");
    EXPECT_EQ(at(56), "Escape=27");
    EXPECT_EQ(at(57), "Tab=9");
    EXPECT_EQ(at(58), "0=48");
    EXPECT_EQ(at(68), "NUM0=96");
    EXPECT_EQ(at(77), "NUM9=105");
}

TEST(KeyNames, KeyTextPutsAltShiftCtrlInThatOrder) {
    EXPECT_EQ(MakeKeyText(116, false, true, true), "Shift+Ctrl+F5");
    EXPECT_EQ(MakeKeyText(116, true, true, true), "Alt+Shift+Ctrl+F5");
    EXPECT_EQ(MakeKeyText(192, false, false, false), "@");
    EXPECT_EQ(GetKeyName(0x5B), "") << "a key outside the list has no name";
    EXPECT_EQ(MakeKeyText(0x5B, false, false, true), "Ctrl+");
}

TEST(KeyNames, KeyTextParsesBackForEveryKeyAndModifier) {
    for (const KeyName& entry : GetKeyNameList()) {
        for (int mods = 0; mods < 8; ++mods) {
            const bool alt = mods & 1, shift = mods & 2, ctrl = mods & 4;
            const std::optional<CKeycust> parsed = ParseKeyText(MakeKeyText(entry.code, alt, shift, ctrl));
            ASSERT_TRUE(parsed) << entry.name;
            EXPECT_TRUE(parsed->Matches(entry.code, alt, shift, ctrl)) << MakeKeyText(entry.code, alt, shift, ctrl);
        }
    }
    EXPECT_TRUE(ParseKeyText("Ctrl+Shift+F5")->Matches(116, false, true, true));
    EXPECT_FALSE(ParseKeyText("Ctrl+"));
    EXPECT_FALSE(ParseKeyText("Ctrl+Ctrl+S"));
    EXPECT_FALSE(ParseKeyText("ctrl+s"));
}

}  // namespace
}  // namespace kelmio
