#include <gtest/gtest.h>

#include <filesystem>
#include <unistd.h>

#include "keys/key_file.h"
#include "keys/key_set_form.h"
#include "keys/keycust_array.h"
#include "support/file_bytes.h"
#include "support/scripted_key_host.h"
#include "support/scripted_prompter.h"
#include "support/sjis_literal.h"
#include "support/temp_dir.h"

namespace kelmio {
namespace {

using test::Choose;
using test::Sj;

constexpr unsigned int kF5 = 116;

class KeySetFormTest : public testing::Test {
protected:
    KeySetFormTest()
        : m_table(m_settings, {m_dir.File("program"), m_dir.File("data")}),
          m_form(m_table, m_host, m_settings, m_prompter, m_dir.File("program")) {
        std::filesystem::create_directory(m_dir.File("program"));
    }

    std::vector<std::string> ListedKeys() const {
        std::vector<std::string> keys;
        for (const KeyListRow& row : m_form.GetRows()) keys.push_back(row.strKeyText);
        return keys;
    }

    const std::vector<KeyCommand>& Commands() const { return m_host.GetCommands(); }

    test::TempDir m_dir;
    CMemorySettings m_settings;
    CKeycustArray m_table;
    test::CScriptedKeyHost m_host;
    test::CScriptedPrompter m_prompter;
    CKeySetDlg m_form;
};

TEST(KeyListOrder, CtrlThenShiftThenAltThenKeyThenCommand) {
    const CKeycust plainA = CKeycust::Of('A', false, false, false, 1);
    EXPECT_LT(CompareKeyBindings(plainA, CKeycust::Of('B', false, false, false, 1)), 0);
    EXPECT_LT(CompareKeyBindings(CKeycust::Of('Z', false, false, false, 1), CKeycust::Of('A', true, false, false, 1)), 0);
    EXPECT_LT(CompareKeyBindings(CKeycust::Of('Z', true, false, false, 1), CKeycust::Of('A', false, true, false, 1)), 0);
    EXPECT_LT(CompareKeyBindings(CKeycust::Of('Z', true, true, false, 1), CKeycust::Of('A', false, false, true, 1)), 0);
    // The widest key codes still order by modifiers first.
    EXPECT_LT(CompareKeyBindings(CKeycust::Of(192, false, false, false, 1), CKeycust::Of(8, true, false, false, 1)), 0);
    EXPECT_LT(CompareKeyBindings(plainA, CKeycust::Of('A', false, false, false, 2)), 0);
    EXPECT_EQ(CompareKeyBindings(plainA, plainA), 0);
    EXPECT_GT(CompareKeyBindings(CKeycust::Of('A', false, false, true, 1), plainA), 0);
}

TEST(KeyListDrawing, ColumnLineFollowsTheLongestKeyText) {
    EXPECT_EQ(KeyColumnLineOffset(8, 10), 10 * 12);
    EXPECT_EQ(KeyColumnLineOffset(7, 17), 8 * 19);
}

TEST_F(KeySetFormTest, ListsListedCommandsInOrderWithTheirNames) {
    m_table.Add(CKeycust::Of('S', false, false, true, 57603));
    m_table.Add(CKeycust::Of(kF5, false, true, true, 32775));
    m_table.Add(CKeycust::Of(114, false, false, false, 57640));
    m_table.Add(CKeycust::Of('Q', false, false, true, 40000));  // not a listed command
    m_table.Add(CKeycust::Of('X', true, false, false, 57665));
    m_settings.WriteInt("System", "KeycustEditx", 1);
    m_form.OnInitDialog();

    EXPECT_EQ(ListedKeys(), (std::vector<std::string>{"F3", "Alt+X", "Ctrl+S", "Shift+Ctrl+F5"}));
    EXPECT_EQ(m_form.GetRows()[2].strCommandName, Sj("[ﾌｧｲﾙ]プロジェクトの上書き保存"));
    EXPECT_EQ(m_form.GetRows()[3].nIndex, 1);
    EXPECT_EQ(m_form.GetKeyColumnWidth(), 13);
    EXPECT_EQ(m_form.m_nSelected, 0);
    EXPECT_TRUE(m_form.m_bEditorKeysFirst);

    // Without a selection, change and delete do nothing.
    m_form.m_nSelected = -1;
    m_form.OnChange();
    m_form.OnDelete();
    EXPECT_TRUE(m_prompter.Messages().empty());
    EXPECT_EQ(m_table.GetSize(), 5);
}

TEST_F(KeySetFormTest, AddAppendsSetsTheCaptionAndActsOnTheDispatchAtOnce) {
    m_form.OnInitDialog();
    EXPECT_EQ(m_form.m_nSelected, -1);
    m_host.ExpectDialog(Choose("K", true, true, false, 32775, Commands()));
    m_form.OnAdd();
    EXPECT_EQ(m_host.Captions().back(), Sj("キーカスタマイズの追加"));
    EXPECT_EQ(m_table.LookupCommand('K', false, true, true), 32775u);
    EXPECT_EQ(m_host.MenuKeyText(32775), "Shift+Ctrl+K");
    EXPECT_EQ(ListedKeys(), std::vector<std::string>{"Shift+Ctrl+K"});
    EXPECT_EQ(m_form.m_nSelected, 0);
}

TEST_F(KeySetFormTest, NoneChangesNothing) {
    m_table.Add(CKeycust::Of('S', false, false, true, 57603));
    m_form.OnInitDialog();
    m_host.ExpectDialog(Choose("K", true, false, false, 0, Commands()));
    m_form.OnAdd();
    m_host.ExpectDialog(Choose("T", true, false, false, 0, Commands()));
    m_form.OnChange();
    EXPECT_EQ(m_table.GetBindings(), std::vector<CKeycust>{CKeycust::Of('S', false, false, true, 57603)});
    EXPECT_EQ(m_host.MenuKeyText(57603), "<untouched>");
    EXPECT_TRUE(m_host.ScriptDone());
}

TEST_F(KeySetFormTest, TakenCombinationReplacesTheOtherBindingAfterConfirmation) {
    m_table.Add(CKeycust::Of('K', false, true, true, 32775));
    m_table.Add(CKeycust::Of('L', false, false, true, 3836));
    m_form.OnInitDialog();

    // Declined: the table is as it was.
    m_prompter.ExpectMessage(Answer::kCancel);
    m_host.ExpectDialog(Choose("K", true, true, false, 3840, Commands()));
    m_form.OnAdd();
    EXPECT_EQ(m_table.GetSize(), 2);

    m_prompter.ExpectMessage(Answer::kOk);
    m_host.ExpectDialog(Choose("K", true, true, false, 3840, Commands()));
    m_form.OnAdd();
    ASSERT_EQ(m_prompter.Messages().size(), 2u);
    EXPECT_EQ(m_prompter.Messages()[1].text,
              Sj("このキーは [ﾌｧｲﾙ]ソースファイルの指定 に設定済みです。変更しますか？"));
    EXPECT_EQ(m_table.GetBindings(), (std::vector<CKeycust>{CKeycust::Of('L', false, false, true, 3836),
                                                            CKeycust::Of('K', false, true, true, 3840)}));
    EXPECT_EQ(m_table.LookupCommand('K', false, true, true), 3840u);
    EXPECT_EQ(m_host.MenuKeyText(3840), "Shift+Ctrl+K");
    EXPECT_EQ(m_host.MenuKeyText(32775), std::nullopt);  // no longer shows a key that runs something else
}

TEST_F(KeySetFormTest, ChangingOntoAnEarlierBindingsKeyEditsTheRightBinding) {
    m_table.Add(CKeycust::Of('A', false, false, true, 3836));
    m_table.Add(CKeycust::Of('B', false, false, true, 3837));
    m_form.OnInitDialog();
    m_form.m_nSelected = 1;  // Ctrl+B
    m_prompter.ExpectMessage(Answer::kOk);
    m_host.ExpectDialog(Choose("A", true, false, false, 3837, Commands()));
    m_form.OnChange();
    EXPECT_EQ(m_host.Captions().back(), Sj("キーカスタマイズの変更"));
    EXPECT_EQ(m_table.GetBindings(), std::vector<CKeycust>{CKeycust::Of('A', false, false, true, 3837)});
}

TEST_F(KeySetFormTest, ChangingACommandUpdatesBothCaptions) {
    m_table.Add(CKeycust::Of('A', false, false, true, 3836));
    m_table.Add(CKeycust::Of(kF5, false, false, false, 3836));
    m_table.Add(CKeycust::Of('D', false, false, true, 3837));
    m_form.OnInitDialog();
    ASSERT_EQ(ListedKeys(), (std::vector<std::string>{"F5", "Ctrl+A", "Ctrl+D"}));

    // Ctrl+A goes to 3837: 3836 still has F5.
    m_form.m_nSelected = 1;
    m_host.ExpectDialog(Choose("A", true, false, false, 3837, Commands()));
    m_form.OnChange();
    EXPECT_EQ(m_host.MenuKeyText(3836), "F5");
    EXPECT_EQ(m_host.MenuKeyText(3837), "Ctrl+A");
    EXPECT_EQ(m_form.m_nSelected, 1);

    // F5 goes to 3837 too: 3836 has no key left.
    m_form.m_nSelected = 0;
    m_host.ExpectDialog(Choose("F5", false, false, false, 3837, Commands()));
    m_form.OnChange();
    EXPECT_EQ(m_host.MenuKeyText(3836), std::nullopt);
    EXPECT_EQ(m_host.MenuKeyText(3837), "F5");
    EXPECT_EQ(m_table.FindCommand(3836), -1);
}

TEST_F(KeySetFormTest, DeleteAsksAndKeepsTheSelectionInRange) {
    m_table.Add(CKeycust::Of('A', false, false, true, 3836));
    m_table.Add(CKeycust::Of('B', false, false, true, 3837));
    m_form.OnInitDialog();
    m_form.m_nSelected = 1;
    m_prompter.ExpectMessage(Answer::kCancel);
    m_form.OnDelete();
    EXPECT_EQ(m_table.GetSize(), 2);
    EXPECT_EQ(m_prompter.Messages()[0].text, Sj("削除しますか？"));
    EXPECT_EQ(m_prompter.Messages()[0].icon, MessageIcon::kQuestion);

    m_prompter.ExpectMessage(Answer::kOk);
    m_form.OnDelete();
    EXPECT_EQ(ListedKeys(), std::vector<std::string>{"Ctrl+A"});
    EXPECT_EQ(m_form.m_nSelected, 0);
    EXPECT_EQ(m_host.MenuKeyText(3837), std::nullopt);
}

TEST_F(KeySetFormTest, UnlistedCommandStaysInTheDispatchAndTheFile) {
    m_table.Add(CKeycust::Of('Q', false, false, true, 40000));
    m_table.Add(CKeycust::Of('A', false, false, true, 3836));
    ASSERT_TRUE(m_table.SaveAs(m_dir.File("program/Kelmio.key")));
    m_form.OnInitDialog();
    EXPECT_EQ(ListedKeys(), std::vector<std::string>{"Ctrl+A"});
    m_prompter.ExpectMessage(Answer::kOk);
    m_form.OnDelete();
    EXPECT_EQ(m_table.LookupCommand('Q', false, false, true), 40000u);
    m_form.OnSaveAndClose();
    EXPECT_EQ(ReadKeyFile(test::ReadFileBytes(m_dir.File("program/Kelmio.key"))),
              std::vector<CKeycust>{CKeycust::Of('Q', false, false, true, 40000)});
}

TEST_F(KeySetFormTest, KeyColumnIsTheLongestKeyTextAndAtLeastTen) {
    m_table.Add(CKeycust::Of('A', false, false, true, 3836));
    m_form.OnInitDialog();
    EXPECT_EQ(m_form.GetKeyColumnWidth(), 10);
    m_table.Add(CKeycust::Of('A', true, true, true, 3837));  // Alt+Shift+Ctrl+A
    m_form.OnInitDialog();
    EXPECT_EQ(m_form.GetKeyColumnWidth(), 16);
}

TEST_F(KeySetFormTest, SaveAndCloseStoresThePreferenceAndTheFile) {
    const std::string path = m_dir.File("program/Kelmio.key");
    ASSERT_TRUE(m_table.SaveAs(path));
    m_form.OnInitDialog();
    m_host.ExpectDialog(Choose("K", true, true, false, 32775, Commands()));
    m_form.OnAdd();
    m_form.m_bEditorKeysFirst = true;
    m_form.OnSaveAndClose();
    EXPECT_EQ(m_settings.GetInt("System", "KeycustEditx", 0), 1);
    EXPECT_EQ(test::ReadFileBytes(path), WriteKeyFile({CKeycust::Of('K', false, true, true, 32775)}));
    EXPECT_TRUE(m_prompter.Messages().empty());
}

TEST_F(KeySetFormTest, ClosingWithoutSavingKeepsEditsInMemoryOnly) {
    const std::string path = m_dir.File("program/Kelmio.key");
    ASSERT_TRUE(m_table.SaveAs(path));
    m_form.OnInitDialog();
    m_host.ExpectDialog(Choose("K", true, true, false, 32775, Commands()));
    m_form.OnAdd();
    m_form.m_bEditorKeysFirst = true;
    // The close box: nothing more is called.
    EXPECT_EQ(m_table.LookupCommand('K', false, true, true), 32775u);
    EXPECT_EQ(test::ReadFileBytes(path), std::string("\0\0", 2));
    EXPECT_EQ(m_settings.GetInt("System", "KeycustEditx", 0), 0);
}

TEST_F(KeySetFormTest, ReadReplacesTheTableOrSaysItCannot) {
    m_table.Add(CKeycust::Of('A', false, false, true, 3836));
    m_form.OnInitDialog();
    const std::string other = m_dir.File("other.key");
    test::WriteFileBytes(other, WriteKeyFile({CKeycust::Of('B', false, false, true, 3837)}));
    const std::string broken = m_dir.File("broken.key");
    test::WriteFileBytes(broken, WriteKeyFile({CKeycust::Of('C', false, false, true, 3838)}).substr(0, 20));

    m_prompter.ExpectFile(broken);
    m_prompter.ExpectMessage(Answer::kOk);
    m_form.OnRead();
    EXPECT_EQ(m_prompter.Messages().back().text, Sj("読み込めません"));
    EXPECT_EQ(m_table.GetBindings(), std::vector<CKeycust>{CKeycust::Of('A', false, false, true, 3836)});
    const CFileDialogEx& dialog = m_prompter.FileDialogs().front();
    EXPECT_TRUE(dialog.m_bOpen);
    EXPECT_EQ(dialog.m_strDefExt, "KEY");
    EXPECT_EQ(dialog.m_strFileName, m_dir.File("program") + "/*.KEY");
    EXPECT_EQ(dialog.m_strFilter, Sj("KEYﾌｧｲﾙ(*.KEY) |*.KEY| 全てのﾌｧｲﾙ(*.*) |*.*||"));
    EXPECT_EQ(dialog.m_strTitle, Sj("ｷｰ定義ﾌｧｲﾙ"));

    m_prompter.ExpectFile(other);
    m_form.OnRead();
    EXPECT_EQ(ListedKeys(), std::vector<std::string>{"Ctrl+B"});
    EXPECT_EQ(m_form.m_nSelected, 0);
    EXPECT_EQ(m_table.GetPath(), other);
    EXPECT_EQ(m_host.MenuKeyText(3836), std::nullopt);
    EXPECT_EQ(m_host.MenuKeyText(3837), "Ctrl+B");
}

TEST_F(KeySetFormTest, SaveAsWritesTheChosenFileOrSaysItCannot) {
    const std::string current = m_dir.File("program/Kelmio.key");
    ASSERT_TRUE(m_table.SaveAs(current));
    m_table.Add(CKeycust::Of('A', false, false, true, 3836));
    m_form.OnInitDialog();

    // A folder that is not there to be written into.
    std::filesystem::create_directory(m_dir.File("plain"));
    test::WriteFileBytes(m_dir.File("plain/file"), "x");
    m_prompter.ExpectFile(m_dir.File("plain/file/mine.key"));
    m_prompter.ExpectMessage(Answer::kOk);
    m_form.OnSaveAs();
    EXPECT_EQ(m_prompter.Messages().back().text, Sj("保存できません"));
    EXPECT_EQ(m_table.GetPath(), current);
    EXPECT_EQ(test::ReadFileBytes(current), std::string("\0\0", 2));
    EXPECT_FALSE(std::filesystem::exists(m_table.GetPerUserPath().Native()));
    const CFileDialogEx& dialog = m_prompter.FileDialogs().front();
    EXPECT_FALSE(dialog.m_bOpen);
    EXPECT_EQ(dialog.m_strFileName, m_dir.File("program") + "/Sprigbox.key");
    EXPECT_TRUE(dialog.m_nFlags & kOverwritePrompt);

    const std::string mine = m_dir.File("mine.key");
    m_prompter.ExpectFile(mine);
    m_form.OnSaveAs();
    EXPECT_EQ(test::ReadFileBytes(mine), WriteKeyFile(m_table.GetBindings()));
    EXPECT_EQ(m_table.GetPath(), mine);
    EXPECT_EQ(m_prompter.Messages().size(), 1u);
}

TEST_F(KeySetFormTest, ReadOnlyFolderKeepsTheOldFileByteForByte) {
    if (::geteuid() == 0) GTEST_SKIP() << "permissions do not bind the superuser";
    const std::string locked = m_dir.File("locked");
    std::filesystem::create_directory(locked);
    test::WriteFileBytes(locked + "/old.key", "old bytes");
    std::filesystem::permissions(locked, std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec);
    m_table.Add(CKeycust::Of('A', false, false, true, 3836));
    m_form.OnInitDialog();
    m_prompter.ExpectFile(locked + "/old.key");
    m_prompter.ExpectMessage(Answer::kOk);
    m_form.OnSaveAs();
    std::filesystem::permissions(locked, std::filesystem::perms::owner_all);
    EXPECT_EQ(m_prompter.Messages().back().text, Sj("保存できません"));
    EXPECT_EQ(test::ReadFileBytes(locked + "/old.key"), "old bytes");
}

TEST_F(KeySetFormTest, SaveAndCloseFailingEverywhereSaysSo) {
    // The program's folder and the per-user folder are both files.
    test::TempDir other;
    test::WriteFileBytes(other.File("program"), "x");
    test::WriteFileBytes(other.File("data"), "x");
    CKeycustArray table(m_settings, {other.File("program"), other.File("data")});
    CKeySetDlg form(table, m_host, m_settings, m_prompter, other.File("program"));
    table.Load(table.GetDefaultPath());
    form.OnInitDialog();
    m_prompter.ExpectMessage(Answer::kOk);
    form.OnSaveAndClose();
    ASSERT_EQ(m_prompter.Messages().size(), 1u);
    EXPECT_EQ(m_prompter.Messages()[0].text, Sj("保存できません"));
}

}  // namespace
}  // namespace kelmio
