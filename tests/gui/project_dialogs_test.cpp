// The project dialogs' widgets driven as a user would: typing into the
// edits and pressing the buttons of a modal dialog.

#include <gtest/gtest.h>
#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/dcmemory.h>
#include <wx/dcscreen.h>
#include <wx/image.h>
#include <wx/textctrl.h>

#include <cstdlib>
#include <filesystem>
#include <functional>

#include "gui/project/new_project_dialog.h"
#include "gui/project/project_dialog.h"
#include "gui/platform/source_properties.h"
#include "gui_support.h"
#include "platform/settings.h"
#include "project/kelmio_data.h"
#include "project/new_project_dlg.h"
#include "project/project_dlg.h"
#include "support/scripted_prompter.h"
#include "support/sjis_literal.h"
#include "support/file_bytes.h"
#include "support/temp_dir.h"

namespace kelmio {
namespace {

using test::GrabFromScreen;
using test::Pump;
using test::SavePng;
using test::Sj;

wxString U(const char* utf8) { return wxString::FromUTF8(utf8); }

wxTextCtrl& Edit(wxDialog& dialog, int id) { return *dynamic_cast<wxTextCtrl*>(dialog.FindWindow(id)); }

void Press(wxDialog& dialog, int id) {
    wxCommandEvent click(wxEVT_BUTTON, id);
    click.SetEventObject(dialog.FindWindow(id));
    dialog.FindWindow(id)->GetEventHandler()->ProcessEvent(click);
}

// Runs the dialog modally while `user` acts on it; a dialog the user left
// open is cancelled, so a failing test cannot hang.
int RunModal(wxDialog& dialog, std::function<void(wxDialog&)> user) {
    wxTheApp->CallAfter([&dialog, user] {
        user(dialog);
        if (dialog.IsModal()) dialog.EndModal(wxID_CANCEL);
    });
    return dialog.ShowModal();
}

class NewProjectDialogTest : public testing::Test {
protected:
    NewProjectDialogTest() {
        m_settings.WriteString("System", "NewFolder", m_folder.Path().string());
        m_form.OnInitDialog();
    }

