// A translator's day with the whole program: a project over a scanned page
// and one over a Shift-JIS text, Japanese typed with wraps, memos, keys that
// move between the panes, replace, the font, the recent list, and restarts
// that must bring everything back.

#include <gtest/gtest.h>
#include <wx/choice.h>
#include <wx/dialog.h>
#include <wx/fdrepdlg.h>
#include <wx/fontpicker.h>
#include <wx/menu.h>
#include <wx/modalhook.h>
#include <wx/splitter.h>
#include <wx/stc/stc.h>
#include <wx/uiaction.h>

#include <cstdlib>
#include <functional>
#include <memory>

#include "commands/command_ids.h"
#include "gui/app/main_frame.h"
#include "gui/app/wx_command_ids.h"
#include "gui/editor/kel_edit_view.h"
#include "gui/imaging/image_mode.h"
#include "gui/keys/key_dispatch_filter.h"
#include "gui/memo/kel_form_view.h"
#include "gui/viewer/plain_edit_ctrl.h"
#include "gui/viewer/text_view.h"
#include "gui_support.h"
#include "imaging/image_kit.h"
#include "keys/keycust_array.h"
#include "project/project_file.h"
#include "shell_test.h"
#include "support/file_bytes.h"
#include "support/sjis_literal.h"

namespace kelmio {
namespace {

using test::Pump;
using test::Sj;

wxString U(const char* utf8) { return wxString::FromUTF8(utf8); }

constexpr const char* kWagahai =
    "吾輩は猫である。名前はまだ無い。どこで生れたかとんと見当がつかぬ。何でも薄暗いじめじめした所で"
    "ニャーニャー泣いていた事だけは記憶している。吾輩はここで始めて人間というものを見た。";

wxFontPickerCtrl* FindPicker(wxWindow& window) {
    if (auto* picker = dynamic_cast<wxFontPickerCtrl*>(&window)) return picker;
    for (wxWindow* child : window.GetChildren())
        if (wxFontPickerCtrl* found = FindPicker(*child)) return found;
    return nullptr;
}

wxFindReplaceDialog* OpenFindDialog() {
    for (wxWindow* window : wxTopLevelWindows)
        if (auto* dialog = dynamic_cast<wxFindReplaceDialog*>(window)) return dialog;
    return nullptr;
}

bool IsInside(const wxWindow* window, const wxWindow& pane) {
    for (; window != nullptr; window = window->GetParent())
        if (window == &pane) return true;
    return false;
}

class DayTest : public test::ShellTest {
protected:
    ~DayTest() override { m_pKeys.reset(); }

    wxStyledTextCtrl& Editor() { return Frame().EditView().Editor().Widget(); }
    CKelFormView& Memo() { return Frame().FormView(); }
    CKelmioDoc& Doc() { return m_pShell->Document(); }

    // Starts as the program does: the shell, then the key file bound to the window.
    void StartDay(const std::vector<std::string>& args = {}) {
        StartShell(args);
        Pump();
        m_pKeys = std::make_unique<CKeycustArray>(*m_pSettings, KeyFileFolders::FromSystem());
        m_pKeys->LoadAtStartup();
        AttachKeyTable(Frame(), *m_pKeys, [] { return false; });
    }
    void StopDay() {
        m_pKeys.reset();
        Stop();
    }

    // A scanned page: lines of print on grey paper.
    std::string MakeScan(const std::string& name) {
        RgbPixels pixels;
        pixels.cx = 1000;
        pixels.cy = 1400;
        pixels.bytes.assign(std::size_t{1000} * 1400 * 3, 235);
        for (int y = 100; y < 1300; y += 40)
            for (int x = 100; x < 900; ++x)
                for (int c = 0; c < 3; ++c) pixels.bytes[(std::size_t(y) * 1000 + x) * 3 + c] = 40;
        CImageKit picture;
        EXPECT_TRUE(picture.LoadRgb(pixels));
        const std::string path = m_folder.File("work/" + name);
        EXPECT_TRUE(picture.SavePng(path, {}));
        return path;
    }
    // With KELMIO_DAY_DIR set, the whole screen goes there as `name`.png.
    void Shot(const std::string& name) {
        const char* dir = std::getenv("KELMIO_DAY_DIR");
        if (dir == nullptr) return;
        Pump();
        wxMilliSleep(300);
        Pump();
        const std::string command = "import -window root '" + std::string(dir) + "/" + name + ".png'";
        EXPECT_EQ(std::system(command.c_str()), 0);
    }
    // Keys from the keyboard reach the window a little later.
    void Settle() {
        Pump();
        wxMilliSleep(50);
        Pump();
    }

