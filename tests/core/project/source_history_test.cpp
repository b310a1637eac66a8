#include "project/source_history_dlg.h"

#include <gtest/gtest.h>

#include "platform/app_host.h"
#include "platform/settings.h"
#include "project/kelmio_doc.h"
#include "support/fake_panes.h"
#include "support/scripted_prompter.h"
#include "support/sjis_literal.h"

namespace kelmio {
namespace {

using test::Sj;

TEST(SourceHistoryRows, FileAndFolderAndRebuiltUnchanged) {
    std::vector<CFilePath> history{"/c/a/b.txt", "http://example.org/x/page.html", "/top.txt", Sj("/表/ソ.txt"),
                                   "name"};
    CSrcHistoryDlg dialog(history);
    ASSERT_EQ(dialog.Rows().size(), 5u);
    EXPECT_EQ(dialog.Rows()[0], (SourceHistoryRow{"b.txt", "/c/a"}));
    EXPECT_EQ(dialog.Rows()[1], (SourceHistoryRow{"http://example.org/x/page.html", ""}));
    EXPECT_EQ(dialog.Rows()[2], (SourceHistoryRow{"top.txt", "/"}));
    EXPECT_EQ(dialog.Rows()[3], (SourceHistoryRow{Sj("ソ.txt"), Sj("/表")}));
    EXPECT_EQ(dialog.Rows()[4], (SourceHistoryRow{"name", ""}));
    const std::vector<CFilePath> before = history;
    ASSERT_TRUE(dialog.OnOK(2));
    EXPECT_EQ(history, before);
    EXPECT_EQ(dialog.Selected(), "/top.txt");
}

TEST(SourceHistoryRows, MostRecentIsSelectedAndNoSelectionKeepsTheDialogOpen) {
    std::vector<CFilePath> history{"/a.txt", "/b.txt"};
    CSrcHistoryDlg dialog(history);
    EXPECT_EQ(dialog.InitialSelection(), 0);
    EXPECT_FALSE(dialog.OnOK(-1));
    std::vector<CFilePath> none;
    CSrcHistoryDlg empty(none);
    EXPECT_EQ(empty.InitialSelection(), -1);
    EXPECT_FALSE(empty.OnOK(0));
    EXPECT_EQ(CSrcHistoryDlg::Caption(), Sj("過去のソースファイル"));
}

TEST(SourceHistoryCommand, OkMakesTheOlderSourceCurrentAndReloadsTheViewer) {
    CMemorySettings settings;
    test::CScriptedPrompter prompter;
    test::FakeAppHost app;
    test::FakeSourcePane source;
    CKelmioDoc doc(settings, prompter, app);
    doc.AttachViews(&source, nullptr, nullptr);
    doc.m_data.SetSource("/old.txt");
    doc.m_data.SetSource("/new.txt");

    prompter.ExpectSourceHistoryDialog([](CSrcHistoryDlg& form) { return form.OnOK(1) ? kIdOk : kIdCancel; });
    doc.OnFileSourceHistory();
    EXPECT_EQ(doc.m_data.m_strSrcFile, "/old.txt");
    EXPECT_EQ(doc.m_data.m_arrSrcHistory, (std::vector<CFilePath>{"/old.txt", "/new.txt"}));
    EXPECT_TRUE(doc.IsModified());
    EXPECT_EQ(source.hints, (std::vector<int>{kHintSourceChanged}));
}

TEST(SourceHistoryCommand, CancelChangesNothing) {
    CMemorySettings settings;
    test::CScriptedPrompter prompter;
    test::FakeAppHost app;
    CKelmioDoc doc(settings, prompter, app);
    doc.m_data.SetSource("/a.txt");
    prompter.ExpectSourceHistoryDialog([](CSrcHistoryDlg&) { return kIdCancel; });
    doc.OnFileSourceHistory();
    EXPECT_FALSE(doc.IsModified());
    EXPECT_EQ(doc.m_data.m_strSrcFile, "/a.txt");
}

}  // namespace
}  // namespace kelmio
