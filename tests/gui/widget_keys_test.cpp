// The keys the text widgets handle themselves: caret movement and typing.
// Every other shortcut comes from the key table, so a Ctrl or Alt key the
// table does not bind leaves the translation and the text source as they
// were, while the bound ones and the editing keys go on working.

#include <gtest/gtest.h>
#include <wx/frame.h>
#include <wx/stc/stc.h>
#include <wx/toolbar.h>

#include <string>
#include <vector>

#include "commands/command_ids.h"
#include "gui/app/main_frame.h"
#include "gui/editor/kel_edit_view.h"
#include "gui/keys/key_dispatch_filter.h"
#include "gui/platform/wx_settings.h"
#include "gui/viewer/plain_edit_ctrl.h"
#include "gui_support.h"
#include "keys/keycust_array.h"
#include "support/temp_dir.h"

namespace kelmio {
namespace {

using test::Pump;

enum Modifiers : int { kNone = 0, kCtrl = 1, kAlt = 2, kShift = 4 };

void SetModifiers(wxKeyEvent& event, int modifiers, wxWindow& target) {
    event.SetControlDown((modifiers & kCtrl) != 0);
    event.SetAltDown((modifiers & kAlt) != 0);
    event.SetShiftDown((modifiers & kShift) != 0);
    event.SetEventObject(&target);
}

// A key as the toolkit delivers it to the focused `widget`: the char hook
// (where the key table looks), then the key-down, then, when nobody took
// the key, its character (`ch`, 0 for keys without one).
void Deliver(wxWindow& widget, int keyCode, int modifiers, int ch = 0) {
    wxKeyEvent hook(wxEVT_CHAR_HOOK);
    hook.m_keyCode = keyCode;
    SetModifiers(hook, modifiers, widget);
    const bool taken = widget.ProcessWindowEvent(hook);
    if (!taken) {
        wxKeyEvent down(wxEVT_KEY_DOWN);
        down.m_keyCode = keyCode;
        down.m_uniChar = static_cast<wxChar>(keyCode < WXK_START ? keyCode : 0);
        SetModifiers(down, modifiers, widget);
        if (!widget.ProcessWindowEvent(down) && ch != 0) {
            // With Ctrl a letter arrives as its control character.
            const bool letter = (ch >= 'a' && ch <= 'z') || (ch >= 'A' && ch <= 'Z');
            const int typed = (modifiers & kCtrl) != 0 && letter ? (ch & 0x1f) : ch;
            wxKeyEvent character(wxEVT_CHAR);
            character.m_keyCode = typed;
            character.m_uniChar = static_cast<wxChar>(typed);
            SetModifiers(character, modifiers, widget);
            widget.ProcessWindowEvent(character);
        }
    }
    Pump();
}

void Type(wxWindow& widget, const std::string& ascii) {
    for (const char c : ascii) {
        if (c == '\n') {
            Deliver(widget, WXK_RETURN, kNone, '\r');
        } else {
            const int code = c >= 'a' && c <= 'z' ? c - 'a' + 'A' : c;
            Deliver(widget, code, kNone, c);
        }
    }
}

struct Combination {
    int key;
    int modifiers;
};

// Every letter and digit with Ctrl, with Alt and with Ctrl+Shift.
std::vector<Combination> ModifiedLettersAndDigits() {
    std::vector<Combination> all;
    for (const int modifiers : {int{kCtrl}, int{kAlt}, kCtrl | kShift}) {
        for (int key = 'A'; key <= 'Z'; ++key) all.push_back({key, modifiers});
        for (int key = '0'; key <= '9'; ++key) all.push_back({key, modifiers});
    }
    return all;
}

std::string Describe(const Combination& combination) {
    std::string text;
    if (combination.modifiers & kAlt) text += "Alt+";
    if (combination.modifiers & kShift) text += "Shift+";
    if (combination.modifiers & kCtrl) text += "Ctrl+";
    return text + static_cast<char>(combination.key);
}

// Movement and typing, the same in both panes: `widget` holds "" when called.
void ExpectTypingAndMovementWork(wxStyledTextCtrl& widget, const std::string& lineEnd) {
    Type(widget, "one two\nthree");
    EXPECT_EQ(widget.GetText().utf8_string(), "one two" + lineEnd + "three");
    Deliver(widget, WXK_HOME, kCtrl);
    EXPECT_EQ(widget.GetCurrentPos(), 0);
    Deliver(widget, WXK_RIGHT, kCtrl);
    EXPECT_EQ(widget.GetCurrentPos(), 4);
    Deliver(widget, WXK_END, kShift);
    EXPECT_EQ(widget.GetSelectedText().utf8_string(), "two");
    Deliver(widget, WXK_DELETE, kNone, 0x7f);
    Deliver(widget, WXK_BACK, kNone, 8);
    Deliver(widget, WXK_TAB, kNone, '\t');
    Deliver(widget, WXK_DOWN, kNone);
    Deliver(widget, WXK_END, kNone);
    Deliver(widget, WXK_LEFT, kShift);
    Deliver(widget, WXK_BACK, kNone, 8);
    Deliver(widget, WXK_PAGEUP, kNone);
    EXPECT_EQ(widget.GetCurrentLine(), 0);
    Deliver(widget, WXK_END, kCtrl);
    EXPECT_EQ(widget.GetCurrentPos(), widget.GetLength());
    // Keys that have a character of their own but no meaning here.
    Deliver(widget, WXK_ESCAPE, kNone, 0x1b);
    Deliver(widget, WXK_DELETE, kShift, 0x7f);
    EXPECT_EQ(widget.GetText().utf8_string(), "one\t" + lineEnd + "thre");
}

class EditorKeysTest : public testing::Test {
protected:
    EditorKeysTest()
        : m_settings(m_folder.Path().string()),
          m_table(m_settings, KeyFileFolders{m_folder.Path().string(), m_folder.Path().string()}) {
        Bind('Z', ID_EDIT_UNDO, true);
        Bind('A', ID_EDIT_SELECT_ALL, true);
        Bind('E', ID_VIEW_TOOLBAR, true, true);  // Ctrl+Shift+E
    }
    void Bind(unsigned key, CommandId command, bool ctrl, bool shift = false, bool alt = false) {
        m_table.Add(CKeycust::Of(key, alt, shift, ctrl, static_cast<unsigned>(CommandNumber(command))));
    }
    void Open() {
        m_pFrame = new CMainFrame(m_settings, m_prompter);
        AttachKeyTable(*m_pFrame, m_table, [this] { return m_bEditorKeysFirst; });
        m_pFrame->ShowWindow();
        Pump();
        Widget().SetFocus();
        Pump();
    }
    void TearDown() override {
        if (m_pFrame == nullptr) return;
        m_pFrame->EditView().Editor().PutModified(false);
        m_pFrame->Close(true);
        Pump();
    }
    wxStyledTextCtrl& Widget() { return m_pFrame->EditView().Editor().Widget(); }
    bool Bound(const Combination& c) {
        return m_table.FindKey(static_cast<unsigned>(c.key), (c.modifiers & kAlt) != 0, (c.modifiers & kShift) != 0,
                               (c.modifiers & kCtrl) != 0) >= 0;
    }