    std::unique_ptr<CKeycustArray> m_pKeys;
};

TEST_F(DayTest, AScanProjectTypedAndArrangedComesBackAfterARestart) {
    ExpectNewProject("scan");
    StartDay();
    Frame().SetSize(wxRect(50, 40, 1100, 800));
    Pump();
    m_prompter.ExpectFile(FromNativePath(MakeScan("page1.png")));
    Send(ID_FILE_SRC);
    ASSERT_EQ(Frame().TextView().Mode(), ViewMode::kImage);

    // Choosing the source leaves the user typing in the editor.
    EXPECT_EQ(Frame().ActiveView(), &Frame().EditView());
    EXPECT_EQ(wxWindow::FindFocus(), &Editor());
    wxUIActionSimulator keys;
    keys.Text("Chapter 1");
    keys.Char(WXK_RETURN);
    Settle();
    wxString typed;
    for (int i = 0; i < 40; ++i) typed += U(kWagahai) + "\n";
    Editor().AddText(typed);
    EXPECT_TRUE(Editor().GetText().StartsWith("Chapter 1\r\n"));

    m_prompter.ExpectInput(Sj("用語"));
    Send(ID_MEMO_ADD);
    Memo().MemoEdit().SetValue(U("書生＝student boarder\n獰悪＝ferocious"));

    // The pane keys.
    keys.Char('1', wxMOD_CONTROL);
    Settle();
    EXPECT_EQ(Frame().ActiveView(), &Frame().TextView());
    keys.Char('3', wxMOD_CONTROL);
    Settle();
    EXPECT_EQ(Frame().ActiveView(), &Frame().FormView());
    EXPECT_EQ(wxWindow::FindFocus(), &Memo().MemoEdit());
    keys.Char('2', wxMOD_CONTROL);
    Settle();
    EXPECT_EQ(Frame().ActiveView(), &Frame().EditView());
    EXPECT_EQ(wxWindow::FindFocus(), &Editor());

    // Window, splitters, caret, scroll and the scan's position as the user left them.
    Frame().SetSize(wxRect(60, 50, 1000, 760));
    Pump();
    Frame().OuterSplitter().SetSashPosition(330);
    Frame().InnerSplitter().SetSashPosition(700);
    Frame().SetActiveView(Frame().TextView());
    Send(ID_SOURCE_PAGE_DOWN);
    Frame().SetActiveView(Frame().EditView());
    Editor().GotoLine(30);
    Editor().SetFirstVisibleLine(Editor().VisibleFromDocLine(20));
    Pump();
    const int caret = Frame().EditView().SelStart();
    const int topLine = Frame().EditView().FirstVisibleLine();
    const ScrollPoint scanScroll = Frame().TextView().Image().Canvas().GetScrollPoint();
    EXPECT_GT(scanScroll.y, 0);
    const wxString text = Editor().GetText();
    Shot("day_scan");
    Send(ID_FILE_SAVE);
    StopDay();

    StartDay();
    EXPECT_EQ(Frame().GetTitle(), U("scan.kmp - Kelmio"));
    EXPECT_EQ(Frame().GetRect(), wxRect(60, 50, 1000, 760));
    EXPECT_EQ(Frame().OuterSplitter().GetSashPosition(), 330);
    EXPECT_EQ(Frame().InnerSplitter().GetSashPosition(), 700);
    EXPECT_EQ(Frame().TextView().Mode(), ViewMode::kImage);
    EXPECT_EQ(Frame().TextView().Image().Canvas().GetScrollPoint(), scanScroll);
    EXPECT_EQ(Editor().GetText(), text);
    EXPECT_EQ(Frame().EditView().SelStart(), caret);
    EXPECT_EQ(Frame().EditView().FirstVisibleLine(), topLine);
    EXPECT_EQ(Frame().ActiveView(), &Frame().EditView());
    EXPECT_EQ(Memo().MemoEdit().GetValue(), U("書生＝student boarder\n獰悪＝ferocious"));
    EXPECT_EQ(Memo().MemoList().GetStringSelection(), U("用語"));
    EXPECT_TRUE(m_prompter.ScriptDone());
}

TEST_F(DayTest, ATextProjectWithReplaceFontAndTheRecentList) {
    ExpectNewProject("scan");
    StartDay();
    Frame().SetSize(wxRect(20, 20, 1100, 800));
    m_prompter.ExpectFile(FromNativePath(MakeScan("page1.png")));
    Send(ID_FILE_SRC);
    Editor().AddText(U("吾輩は猫である。\n"));

    // A second project over a Shift-JIS text; the first one's text is kept.
    m_prompter.ExpectMessage(Answer::kYes);
    ExpectNewProject("novel");
    Send(ID_FILE_NEW);
    std::string source;
    for (int i = 0; i < 60; ++i) source += Sj("第" + std::to_string(i + 1) + "段。" + kWagahai) + "\r\n";
    m_prompter.ExpectFile(FromNativePath(Write("wagahai.txt", source)));
    Send(ID_FILE_SRC);
    ASSERT_EQ(Frame().TextView().Mode(), ViewMode::kText);
    Editor().AddText(U("書生という人間中で一番獰悪な種族であった。\n書生は時々我々を捕えて煮て食う。\n"));

    // Replace all through the dialog; one undo takes all of it back.
    Send(ID_EDIT_REPLACE);
    wxFindReplaceDialog* dialog = OpenFindDialog();
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(dialog->GetTitle(), U("置換"));
    m_prompter.ExpectMessage(Answer::kOk);
    wxFindDialogEvent all(wxEVT_FIND_REPLACE_ALL, dialog->GetId());
    all.SetEventObject(dialog);
    all.SetFindString(U("書生"));
    all.SetReplaceString(U("学生"));
    all.SetFlags(wxFR_DOWN);
    dialog->GetEventHandler()->ProcessEvent(all);
    EXPECT_EQ(m_prompter.Messages().back().text, Sj("2個置換しました"));
    EXPECT_EQ(Editor().GetText(), U("学生という人間中で一番獰悪な種族であった。\n学生は時々我々を捕えて煮て食う。\n"));
    Send(ID_EDIT_UNDO);
    EXPECT_EQ(Editor().GetText(), U("書生という人間中で一番獰悪な種族であった。\n書生は時々我々を捕えて煮て食う。\n"));
    dialog->Close();
    Pump();

    // The font, chosen through the dialog, is kept.
    {
        test::CAtModalOpen hook([](wxDialog& fontDialog) {
            wxFontPickerCtrl* picker = FindPicker(fontDialog);
            if (picker != nullptr) picker->SetSelectedFont(wxFont(wxFontInfo(16).FaceName("Noto Serif CJK JP")));
            fontDialog.EndModal(picker != nullptr ? wxID_OK : wxID_CANCEL);
        });
        Send(ID_VIEW_FONT);
    }
    EXPECT_EQ(Editor().StyleGetFaceName(wxSTC_STYLE_DEFAULT), "Noto Serif CJK JP");
    EXPECT_EQ(Editor().StyleGetSize(wxSTC_STYLE_DEFAULT), 16);

    // Back to the scan through the recent list, with its own text and source.
    const auto second = static_cast<CommandId>(static_cast<int>(ID_FILE_MRU_FILE1) + 1);
    wxMenuItem* recent = Frame().GetMenuBar()->FindItem(ToWxId(second));
    ASSERT_NE(recent, nullptr);
    EXPECT_EQ(recent->GetItemLabel(), "&2 " + wxString::FromUTF8(m_folder.File("work/scan.kmp")));
    m_prompter.ExpectMessage(Answer::kYes);
    Send(second);
    EXPECT_EQ(Frame().GetTitle(), U("scan.kmp - Kelmio"));
    EXPECT_EQ(Frame().TextView().Mode(), ViewMode::kImage);
    EXPECT_EQ(Editor().GetText(), U("吾輩は猫である。\n"));
    StopDay();

    StartDay();
    EXPECT_EQ(Frame().GetTitle(), U("scan.kmp - Kelmio"));
    EXPECT_EQ(Editor().StyleGetFaceName(wxSTC_STYLE_DEFAULT), "Noto Serif CJK JP");
    EXPECT_EQ(Editor().StyleGetSize(wxSTC_STYLE_DEFAULT), 16);
    EXPECT_TRUE(m_prompter.ScriptDone());
}

// Tab moves among the memo pane's own boxes, as in a form; it never takes
// the user out to another pane, where the next keys would edit the source
// text or the translation without their knowing.
TEST_F(DayTest, TabStaysAmongTheMemoPanesControls) {
    ExpectNewProject("tabs");
    StartDay();
    Frame().SetSize(wxRect(20, 20, 1100, 800));
    const std::string sourceText = Sj("吾輩は猫である。\r\n名前はまだ無い。\r\n");
    m_prompter.ExpectFile(FromNativePath(Write("cat.txt", sourceText)));
    Send(ID_FILE_SRC);
    m_prompter.ExpectInput(Sj("用語"));
    Send(ID_MEMO_ADD);
    auto* sourcePane = dynamic_cast<CPlainEditCtrl*>(Frame().TextView().TextPane());
    ASSERT_NE(sourcePane, nullptr);
    const wxString shownSource = sourcePane->Control().GetText();

    wxUIActionSimulator keys;
    keys.Char('3', wxMOD_CONTROL);
    Settle();
    ASSERT_EQ(wxWindow::FindFocus(), &Memo().MemoEdit());
    for (int i = 0; i < 6; ++i) {
        keys.Char(WXK_TAB, i % 2 == 0 ? wxMOD_NONE : wxMOD_SHIFT);
        keys.Char(WXK_TAB);
        Settle();
        ASSERT_EQ(Frame().ActiveView(), &Frame().FormView()) << "after Tab " << i;
        ASSERT_TRUE(IsInside(wxWindow::FindFocus(), Frame().FormView())) << "after Tab " << i;
    }
    // From the memo text the next Tab is the lookup box, Shift+Tab goes back.
    Memo().MemoEdit().SetFocus();
    keys.Char(WXK_TAB);
    Settle();
    EXPECT_EQ(wxWindow::FindFocus(), &Memo().LookupBox());
    keys.Char(WXK_TAB, wxMOD_SHIFT);
    Settle();
    EXPECT_EQ(wxWindow::FindFocus(), &Memo().MemoEdit());
    keys.Text("x");
    Settle();
    EXPECT_EQ(Memo().MemoEdit().GetValue(), "x");
    EXPECT_EQ(sourcePane->Control().GetText(), shownSource);
    EXPECT_FALSE(Frame().TextView().IsTextModified());
}

// Reading the scan while typing: the shipped keys scroll the source from the
// editor, and the caret and the focus stay where the user types.
TEST_F(DayTest, TheShippedKeysScrollTheSourceWhileTyping) {
    ExpectNewProject("reading");
    StartDay();
    Frame().SetSize(wxRect(20, 20, 1100, 800));
    m_prompter.ExpectFile(FromNativePath(MakeScan("page1.png")));
    Send(ID_FILE_SRC);
    Editor().AddText(U("吾輩は猫である。\n名前はまだ無い。"));
    Pump();
    const int caret = Frame().EditView().SelStart();
    CImageCanvas& canvas = Frame().TextView().Image().Canvas();
    ASSERT_EQ(canvas.GetScrollPoint(), (ScrollPoint{0, 0}));

    wxUIActionSimulator keys;
    keys.Char(WXK_DOWN, wxMOD_ALT);
    Settle();
    const ScrollPoint down = canvas.GetScrollPoint();
    EXPECT_GT(down.y, 0);
    keys.Char(WXK_PAGEDOWN, wxMOD_ALT);
    Settle();
    EXPECT_GT(canvas.GetScrollPoint().y, down.y);
    keys.Char(WXK_PAGEUP, wxMOD_ALT);
    keys.Char(WXK_UP, wxMOD_ALT);
    Settle();
    EXPECT_EQ(canvas.GetScrollPoint().y, 0);
    EXPECT_EQ(Frame().ActiveView(), &Frame().EditView());
    EXPECT_EQ(wxWindow::FindFocus(), &Editor());
    EXPECT_EQ(Frame().EditView().SelStart(), caret);
    EXPECT_EQ(Editor().GetText(), U("吾輩は猫である。\n名前はまだ無い。"));
}

}  // namespace
}  // namespace kelmio
