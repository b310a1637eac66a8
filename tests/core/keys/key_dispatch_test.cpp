#include <gtest/gtest.h>

#include "keys/key_dispatch.h"

namespace kelmio {
namespace {

struct ReachCase {
    const char* what;
    unsigned int key;
    bool alt, shift, ctrl;
    bool reachesInEditor;
};

// Windows virtual-key codes.
constexpr unsigned int kBack = 8, kTab = 9, kEnter = 13, kEscape = 27, kSpace = 32, kPageUp = 33, kEnd = 35,
                       kHome = 36, kLeft = 37, kDown = 40, kInsert = 45, kDelete = 46, kNum0 = 96, kMultiply = 106,
                       kDivide = 111, kF1 = 112, kF5 = 116, kF12 = 123, kAt = 192, kShiftKey = 16;

const ReachCase kReachCases[] = {
    {"letter", 'A', false, false, false, false},
    {"Shift+letter", 'Z', false, true, false, false},
    {"digit", '0', false, false, false, false},
    {"Shift+digit", '9', false, true, false, false},
    {"arrow", kLeft, false, false, false, false},
    {"Shift+arrow", kDown, false, true, false, false},
    {"Home", kHome, false, false, false, false},
    {"End", kEnd, false, false, false, false},
    {"PageUp", kPageUp, false, false, false, false},
    {"Delete", kDelete, false, false, false, false},
    {"Insert", kInsert, false, false, false, false},
    {"BackSpace", kBack, false, false, false, false},
    {"Enter", kEnter, false, false, false, false},
    {"Space", kSpace, false, false, false, false},
    {"Tab", kTab, false, false, false, false},
    {"Shift+Tab", kTab, false, true, false, false},
    {"NUM0", kNum0, false, false, false, false},
    {"pad *", kMultiply, false, false, false, false},
    {"pad /", kDivide, false, false, false, false},
    {"F1", kF1, false, false, false, true},
    {"F12", kF12, false, false, false, true},
    {"Shift+F5", kF5, false, true, false, true},
    {"at-sign", kAt, false, false, false, true},
    {"Escape", kEscape, false, false, false, true},
    {"Shift key itself", kShiftKey, false, true, false, true},
    {"Ctrl+letter", 'S', false, false, true, true},
    {"Ctrl+digit", '1', false, false, true, true},
    {"Alt+arrow", kLeft, true, false, false, true},
    {"Ctrl+Enter", kEnter, false, false, true, true},
    {"Alt+NUM0", kNum0, true, false, false, true},
};

TEST(KeyDispatch, OnlyShortcutKeysReachTheTableInTheEditor) {
    for (const ReachCase& c : kReachCases) {
        const KeyPress press{c.key, c.alt, c.shift, c.ctrl};
        EXPECT_EQ(KeyReachesTable(ActiveView::kEditor, press), c.reachesInEditor) << c.what;
        EXPECT_TRUE(KeyReachesTable(ActiveView::kSource, press)) << c.what;
        EXPECT_TRUE(KeyReachesTable(ActiveView::kMemo, press)) << c.what;
    }
}

TEST(KeyDispatch, PostsTheBoundCommandOrPassesTheKeyOn) {
    const std::vector<CKeycust> table = {
        CKeycust::Of('K', false, false, false, 3836),  // a plain letter
        CKeycust::Of(kF5, false, false, false, 32786),
        CKeycust::Of(kAt, false, false, false, 3843),
        CKeycust::Of('Q', false, false, true, 0),       // bound to nothing
        CKeycust::Of('Z', false, false, true, 57643),   // the editor's own undo key
        CKeycust::Of('Z', false, false, true, 1),       // shadowed by the first
    };
    const auto decide = [&](ActiveView view, KeyPress press, bool editorKeysFirst = false) {
        return DecideKeyDispatch(view, press, table, editorKeysFirst);
    };
    EXPECT_EQ(decide(ActiveView::kMemo, {'K'}), 3836u);
    EXPECT_EQ(decide(ActiveView::kSource, {'K'}), 3836u);
    EXPECT_EQ(decide(ActiveView::kEditor, {'K'}), std::nullopt) << "typing in the editor";
    EXPECT_EQ(decide(ActiveView::kEditor, {kF5}), 32786u);
    EXPECT_EQ(decide(ActiveView::kEditor, {kAt}), 3843u);
    EXPECT_EQ(decide(ActiveView::kEditor, {'K', false, false, true}), std::nullopt) << "not in the table";
    EXPECT_EQ(decide(ActiveView::kMemo, {'Q', false, false, true}), std::nullopt) << "command 0";
    EXPECT_EQ(decide(ActiveView::kEditor, {'Z', false, false, true}), 57643u);

    // Preferring the editor's keys leaves its own keys to it, in the editor only.
    EXPECT_EQ(decide(ActiveView::kEditor, {'Z', false, false, true}, true), std::nullopt);
    EXPECT_EQ(decide(ActiveView::kMemo, {'Z', false, false, true}, true), 57643u);
    EXPECT_EQ(decide(ActiveView::kEditor, {kF5}, true), 32786u);
}

TEST(KeyDispatch, DecisionForAFoundBinding) {
    struct Case {
        ActiveView view;
        bool editorKey;
        unsigned int command;
        bool editorKeysFirst;
        std::optional<unsigned int> expected;
    };
    const Case cases[] = {
        {ActiveView::kEditor, true, 57643, true, std::nullopt},
        {ActiveView::kEditor, true, 57643, false, 57643u},
        {ActiveView::kEditor, false, 57643, true, 57643u},
        {ActiveView::kSource, true, 57643, true, 57643u},
        {ActiveView::kMemo, false, 0, false, std::nullopt},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(DecideForBinding(c.view, c.editorKey, c.command, c.editorKeysFirst), c.expected);
    }
}

TEST(KeyDispatch, EditorKeysAreTheEditorsOwnEditingCombinations) {
    EXPECT_TRUE(CKeycust::Of('C', false, false, true, 1).IsEditorKey());
    EXPECT_TRUE(CKeycust::Of(kLeft, false, true, true, 1).IsEditorKey()) << "Shift only extends the selection";
    EXPECT_TRUE(CKeycust::Of(kBack, true, false, false, 1).IsEditorKey());
    EXPECT_FALSE(CKeycust::Of('C', false, true, true, 1).IsEditorKey());
    EXPECT_FALSE(CKeycust::Of('C', true, false, true, 1).IsEditorKey());
    EXPECT_FALSE(CKeycust::Of(kF5, false, false, false, 1).IsEditorKey());
    EXPECT_FALSE(CKeycust::Of('D', false, false, true, 1).IsEditorKey());
}

}  // namespace
}  // namespace kelmio
