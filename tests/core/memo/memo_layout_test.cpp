#include "memo/memo_layout.h"

#include <gtest/gtest.h>

#include "commands/command_ids.h"

namespace kelmio {
namespace {

TEST(MemoLayoutTest, ButtonTopRightLookupBoxBesideItListAndEditBelow) {
    const MemoPaneLayout layout = LayOutMemoPane(300, 200, 60, 24);
    EXPECT_EQ(layout.button, (PaneRect{240, 0, 60, 24}));
    EXPECT_EQ(layout.lookupBox, (PaneRect{0, 0, 240, 24}));
    EXPECT_EQ(layout.memoList, (PaneRect{0, 24, 300, 176}));
    EXPECT_EQ(MemoEditRect(300, 200, 24, 30), (PaneRect{0, 54, 300, 146}));
    // A pane smaller than its controls gets no negative sizes.
    EXPECT_EQ(LayOutMemoPane(40, 10, 60, 24).lookupBox.width, 0);
    EXPECT_EQ(MemoEditRect(40, 10, 24, 30).height, 0);
}

TEST(MemoLayoutTest, EditCommandsGoToTheFocusedControl) {
    for (CommandId id : {ID_EDIT_UNDO, ID_EDIT_CUT, ID_EDIT_COPY, ID_EDIT_PASTE, ID_EDIT_SELECT_ALL, ID_EDIT_GOTO_TOP,
                   ID_EDIT_GOTO_END})
        EXPECT_TRUE(IsMemoEditCommand(id)) << CommandNumber(id);
    EXPECT_FALSE(IsMemoEditCommand(ID_EDIT_REDO));
    EXPECT_FALSE(IsMemoEditCommand(ID_DIC_LOOKUP));
    EXPECT_EQ(EditCommandTarget(true), MemoEditTarget::kLookupBox);
    EXPECT_EQ(EditCommandTarget(false), MemoEditTarget::kMemoEdit);
}

}  // namespace
}  // namespace kelmio
