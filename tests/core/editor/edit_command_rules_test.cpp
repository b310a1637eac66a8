#include "editor/edit_command_rules.h"

#include <gtest/gtest.h>

#include <map>

#include "commands/command_ids.h"

namespace kelmio {
namespace {

class FakeEditor final : public CEditorCommandSource {
public:
    int GetCommandState(EditorOperation operation) const override {
        const auto it = m_states.find(operation);
        return it == m_states.end() ? 0 : it->second;
    }
    bool GetModified() const override { return m_bModified; }

    std::map<EditorOperation, int> m_states;
    bool m_bModified = false;
};

TEST(EditViewCommandState, UndoNeedsTheComponentAndAModifiedText) {
    FakeEditor editor;
    editor.m_states[EditorOperation::kUndo] = kCommandStateEnabled;
    EXPECT_FALSE(EditViewCommandState(ID_EDIT_UNDO, editor)->bEnabled);
    editor.m_bModified = true;
    EXPECT_TRUE(EditViewCommandState(ID_EDIT_UNDO, editor)->bEnabled);
    editor.m_states[EditorOperation::kUndo] = 1;  // one bit is not enough
    EXPECT_FALSE(EditViewCommandState(ID_EDIT_UNDO, editor)->bEnabled);
}

TEST(EditViewCommandState, ClipboardCommandsFollowTheComponentClearFollowsCopy) {
    FakeEditor editor;
    EXPECT_FALSE(EditViewCommandState(ID_EDIT_CUT, editor)->bEnabled);
    EXPECT_FALSE(EditViewCommandState(ID_EDIT_CLEAR, editor)->bEnabled);
    editor.m_states[EditorOperation::kCopy] = kCommandStateEnabled;
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

    EXPECT_EQ(TranslationViewComponentCommand(ID_EDIT_FIND_PREV), EditorOperation::kFindPrevious);
    EXPECT_EQ(TranslationViewComponentCommand(ID_EDIT_CLEAR_HIGHLIGHT), EditorOperation::kClearHighlight);
    editor.m_states[EditorOperation::kFindPrevious] = kCommandStateEnabled;
    editor.m_states[EditorOperation::kClearHighlight] = kCommandStateChecked;
    EXPECT_TRUE(TranslationViewCommandState(ID_EDIT_FIND_PREV, editor)->bEnabled);
    EXPECT_FALSE(TranslationViewCommandState(ID_EDIT_FIND_PREV, editor)->bChecked);
    EXPECT_TRUE(TranslationViewCommandState(ID_EDIT_CLEAR_HIGHLIGHT, editor)->bChecked);

    EXPECT_EQ(TranslationViewComponentCommand(ID_EDIT_GOTO_TOP), EditorOperation::kGoToStart);
    EXPECT_EQ(TranslationViewComponentCommand(ID_EDIT_GOTO_END), EditorOperation::kGoToEnd);
    // A menu command whose number the old editor shared is not mistaken for it.
    EXPECT_FALSE(EditorOperationOf(ID_IMAGE_REDUCE_3).has_value());
    EXPECT_EQ(EditorOperationOf(ID_EDIT_REPEAT), EditorOperation::kFindNext);
    EXPECT_FALSE(TranslationViewCommandState(ID_EDIT_UNDO, editor).has_value());
}

}  // namespace
}  // namespace kelmio
