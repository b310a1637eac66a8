// Texts shown while another program changes their files: the source text
// and the translation text follow an outside change when nothing was typed,
// a save asks before it writes over one, and a deleted file's text stays.
// The translation file named anew in the project settings is the one the
// editor shows.

#include <gtest/gtest.h>
#include <wx/stc/stc.h>

#include <cstdio>
#include <string>

#include "commands/command_ids.h"
#include "gui/editor/kel_edit_view.h"
#include "gui/viewer/plain_edit_ctrl.h"
#include "gui_support.h"
#include "platform/edited_file.h"
#include "platform/file_io.h"
#include "project/project_dlg.h"
#include "shell_test.h"
#include "support/file_bytes.h"
#include "support/sjis_literal.h"

namespace kelmio {
namespace {

using test::Pump;
using test::Sj;

// `count` numbered lines, "<word>1" to "<word><count>", in Shift-JIS.
std::string Lines(const char* word, int count) {
    std::string text;
    for (int i = 1; i <= count; ++i) text += Sj(word) + std::to_string(i) + "\r\n";
    return text;
}

class OutsideChangeTest : public test::ShellTest {
protected:
    void StartWithNewProject(const std::string& name) {
        ExpectNewProject(name);
        StartShell();
        Pump();
    }
    CKelmioDoc& Doc() { return m_pShell->Document(); }
    wxStyledTextCtrl& Pane() {
        auto* plain = dynamic_cast<CPlainEditCtrl*>(View().TextPane());
        EXPECT_NE(plain, nullptr);
        return plain->Control();
    }
    CEditXCtrl& Editor() { return Frame().EditView().Editor(); }
    // The user comes back to Kelmio from another program.
    void ComeBack() {
        wxActivateEvent event(wxEVT_ACTIVATE, true, Frame().GetId());
        event.SetEventObject(&Frame());
        Frame().ProcessWindowEvent(event);
        Pump();
    }
    std::string LastMessage() const { return m_prompter.Messages().back().text; }
    std::size_t MessageCount() const { return m_prompter.Messages().size(); }
};

TEST_F(OutsideChangeTest, SourceTextFollowsItsFileAndItsSaveAsksBeforeWritingOverAChange) {
    StartWithNewProject("source");
    const std::string path = Write("source.txt", Lines("原文", 300));
    m_prompter.ExpectFile(FromNativePath(path));
    Send(ID_FILE_SRC);
    Pane().SetFirstVisibleLine(120);
    const std::size_t asked = MessageCount();

    // Nothing typed: the pane follows the file quietly, at the same place.
    test::WriteFileBytes(path, Lines("改訂", 300));
    ComeBack();
    EXPECT_EQ(Pane().GetLine(0).utf8_string(), "改訂1\r\n");
    EXPECT_EQ(Pane().GetFirstVisibleLine(), 120);
    EXPECT_FALSE(View().TextPane()->IsModified());
    EXPECT_EQ(MessageCount(), asked);

    // Typed: the text stays on coming back; leaving it asks before the
    // save writes over the change. Cancel writes nothing and the usual
    // question comes again; then Yes writes over it.
    Pane().GotoPos(0);
    Pane().AddText(wxString::FromUTF8("追記"));
    test::WriteFileBytes(path, Lines("第三版", 300));
    ComeBack();
    EXPECT_EQ(Pane().GetLine(0).utf8_string(), "追記改訂1\r\n");
    EXPECT_EQ(MessageCount(), asked);
    m_prompter.ExpectMessage(Answer::kYes);     // 変更されています。保存しますか？
    m_prompter.ExpectMessage(Answer::kCancel);  // changed elsewhere: write over it?
    m_prompter.ExpectMessage(Answer::kYes);     // asked again
    m_prompter.ExpectMessage(Answer::kYes);     // write over it
    Frame().SetActiveView(View());
    Send(ID_VIEW_SHOW);
    EXPECT_TRUE(m_prompter.ScriptDone());
    ASSERT_EQ(MessageCount(), asked + 4);
    EXPECT_EQ(m_prompter.Messages()[asked].text, Sj("変更されています。保存しますか？"));
    EXPECT_EQ(m_prompter.Messages()[asked + 1].text, OutsideChangeQuestion(FromNativePath(path)));
    EXPECT_EQ(m_prompter.Messages()[asked + 1].buttons, MessageButtons::kYesNoCancel);
    EXPECT_EQ(m_prompter.Messages()[asked + 2].text, Sj("変更されています。保存しますか？"));
    const std::string firstLine = Sj("追記改訂1\r\n");
    EXPECT_EQ(test::ReadFileBytes(path).substr(0, firstLine.size()), firstLine);

    // No reads the file again instead, and the typing goes.
    Pane().GotoPos(0);
    Pane().AddText(wxString::FromUTF8("再"));
    test::WriteFileBytes(path, Lines("第四版", 300));
    m_prompter.ExpectMessage(Answer::kYes);
    m_prompter.ExpectMessage(Answer::kNo);
    Send(ID_VIEW_SHOW);
    EXPECT_TRUE(m_prompter.ScriptDone());
    EXPECT_EQ(Pane().GetLine(0).utf8_string(), "第四版1\r\n");
    EXPECT_EQ(test::ReadFileBytes(path), Lines("第四版", 300));
}

TEST_F(OutsideChangeTest, SourceTextOfADeletedFileIsKeptAndSavedBack) {
    StartWithNewProject("deleted");
    const std::string path = Write("gone.txt", Lines("原文", 3));
    m_prompter.ExpectFile(FromNativePath(path));
    Send(ID_FILE_SRC);
    std::remove(path.c_str());
    m_prompter.ExpectMessage(Answer::kOk);
    ComeBack();
    EXPECT_EQ(LastMessage(), OutsideDeletionNotice(FromNativePath(path)));
    EXPECT_EQ(Pane().GetLine(0).utf8_string(), "原文1\r\n");
    EXPECT_TRUE(View().TextPane()->IsModified());
    ComeBack();  // told once

    m_prompter.ExpectMessage(Answer::kYes);
    Frame().SetActiveView(View());
    Send(ID_VIEW_SHOW);
    EXPECT_TRUE(m_prompter.ScriptDone());
    EXPECT_EQ(test::ReadFileBytes(path), Lines("原文", 3));
}

TEST_F(OutsideChangeTest, TranslationFollowsItsFileAndItsSaveAsksBeforeWritingOverAChange) {
    StartWithNewProject("trans");
    const std::string path = m_folder.File("work/trans.txt");
    ASSERT_EQ(Doc().m_data.m_strEditFile, FromNativePath(path));
    const std::size_t asked = MessageCount();

    // Made elsewhere while the editor is empty and untouched: it is shown.
    test::WriteFileBytes(path, Lines("訳文", 300));
    ComeBack();
    EXPECT_EQ(Editor().GetText(), Lines("訳文", 300));

    // Changed again: caret and scroll position stay.
    Editor().ScrollTo(100);
    Editor().PutSelStart(Lines("訳文", 101).size());
    test::WriteFileBytes(path, Lines("改訳", 300));
    ComeBack();
    EXPECT_EQ(Editor().GetText(), Lines("改訳", 300));
    EXPECT_EQ(Editor().GetFirstVisible(), 100);
    EXPECT_EQ(Editor().SelStart(), Lines("改訳", 101).size());
    EXPECT_FALSE(Editor().GetModified());
    EXPECT_EQ(MessageCount(), asked);

    // Typed: kept on coming back; the save asks, Cancel writes nothing.
    Editor().PutSelStart(0);
    Editor().Widget().AddText(wxString::FromUTF8("追加"));
    ASSERT_TRUE(Editor().GetModified());
    test::WriteFileBytes(path, Lines("第三稿", 300));
    ComeBack();
    EXPECT_EQ(Editor().GetText().substr(0, 4), Sj("追加"));
    m_prompter.ExpectMessage(Answer::kCancel);
    Send(ID_FILE_EDIT_SAVE);
    EXPECT_EQ(LastMessage(), OutsideChangeQuestion(FromNativePath(path)));
    EXPECT_EQ(test::ReadFileBytes(path), Lines("第三稿", 300));
    EXPECT_TRUE(Editor().GetModified());

    m_prompter.ExpectMessage(Answer::kYes);
    Send(ID_FILE_EDIT_SAVE);
    EXPECT_TRUE(m_prompter.ScriptDone());
    EXPECT_EQ(test::ReadFileBytes(path), Sj("追加") + Lines("改訳", 300));
    EXPECT_FALSE(Editor().GetModified());
}

// Another translation file in the project settings: the editor shows it,
// after the question about the unsaved text; Cancel keeps everything, and
// the new file is never written over with the former file's text.
TEST_F(OutsideChangeTest, ProjectSettingsShowTheNewlyNamedTranslationFile) {
    StartWithNewProject("named");
    const std::string former = m_folder.File("work/named.txt");
    const std::string other = Write("other.txt", Sj("別の訳文\r\n"));
    Editor().Widget().AddText(wxString::FromUTF8("今の訳文"));
    ASSERT_TRUE(Editor().GetModified());
    const auto chooseOther = [other](CProjectDlg& form) {
        form.m_strEditFile = FromNativePath(other);
        form.OnOK();
        return kIdOk;
    };

    m_prompter.ExpectProjectDialog(chooseOther);
    m_prompter.ExpectMessage(Answer::kCancel);
    Send(ID_VIEW_PROJECT_SETTINGS);
    EXPECT_EQ(LastMessage(), Sj("翻訳テキストを保存しますか？"));
    EXPECT_EQ(Doc().m_data.m_strEditFile, FromNativePath(former));
    EXPECT_EQ(Editor().GetText(), Sj("今の訳文"));
    EXPECT_TRUE(Editor().GetModified());

    m_prompter.ExpectProjectDialog(chooseOther);
    m_prompter.ExpectMessage(Answer::kYes);
    Send(ID_VIEW_PROJECT_SETTINGS);
    EXPECT_TRUE(m_prompter.ScriptDone());
    EXPECT_EQ(test::ReadFileBytes(former), Sj("今の訳文"));
    EXPECT_EQ(Doc().m_data.m_strEditFile, FromNativePath(other));
    EXPECT_EQ(Editor().GetText(), Sj("別の訳文\r\n"));
    EXPECT_FALSE(Editor().GetModified());
    Send(ID_FILE_EDIT_SAVE);
    EXPECT_EQ(test::ReadFileBytes(other), Sj("別の訳文\r\n"));

    // A file that does not exist yet starts empty.
    const std::string fresh = m_folder.File("work/fresh.txt");
    m_prompter.ExpectProjectDialog([fresh](CProjectDlg& form) {
        form.m_strEditFile = FromNativePath(fresh);
        form.OnOK();
        return kIdOk;
    });
    Send(ID_VIEW_PROJECT_SETTINGS);
    EXPECT_TRUE(m_prompter.ScriptDone());
    EXPECT_EQ(Editor().GetText(), "");
    EXPECT_FALSE(PathExists(FromNativePath(fresh)));
}

}  // namespace
}  // namespace kelmio
