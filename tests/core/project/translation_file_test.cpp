// The translation text file as the document keeps the editor to it: what
// other programs do to the file while it is shown, and another file named
// in the project settings.

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>

#include "platform/edited_file.h"
#include "platform/settings.h"
#include "project/kelmio_doc.h"
#include "project/project_dlg.h"
#include "support/fake_panes.h"
#include "support/file_bytes.h"
#include "support/scripted_prompter.h"
#include "support/sjis_literal.h"
#include "support/temp_dir.h"

namespace kelmio {
namespace {

using namespace kelmio::test;

class TranslationFileTest : public ::testing::Test {
protected:
    TranslationFileTest() {
        doc.AttachViews(&source, &editor, &memo);
        app.startupFlag = true;
        doc.OnFileNew();
        editor.write = ::write;  // saves really write the editor's text
        WriteFileBytes(path, "mine");
        prompter.ExpectFile(path);
        doc.OnEditFileOpen();
        editor.text = "typed here";
    }

    std::string Question() const { return OutsideChangeQuestion(path); }

    TempDir dir;
    std::string path = dir.File("t.txt");
    CMemorySettings settings;
    CScriptedPrompter prompter;
    FakeAppHost app;
    FakeSourcePane source;
    FakeEditPane editor;
    FakeMemoPane memo;
    CKelmioDoc doc{settings, prompter, app};
};

TEST_F(TranslationFileTest, SavingOverAnOutsideChangeAsksFirst) {
    WriteFileBytes(path, "written elsewhere");
    editor.modified = true;

    prompter.ExpectMessage(Answer::kCancel);
    doc.OnEditFileSave();
    ASSERT_EQ(prompter.Messages().size(), 1u);
    EXPECT_EQ(prompter.Messages()[0].text, Question());
    EXPECT_EQ(ReadFileBytes(path), "written elsewhere");
    EXPECT_TRUE(editor.modified);

    // No: the file's text is read again, at the same place.
    editor.selStart = 7;
    editor.firstVisibleLine = 3;
    prompter.ExpectMessage(Answer::kNo);
    doc.OnEditFileSave();
    EXPECT_EQ(editor.loaded, (std::vector<CFilePath>{path, path}));
    EXPECT_FALSE(editor.modified);
    EXPECT_EQ(editor.caret, 7);
    EXPECT_EQ(editor.scrolledBy, 3);
    EXPECT_EQ(ReadFileBytes(path), "written elsewhere");

    // What was read again is the file as known now: its save asks nothing.
    editor.modified = true;
    doc.OnEditFileSave();
    EXPECT_EQ(ReadFileBytes(path), "typed here");
    EXPECT_EQ(prompter.Messages().size(), 2u);

    // Yes writes over the change.
    WriteFileBytes(path, "and again elsewhere");
    editor.modified = true;
    editor.text = "the translator's";
    prompter.ExpectMessage(Answer::kYes);
    doc.OnEditFileSave();
    EXPECT_EQ(ReadFileBytes(path), "the translator's");
    EXPECT_FALSE(editor.modified);
    EXPECT_TRUE(prompter.ScriptDone());
}

// Closing the project: the save question, then the outside change; Cancel
// there keeps the project and the text.
TEST_F(TranslationFileTest, ClosingWithAnOutsideChangeCanStillBeCancelled) {
    WriteFileBytes(path, "written elsewhere");
    editor.modified = true;
    prompter.ExpectMessage(Answer::kYes);
    prompter.ExpectMessage(Answer::kCancel);
    EXPECT_FALSE(doc.SaveModified());
    ASSERT_EQ(prompter.Messages().size(), 2u);
    EXPECT_EQ(prompter.Messages()[0].text, Sj("翻訳テキストを保存しますか？"));
    EXPECT_EQ(prompter.Messages()[1].text, Question());
    EXPECT_TRUE(editor.modified);
    EXPECT_EQ(ReadFileBytes(path), "written elsewhere");
}

TEST_F(TranslationFileTest, FocusReturnFollowsTheFileWhileNothingIsTyped) {
    doc.CheckTranslationFile();
    EXPECT_EQ(editor.loaded.size(), 1u);

    WriteFileBytes(path, "written elsewhere");
    editor.modified = true;
    doc.CheckTranslationFile();  // unsaved typing is kept; the save will ask
    EXPECT_EQ(editor.loaded.size(), 1u);
    EXPECT_TRUE(editor.modified);

    editor.modified = false;
    editor.selStart = 12;
    editor.firstVisibleLine = 2;
    doc.CheckTranslationFile();
    EXPECT_EQ(editor.loaded, (std::vector<CFilePath>{path, path}));
    EXPECT_EQ(editor.caret, 12);
    EXPECT_EQ(editor.scrolledBy, 2);
    doc.CheckTranslationFile();
    EXPECT_EQ(editor.loaded.size(), 2u);
    EXPECT_TRUE(prompter.Messages().empty());
}

TEST_F(TranslationFileTest, TextOfADeletedFileIsKeptAndSavedBack) {
    std::remove(path.c_str());
    prompter.ExpectMessage(Answer::kOk);
    doc.CheckTranslationFile();
    ASSERT_EQ(prompter.Messages().size(), 1u);
    EXPECT_EQ(prompter.Messages()[0].text, OutsideDeletionNotice(path));
    EXPECT_TRUE(editor.modified);
    EXPECT_EQ(editor.cleared, 1);  // only the new project's empty editor

    // Closing asks as for any unsaved text; Yes makes the file again.
    prompter.ExpectMessage(Answer::kYes);
    EXPECT_TRUE(doc.QuerySaveTranslation());
    EXPECT_EQ(ReadFileBytes(path), "typed here");
    EXPECT_EQ(prompter.Messages().size(), 2u);
}

// Once the text is to be saved elsewhere, the former file is no longer its
// own: a change there is not read into the editor.
TEST_F(TranslationFileTest, AnotherDestinationLeavesTheFormerFileAlone) {
    prompter.ExpectFile(dir.File("u.txt"));
    doc.OnEditFileDestination();
    WriteFileBytes(path, "written elsewhere");
    doc.CheckTranslationFile();
    EXPECT_EQ(editor.loaded.size(), 1u);
    editor.modified = true;
    doc.OnEditFileSave();
    EXPECT_EQ(ReadFileBytes(dir.File("u.txt")), "typed here");
    EXPECT_TRUE(prompter.Messages().empty());
}

// ---- another translation file named in the project settings --------------

class ProjectSettingsTranslationTest : public TranslationFileTest {
protected:
    ProjectSettingsTranslationTest() { doc.m_data.SetSource("/src/page.png"); }

