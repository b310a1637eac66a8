#include "gui/keys/key_dispatch_filter.h"

#include <gtest/gtest.h>
#include <wx/menu.h>
#include <wx/statusbr.h>
#include <wx/stc/stc.h>
#include <wx/toolbar.h>

#include <memory>

#include "commands/command_ids.h"
#include "commands/menu_table.h"
#include "gui/app/main_frame.h"
#include "gui/app/menu_builder.h"
#include "gui/app/wx_command_ids.h"
#include "gui/editor/editor_find.h"
#include "gui/editor/kel_edit_view.h"
#include "gui/platform/wx_settings.h"
#include "gui_support.h"
#include "keys/keycust_array.h"
#include "support/temp_dir.h"

namespace kelmio {
namespace {

using test::PressKey;
using test::Pump;

wxString U(const char* utf8) { return wxString::FromUTF8(utf8); }

CKeycust Binding(unsigned key, CommandId command, bool ctrl = false, bool shift = false, bool alt = false) {
    return CKeycust::Of(key, alt, shift, ctrl, static_cast<unsigned>(CommandNumber(command)));
}

// The main window with a key table joined to it, as the application has it.
class KeyDispatchTest : public testing::Test {
protected:
    KeyDispatchTest()
        : m_settings(m_folder.Path().string()),
          m_table(m_settings, KeyFileFolders{m_folder.Path().string(), m_folder.Path().string()}) {}

    void Open() {
        m_pFrame = new CMainFrame(m_settings, m_prompter);
        AttachKeyTable(*m_pFrame, m_table, [this] { return m_bEditorKeysFirst; });
        m_pFrame->ShowWindow();
        Pump();
    }
    void TearDown() override {
        if (m_pFrame != nullptr) {
            m_pFrame->Close(true);
            Pump();
        }
    }
    // A key-down as the window receives it; true when the key was taken.
    bool Press(int wxKey, bool ctrl = false, bool shift = false) { return PressKey(*m_pFrame, wxKey, ctrl, shift); }
    void Send(CommandId id) {
        wxCommandEvent event(wxEVT_MENU, ToWxId(id));
        m_pFrame->ProcessWindowEvent(event);
        Pump();
    }
    wxString Caption(CommandId id) { return m_pFrame->GetMenuBar()->FindItem(ToWxId(id))->GetItemLabel(); }
    bool ToolbarShown() { return m_pFrame->GetToolBar()->IsShown(); }

