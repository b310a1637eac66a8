#include "project/new_project_dlg.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>

#include "platform/settings.h"
#include "support/scoped_env.h"
#include "support/scripted_prompter.h"
#include "support/sjis_literal.h"
#include "support/temp_dir.h"

namespace kelmio {
namespace {

using test::CScriptedPrompter;
using test::Sj;
using test::TempDir;
namespace fs = std::filesystem;

class NewProjectDlgTest : public ::testing::Test {
protected:
    CMemorySettings settings;
    CScriptedPrompter prompter;
    CNewProjectDlg dlg{settings, prompter};
    TempDir dir;
};

TEST_F(NewProjectDlgTest, TranslationNameFollowsProjectNameUntilEdited) {
    dlg.OnNameChanged("a");
    dlg.OnNameChanged("ab");
    dlg.OnNameChanged("abc");
    EXPECT_EQ(dlg.m_strTextName, "abc");
    dlg.m_strTextName = "xyz";
    dlg.OnNameChanged("abcd");
    EXPECT_EQ(dlg.m_strTextName, "xyz");
    dlg.m_strTextName = "";  // cleared by the user: follows again
    dlg.OnNameChanged("abcde");
    EXPECT_EQ(dlg.m_strTextName, "abcde");
}

TEST_F(NewProjectDlgTest, FolderComesFromSettingsOrDocuments) {
    settings.WriteString("System", "NewFolder", "/work/projects");
    dlg.OnInitDialog();
    EXPECT_EQ(dlg.m_strFolder, "/work/projects");

    CMemorySettings empty;
    CNewProjectDlg fresh(empty, prompter);
    fresh.OnInitDialog();
    EXPECT_FALSE(fresh.m_strFolder.empty());
}

TEST_F(NewProjectDlgTest, BrowseButtonStoresTheChosenFolder) {
    dlg.m_strFolder = "/old";
    prompter.ExpectFolder(std::nullopt);
    dlg.OnBrowseFolder();
    EXPECT_EQ(dlg.m_strFolder, "/old");
    EXPECT_FALSE(settings.Has("System", "NewFolder"));

    prompter.ExpectFolder("/new");
    dlg.OnBrowseFolder();
    EXPECT_EQ(dlg.m_strFolder, "/new");
    EXPECT_EQ(settings.GetString("System", "NewFolder", ""), "/new");
    ASSERT_EQ(prompter.FolderDialogs().size(), 2u);
    EXPECT_EQ(prompter.FolderDialogs()[0].m_strPath, "/old");
    EXPECT_EQ(prompter.FolderDialogs()[0].m_strTitle, Sj("フォルダ選択"));
}

TEST_F(NewProjectDlgTest, SubFolderRuleAndTrailingSeparator) {
    for (const std::string& folder : {dir.File("work"), dir.File("work") + "/"}) {
        CNewProjectDlg form(settings, prompter);
        form.m_strFolder = folder;
        form.m_bSubFolder = true;
        form.OnNameChanged("p");
        ASSERT_TRUE(form.OnOK());
        EXPECT_EQ(form.m_strProjectPath, dir.File("work/p/p.kmp"));
        EXPECT_EQ(form.m_strEditPath, dir.File("work/p/p.txt"));
        EXPECT_TRUE(fs::is_directory(dir.File("work/p")));
        EXPECT_FALSE(fs::exists(form.m_strProjectPath.Native()));  // the dialog writes no file
        EXPECT_EQ(settings.GetString("System", "NewFolder", ""), folder);  // as typed, without the sub-folder
    }
    EXPECT_TRUE(prompter.Messages().empty());
}

// A folder typed as "~/..." is in the home folder, as the choosers take it;
// an empty or relative one in the documents folder, never in whatever
// folder the program was started from. The folder is kept as typed.
TEST_F(NewProjectDlgTest, HomeRelativeAndEmptyFoldersAreMadeAbsolute) {
    const test::ScopedEnv home("HOME", dir.Path().string());
    const test::ScopedEnv config("XDG_CONFIG_HOME", dir.File("config"));
    fs::create_directory(dir.Path() / "Documents");
    dlg.OnNameChanged("p");

    dlg.m_strFolder = Sj("~/訳");
    ASSERT_TRUE(dlg.OnOK());
    EXPECT_EQ(dlg.m_strProjectPath, CFilePath::FromNative(dir.File("訳/p.kmp")));
    EXPECT_TRUE(fs::is_directory(dir.Path() / "訳"));
    EXPECT_EQ(settings.GetPath("System", "NewFolder"), Sj("~/訳"));

    dlg.m_strFolder = "";
    ASSERT_TRUE(dlg.OnOK());
    EXPECT_EQ(dlg.m_strProjectPath, CFilePath::FromNative(dir.File("Documents/p.kmp")));

    dlg.m_strFolder = "drafts";
    dlg.m_bSubFolder = true;
    ASSERT_TRUE(dlg.OnOK());
    EXPECT_EQ(dlg.m_strEditPath, CFilePath::FromNative(dir.File("Documents/drafts/p/p.txt")));
    EXPECT_TRUE(fs::is_directory(dir.Path() / "Documents/drafts/p"));
}

TEST_F(NewProjectDlgTest, MissingNamesKeepTheDialogOpen) {
    dlg.m_strFolder = dir.Path().string();
    prompter.ExpectMessage(Answer::kOk);
    EXPECT_FALSE(dlg.OnOK());
    dlg.m_strName = "p";
    prompter.ExpectMessage(Answer::kOk);
    EXPECT_FALSE(dlg.OnOK());
    ASSERT_EQ(prompter.Messages().size(), 2u);
    EXPECT_EQ(prompter.Messages()[0].text, Sj("プロジェクト名を入力してください"));
    EXPECT_EQ(prompter.Messages()[0].buttons, MessageButtons::kOk);
    EXPECT_EQ(prompter.Messages()[1].text, Sj("翻訳テキストファイル名を入力してください"));
    EXPECT_EQ(dlg.m_strName, "p");  // input intact
}

TEST_F(NewProjectDlgTest, ExistingFilesAskFirst) {
    std::ofstream(dir.File("p.kmp")) << "x";
    std::ofstream(dir.File("t.txt")) << "x";
    dlg.m_strFolder = dir.Path().string();
    dlg.OnNameChanged("p");
    dlg.m_strTextName = "t";

    prompter.ExpectMessage(Answer::kNo);
    EXPECT_FALSE(dlg.OnOK());
    EXPECT_EQ(prompter.Messages().back().text, Sj("同名のプロジェクトがそのフォルダに存在しますがよろしいですか？"));
    EXPECT_EQ(prompter.Messages().back().buttons, MessageButtons::kYesNoCancel);
    EXPECT_EQ(prompter.Messages().back().icon, MessageIcon::kQuestion);

    prompter.ExpectMessage(Answer::kYes);
    prompter.ExpectMessage(Answer::kCancel);
    EXPECT_FALSE(dlg.OnOK());
    EXPECT_EQ(prompter.Messages().back().text, Sj("翻訳テキストファイルが既に存在しますがよろしいですか？"));

    prompter.ExpectMessage(Answer::kYes);
    prompter.ExpectMessage(Answer::kYes);
    EXPECT_TRUE(dlg.OnOK());
    EXPECT_TRUE(prompter.ScriptDone());
}

TEST_F(NewProjectDlgTest, FolderThatCannotBeCreated) {
    std::ofstream(dir.File("file")) << "x";
    dlg.m_strFolder = dir.File("file/sub");
    dlg.OnNameChanged("p");
    prompter.ExpectMessage(Answer::kOk);
    EXPECT_FALSE(dlg.OnOK());
    EXPECT_EQ(prompter.Messages().back().text, Sj("フォルダの作成に失敗しました"));
    EXPECT_FALSE(settings.Has("System", "NewFolder"));
}

TEST_F(NewProjectDlgTest, NamesWithoutAShiftJisFormBecomeTheirOwnFiles) {
    CNewProjectDlg form(settings, prompter);
    form.m_strFolder = CFilePath::FromNative(dir.File("wörk"));
    form.OnNameChanged(CFilePath::FromNative("é"));
    ASSERT_TRUE(form.OnOK());
    EXPECT_EQ(form.m_strProjectPath.Native(), dir.File("wörk/é.kmp"));
    EXPECT_EQ(form.m_strEditPath.Native(), dir.File("wörk/é.txt"));
    EXPECT_TRUE(fs::is_directory(dir.File("wörk")));
    EXPECT_EQ(settings.GetPath("System", "NewFolder").Native(), dir.File("wörk"));
}

}  // namespace
}  // namespace kelmio
