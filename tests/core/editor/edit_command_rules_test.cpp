#include "editor/edit_command_rules.h"

#include <gtest/gtest.h>

#include <map>

#include "commands/command_ids.h"

namespace kelmio {
namespace {

class FakeEditor final : public CEditorCommandSource {
public:
    int GetCommandState(int nCommand) const override {
        const auto it = m_states.find(nCommand);
        return it == m_states.end() ? 0 : it->second;
    }
    bool GetModified() const override { return m_bModified; }

    std::map<int, int> m_states;
    bool m_bModified = false;
};

TEST(EditViewCommandState, UndoNeedsTheComponentAndAModifiedText) {
    FakeEditor editor;
    editor.m_states[ID_EDIT_UNDO] = kCommandStateEnabled;
    EXPECT_FALSE(EditViewCommandState(ID_EDIT_UNDO, editor)->bEnabled);
    editor.m_bModified = true;
    EXPECT_TRUE(EditViewCommandState(ID_EDIT_UNDO, editor)->bEnabled);
    editor.m_states[ID_EDIT_UNDO] = 1;  // one bit is not enough
    EXPECT_FALSE(EditViewCommandState(ID_EDIT_UNDO, editor)->bEnabled);
}

TEST(EditViewCommandState, ClipboardCommandsFollowTheComponentClearFollowsCopy) {
    FakeEditor editor;
    EXPECT_FALSE(EditViewCommandState(ID_EDIT_CUT, editor)->bEnabled);
    EXPECT_FALSE(EditViewCommandState(ID_EDIT_CLEAR, editor)->bEnabled);
    editor.m_states[ID_EDIT_COPY] = kCommandStateEnabled;
    EXPECT_TRUE(EditViewCommandState(ID_EDIT_CLEAR, editor)->bEnabled);
    EXPECT_FALSE(EditViewCommandState(ID_EDIT_CUT, editor)->bEnabled);
    EXPECT_TRUE(EditViewCommandState(ID_EDIT_SELECT_ALL, editor)->bEnabled);
    EXPECT_TRUE(EditViewCommandState(ID_EDIT_FIND, editor)->bEnabled);
    EXPECT_FALSE(EditViewCommandState(ID_FILE_SRC, editor).has_value());
}

TEST(TranslationViewCommandState, FindPreviousAndClearHighlightFollowTheirComponentCommands) {
    FakeEditor editor;
    EXPECT_TRUE(TranslationViewCommandState(ID_EDIT_GOTO_TOP, editor)->bEnabled);
    EXPECT_TRUE(TranslationViewCommandState(ID_EDIT_GOTO_END, editor)->bEnabled);
    EXPECT_FALSE(TranslationViewCommandState(ID_EDIT_FIND_PREV, editor)->bEnabled);

    const int findPrevious = *TranslationViewComponentCommand(ID_EDIT_FIND_PREV);
    const int clearHighlight = *TranslationViewComponentCommand(ID_EDIT_CLEAR_HIGHLIGHT);
    EXPECT_EQ(findPrevious, 32823);
    EXPECT_EQ(clearHighlight, 32824);
    editor.m_states[findPrevious] = kCommandStateEnabled;
    editor.m_states[clearHighlight] = kCommandStateChecked;
    EXPECT_TRUE(TranslationViewCommandState(ID_EDIT_FIND_PREV, editor)->bEnabled);
    EXPECT_FALSE(TranslationViewCommandState(ID_EDIT_FIND_PREV, editor)->bChecked);
    EXPECT_TRUE(TranslationViewCommandState(ID_EDIT_CLEAR_HIGHLIGHT, editor)->bChecked);

    EXPECT_EQ(TranslationViewComponentCommand(ID_EDIT_GOTO_TOP), 32798);
    EXPECT_EQ(TranslationViewComponentCommand(ID_EDIT_GOTO_END), 32799);
    EXPECT_FALSE(TranslationViewCommandState(ID_EDIT_UNDO, editor).has_value());
}

}  // namespace
}  // namespace kelmio