    test::TempDir m_folder;
    test::CRecordingPrompter m_prompter;
    CWxSettings m_settings;
    CKeycustArray m_table;
    bool m_bEditorKeysFirst = false;
    CMainFrame* m_pFrame = nullptr;
};

TEST_F(KeyDispatchTest, PlainLetterFiresInTheMemoPaneButNeverInTheEditor) {
    m_table.Add(Binding('A', ID_VIEW_TOOLBAR));
    Open();
    ASSERT_EQ(m_pFrame->ActiveView(), static_cast<CPaneView*>(&m_pFrame->EditView()));
    EXPECT_FALSE(Press('A'));
    EXPECT_TRUE(ToolbarShown());

    Send(ID_CURSOR_MEMO);
    EXPECT_TRUE(Press('A'));
    EXPECT_FALSE(ToolbarShown());

    Send(ID_CURSOR_SOURCE);
    EXPECT_TRUE(Press('A'));
    EXPECT_TRUE(ToolbarShown());
    // An unbound key goes on to the pane.
    EXPECT_FALSE(Press('B'));
}

TEST_F(KeyDispatchTest, FunctionKeysAndCtrlCombinationsFireInTheEditor) {
    m_table.Add(Binding(116, ID_VIEW_STATUS_BAR));        // F5
    m_table.Add(Binding('T', ID_VIEW_TOOLBAR, true));     // Ctrl+T
    m_table.Add(Binding('T', ID_CURSOR_MEMO, true));      // the first binding of a key wins
    Open();
    EXPECT_TRUE(Press(WXK_F5));
    EXPECT_FALSE(m_pFrame->GetStatusBar()->IsShown());
    EXPECT_EQ(m_pFrame->ActiveView(), static_cast<CPaneView*>(&m_pFrame->EditView()));
    EXPECT_TRUE(Press('T', true));
    EXPECT_FALSE(ToolbarShown());
    EXPECT_EQ(m_pFrame->ActiveView(), static_cast<CPaneView*>(&m_pFrame->EditView()));
    // Shift makes another combination.
    EXPECT_FALSE(Press('T', true, true));
}

TEST_F(KeyDispatchTest, EditorKeysAreLeftToTheEditorWhenThePreferenceSaysSo) {
    m_table.Add(Binding('C', ID_VIEW_TOOLBAR, true));  // Ctrl+C, the editor's copy
    m_bEditorKeysFirst = true;
    Open();
    EXPECT_FALSE(Press('C', true));
    EXPECT_TRUE(ToolbarShown());
    Send(ID_CURSOR_MEMO);
    EXPECT_TRUE(Press('C', true));
    EXPECT_FALSE(ToolbarShown());
    Send(ID_CURSOR_EDIT);
    m_bEditorKeysFirst = false;
    EXPECT_TRUE(Press('C', true));
    EXPECT_TRUE(ToolbarShown());
}

TEST_F(KeyDispatchTest, BoundKeyFindsTheNextMatchInTheEditor) {
    m_table.Add(Binding(114, ID_EDIT_REPEAT));  // F3
    Open();
    CEditXCtrl& editor = m_pFrame->EditView().Editor();
    editor.SetText("cat dog cat dog cat");
    editor.Find().SetSearch("dog");
    EXPECT_TRUE(Press(WXK_F3));
    EXPECT_EQ(editor.SelStart(), 4u);
    EXPECT_EQ(editor.SelLength(), 3u);
    EXPECT_TRUE(Press(WXK_F3));
    EXPECT_EQ(editor.SelStart(), 12u);
    EXPECT_TRUE(m_prompter.m_messages.empty());
    EXPECT_TRUE(Press(WXK_F3));
    EXPECT_EQ(editor.SelStart(), 12u);
    ASSERT_EQ(m_prompter.m_messages.size(), 1u);
}

TEST_F(KeyDispatchTest, KeyTextsAppearInTheMenuOnActivationNotInContextMenus) {
    m_table.Add(Binding(116, ID_FILE_SRC, true));  // Ctrl+F5
    Open();
    EXPECT_EQ(Caption(ID_FILE_SRC), U("ソースファイルの指定(&R)...\tCtrl+F5"));
    EXPECT_EQ(Caption(ID_FILE_SRC_HISTORY), U("ソースファイル履歴(&H)..."));

    m_table.Add(Binding('Q', ID_EDIT_UNDO, true, true));
    m_table.Add(Binding(192, ID_CURSOR_MEMO));  // in a nested pop-up
    wxActivateEvent activate(wxEVT_ACTIVATE, true);
    m_pFrame->ProcessWindowEvent(activate);
    EXPECT_EQ(Caption(ID_EDIT_UNDO), U("元に戻す(&U)\tShift+Ctrl+Q"));
    EXPECT_EQ(Caption(ID_CURSOR_MEMO), U("メモエリアにカーソル\t@"));

    std::unique_ptr<wxMenu> context = BuildPopupMenu(ContextMenu(ContextMenuKind::kEdit));
    EXPECT_EQ(context->FindItem(ToWxId(ID_EDIT_UNDO))->GetItemLabel(), U("元に戻す(&U)\tCtrl+Z"));
}

TEST_F(KeyDispatchTest, ARebindingReplacesTheKeyTextAndOtherCaptionsStayAsBuilt) {
    m_table.Add(Binding(116, ID_FILE_SRC, true));  // Ctrl+F5
    Open();
    m_table.RemoveAt(0);
    m_table.Add(Binding(113, ID_FILE_SRC));  // F2
    m_table.Add(Binding(113, ID_IMAGE_REDUCE_3, false, true));  // once the editor's "go to start" number
    wxActivateEvent activate(wxEVT_ACTIVATE, true);
    m_pFrame->ProcessWindowEvent(activate);
    m_pFrame->ProcessWindowEvent(activate);
    EXPECT_EQ(Caption(ID_FILE_SRC), U("ソースファイルの指定(&R)...\tF2"));
    EXPECT_EQ(Caption(ID_IMAGE_REDUCE_3), U("&3分の1\tShift+F2"));
    EXPECT_EQ(Caption(ID_EDIT_GOTO_TOP), U("先頭に移動(&S)"));
    EXPECT_EQ(Caption(ID_FILE_SRC_HISTORY), U("ソースファイル履歴(&H)..."));
}

}  // namespace
}  // namespace kelmio
