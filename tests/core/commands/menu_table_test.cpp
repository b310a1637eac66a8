#include "commands/menu_table.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "commands/command_ids.h"
#include "commands/command_texts.h"
#include "commands/toolbar_table.h"
#include "support/sjis_literal.h"

namespace kelmio {
namespace {

using test::Sj;

std::vector<std::string> Captions(const std::vector<CMenuItem>& items) {
    std::vector<std::string> captions;
    for (const CMenuItem& item : items) captions.push_back(item.strCaption);
    return captions;
}

TEST(MainMenu, PopupsInOrderWithSeparatorsWhereTheUserExpectsThem) {
    const auto& menu = MainMenu();
    EXPECT_EQ(Captions(menu), (std::vector<std::string>{Sj("ﾌｧｲﾙ(&F)"), Sj("編集(&E)"), Sj("表示(&V)"),
                                                        Sj("画像(&I)"), Sj("ﾍﾙﾌﾟ(&H)")}));

    const auto& file = menu[0].children;
    ASSERT_EQ(file.size(), 26u);
    EXPECT_EQ(file[0].id, ID_FILE_NEW);
    EXPECT_EQ(file[4].kind, CMenuItem::Kind::kSeparator);
    EXPECT_EQ(file[5].id, ID_FILE_SRC);
    EXPECT_EQ(file[5].strCaption, Sj("ソースファイルの指定(&R)..."));
    EXPECT_EQ(file[23].id, ID_FILE_MRU_FILE1);
    EXPECT_EQ(file[25].id, ID_APP_EXIT);
    EXPECT_EQ(file[25].strCaption, Sj("ｱﾌﾟﾘｹｰｼｮﾝの終了(&X)"));

    // The cursor sub-menu of the view menu holds the pane and scroll commands.
    const CMenuItem& cursor = menu[2].children[8];
    ASSERT_EQ(cursor.kind, CMenuItem::Kind::kPopup);
    EXPECT_EQ(cursor.strCaption, Sj("カーソル(&C)"));
    EXPECT_EQ(MenuCommandIds(cursor.children),
              (std::vector<CommandId>{ID_CURSOR_SOURCE, ID_CURSOR_EDIT, ID_CURSOR_MEMO, ID_SOURCE_SCROLL_UP, ID_SOURCE_SCROLL_DOWN,
                                     ID_SOURCE_SCROLL_RIGHT, ID_SOURCE_SCROLL_LEFT, ID_SOURCE_PAGE_UP, ID_SOURCE_PAGE_DOWN}));
    EXPECT_EQ(menu[2].children.back().id, ID_VIEW_STATUS_BAR);
}

TEST(MainMenu, ZoomSubMenusHaveOneIdPerStepThenCustom) {
    const CMenuItem& image = MainMenu()[3];
    const CMenuItem& reduce = image.children[2];
    const CMenuItem& enlarge = image.children[3];
    EXPECT_EQ(reduce.strCaption, Sj("縮小(&O)"));
    EXPECT_EQ(enlarge.strCaption, Sj("拡大(&I)"));
    ASSERT_EQ(reduce.children.size(), 11u);
    ASSERT_EQ(enlarge.children.size(), 11u);
    for (int step = 0; step < 9; ++step) {
        EXPECT_EQ(reduce.children[step].id, CommandAfter(ID_IMAGE_REDUCE_2, step));
        EXPECT_EQ(enlarge.children[step].id, CommandAfter(ID_IMAGE_ENLARGE_2, step));
    }
    EXPECT_EQ(reduce.children[8].strCaption, Sj("&10分の1"));
    EXPECT_EQ(enlarge.children[0].strCaption, Sj("&2倍"));
    EXPECT_EQ(reduce.children[10].id, ID_IMAGE_REDUCE_CUSTOM);
    EXPECT_EQ(enlarge.children[10].id, ID_IMAGE_ENLARGE_CUSTOM);
}

TEST(MainMenu, NoCommandAppearsTwice) {
    const std::vector<CommandId> ids = MenuCommandIds(MainMenu());
    EXPECT_EQ(std::set<CommandId>(ids.begin(), ids.end()).size(), ids.size());
}

TEST(ContextMenus, EditorAndMemoShareFixedShortcutTextsPreviewRotatesLeftFirst) {
    for (ContextMenuKind kind : {ContextMenuKind::kEdit, ContextMenuKind::kMemo}) {
        const CMenuItem& popup = ContextMenu(kind);
        EXPECT_EQ(MenuCommandIds(popup.children), (std::vector<CommandId>{ID_EDIT_UNDO, ID_EDIT_CUT, ID_EDIT_COPY, ID_EDIT_PASTE}));
        EXPECT_EQ(popup.children[1].kind, CMenuItem::Kind::kSeparator);
        EXPECT_EQ(popup.children[3].strCaption, Sj("ｺﾋﾟｰ(&C)\tCtrl+C"));
    }
    EXPECT_EQ(ContextMenu(ContextMenuKind::kEdit).strCaption, Sj("編集"));
    EXPECT_EQ(ContextMenu(ContextMenuKind::kMemo).strCaption, Sj("メモ"));

    const CMenuItem& preview = ContextMenu(ContextMenuKind::kPreview);
    EXPECT_EQ(preview.children.front().id, ID_IMAGE_COPY);
    EXPECT_EQ(preview.children.back().id, ID_VIEW_BROWSER_MODE);
    EXPECT_EQ(FindMenuCommand(preview.children, ID_IMAGE_REDUCE_STEP)->strCaption, Sj("一段階縮小"));
    const CMenuItem* rotate = &preview.children[12];
    ASSERT_EQ(rotate->kind, CMenuItem::Kind::kPopup);
    EXPECT_EQ(MenuCommandIds(rotate->children), (std::vector<CommandId>{ID_IMAGE_ROTATE_LEFT, ID_IMAGE_ROTATE_RIGHT, ID_IMAGE_ROTATE_180,
                                      ID_IMAGE_FLIP_VERT, ID_IMAGE_FLIP_HORZ}));
}

TEST(CommandTexts, PromptAndTooltipSplitAtTheLineBreak) {
    EXPECT_EQ(CommandPrompt(ID_IMAGE_ACTUAL_SIZE), Sj("拡大縮小を中止します"));
    EXPECT_EQ(CommandTooltip(ID_IMAGE_ACTUAL_SIZE), Sj("実寸表示"));
    EXPECT_EQ(CommandPrompt(ID_FILE_SAVE), Sj("作業中のﾌｧｲﾙを上書きして保存"));
    EXPECT_EQ(CommandTooltip(ID_FILE_SAVE), Sj("保存"));
    // Same text for both where only one is given; no tooltip where it says so.
    EXPECT_EQ(CommandTooltip(ID_FILE_SRC), Sj("ソースファイルの指定"));
    EXPECT_EQ(CommandPrompt(ID_IMAGE_REDUCE_CUSTOM), Sj("カスタム"));
    EXPECT_EQ(CommandTooltip(ID_IMAGE_REDUCE_CUSTOM), "");
    EXPECT_EQ(CommandTooltip(ID_HELP_HOMEPAGE), "");
    // A command without a string has neither.
    EXPECT_EQ(CommandPrompt(ID_CURSOR_SOURCE), "");
    EXPECT_EQ(IdleStatusText(), Sj("ﾚﾃﾞｨ"));
    EXPECT_EQ(StatusIndicatorTexts()[0], Sj("ｶﾅ"));
}

TEST(Toolbar, EveryButtonIsAMenuCommandWithATooltip) {
    EXPECT_EQ(std::count(kToolbarButtons.begin(), kToolbarButtons.end(), kSeparator), 7);
    for (const std::optional<CommandId> id : kToolbarButtons) {
        if (!id) continue;
        EXPECT_NE(FindMenuCommand(MainMenu(), *id), nullptr) << CommandNumber(*id);
        EXPECT_FALSE(CommandTooltip(*id).empty()) << CommandNumber(*id);
    }
}

}  // namespace
}  // namespace kelmio