    // The dialog names `editFile` and another source, and is confirmed.
    void ExpectSettings(const std::string& editFile) {
        prompter.ExpectProjectDialog([editFile](CProjectDlg& form) {
            form.m_strSrcFile = "/src/other.png";
            form.m_strEditFile = editFile;
            form.OnOK();
            return kIdOk;
        });
    }

    std::string other = dir.File("other.txt");
};

TEST_F(ProjectSettingsTranslationTest, UnsavedTextIsAskedAboutFirstAndCancelKeepsEverything) {
    WriteFileBytes(other, "the other file's text");
    editor.modified = true;
    int questionsBeforeImage = -1;
    source.onImageQuestion = [&] { questionsBeforeImage = static_cast<int>(prompter.Messages().size()); };

    ExpectSettings(other);
    prompter.ExpectMessage(Answer::kCancel);
    doc.OnProjectSettings();
    ASSERT_EQ(prompter.Messages().size(), 1u);
    EXPECT_EQ(prompter.Messages()[0].text, Sj("翻訳テキストを保存しますか？"));
    EXPECT_EQ(doc.m_data.m_strEditFile, path);
    EXPECT_EQ(doc.m_data.m_strSrcFile, "/src/page.png");
    EXPECT_EQ(doc.m_data.m_arrSrcHistory, std::vector<CFilePath>{"/src/page.png"});
    EXPECT_EQ(source.imageQuestions, 0);
    EXPECT_TRUE(source.hints.empty());
    EXPECT_TRUE(editor.modified);
    EXPECT_EQ(editor.loaded.size(), 1u);

    // Yes saves the text into the file it came from, then the editor shows
    // the file named now; the image is asked about after the text.
    ExpectSettings(other);
    prompter.ExpectMessage(Answer::kYes);
    doc.OnProjectSettings();
    EXPECT_EQ(questionsBeforeImage, 2);
    EXPECT_EQ(ReadFileBytes(path), "typed here");
    EXPECT_EQ(ReadFileBytes(other), "the other file's text");
    EXPECT_EQ(editor.loaded.back(), other);
    EXPECT_FALSE(editor.modified);
    EXPECT_EQ(doc.m_data.m_strEditFile, other);
    EXPECT_EQ(doc.m_data.m_strSrcFile, "/src/other.png");
    EXPECT_EQ(source.hints, std::vector<int>{kHintSettingsChanged});
    EXPECT_TRUE(prompter.ScriptDone());
}

TEST_F(ProjectSettingsTranslationTest, NoLetsTheTextGoAndTheNewFileIsNeverWrittenOver) {
    WriteFileBytes(other, "the other file's text");
    editor.modified = true;
    ExpectSettings(other);
    prompter.ExpectMessage(Answer::kNo);
    doc.OnProjectSettings();
    EXPECT_EQ(ReadFileBytes(path), "mine");
    EXPECT_EQ(editor.loaded.back(), other);
    EXPECT_FALSE(editor.modified);
    EXPECT_EQ(ReadFileBytes(other), "the other file's text");
    EXPECT_TRUE(prompter.ScriptDone());
}

TEST_F(ProjectSettingsTranslationTest, ANewFileStartsEmptyAndTheSameFileStays) {
    // Without unsaved text nothing is asked.
    const std::string fresh = dir.File("fresh.txt");
    ExpectSettings(fresh);
    doc.OnProjectSettings();
    EXPECT_TRUE(prompter.Messages().empty());
    EXPECT_EQ(editor.cleared, 2);
    EXPECT_EQ(editor.loaded.size(), 1u);
    EXPECT_EQ(doc.m_data.m_strEditFile, fresh);

    // The file named already: the text stays as it is, unsaved work too.
    editor.modified = true;
    ExpectSettings(fresh);
    doc.OnProjectSettings();
    EXPECT_TRUE(prompter.Messages().empty());
    EXPECT_TRUE(editor.modified);
    EXPECT_EQ(editor.cleared, 2);
    EXPECT_TRUE(prompter.ScriptDone());
}

}  // namespace
}  // namespace kelmio
