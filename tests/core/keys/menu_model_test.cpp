#include <gtest/gtest.h>

#include "keys/keycust_array.h"
#include "support/sjis_literal.h"

namespace kelmio {
namespace {

using test::Sj;

TEST(MenuCaption, ReplacesOrAppendsTheShortcutAfterTheLastTab) {
    const std::string open = Sj("ソースファイルの指定(&R)...");
    EXPECT_EQ(CaptionWithKeyText(open, "Ctrl+R"), open + "\tCtrl+R");
    EXPECT_EQ(CaptionWithKeyText(open + "\tCtrl+R", "F2"), open + "\tF2");
    EXPECT_EQ(CaptionWithKeyText("a\tb\tc", "F2"), "a\tb\tF2");
    EXPECT_EQ(CaptionWithKeyText(open + "\tCtrl+R", std::nullopt), open);
    EXPECT_EQ(CaptionWithKeyText("a\tb\tc", std::nullopt), "a\tb");
    EXPECT_EQ(CaptionWithKeyText(open, std::nullopt), open);
}

TEST(MenuCaption, ReadsAtMostTwoHundredFiftyFiveBytesWithoutSplittingACharacter) {
    const std::string ascii(300, 'x');
    EXPECT_EQ(CaptionWithKeyText(ascii, "F1"), std::string(255, 'x') + "\tF1");
    // 127 kanji end at byte 254; the 128th would straddle the limit.
    std::string kanji;
    for (int i = 0; i < 130; ++i) kanji += Sj("表");
    EXPECT_EQ(CaptionWithKeyText("x" + kanji, "F1"), "x" + kanji.substr(0, 254) + "\tF1");
    // A tab beyond the limit is not seen.
    EXPECT_EQ(CaptionWithKeyText(ascii + "\tCtrl+A", "F1"), std::string(255, 'x') + "\tF1");
}

CMenuItem Command(CommandId id, std::string caption) { return {CMenuItem::Kind::kCommand, id, std::move(caption), {}}; }
CMenuItem Separator() { return {}; }
CMenuItem Popup(std::string caption, std::vector<CMenuItem> items) {
    return {CMenuItem::Kind::kPopup, CommandId{}, std::move(caption), std::move(items)};
}

MenuBar SampleMenu() {
    return {
        Popup(Sj("ﾌｧｲﾙ(&F)"), {Command(ID_FILE_SAVE, Sj("プロジェクトの上書き保存(&S)")), Separator(),
                               Command(ID_FILE_SRC, Sj("ソースファイルの指定(&R)..."))}),
        Popup(Sj("表示(&V)"), {Popup(Sj("カーソル(&C)"), {Command(ID_CURSOR_SOURCE, Sj("ソースにカーソル")), Command(ID_CURSOR_EDIT, "nested")}),
                               Command(ID_CURSOR_EDIT, "outer")}),
    };
}

TEST(MenuKeyText, SearchesAPopupsOwnItemsBeforeItsSubMenus) {
    MenuBar menu = SampleMenu();
    ASSERT_TRUE(CKeycustArray::SetMenuKeyText(menu, "F9", 3846));
    EXPECT_EQ(menu[1].children[1].strCaption, "outer\tF9");
    EXPECT_EQ(menu[1].children[0].children[1].strCaption, "nested");
    EXPECT_TRUE(CKeycustArray::SetMenuKeyText(menu, "Ctrl+1", 3843));
    EXPECT_EQ(menu[1].children[0].children[0].strCaption, Sj("ソースにカーソル") + "\tCtrl+1");
    EXPECT_FALSE(CKeycustArray::SetMenuKeyText(menu, "F2", 4242));
    EXPECT_FALSE(CKeycustArray::SetMenuKeyText(menu, "F2", 3848));
}

TEST(MenuKeyText, ApplyToMenuLeavesTheLastBindingOfACommand) {
    CMemorySettings settings;
    CKeycustArray table(settings, {"/nonexistent", "/nonexistent"});
    CKeycust first;
    first.m_nKey = 'S';
    first.m_bCtrl = true;
    first.m_nCommand = 57603;
    CKeycust second = first;
    second.m_nKey = 114;  // F3
    second.m_bCtrl = false;
    table.Add(first);
    table.Add(second);

    MenuBar menu = SampleMenu();
    table.ApplyToMenu(menu);
    EXPECT_EQ(menu[0].children[0].strCaption, Sj("プロジェクトの上書き保存(&S)") + "\tF3");
    EXPECT_EQ(menu[0].children[2].strCaption, Sj("ソースファイルの指定(&R)...")) << "unbound captions show no key";
    table.ApplyToMenu(menu);
    EXPECT_EQ(menu[0].children[0].strCaption, Sj("プロジェクトの上書き保存(&S)") + "\tF3") << "applying again changes nothing";
}

}  // namespace
}  // namespace kelmio
