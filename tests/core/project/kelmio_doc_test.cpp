#include "project/kelmio_doc.h"

#include <cerrno>
#include <filesystem>
#include <gtest/gtest.h>
#include <unistd.h>

#include "platform/file_io.h"
#include "platform/settings.h"
#include "project/new_project_dlg.h"
#include "project/project_file.h"
#include "support/fake_panes.h"
#include "support/file_bytes.h"
#include "support/scripted_prompter.h"
#include "support/sjis_literal.h"
#include "support/temp_dir.h"

namespace kelmio {
namespace {

using namespace kelmio::test;
namespace fs = std::filesystem;

// A document with fake panes, a scripted prompter and settings in memory.
class DocTest : public ::testing::Test {
protected:
    DocTest() { doc.AttachViews(&source, &editor, &memo); }

    // Answers the New Project dialog with a project `name` in the temp folder.
    void ExpectNewProject(const std::string& name) {
        prompter.ExpectNewProjectDialog([this, name](CNewProjectDlg& form) {
            form.m_strFolder = dir.Path().string();
            form.OnNameChanged(name);
            return form.OnOK() ? kIdOk : kIdCancel;
        });
        prompter.ExpectMessage(Answer::kOk);  // the first-steps hint
    }

    // Creates the project `name` through the new-project command.
    void CreateProject(const std::string& name) {
        ExpectNewProject(name);
        ASSERT_TRUE(doc.OnFileNew());
    }

    // A project file on disk with a translation path.
    std::string WriteProjectFile(const std::string& name, const std::string& editFile) {
        CKelmioData data;
        data.m_strEditFile = editFile;
        data.SetSource("/src/a.png");
        const std::string path = dir.File(name);
        test::WriteFileBytes(path, WriteProject(data));
        return path;
    }

    // A project file that looks words up with a program of its own.
    std::string WriteCustomDictionaryProject() {
        CKelmioData data;
        data.m_nDicKind = 5;
        data.m_strDicPath = "/usr/bin/dict";
        data.m_strDicParam = "-w %s";
        const std::string path = dir.File("d.kmp");
        test::WriteFileBytes(path, WriteProject(data));
        return path;
    }

    std::vector<std::string> MessageTexts() const {
        std::vector<std::string> texts;
        for (const MessageRecord& m : prompter.Messages()) texts.push_back(m.text);
        return texts;
    }