    test::TempDir m_folder;
    test::CRecordingPrompter m_prompter;
    CWxSettings m_settings;
    CKeycustArray m_table;
    bool m_bEditorKeysFirst = false;
    CMainFrame* m_pFrame = nullptr;
};

TEST_F(EditorKeysTest, UnboundCtrlAndAltKeysLeaveTheTranslationAsItWas) {
    Open();
    const wxString text = wxString::FromUTF8("First line of the Translation\r\nSecond Line\r\nthird line");
    Widget().SetText(text);
    for (const Combination& combination : ModifiedLettersAndDigits()) {
        if (Bound(combination)) continue;
        // A selection and a caret in the middle: most built-in commands
        // act on one or the other.
        Widget().SetSelection(6, 10);
        Deliver(Widget(), combination.key, combination.modifiers, combination.key);
        ASSERT_EQ(Widget().GetText(), text) << Describe(combination);
    }
    EXPECT_TRUE(m_prompter.m_messages.empty());
    EXPECT_TRUE(m_pFrame->GetToolBar()->IsShown());
}

TEST_F(EditorKeysTest, BoundKeysRunTheirCommandsAndTypingStillWorks) {
    Open();
    ExpectTypingAndMovementWork(Widget(), "\r\n");
    // Ctrl+Z runs the table's undo, Ctrl+A its select-all.
    Widget().ClearAll();
    Type(Widget(), "abc");
    Deliver(Widget(), 'Z', kCtrl, 'z');
    EXPECT_EQ(Widget().GetText(), "");
    Type(Widget(), "xyz");
    Deliver(Widget(), 'A', kCtrl, 'a');
    EXPECT_EQ(Widget().GetSelectedText(), "xyz");
    Deliver(Widget(), 'E', kCtrl | kShift, 'E');
    EXPECT_FALSE(m_pFrame->GetToolBar()->IsShown());
}

TEST_F(EditorKeysTest, TheEditorsOwnEditingKeysRunOnlyWhenTheTableLeavesThemToIt) {
    Bind('V', ID_VIEW_TOOLBAR, true);  // Ctrl+V, left to the editor's paste
    m_bEditorKeysFirst = true;
    Open();
    Type(Widget(), "ab");
    // Bound and left to the editor: its own undo runs, not the table's command.
    Deliver(Widget(), 'Z', kCtrl, 'z');
    EXPECT_EQ(Widget().GetText(), "");
    Type(Widget(), "cd");
    Widget().SelectAll();
    Widget().Copy();
    Widget().SetEmptySelection(Widget().GetLength());
    Deliver(Widget(), 'V', kCtrl, 'v');
    EXPECT_EQ(Widget().GetText(), "cdcd");
    EXPECT_TRUE(m_pFrame->GetToolBar()->IsShown());
    // Unbound editor keys do nothing, preference or not.
    Deliver(Widget(), WXK_BACK, kCtrl, 8);
    Deliver(Widget(), 'X', kCtrl, 'x');
    Deliver(Widget(), 'Y', kCtrl, 'y');
    EXPECT_EQ(Widget().GetText(), "cdcd");
}

class PlainPaneKeysTest : public testing::Test {
protected:
    PlainPaneKeysTest() : m_pFrame(new wxFrame(nullptr, wxID_ANY, "source")), m_pane(m_pFrame, wxID_ANY) {
        m_pFrame->SetSize(500, 300);
        m_pFrame->Show();
        m_pane.Control().SetFocus();
        Pump();
    }
    ~PlainPaneKeysTest() override {
        m_pFrame->Destroy();
        Pump();
    }

    wxFrame* m_pFrame;
    CPlainEditCtrl m_pane;
};

TEST_F(PlainPaneKeysTest, CtrlAndAltKeysLeaveTheSourceTextAsItWasAndTypingWorks) {
    wxStyledTextCtrl& widget = m_pane.Control();
    const wxString text = wxString::FromUTF8("Source text, Line one\r\nline Two\r\nline three");
    widget.SetText(text);
    widget.SetSelection(7, 11);
    widget.Copy();
    for (const Combination& combination : ModifiedLettersAndDigits()) {
        widget.SetSelection(7, 11);
        Deliver(widget, combination.key, combination.modifiers, combination.key);
        ASSERT_EQ(widget.GetText(), text) << Describe(combination);
    }
    widget.ClearAll();
    ExpectTypingAndMovementWork(widget, "\r\n");
}

}  // namespace
}  // namespace kelmio