    test::TempDir m_folder;
    CMemorySettings m_settings;
    test::CScriptedPrompter m_prompter;
    CNewProjectDlg m_form{m_settings, m_prompter};
};

TEST_F(NewProjectDialogTest, CaptionsAndTheFolderLastUsed) {
    CNewProjectDialog dialog(nullptr, m_form);
    EXPECT_EQ(dialog.GetTitle(), U("新規プロジェクト"));
    EXPECT_EQ(dynamic_cast<wxButton*>(dialog.FindWindow(wxID_OK))->GetLabel(), U("作成"));
    EXPECT_EQ(dynamic_cast<wxButton*>(dialog.FindWindow(wxID_CANCEL))->GetLabel(), U("ｷｬﾝｾﾙ"));
    EXPECT_EQ(dynamic_cast<wxCheckBox*>(dialog.FindWindow(CNewProjectDialog::kSubFolderId))->GetLabel(),
              U("プロジェクト名でサブフォルダ作成(&P)"));
    EXPECT_EQ(Edit(dialog, CNewProjectDialog::kFolderId).GetValue(), wxString::FromUTF8(m_folder.Path().string()));
}

TEST_F(NewProjectDialogTest, TheTextNameFollowsTheProjectNameUntilTheUserChangesIt) {
    CNewProjectDialog dialog(nullptr, m_form);
    wxTextCtrl& name = Edit(dialog, CNewProjectDialog::kNameId);
    wxTextCtrl& textName = Edit(dialog, CNewProjectDialog::kTextNameId);
    name.SetValue("ab");
    name.AppendText("c");
    EXPECT_EQ(textName.GetValue(), "abc");
    textName.SetValue("xyz");
    name.AppendText("d");
    EXPECT_EQ(textName.GetValue(), "xyz");
    EXPECT_EQ(m_form.m_strName, "abcd");
}

TEST_F(NewProjectDialogTest, CreateClosesOnlyWhenTheFormAccepts) {
    CNewProjectDialog dialog(nullptr, m_form);
    const std::string chosen = m_folder.File("chosen");
    m_prompter.ExpectMessage(Answer::kOk);
    m_prompter.ExpectFolder(chosen);
    const int result = RunModal(dialog, [&chosen](wxDialog& shown) {
        Press(shown, wxID_OK);  // no name yet: the user is told, the dialog stays
        EXPECT_TRUE(shown.IsModal());
        Press(shown, CNewProjectDialog::kBrowseId);
        EXPECT_EQ(Edit(shown, CNewProjectDialog::kFolderId).GetValue(), wxString::FromUTF8(chosen));
        Edit(shown, CNewProjectDialog::kNameId).SetValue("p");
        dynamic_cast<wxCheckBox*>(shown.FindWindow(CNewProjectDialog::kSubFolderId))->SetValue(true);
        Press(shown, wxID_OK);
    });
    EXPECT_EQ(result, wxID_OK);
    EXPECT_TRUE(m_prompter.ScriptDone());
    EXPECT_EQ(m_prompter.Messages()[0].text, Sj("プロジェクト名を入力してください"));
    EXPECT_EQ(m_form.m_strProjectPath, chosen + "/p/p.kmp");
    EXPECT_EQ(m_form.m_strEditPath, chosen + "/p/p.txt");
    EXPECT_TRUE(std::filesystem::is_directory(chosen + "/p"));
    EXPECT_EQ(m_settings.GetString("System", "NewFolder", ""), chosen);
}

TEST(ProjectDialogTest, BrowsedPathsShowAndOkPutsThemIntoTheProject) {
    CKelmioData data;
    data.SetSource("old.png");
    data.m_strEditFile = "old.txt";
    test::CScriptedPrompter prompter;
    prompter.ExpectFile("/docs/new.html");
    CProjectDlg form(data, prompter);
    form.OnInitDialog();
    CProjectDialog dialog(nullptr, form);
    EXPECT_EQ(dialog.GetTitle(), U("プロジェクトの設定"));
    EXPECT_EQ(Edit(dialog, CProjectDialog::kSourceId).GetValue(), "old.png");

    const int result = RunModal(dialog, [](wxDialog& shown) {
        Press(shown, CProjectDialog::kBrowseSourceId);
        EXPECT_EQ(Edit(shown, CProjectDialog::kSourceId).GetValue(), "/docs/new.html");
        Edit(shown, CProjectDialog::kEditFileId).SetValue("/docs/new.txt");
        Press(shown, wxID_OK);
    });
    EXPECT_EQ(result, wxID_OK);
    EXPECT_EQ(data.m_strSrcFile, "/docs/new.html");
    EXPECT_EQ(data.m_strEditFile, "/docs/new.txt");
    ASSERT_FALSE(data.m_arrSrcHistory.empty());
    EXPECT_EQ(data.m_arrSrcHistory.front(), "/docs/new.html");
}

// Writes a picture of the New Project dialog to $KELMIO_DIALOG_SCREENSHOT,
// for looking at what users see; does nothing without it.
TEST_F(NewProjectDialogTest, ScreenshotWhenAsked) {
    const char* target = std::getenv("KELMIO_DIALOG_SCREENSHOT");
    if (target == nullptr) GTEST_SKIP() << "KELMIO_DIALOG_SCREENSHOT not set";
    m_form.m_strFolder = Sj("/home/yamada/ドキュメント");
    CNewProjectDialog dialog(nullptr, m_form);
    dialog.Show();
    Edit(dialog, CNewProjectDialog::kNameId).SetValue(U("源氏物語"));
    Pump();
    dialog.Refresh();
    dialog.Update();
    Pump();
    EXPECT_TRUE(SavePng(GrabFromScreen(dialog), target));
    dialog.Hide();
}

// A source that was moved or deleted is said to be missing, never shown as
// an empty file of 0 bytes.
TEST(SourcePropertiesTest, MissingSourceSaysSoInsteadOfASizeAndDates) {
    test::TempDir dir;
    const std::string present = dir.File("a.txt");
    test::WriteFileBytes(present, "12345");
    const auto texts = [](const std::vector<PropertyRow>& rows) {
        std::vector<std::pair<wxString, wxString>> pairs;
        for (const PropertyRow& row : rows) pairs.emplace_back(row.label, row.value);
        return pairs;
    };
    const auto rows = texts(OwnPropertyRows(present));
    ASSERT_EQ(rows.size(), 6u);
    EXPECT_EQ(rows[0], std::make_pair(U("ファイル名："), U("a.txt")));
    EXPECT_EQ(rows[3], std::make_pair(U("サイズ："), U("5バイト")));
    EXPECT_EQ(rows[4].first, U("作成日付："));
    EXPECT_FALSE(rows[5].second.empty());

    const auto missing = texts(OwnPropertyRows(dir.File("gone.txt")));
    ASSERT_EQ(missing.size(), 4u);
    EXPECT_EQ(missing[0], std::make_pair(U("ファイル名："), U("gone.txt")));
    EXPECT_EQ(missing[1].second, wxString::FromUTF8(dir.Path().string()));
    EXPECT_EQ(missing[3], std::make_pair(wxString(), U("ファイルが見つかりません。")));
}

}  // namespace
}  // namespace kelmio