    TempDir dir;
    CMemorySettings settings;
    CScriptedPrompter prompter;
    FakeAppHost app;
    FakeSourcePane source;
    FakeEditPane editor;
    FakeMemoPane memo;
    CKelmioDoc doc{settings, prompter, app};
};

TEST_F(DocTest, StartupFlagCreatesAnUntitledProjectWithoutADialog) {
    app.startupFlag = true;
    EXPECT_TRUE(doc.OnFileNew());
    EXPECT_EQ(prompter.NewProjectDialogs(), 0);
    EXPECT_EQ(doc.GetTitle(), Sj("無題"));
    EXPECT_EQ(doc.GetWindowTitle(), Sj("無題 - Kelmio"));
    EXPECT_EQ(doc.GetPathName(), "");
    EXPECT_EQ(editor.cleared, 1);
    EXPECT_EQ(source.initialUpdates, 1);
    EXPECT_EQ(memo.initialUpdates, 1);
}

TEST_F(DocTest, NewProjectIsWrittenAtOnceThenTheHintIsShown) {
    CreateProject("p");
    const std::string path = dir.File("p.kmp");
    EXPECT_EQ(doc.GetPathName(), path);
    EXPECT_EQ(doc.GetTitle(), "p.kmp");
    EXPECT_FALSE(doc.IsModified());
    EXPECT_EQ(doc.m_data.m_strEditFile, dir.File("p.txt"));
    ASSERT_TRUE(fs::exists(path));
    CKelmioData written;
    ASSERT_TRUE(ReadProject(test::ReadFileBytes(path), written));
    EXPECT_EQ(written.m_strEditFile, dir.File("p.txt"));

    ASSERT_EQ(prompter.Messages().size(), 1u);
    EXPECT_EQ(prompter.Messages()[0].text, Sj("まずは[ファイル]-[ソースファイルの指定]を行ってください。\n"
                                              "詳しい使い方は、ヘルプの「使い方」を見てください"));
    EXPECT_EQ(prompter.Messages()[0].buttons, MessageButtons::kOk);
    EXPECT_EQ(doc.RecentProjects().Entries().front(), path);
}

TEST_F(DocTest, CancellingNewProjectKeepsTheOpenProject) {
    CreateProject("p");
    doc.m_data.SetSource("/src/x.txt");
    doc.SetModifiedFlag(true);
    prompter.ExpectNewProjectDialog([](CNewProjectDlg&) { return kIdCancel; });
    EXPECT_FALSE(doc.OnFileNew());  // the modified titled project is saved first, then the dialog is cancelled
    EXPECT_EQ(doc.GetPathName(), dir.File("p.kmp"));
    EXPECT_EQ(doc.GetTitle(), "p.kmp");
    EXPECT_EQ(doc.m_data.m_strSrcFile, "/src/x.txt");
    EXPECT_EQ(app.closeRequests, 0);
}

TEST_F(DocTest, CancellingNewProjectWithNoProjectOpenEndsTheProgram) {
    app.startupFlag = true;
    ASSERT_TRUE(doc.OnFileNew());
    prompter.ExpectNewProjectDialog([](CNewProjectDlg&) { return kIdCancel; });
    EXPECT_FALSE(doc.OnFileNew());
    EXPECT_EQ(app.closeRequests, 1);
}

TEST_F(DocTest, OpenReadsTheProjectAndTheEditorMarksItModified) {
    test::WriteFileBytes(dir.File("t.txt"), "text");
    const std::string path = WriteProjectFile("a.kmp", dir.File("t.txt"));
    app.startupFlag = true;
    ASSERT_TRUE(doc.OnFileNew());

    prompter.ExpectFile(path);
    ASSERT_TRUE(doc.OnFileOpen());
    const CFileDialogEx& dialog = prompter.FileDialogs().back();
    EXPECT_TRUE(dialog.m_bOpen);
    EXPECT_EQ(dialog.m_strTitle, Sj("プロジェクトを開く"));
    EXPECT_EQ(dialog.m_strDefExt, "kmp");
    EXPECT_EQ(dialog.m_strFileName, "*.kmp");
    EXPECT_EQ(dialog.m_strFilter, Sj("Kelmioプロジェクトフォーム(*.kmp) |*.kmp|全てのﾌｧｲﾙ(*.*) |*.*||"));
    EXPECT_EQ(dialog.m_nFlags, kFileMustExist | kHideReadOnly);

    EXPECT_EQ(doc.GetPathName(), path);
    EXPECT_EQ(doc.m_data.m_strSrcFile, "/src/a.png");
    EXPECT_EQ(editor.loaded, std::vector<CFilePath>{dir.File("t.txt")});
    EXPECT_TRUE(doc.IsModified());

    // Closing at once writes the project again, without a question.
    fs::remove(path);
    EXPECT_TRUE(doc.SaveModified());
    EXPECT_TRUE(fs::exists(path));
    EXPECT_TRUE(prompter.Messages().empty());
}

TEST_F(DocTest, MissingTranslationFileOpensAnEmptyEditor) {
    const std::string path = WriteProjectFile("a.kmp", dir.File("gone.txt"));
    ASSERT_TRUE(doc.OpenDocumentFile(path));
    EXPECT_TRUE(editor.loaded.empty());
    EXPECT_EQ(editor.cleared, 1);
    EXPECT_FALSE(doc.IsModified());
    EXPECT_TRUE(prompter.Messages().empty());
}

TEST_F(DocTest, ZeroLengthFileIsAnEmptyProject) {
    test::WriteFileBytes(dir.File("empty.kmp"), "");
    EXPECT_TRUE(doc.OpenDocumentFile(dir.File("empty.kmp")));
    EXPECT_TRUE(prompter.Messages().empty());
    EXPECT_EQ(doc.GetTitle(), "empty.kmp");
}

TEST_F(DocTest, OpeningTheOpenProjectAgainDoesNotReadIt) {
    const std::string path = WriteProjectFile("a.kmp", "");
    ASSERT_TRUE(doc.OpenDocumentFile(path));
    test::WriteFileBytes(path, "garbage");
    doc.m_data.SetSource("/other");
    EXPECT_TRUE(doc.OpenDocumentFile(path));
    EXPECT_EQ(doc.m_data.m_strSrcFile, "/other");
    EXPECT_TRUE(prompter.Messages().empty());
}

// Here names that differ in case are two files: the other one is opened,
// and a second name of the open project's file (a link) is not read again.
TEST_F(DocTest, AProjectNamedLikeTheOpenOneInAnotherCaseIsAnotherProject) {
    const std::string lower = WriteProjectFile("chapter.kmp", "");
    const std::string upper = WriteProjectFile("Chapter.kmp", "");
    test::WriteFileBytes(upper, std::string());  // an empty project
    ASSERT_TRUE(doc.OpenDocumentFile(lower));
    ASSERT_EQ(doc.m_data.m_strSrcFile, "/src/a.png");

    EXPECT_TRUE(doc.OpenDocumentFile(upper));
    EXPECT_EQ(doc.GetPathName(), upper);
    EXPECT_EQ(doc.m_data.m_strSrcFile, "");

    const std::string link = dir.File("link.kmp");
    fs::create_symlink(upper, link);
    doc.m_data.SetSource("/kept");
    EXPECT_TRUE(doc.OpenDocumentFile(link));
    EXPECT_EQ(doc.GetPathName(), upper);
    EXPECT_EQ(doc.m_data.m_strSrcFile, "/kept");
}

TEST_F(DocTest, NotAProjectReportsTheFormatThenAsksForANewProject) {
    CreateProject("p");
    test::WriteFileBytes(dir.File("note.txt"), "hello");
    prompter.ExpectMessage(Answer::kOk);
    ExpectNewProject("q");
    EXPECT_FALSE(doc.OpenDocumentFile(dir.File("note.txt")));
    EXPECT_EQ(prompter.Messages()[1].text, Sj("予期しないﾌｧｲﾙ形式です。"));
    EXPECT_EQ(prompter.Messages()[1].icon, MessageIcon::kExclamation);
    EXPECT_EQ(prompter.NewProjectDialogs(), 2);
    EXPECT_EQ(doc.GetPathName(), dir.File("q.kmp"));
}

TEST_F(DocTest, FailedReadThenCancelledDialogLeavesAnUntitledEmptyProject) {
    CreateProject("p");
    const std::string oldBytes = test::ReadFileBytes(dir.File("p.kmp"));
    test::WriteFileBytes(dir.File("bad.kmp"), std::string("\x64\0\0\0\x05", 5));
    prompter.ExpectMessage(Answer::kOk);
    prompter.ExpectNewProjectDialog([](CNewProjectDlg&) { return kIdCancel; });
    EXPECT_FALSE(doc.OpenDocumentFile(dir.File("bad.kmp")));
    EXPECT_EQ(doc.GetPathName(), "");
    EXPECT_EQ(doc.GetTitle(), Sj("無題"));
    EXPECT_TRUE(doc.m_data == CKelmioData());

    // A later close must not write the empty project over the old one.
    EXPECT_TRUE(doc.SaveModified());
    EXPECT_EQ(test::ReadFileBytes(dir.File("p.kmp")), oldBytes);
}

TEST_F(DocTest, UnreadableFileLeavesTheOpenProjectAlone) {
    CreateProject("p");
    doc.SetModifiedFlag(true);
    prompter.ExpectMessage(Answer::kOk);
    EXPECT_FALSE(doc.OpenDocumentFile(dir.File("missing.kmp")));
    EXPECT_EQ(prompter.Messages().back().text, dir.File("missing.kmp") + Sj(" が見つかりませんでした。"));
    EXPECT_EQ(doc.GetPathName(), dir.File("p.kmp"));
}

TEST_F(DocTest, TitledModifiedProjectIsSavedWithoutAQuestion) {
    CreateProject("p");
    doc.m_data.SetSource("/src/new.html");
    doc.SetModifiedFlag(true);
    EXPECT_TRUE(doc.SaveModified());
    EXPECT_EQ(prompter.Messages().size(), 1u);  // only the hint of the new project
    CKelmioData written;
    ASSERT_TRUE(ReadProject(test::ReadFileBytes(dir.File("p.kmp")), written));
    EXPECT_EQ(written.m_strSrcFile, "/src/new.html");
    EXPECT_FALSE(doc.IsModified());
}

TEST_F(DocTest, UntitledModifiedProjectAsksBeforeItIsLost) {
    app.startupFlag = true;
    ASSERT_TRUE(doc.OnFileNew());
    doc.SetModifiedFlag(true);
    prompter.ExpectMessage(Answer::kCancel);
    EXPECT_FALSE(doc.SaveModified());
    EXPECT_EQ(prompter.Messages()[0].text, Sj("無題 への変更を保存しますか?"));
    EXPECT_EQ(prompter.Messages()[0].buttons, MessageButtons::kYesNoCancel);

    prompter.ExpectMessage(Answer::kYes);
    prompter.ExpectFile(dir.File("saved.kmp"));
    EXPECT_TRUE(doc.SaveModified());
    EXPECT_EQ(prompter.FileDialogs().back().m_strFileName, Sj("無題.kmp"));
    EXPECT_TRUE(fs::exists(dir.File("saved.kmp")));
    EXPECT_EQ(doc.GetTitle(), "saved.kmp");

    doc.SetModifiedFlag(true);
    EXPECT_TRUE(doc.SaveModified());  // titled now: saved without a question
}

TEST_F(DocTest, TranslationQuestionComesFirstAndCanCancel) {
    CreateProject("p");
    editor.modified = true;
    prompter.ExpectMessage(Answer::kCancel);
    EXPECT_FALSE(doc.SaveModified());
    EXPECT_EQ(prompter.Messages().back().text, Sj("翻訳テキストを保存しますか？"));
    EXPECT_EQ(prompter.Messages().back().icon, MessageIcon::kQuestion);
    EXPECT_TRUE(editor.modified);

    prompter.ExpectMessage(Answer::kNo);
    EXPECT_TRUE(doc.SaveModified());
    EXPECT_FALSE(editor.modified);  // not asked about again
    EXPECT_TRUE(editor.saved.empty());

    editor.modified = true;
    prompter.ExpectMessage(Answer::kYes);
    EXPECT_TRUE(doc.SaveModified());
    EXPECT_EQ(editor.saved, std::vector<CFilePath>{dir.File("p.txt")});
}

TEST_F(DocTest, ImageQuestionCancelStopsTheReplacement) {
    CreateProject("p");
    source.saveImageAnswer = false;
    source.imageQuestions = 0;
    EXPECT_FALSE(doc.SaveModified());
    EXPECT_EQ(source.imageQuestions, 1);
}

TEST_F(DocTest, SaveCollectsThePanesStateInOrder) {
    CreateProject("p");
    editor.modified = true;
    editor.selStart = 42;
    editor.firstVisibleLine = 7;
    source.stateToSave.m_nScrollY = 300;
    source.stateToSave.m_bFitWindow = 1;
    EXPECT_TRUE(doc.OnFileSave());
    EXPECT_EQ(editor.saved, std::vector<CFilePath>{dir.File("p.txt")});
    EXPECT_FALSE(editor.modified);
    EXPECT_EQ(memo.savedTexts, 1);  // now: the new project's first write stores no memo text
    CKelmioData written;
    ASSERT_TRUE(ReadProject(test::ReadFileBytes(dir.File("p.kmp")), written));
    EXPECT_EQ(written.m_pos.m_nEditCaret, 42);
    EXPECT_EQ(written.m_pos.m_nEditTopLine, 7);
    EXPECT_EQ(written.m_pos.m_nScrollY, 300);
    EXPECT_EQ(written.m_pos.m_bFitWindow, 1);
}

// The panes still show the project being replaced when the new one is
// written: only the way sources are shown goes into its file, no caret or
// scroll position, and the image they show has been asked about already.
TEST_F(DocTest, ANewProjectTakesOnlyTheDisplayModeFromThePanesOfTheProjectItReplaces) {
    CreateProject("p");
    editor.selStart = 500;
    editor.firstVisibleLine = 40;
    source.stateToSave.m_nScrollY = 777;
    source.stateToSave.m_nEnlarge = 3;
    const int questionsBefore = source.imageQuestions;
    const int memoStoresBefore = memo.savedTexts;
    CreateProject("q");

    CKelmioData written;
    ASSERT_TRUE(ReadProject(test::ReadFileBytes(dir.File("q.kmp")), written));
    CKelmioPosData expected;
    expected.m_nEnlarge = 3;
    EXPECT_EQ(written.m_pos, expected);
    EXPECT_EQ(source.imageQuestions - questionsBefore, 1);  // the replaced project's, once
    EXPECT_EQ(memo.savedTexts, memoStoresBefore);
}

// Closing asks about a changed image once; the save that follows does not
// ask again what was just answered.
TEST_F(DocTest, TheImageQuestionIsAskedOnceWhenAProjectIsLetGo) {
    CreateProject("p");
    doc.SetModifiedFlag(true);
    int questions = source.imageQuestions;
    EXPECT_TRUE(doc.SaveModified());
    EXPECT_EQ(source.imageQuestions - questions, 1);
    EXPECT_FALSE(doc.IsModified());

    // Untitled: the question, then the project's own name question.
    app.startupFlag = true;
    ASSERT_TRUE(doc.OnFileNew());
    doc.SetModifiedFlag(true);
    questions = source.imageQuestions;
    prompter.ExpectMessage(Answer::kYes);  // save the changes to 無題?
    prompter.ExpectFile(dir.File("named.kmp"));
    EXPECT_TRUE(doc.SaveModified());
    EXPECT_EQ(source.imageQuestions - questions, 1);
    EXPECT_TRUE(fs::exists(dir.File("named.kmp")));

    // The save command still asks.
    questions = source.imageQuestions;
    EXPECT_TRUE(doc.OnFileSave());
    EXPECT_EQ(source.imageQuestions - questions, 1);
}

TEST_F(DocTest, EmptyTranslationPathAsksForAFileNameFirst) {
    app.startupFlag = true;
    ASSERT_TRUE(doc.OnFileNew());
    prompter.ExpectFile(dir.File("a.kmp"));
    ASSERT_TRUE(doc.OnFileSaveAs());

    editor.modified = true;
    prompter.ExpectFileCancel();  // the translation Save-As dialog
    EXPECT_TRUE(doc.OnFileSave());
    EXPECT_EQ(prompter.FileDialogs().back().m_strTitle, Sj("編集ファイルを名前を付けて保存"));
    EXPECT_TRUE(fs::exists(dir.File("a.kmp")));
    EXPECT_TRUE(editor.modified);

    // So the question still comes before the project is replaced.
    prompter.ExpectMessage(Answer::kCancel);
    EXPECT_FALSE(doc.SaveModified());
    EXPECT_EQ(prompter.Messages().back().text, Sj("翻訳テキストを保存しますか？"));
}

TEST_F(DocTest, FailedSaveKeepsTheOldFileAndShowsTheCause) {
    CreateProject("p");
    const std::string path = dir.File("p.kmp");
    const std::string before = test::ReadFileBytes(path);

    std::size_t written = 0;
    CKelmioDoc failing(settings, prompter, app, [&](const CFilePath& target, std::string_view bytes) {
        return SaveFileAtomically(target, bytes, [&](int fd, const void* data, std::size_t size) -> ssize_t {
            if (written + size > 10) {
                errno = ENOSPC;
                return -1;
            }
            written += size;
            return ::write(fd, data, size);
        });
    });
    ASSERT_TRUE(failing.OpenDocumentFile(path));
    failing.m_data.SetSource(std::string(200, 'x'));
    failing.SetModifiedFlag(true);
    prompter.ExpectMessage(Answer::kOk);
    EXPECT_FALSE(failing.OnFileSave());
    EXPECT_EQ(prompter.Messages().back().text, path + Sj(" へのｱｸｾｽ中にﾃﾞｨｽｸがいっぱいになりました。"));
    EXPECT_EQ(test::ReadFileBytes(path), before);
    EXPECT_TRUE(failing.IsModified());

    // Save-as to a new name that fails keeps the old path and title.
    prompter.ExpectFile(dir.File("other.kmp"));
    prompter.ExpectMessage(Answer::kOk);
    EXPECT_FALSE(failing.OnFileSaveAs());
    EXPECT_EQ(failing.GetPathName(), path);
    EXPECT_EQ(failing.GetTitle(), "p.kmp");
    EXPECT_FALSE(fs::exists(dir.File("other.kmp")));
}

// A project whose file cannot be written (read-only, its folder gone) does
// not keep the program from closing: after the failure the user saves it
// elsewhere or lets the changes go.
TEST_F(DocTest, AProjectThatCannotBeWrittenIsSavedElsewhereOrLetGo) {
    test::WriteFileBytes(dir.File("ro.txt"), "text");
    const std::string path = WriteProjectFile("ro.kmp", dir.File("ro.txt"));
    const std::string before = test::ReadFileBytes(path);
    fs::permissions(path, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    ASSERT_TRUE(doc.OpenDocumentFile(path));
    ASSERT_TRUE(doc.IsModified());  // the editor marks every opened project

    prompter.ExpectMessage(Answer::kOk);      // the file error
    prompter.ExpectMessage(Answer::kCancel);  // save the changes?
    EXPECT_FALSE(doc.SaveModified());
    ASSERT_EQ(MessageTexts().size(), 2u);
    EXPECT_EQ(MessageTexts()[0], path + Sj(" へのｱｸｾｽは拒否されました。"));
    EXPECT_EQ(MessageTexts()[1], Sj("ro.kmp への変更を保存しますか?"));
    EXPECT_EQ(prompter.Messages()[1].buttons, MessageButtons::kYesNoCancel);

    prompter.ExpectMessage(Answer::kOk);
    prompter.ExpectMessage(Answer::kNo);
    EXPECT_TRUE(doc.SaveModified());
    EXPECT_EQ(test::ReadFileBytes(path), before);

    prompter.ExpectMessage(Answer::kOk);
    prompter.ExpectMessage(Answer::kYes);
    prompter.ExpectFile(dir.File("copy.kmp"));
    EXPECT_TRUE(doc.SaveModified());
    EXPECT_EQ(prompter.FileDialogs().back().m_strFileName, path);
    EXPECT_EQ(doc.GetPathName(), dir.File("copy.kmp"));
    EXPECT_TRUE(fs::exists(dir.File("copy.kmp")));
    EXPECT_FALSE(doc.IsModified());
}

// Writes the first `limit` bytes, then fails as a full disk does.
WriteFunction DiskFullAfter(std::size_t limit) {
    return [limit, written = std::size_t{0}](int fd, const void* data, std::size_t size) mutable -> ssize_t {
        if (written + size > limit) {
            errno = ENOSPC;
            return -1;
        }
        written += size;
        return ::write(fd, data, size);
    };
}

TEST_F(DocTest, TranslationThatCannotBeWrittenStopsTheProjectSaveAndStaysUnsaved) {
    CreateProject("p");
    const std::string project = dir.File("p.kmp");
    const std::string translation = dir.File("p.txt");
    test::WriteFileBytes(translation, "old text");
    doc.CheckTranslationFile();  // the user comes back to Kelmio and sees the file
    const std::string projectBefore = test::ReadFileBytes(project);
    editor.modified = true;
    editor.text = "new translation";
    editor.write = DiskFullAfter(4);
    editor.selStart = 42;
    doc.SetModifiedFlag(true);

    const std::string diskFull = translation + Sj(" へのｱｸｾｽ中にﾃﾞｨｽｸがいっぱいになりました。");
    prompter.ExpectMessage(Answer::kOk);
    EXPECT_FALSE(doc.OnFileSave());
    EXPECT_EQ(prompter.Messages().back().text, diskFull);
    EXPECT_EQ(test::ReadFileBytes(translation), "old text");
    EXPECT_EQ(test::ReadFileBytes(project), projectBefore);  // not written as if the text were saved
    EXPECT_TRUE(editor.modified);
    EXPECT_TRUE(doc.IsModified());

    // Closing: Yes to the question, the save fails again, the close stops
    // and the text is still marked, so the question comes again.
    editor.write = DiskFullAfter(4);
    prompter.ExpectMessage(Answer::kYes);
    prompter.ExpectMessage(Answer::kOk);
    EXPECT_FALSE(doc.SaveModified());
    EXPECT_EQ(prompter.Messages().back().text, diskFull);
    EXPECT_TRUE(editor.modified);
    EXPECT_EQ(test::ReadFileBytes(project), projectBefore);

    // With room on the disk the same close saves both.
    editor.write = DiskFullAfter(1000);
    prompter.ExpectMessage(Answer::kYes);
    EXPECT_TRUE(doc.SaveModified());
    EXPECT_EQ(test::ReadFileBytes(translation), "new translation");
    EXPECT_FALSE(editor.modified);
    EXPECT_FALSE(doc.IsModified());
    CKelmioData written;
    ASSERT_TRUE(ReadProject(test::ReadFileBytes(project), written));
    EXPECT_EQ(written.m_pos.m_nEditCaret, 42);
}

TEST_F(DocTest, TranslationSaveCommandsKeepTheWorkMarkedWhenTheFileIsNotWritten) {
    CreateProject("p");
    const std::string translation = dir.File("p.txt");
    fs::create_directory(translation);  // a folder where the file was
    editor.modified = true;
    editor.write = DiskFullAfter(1000);
    prompter.ExpectMessage(Answer::kOk);
    doc.OnEditFileSave();
    EXPECT_NE(prompter.Messages().back().text.find(translation), std::string::npos);
    EXPECT_TRUE(editor.modified);

    // Save-as into a folder that does not exist keeps the old name.
    const std::string missing = dir.File("no-such-folder/t.txt");
    prompter.ExpectFile(missing);
    prompter.ExpectMessage(Answer::kOk);
    EXPECT_FALSE(doc.OnEditFileSaveAs());
    EXPECT_EQ(prompter.Messages().back().text, missing + Sj(" が見つかりませんでした。"));
    EXPECT_EQ(doc.m_data.m_strEditFile, translation);
    EXPECT_TRUE(editor.modified);

    // Yes to the question, then no name given: the work is kept as after Cancel.
    doc.m_data.m_strEditFile = {};
    prompter.ExpectMessage(Answer::kYes);
    prompter.ExpectFileCancel();
    EXPECT_FALSE(doc.SaveModified());
    EXPECT_TRUE(editor.modified);
}

TEST_F(DocTest, TranslationThatWouldLoseCharactersIsSavedOnlyWhenTheUserAgrees) {
    CreateProject("p");
    editor.modified = true;
    editor.unconvertible = 2;
    const std::string question = Sj(
        "翻訳テキストに Shift-JIS で表せない文字が 2 文字あります。\n"
        "保存すると、これらの文字は「?」に置き換えられます。\n\n保存しますか？");

    // Cancel: nothing is written, the text stays modified, and closing stops.
    const std::size_t before = prompter.Messages().size();
    prompter.ExpectMessage(Answer::kCancel);
    doc.OnEditFileSave();
    ASSERT_EQ(prompter.Messages().size(), before + 1);
    EXPECT_EQ(prompter.Messages().back().text, question);
    EXPECT_EQ(prompter.Messages().back().buttons, MessageButtons::kOkCancel);
    EXPECT_TRUE(editor.saved.empty());
    EXPECT_TRUE(editor.modified);
    prompter.ExpectMessage(Answer::kYes);     // save the translation text?
    prompter.ExpectMessage(Answer::kCancel);  // characters would be lost
    EXPECT_FALSE(doc.SaveModified());
    EXPECT_TRUE(editor.saved.empty());

    // OK: saved, and nothing more to say afterwards.
    prompter.ExpectMessage(Answer::kOk);
    doc.OnEditFileSave();
    EXPECT_EQ(editor.saved, std::vector<CFilePath>{dir.File("p.txt")});
    EXPECT_FALSE(editor.modified);
    EXPECT_EQ(prompter.Messages().back().text, question);
}

TEST_F(DocTest, RecentEntryThatFailsIsRemoved) {
    const std::string good = WriteProjectFile("good.kmp", "");
    ASSERT_TRUE(doc.OpenDocumentFile(good));
    ASSERT_TRUE(doc.OpenDocumentFile(WriteProjectFile("second.kmp", "")));
    fs::remove(good);
    ASSERT_EQ(doc.RecentProjects().Entries().size(), 2u);
    prompter.ExpectMessage(Answer::kOk);
    EXPECT_FALSE(doc.OpenRecentFile(1));
    EXPECT_EQ(doc.RecentProjects().Entries(), std::vector<CFilePath>{dir.File("second.kmp")});
}

TEST_F(DocTest, CancellingTheQuestionKeepsTheRecentEntry) {
    ASSERT_TRUE(doc.OpenDocumentFile(WriteProjectFile("first.kmp", "")));
    ASSERT_TRUE(doc.OpenDocumentFile(WriteProjectFile("second.kmp", "")));
    editor.modified = true;
    prompter.ExpectMessage(Answer::kCancel);  // the translation text question
    EXPECT_FALSE(doc.OpenRecentFile(1));
    EXPECT_EQ(doc.RecentProjects().Entries().size(), 2u);
    EXPECT_EQ(doc.GetPathName(), dir.File("second.kmp"));
}

TEST_F(DocTest, DictionarySettingsFollowTheProjectRead) {
    ASSERT_TRUE(doc.OpenDocumentFile(WriteCustomDictionaryProject()));
    EXPECT_EQ(doc.m_dic.m_nType, 5);
    EXPECT_EQ(doc.m_dic.m_strCustomPath, "/usr/bin/dict");
    EXPECT_EQ(doc.m_dic.m_strCustomParam, "-w %s");
}

TEST_F(DocTest, NewProjectLooksWordsUpWithTheDictionaryItsSettingsShow) {
    ASSERT_TRUE(doc.OpenDocumentFile(WriteCustomDictionaryProject()));
    CreateProject("fresh");
    EXPECT_EQ(doc.m_data.m_nDicKind, 0);
    EXPECT_EQ(doc.m_dic.m_nType, 0);
    EXPECT_EQ(doc.m_dic.m_strCustomPath, "");
    EXPECT_EQ(doc.m_dic.m_strCustomParam, "");

    // The same after a file that turned out not to be a project.
    ASSERT_TRUE(doc.OpenDocumentFile(dir.File("d.kmp")));
    test::WriteFileBytes(dir.File("bad.kmp"), "not a project at all");
    prompter.ExpectMessage(Answer::kOk);  // the format message
    prompter.ExpectNewProjectDialog([](CNewProjectDlg&) { return kIdCancel; });
    EXPECT_FALSE(doc.OpenDocumentFile(dir.File("bad.kmp")));
    EXPECT_EQ(doc.m_dic.m_nType, 0);
}

}  // namespace
}  // namespace kelmio
