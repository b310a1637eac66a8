#include "dictionary/dic_lookup.h"

#include <gtest/gtest.h>

#include "dictionary/dic_answer_dlg.h"
#include "dictionary/dic_opt_dg.h"
#include "platform/settings.h"
#include "text/mb_case.h"
#include "project/kelmio_doc.h"
#include "support/dictionary_doc.h"
#include "support/sjis_literal.h"
#include "support/temp_dir.h"
#include "support/file_bytes.h"

namespace kelmio {
namespace {

using namespace kelmio::test;

// A document whose dictionary talks to a scripted PDIC.
class LookupTest : public DictionaryDocTest {
protected:
    // The result dialog: records what it showed and ends with `result`.
    void ExpectAnswerDialog(int result) {
        prompter.ExpectDicAnswerDialog([this, result](CDicAnswerDlg& dialog) {
            shownWord = dialog.m_strWord;
            shownAnswer = dialog.m_strAnswer;
            return result;
        });
    }

    std::string shownWord;
    std::string shownAnswer;
};

TEST_F(LookupTest, AnswerToTheUpperCaseFormIsShownWithItAndKeptUnderTheWordAsPassed) {
    dde.answers["CAT"] = std::string("neko\r\nfeline\0", 14);
    ExpectAnswerDialog(kIdOk);
    ASSERT_TRUE(doc.LookupWord("Cat"));
    EXPECT_EQ(dde.FoundWords(), (std::vector<std::string>{"cat", "cat", "CAT"}));
    EXPECT_EQ(shownWord, "CAT");
    EXPECT_EQ(shownAnswer, "neko\r\nfeline");
    ASSERT_EQ(doc.m_data.GetMemoCount(), 1u);
    EXPECT_EQ(doc.m_data.GetMemo(0).m_strTitle, "Cat");
    EXPECT_EQ(doc.m_data.GetMemo(0).m_strText, "neko\r\nfeline");
    EXPECT_EQ(memo.selected, std::vector<int>{0});
    EXPECT_TRUE(doc.IsModified());
    EXPECT_EQ(dde.PokedItems().back(), "Close");
}

TEST_F(LookupTest, FullWidthLettersAreLoweredBeforeTheLookup) {
    dde.answers[Sj("ｃａｔ")] = "x";
    ExpectAnswerDialog(kIdOk);
    ASSERT_TRUE(doc.LookupWord(Sj("ＣＡＴ")));
    EXPECT_EQ(dde.FoundWords().at(0), Sj("ｃａｔ"));
    EXPECT_EQ(doc.m_data.GetMemo(0).m_strTitle, Sj("ＣＡＴ"));
    // Kana and a trail byte that looks like a letter stay as they are.
    EXPECT_EQ(MakeLowerMb(Sj("ソＡ表a")), Sj("ソａ表a"));
}

TEST_F(LookupTest, ClosingTheResultDialogStoresNothing) {
    dde.answers["cat"] = "neko";
    ExpectAnswerDialog(kIdCancel);
    EXPECT_FALSE(doc.LookupWord("cat"));
    EXPECT_EQ(doc.m_data.GetMemoCount(), 0u);
    EXPECT_TRUE(memo.selected.empty());
    EXPECT_FALSE(doc.IsModified());
}

TEST_F(LookupTest, WordFoundInNoFormIsReportedInItsUpperCaseForm) {
    prompter.ExpectMessage(Answer::kOk);
    EXPECT_FALSE(doc.LookupWord("Zzq"));
    ASSERT_EQ(prompter.Messages().size(), 1u);
    EXPECT_EQ(prompter.Messages()[0].text, Sj("見つかりません：ZZQ"));
    EXPECT_EQ(prompter.Messages()[0].icon, MessageIcon::kNone);
    EXPECT_EQ(dde.PokedItems().back(), "Close");
}

TEST_F(LookupTest, WordWhoseAnswerNeverArrivesNeverShowsTheAnswerOfTheWordBefore) {
    dde.answers["cat"] = "neko";
    dde.answers["dog"] = "inu";
    dde.answers["DOG"] = "INU";
    ExpectAnswerDialog(kIdCancel);
    EXPECT_FALSE(doc.LookupWord("cat"));

    // "dog" is accepted but its answer is lost; the next form still answers.
    dde.unansweredWords = {"dog"};
    ExpectAnswerDialog(kIdOk);
    ASSERT_TRUE(doc.LookupWord("dog"));
    EXPECT_EQ(shownWord, "DOG");
    EXPECT_EQ(shownAnswer, "INU");
    EXPECT_EQ(doc.m_data.GetMemo(0).m_strText, "INU");

    // No form answers: nothing is shown and nothing kept.
    dde.unansweredWords = {"dog", "DOG"};
    shownAnswer.clear();
    prompter.ExpectMessage(Answer::kOk);
    EXPECT_FALSE(doc.LookupWord("dog"));
    EXPECT_EQ(shownAnswer, "");
    EXPECT_EQ(prompter.Messages().back().text, Sj("見つかりません：DOG"));
    EXPECT_EQ(doc.m_data.GetMemoCount(), 1u);
}

TEST_F(LookupTest, ConnectionFailureEndsTheLookupWithoutClosing) {
    dde.services.clear();
    registry.pdicAnsi.clear();
    prompter.ExpectMessage(Answer::kOk);
    EXPECT_FALSE(doc.LookupWord("cat"));
    EXPECT_EQ(prompter.Messages().at(0).text, Sj("接続失敗"));
    EXPECT_TRUE(dde.PokedItems().empty());
}

TEST_F(LookupTest, RefusedCloseDoesNotUndoAKeptAnswer) {
    dde.answers["cat"] = "neko";
    dde.refusedItems = {"Close"};
    ExpectAnswerDialog(kIdOk);
    prompter.ExpectMessage(Answer::kOk);
    EXPECT_TRUE(doc.LookupWord("cat"));
    EXPECT_EQ(prompter.Messages().at(0).icon, MessageIcon::kStop);
}

TEST_F(LookupTest, LongAnswerBecomesAMemoOf2047BytesWithoutABrokenCharacter) {
    dde.answers["cat"] = std::string(2046, 'a') + Sj("猫") + std::string(3000, 'b');
    ExpectAnswerDialog(kIdOk);
    ASSERT_TRUE(doc.LookupWord("cat"));
    EXPECT_EQ(doc.m_data.GetMemo(0).m_strText, std::string(2046, 'a'));
}

TEST_F(LookupTest, CustomProgramGetsTheWordForEveryPercentS) {
    doc.m_dic.m_nType = kDicCustom;
    doc.m_dic.SetCustomPath("/usr/bin/%s-viewer");
    doc.m_dic.SetCustomParam("-a %s -b %s");
    doc.m_dic.ApproveCustomCommand();  // as the settings dialog does
    EXPECT_FALSE(doc.LookupWord("Dog"));
    doc.m_dic.SetCustomPath("/usr/bin/viewer");
    doc.m_dic.SetCustomParam("--fixed");
    doc.m_dic.ApproveCustomCommand();
    EXPECT_FALSE(doc.LookupWord("dog"));
    ASSERT_EQ(shell.starts.size(), 2u);
    EXPECT_EQ(shell.starts[0].file, "/usr/bin/dog-viewer");
    EXPECT_EQ(shell.starts[0].parameters, "-a dog -b dog");
    EXPECT_EQ(shell.starts[0].show, ShowMode::kNormal);
    EXPECT_EQ(shell.starts[1].file, "/usr/bin/viewer");
    EXPECT_EQ(shell.starts[1].parameters, "--fixed");
    EXPECT_TRUE(dde.calls.empty());
}

TEST_F(LookupTest, DdwinWithAValidPathStartsWithoutTheChooser) {
    TempDir dir;
    const std::string program = dir.File("ddwin.exe");
    WriteFileBytes(program, "");
    settings.WriteString("System", "DDWinPath", program);
    doc.m_dic.m_nType = kDicDdwin;
    EXPECT_FALSE(doc.LookupWord("cat"));
    ASSERT_EQ(shell.starts.size(), 1u);
    EXPECT_EQ(shell.starts[0].file, program);
    EXPECT_EQ(shell.starts[0].parameters, "/e1 /d /k cat");
    EXPECT_TRUE(prompter.FileDialogs().empty());
}

TEST_F(LookupTest, MissingDdwinOrEbwinAsksForTheProgramAndRemembersIt) {
    doc.m_dic.m_nType = kDicDdwin;
    prompter.ExpectFileCancel();
    doc.LookupWord("cat");
    EXPECT_TRUE(shell.starts.empty());
    ASSERT_EQ(prompter.FileDialogs().size(), 1u);
    const CFileDialogEx& chooser = prompter.FileDialogs()[0];
    EXPECT_EQ(chooser.m_strTitle, Sj("DDWINのパスの指定"));
    EXPECT_EQ(chooser.m_strFileName, "*.EXE");
    EXPECT_EQ(chooser.m_strDefExt, "*");
    EXPECT_EQ(chooser.m_strFilter, Sj("EXEﾌｧｲﾙ(*.exe)|*.exe|全てのﾌｧｲﾙ(*.*) |*.*||"));
    EXPECT_EQ(chooser.m_owner, DialogOwner::kMainWindow);
    EXPECT_FALSE(settings.Has("System", "DDWinPath"));

    doc.m_dic.m_nType = kDicEbwin;
    prompter.ExpectFile("/home/u/ebwin");
    doc.LookupWord("Inu");
    EXPECT_EQ(prompter.FileDialogs().back().m_strTitle, Sj("EBWINのパスの指定"));
    EXPECT_EQ(settings.GetString("System", "EBWinPath", ""), "/home/u/ebwin");
    ASSERT_EQ(shell.starts.size(), 1u);
    EXPECT_EQ(shell.starts[0].parameters, "/S=inu");
}

TEST_F(LookupTest, BookshelfAndUnknownKinds) {
    registry.bookshelf = "/opt/bs/bookshelf";
    doc.m_dic.m_nType = kDicBookshelf;
    EXPECT_FALSE(doc.LookupWord("cat"));
    ASSERT_EQ(shell.starts.size(), 1u);
    EXPECT_EQ(shell.starts[0].file, "/opt/bs/bookshelf");
    EXPECT_EQ(shell.starts[0].parameters, "/i cat");
    doc.m_dic.m_nType = 6;
    EXPECT_FALSE(doc.LookupWord("cat"));
    EXPECT_EQ(shell.starts.size(), 1u);
    EXPECT_TRUE(dde.calls.empty());
}

TEST(DicLookupTest, CustomDefaultsComeFromTheProfile) {
    CMemorySettings settings;
    settings.WriteString("System", "CustomPath", "/bin/x");
    settings.WriteString("System", "CustomParam", "%s");
    CScriptedPrompter prompter;
    CDicLookup lookup(settings, prompter);
    EXPECT_EQ(lookup.m_nType, 0);
    EXPECT_EQ(lookup.m_strCustomPath, "/bin/x");
    EXPECT_EQ(lookup.m_strCustomParam, "%s");
    EXPECT_EQ(ReplacePercentS("%s%s", "ab"), "abab");
    EXPECT_EQ(ReplacePercentS("%", "ab"), "%");
}

TEST_F(LookupTest, SettingsDialogChangesTheDictionaryAndMarksTheProjectOnlyWhenAValueChanged) {
    doc.m_data.m_nDicKind = 1;
    prompter.ExpectDicOptDialog([](CDicOptDg& dialog) {
        EXPECT_EQ(dialog.m_nKind, 1);
        dialog.m_nKind = kDicCustom;
        dialog.m_strPath = "/bin/dict";
        dialog.m_strParam = "%s";
        return kIdOk;
    });
    doc.OnDicSettings();
    EXPECT_TRUE(doc.IsModified());
    EXPECT_EQ(doc.m_data.m_nDicKind, kDicCustom);
    EXPECT_EQ(doc.m_data.m_strDicPath, "/bin/dict");
    EXPECT_EQ(doc.m_dic.m_nType, kDicCustom);
    EXPECT_EQ(doc.m_dic.m_strCustomParam, "%s");

    prompter.ExpectDicOptDialog([](CDicOptDg& dialog) {
        dialog.m_nKind = 0;
        return kIdCancel;
    });
    doc.SetModifiedFlag(false);
    doc.OnDicSettings();
    EXPECT_EQ(doc.m_dic.m_nType, kDicCustom);
    EXPECT_EQ(doc.m_data.m_nDicKind, kDicCustom);
    EXPECT_FALSE(doc.IsModified());

    // OK with the values as they were changes nothing.
    prompter.ExpectDicOptDialog([](CDicOptDg&) { return kIdOk; });
    doc.OnDicSettings();
    EXPECT_FALSE(doc.IsModified());
    // Only the parameters changed.
    prompter.ExpectDicOptDialog([](CDicOptDg& dialog) {
        dialog.m_strParam = "-q %s";
        return kIdOk;
    });
    doc.OnDicSettings();
    EXPECT_TRUE(doc.IsModified());
    EXPECT_EQ(doc.m_data.m_strDicParam, "-q %s");
}

TEST(DicOptDgTest, BrowseSetsOnlyThePath) {
    CScriptedPrompter prompter;
    CDicOptDg dialog(kDicCustom, "/old", "-x %s");
    EXPECT_EQ(dialog.KindTexts()[5], Sj("カスタム"));
    EXPECT_EQ(dialog.KindTexts()[1], "PDIC/Unicode");
    prompter.ExpectFile("/usr/bin/sdcv");
    EXPECT_TRUE(dialog.OnBrowse(prompter));
    EXPECT_EQ(dialog.m_strPath, "/usr/bin/sdcv");
    EXPECT_EQ(dialog.m_strParam, "-x %s");
    const CFileDialogEx& chooser = prompter.FileDialogs().at(0);
    EXPECT_EQ(chooser.m_strTitle, Sj("アプリケーション"));
    EXPECT_EQ(chooser.m_strDefExt, "EXE");
    EXPECT_EQ(chooser.m_owner, DialogOwner::kCurrentDialog);
    EXPECT_EQ(chooser.m_nFlags, unsigned(kHideReadOnly | kNoChangeDir));
    prompter.ExpectFileCancel();
    EXPECT_FALSE(dialog.OnBrowse(prompter));
    EXPECT_EQ(dialog.m_strPath, "/usr/bin/sdcv");
}

}  // namespace
}  // namespace kelmio
