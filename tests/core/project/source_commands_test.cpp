#include <gtest/gtest.h>

#include "platform/panes.h"
#include "platform/settings.h"
#include "project/kelmio_doc.h"
#include "project/project_dlg.h"
#include "project/recent_projects.h"
#include "project/source_history_dlg.h"
#include "support/fake_panes.h"
#include "support/scripted_prompter.h"
#include "support/sjis_literal.h"

namespace kelmio {
namespace {

using namespace kelmio::test;

class SourceCommandsTest : public ::testing::Test {
protected:
    SourceCommandsTest() {
        doc.AttachViews(&source, &editor, &memo);
        app.startupFlag = true;
        doc.OnFileNew();
    }

    CMemorySettings settings;
    CScriptedPrompter prompter;
    FakeAppHost app;
    FakeSourcePane source;
    FakeEditPane editor;
    FakeMemoPane memo;
    CKelmioDoc doc{settings, prompter, app};
};

TEST_F(SourceCommandsTest, ChoosingASourceKeepsTheFilterIndexAndReloadsTheViewer) {
    settings.WriteInt("System", "FileSrcIndex", 2);
    prompter.ExpectFile("/docs/Page.HTML", 4);
    doc.OnFileSource();

    const CFileDialogEx& dialog = prompter.FileDialogs().back();
    EXPECT_TRUE(dialog.m_bOpen);
    EXPECT_EQ(dialog.m_strTitle, Sj("ソースファイルの指定"));
    EXPECT_EQ(dialog.m_strFileName, "");
    EXPECT_EQ(dialog.m_strDefExt, "*");
    EXPECT_EQ(dialog.m_nFilterIndex, 2);
    EXPECT_EQ(dialog.m_owner, DialogOwner::kMainWindow);
    EXPECT_EQ(dialog.m_strFilter,
              Sj("全てのﾌｧｲﾙ(*.*) |*.*|画像ﾌｧｲﾙ|*.bmp;*.jpg;*.jpeg;*.gif;*.png;*.tif;*.tiff|ﾃｷｽﾄﾌｧｲﾙ(*.txt)|*.txt|"
                 "HTMLﾌｧｲﾙ(*.htm*)|*.htm*|PDFﾌｧｲﾙ(*.pdf)|*.pdf||"));
    EXPECT_EQ(settings.GetInt("System", "FileSrcIndex", 0), 4);
    EXPECT_EQ(doc.m_data.m_strSrcFile, "/docs/Page.HTML");
    EXPECT_TRUE(doc.IsModified());
    EXPECT_EQ(source.hints, std::vector<int>{kHintSourceChanged});

    // The same file in another letter case replaces the history entry.
    prompter.ExpectFile("/docs/page.html", 4);
    doc.OnFileSource();
    EXPECT_EQ(doc.m_data.m_arrSrcHistory, std::vector<CFilePath>{"/docs/page.html"});
    EXPECT_EQ(source.hints.size(), 2u);
}

TEST_F(SourceCommandsTest, CancelledDialogsChangeNothing) {
    settings.WriteInt("System", "FileSrcIndex", 3);
    prompter.ExpectFileCancel();
    doc.OnFileSource();
    prompter.ExpectInput(std::nullopt);
    doc.OnFileSourceUrl();
    prompter.ExpectFileCancel();
    doc.OnEditFileDestination();
    prompter.ExpectFileCancel();
    doc.OnEditFileOpen();
    prompter.ExpectProjectDialog([](CProjectDlg&) { return kIdCancel; });
    doc.OnProjectSettings();

    EXPECT_FALSE(doc.IsModified());
    EXPECT_EQ(settings.GetInt("System", "FileSrcIndex", 0), 3);
    EXPECT_TRUE(doc.m_data.m_arrSrcHistory.empty());
    EXPECT_TRUE(source.hints.empty());
    EXPECT_TRUE(prompter.ScriptDone());
}

TEST_F(SourceCommandsTest, ImageQuestionCancelStopsChoosingASource) {
    source.saveImageAnswer = false;
    doc.OnFileSource();
    EXPECT_TRUE(prompter.FileDialogs().empty());
}

TEST_F(SourceCommandsTest, EveryWayToAnotherSourceAsksAboutTheChangedImage) {
    doc.m_data.SetSource("/old.html");
    doc.m_data.SetSource("/scan.png");
    source.saveImageAnswer = false;
    prompter.ExpectInput(std::string("https://example.jp/"));
    doc.OnFileSourceUrl();
    prompter.ExpectSourceHistoryDialog([](CSrcHistoryDlg& form) { return form.OnOK(1) ? kIdOk : kIdCancel; });
    doc.OnFileSourceHistory();
    EXPECT_EQ(source.imageQuestions, 2);
    EXPECT_EQ(doc.m_data.m_strSrcFile, "/scan.png");  // Cancel kept the image's source
    EXPECT_FALSE(doc.IsModified());

    source.saveImageAnswer = true;
    prompter.ExpectInput(std::string("https://example.jp/"));
    doc.OnFileSourceUrl();
    EXPECT_EQ(doc.m_data.m_strSrcFile, "https://example.jp/");
    EXPECT_TRUE(prompter.ScriptDone());
}

// The settings dialog's OK shows the source afresh, which drops a scanned or
// rotated image: it asks first like every other way to another source, and
// Cancel leaves the project as it was.
TEST_F(SourceCommandsTest, ProjectSettingsAskAboutTheChangedImageBeforeTheSourceIsShownAgain) {
    doc.m_data.SetSource("/old.html");
    doc.m_data.SetSource("");
    doc.m_data.m_strEditFile = "/t.txt";
    const auto settingsOk = [](CProjectDlg& form) {
        form.m_strSrcFile = "/other.png";
        form.m_strEditFile = "/u.txt";
        form.OnOK();
        return kIdOk;
    };
    // Asked about the image of the source shown until now: a Yes saves over that file.
    std::vector<CFilePath> sourcesAsked;
    source.onImageQuestion = [&] { sourcesAsked.push_back(doc.m_data.m_strSrcFile); };
    source.saveImageAnswer = false;
    prompter.ExpectProjectDialog(settingsOk);
    doc.OnProjectSettings();
    EXPECT_EQ(source.imageQuestions, 1);
    EXPECT_EQ(doc.m_data.m_strSrcFile, "");
    EXPECT_EQ(doc.m_data.m_arrSrcHistory, (std::vector<CFilePath>{"", "/old.html"}));
    EXPECT_EQ(doc.m_data.m_strEditFile, "/t.txt");
    EXPECT_TRUE(source.hints.empty());
    EXPECT_FALSE(doc.IsModified());

    source.saveImageAnswer = true;
    prompter.ExpectProjectDialog(settingsOk);
    doc.OnProjectSettings();
    EXPECT_EQ(source.imageQuestions, 2);
    EXPECT_EQ(sourcesAsked, (std::vector<CFilePath>{"", ""}));
    EXPECT_EQ(doc.m_data.m_strSrcFile, "/other.png");
    EXPECT_EQ(doc.m_data.m_arrSrcHistory, (std::vector<CFilePath>{"/other.png", "", "/old.html"}));
    EXPECT_EQ(doc.m_data.m_strEditFile, "/u.txt");
    EXPECT_EQ(source.hints, std::vector<int>{kHintSettingsChanged});
    EXPECT_TRUE(doc.IsModified());

    // A cancelled dialog asks nothing.
    prompter.ExpectProjectDialog([](CProjectDlg&) { return kIdCancel; });
    doc.OnProjectSettings();
    EXPECT_EQ(source.imageQuestions, 2);
}

// Choosing where the translation is saved shows the source afresh too.
TEST_F(SourceCommandsTest, TranslationDestinationAsksAboutTheChangedImageBeforeTheSourceIsShownAgain) {
    doc.m_data.SetSource("/turned.png");
    doc.m_data.m_strEditFile = "/t.txt";
    source.saveImageAnswer = false;
    prompter.ExpectFile("/u.txt");
    doc.OnEditFileDestination();
    EXPECT_EQ(source.imageQuestions, 1);
    EXPECT_EQ(doc.m_data.m_strEditFile, "/t.txt");
    EXPECT_TRUE(source.hints.empty());
    EXPECT_FALSE(doc.IsModified());

    source.saveImageAnswer = true;
    prompter.ExpectFile("/u.txt");
    doc.OnEditFileDestination();
    EXPECT_EQ(source.imageQuestions, 2);
    EXPECT_EQ(doc.m_data.m_strEditFile, "/u.txt");
    EXPECT_EQ(source.hints, std::vector<int>{kHintSourceChanged});
    EXPECT_TRUE(doc.IsModified());

    // A cancelled chooser asks nothing.
    prompter.ExpectFileCancel();
    doc.OnEditFileDestination();
    EXPECT_EQ(source.imageQuestions, 2);
}

TEST_F(SourceCommandsTest, EmptyUrlBecomesAnEmptySource) {
    doc.m_data.SetSource("/a.png");
    prompter.ExpectInput(std::string());
    doc.OnFileSourceUrl();
    EXPECT_EQ(prompter.InputPrompts().back(), Sj("URLを指定してください"));
    EXPECT_EQ(doc.m_data.m_strSrcFile, "");
    EXPECT_EQ(doc.m_data.m_arrSrcHistory, (std::vector<CFilePath>{"", "/a.png"}));
    EXPECT_TRUE(doc.IsModified());
}

// An address is kept as typed: a character without a Shift-JIS form must
// not become a "?" that leads to another page.
TEST_F(SourceCommandsTest, UrlKeepsEveryCharacterAsTyped) {
    const CFilePath url = CFilePath::FromNative("https://de.wikipedia.org/wiki/M\u00fcller_(\u00e9t\u00e9)");
    prompter.ExpectInputPath(url);
    doc.OnFileSourceUrl();
    EXPECT_EQ(doc.m_data.m_strSrcFile.Native(), url.Native());
    EXPECT_EQ(doc.m_data.m_arrSrcHistory.front().Native(), url.Native());
    EXPECT_EQ(prompter.InputPrompts().back(), Sj("URLを指定してください"));
    EXPECT_EQ(prompter.InputValues().back(), "");
    EXPECT_EQ(source.hints, std::vector<int>{kHintSourceChanged});

    // A Japanese address stays what it was.
    prompter.ExpectInputPath(CFilePath::FromNative("https://ja.wikipedia.org/wiki/\u6e90\u6c0f\u7269\u8a9e"));
    doc.OnFileSourceUrl();
    EXPECT_EQ(doc.m_data.m_strSrcFile.Sjis(), Sj("https://ja.wikipedia.org/wiki/源氏物語"));
}

TEST_F(SourceCommandsTest, ProjectSettingsOkAlwaysMovesTheSourceUp) {
    doc.m_data.SetSource("/b.png");
    doc.m_data.SetSource("/a.png");
    doc.m_data.m_strEditFile = "/t.txt";
    prompter.ExpectProjectDialog([](CProjectDlg& form) {
        EXPECT_EQ(form.m_strSrcFile, "/a.png");
        EXPECT_EQ(form.m_strEditFile, "/t.txt");
        form.m_strSrcFile = "/b.png";
        form.m_strEditFile = "/u.txt";
        form.OnOK();
        return kIdOk;
    });
    doc.OnProjectSettings();
    EXPECT_EQ(doc.m_data.m_arrSrcHistory, (std::vector<CFilePath>{"/b.png", "/a.png"}));
    EXPECT_EQ(doc.m_data.m_strEditFile, "/u.txt");
    EXPECT_EQ(source.hints, std::vector<int>{kHintSettingsChanged});
    EXPECT_TRUE(doc.IsModified());
}

TEST_F(SourceCommandsTest, ProjectSettingsWithAnEmptySource) {
    doc.m_data.SetSource("/a.png");
    prompter.ExpectProjectDialog([](CProjectDlg& form) {
        form.m_strSrcFile = "";
        form.OnOK();
        return kIdOk;
    });
    doc.OnProjectSettings();
    EXPECT_EQ(doc.m_data.m_strSrcFile, "");
    EXPECT_EQ(doc.m_data.m_arrSrcHistory, (std::vector<CFilePath>{"", "/a.png"}));
}

TEST_F(SourceCommandsTest, ProjectSettingsBrowseButtons) {
    CProjectDlg form(doc.m_data, prompter);
    form.OnInitDialog();
    prompter.ExpectFile("/src/x.pdf");
    form.OnBrowseSource();
    prompter.ExpectFileCancel();
    form.OnBrowseEditFile();
    EXPECT_EQ(form.m_strSrcFile, "/src/x.pdf");
    EXPECT_EQ(form.m_strEditFile, "");
    const CFileDialogEx& source = prompter.FileDialogs()[0];
    EXPECT_EQ(source.m_strTitle, Sj("ファイルの参照"));
    EXPECT_EQ(source.m_strFileName, "*.*");
    EXPECT_EQ(source.m_owner, DialogOwner::kCurrentDialog);
    EXPECT_EQ(prompter.FileDialogs()[1].m_strFileName, "*.txt");
    EXPECT_EQ(prompter.FileDialogs()[1].m_strFilter, Sj("ﾃｷｽﾄﾌｧｲﾙ(*.txt) |*.txt|全てのﾌｧｲﾙ(*.*) |*.*||"));
}

TEST_F(SourceCommandsTest, TranslationFileCommands) {
    // Where to save: initial name is the current path, or a pattern.
    prompter.ExpectFile("/t/a.txt");
    doc.OnEditFileDestination();
    EXPECT_EQ(prompter.FileDialogs().back().m_strFileName, "*.txt");
    EXPECT_EQ(prompter.FileDialogs().back().m_strFilter, Sj("ﾃｷｽﾄﾌｧｲﾙ(*.txt)|*.txt|全てのﾌｧｲﾙ(*.*) |*.*||"));
    EXPECT_EQ(doc.m_data.m_strEditFile, "/t/a.txt");
    EXPECT_TRUE(editor.saved.empty());  // nothing written yet

    editor.modified = true;
    doc.OnEditFileSave();
    EXPECT_EQ(editor.saved, std::vector<CFilePath>{"/t/a.txt"});
    EXPECT_FALSE(editor.modified);

    // Opening another text asks about the modified one first.
    editor.modified = true;
    prompter.ExpectMessage(Answer::kNo);
    prompter.ExpectFile("/t/b.txt");
    doc.OnEditFileOpen();
    EXPECT_EQ(editor.loaded, std::vector<CFilePath>{"/t/b.txt"});
    EXPECT_EQ(doc.m_data.m_strEditFile, "/t/b.txt");
    EXPECT_FALSE(editor.modified);

    prompter.ExpectFile("/t/c.txt");
    EXPECT_TRUE(doc.OnEditFileSaveAs());
    EXPECT_EQ(prompter.FileDialogs().back().m_strTitle, Sj("編集ファイルを名前を付けて保存"));
    EXPECT_EQ(editor.saved.back(), "/t/c.txt");
    EXPECT_EQ(doc.m_data.m_strEditFile, "/t/c.txt");
}

TEST(CRecentProjects, KeepsFourMostRecentFirst) {
    CRecentProjects list;
    for (const char* path : {"/a.kmp", "/b.kmp", "/c.kmp", "/d.kmp", "/e.kmp"}) list.Add(path);
    EXPECT_EQ(list.Entries(), (std::vector<CFilePath>{"/e.kmp", "/d.kmp", "/c.kmp", "/b.kmp"}));
    list.Add("/C.KMP");
    EXPECT_EQ(list.Entries(), (std::vector<CFilePath>{"/C.KMP", "/e.kmp", "/d.kmp", "/b.kmp"}));

    CMemorySettings settings;
    list.Remove(3);
    list.WriteList(settings);
    EXPECT_EQ(settings.GetString("Recent File List", "File1", ""), "/C.KMP");
    EXPECT_EQ(settings.GetString("Recent File List", "File4", "x"), "");
    CRecentProjects read;
    read.ReadList(settings);
    EXPECT_EQ(read.Entries(), list.Entries());
}

TEST(CRecentProjects, NamesWithoutAShiftJisFormStayAsTheyAre) {
    const CFilePath accent = CFilePath::FromNative("/p/é.kmp");
    const CFilePath capital = CFilePath::FromNative("/p/É.kmp");
    const CFilePath raw = CFilePath::FromNative("/p/\xFF.kmp");
    CRecentProjects list;
    for (const CFilePath& path : {accent, capital, raw, CFilePath::FromNative("/p/?.kmp")}) list.Add(path);
    // Without a Shift-JIS form only the same bytes are the same file.
    EXPECT_EQ(list.Entries().size(), 4u);
    list.Add(accent);
    EXPECT_EQ(list.Entries().front(), accent);
    EXPECT_EQ(list.Entries().size(), 4u);

    CMemorySettings settings;
    list.WriteList(settings);
    CRecentProjects read;
    read.ReadList(settings);
    EXPECT_EQ(read.Entries(), list.Entries());
    EXPECT_EQ(read.Entries()[2], raw);
}

}  // namespace
}  // namespace kelmio
