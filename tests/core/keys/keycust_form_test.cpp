#include <gtest/gtest.h>

#include "keys/command_list.h"
#include "keys/key_names.h"
#include "keys/keycust_array.h"
#include "keys/keycust_form.h"
#include "support/scripted_key_host.h"
#include "support/scripted_prompter.h"
#include "support/sjis_literal.h"
#include "support/temp_dir.h"

namespace kelmio {
namespace {

using test::Sj;

int KeyIndexOf(std::string_view name) {
    const std::vector<KeyName>& keys = GetKeyNameList();
    for (std::size_t i = 0; i < keys.size(); ++i) {
        if (keys[i].name == name) return static_cast<int>(i);
    }
    return -1;
}

class KeycustFormTest : public testing::Test {
protected:
    KeycustFormTest() : m_table(m_settings, {m_dir.File("program"), m_dir.File("data")}) {}

    const std::vector<KeyCommand>& Commands() const { return m_host.GetCommands(); }

    test::TempDir m_dir;
    CMemorySettings m_settings;
    CKeycustArray m_table;
    test::CScriptedKeyHost m_host;
    test::CScriptedPrompter m_prompter;
};

TEST_F(KeycustFormTest, KeyListFollowsTheTickedBoxesInAltShiftCtrlOrder) {
    CKeycustDlg form(m_table, Commands(), m_prompter, CKeycust{}, CKeycustDlg::kAddMode);
    form.OnInitDialog();
    EXPECT_EQ(form.GetCaption(), Sj("キーカスタマイズの追加"));
    std::vector<std::string> texts = form.GetKeyTexts();
    ASSERT_EQ(texts.size(), 78u);
    EXPECT_EQ(texts.front(), "F1");
    EXPECT_EQ(texts[12], "@");
    EXPECT_EQ(texts.back(), "NUM9");

    form.m_bCtrl = true;
    form.m_bAlt = true;
    form.OnModifierChanged();
    form.m_bShift = true;
    form.OnModifierChanged();
    texts = form.GetKeyTexts();
    EXPECT_EQ(texts.front(), "Alt+Shift+Ctrl+F1");
    EXPECT_EQ(texts.back(), "Alt+Shift+Ctrl+NUM9");

    const std::vector<std::string> commands = form.GetCommandTexts();
    ASSERT_EQ(commands.size(), GetCommandList().size() + 1);
    EXPECT_EQ(commands.front(), Sj("（なし）"));
    EXPECT_EQ(commands[1], Sj("[ﾌｧｲﾙ]ソースファイルの指定"));
}

TEST_F(KeycustFormTest, AddModeShowsWhatTheChosenKeyRunsAndNamesTheOkButton) {
    m_table.Add(CKeycust::Of('S', false, false, true, 57603));
    CKeycustDlg form(m_table, Commands(), m_prompter, CKeycust{}, CKeycustDlg::kAddMode);
    form.OnInitDialog();
    EXPECT_EQ(form.m_nKeyIndex, 0);
    EXPECT_EQ(form.m_nCommandIndex, 0);
    EXPECT_EQ(form.GetOkText(), "OK");

    form.m_nKeyIndex = KeyIndexOf("S");
    form.OnKeySelected();
    EXPECT_EQ(form.m_nCommandIndex, 0);
    EXPECT_EQ(form.GetOkText(), Sj("追加"));

    form.m_bCtrl = true;
    form.OnModifierChanged();
    EXPECT_EQ(Commands()[static_cast<std::size_t>(form.m_nCommandIndex - 1)].nID, 57603u);
    EXPECT_EQ(form.GetOkText(), Sj("変更"));
}

TEST_F(KeycustFormTest, ChangeModeStartsOnTheBindingAndKeepsItsCommand) {
    const CKeycust binding = CKeycust::Of(116, false, true, true, 32775);  // Shift+Ctrl+F5
    m_table.Add(binding);
    CKeycustDlg form(m_table, Commands(), m_prompter, binding, 116);
    form.OnInitDialog();
    EXPECT_EQ(form.GetCaption(), Sj("キーカスタマイズの変更"));
    EXPECT_TRUE(form.m_bCtrl);
    EXPECT_TRUE(form.m_bShift);
    EXPECT_FALSE(form.m_bAlt);
    EXPECT_EQ(form.GetKeyTexts()[static_cast<std::size_t>(form.m_nKeyIndex)], "Shift+Ctrl+F5");
    EXPECT_EQ(form.m_nCommandIndex, 1);

    form.m_nKeyIndex = KeyIndexOf("F6");
    form.OnKeySelected();
    EXPECT_EQ(form.m_nCommandIndex, 1);
    ASSERT_EQ(form.OnOK(), KeycustOk::kStore);
    EXPECT_EQ(form.GetBinding(), CKeycust::Of(117, false, true, true, 32775));
    EXPECT_FALSE(form.GetReplacedIndex());
    EXPECT_TRUE(m_prompter.Messages().empty());
}

TEST_F(KeycustFormTest, NoneEndsAsIfCancelled) {
    CKeycustDlg form(m_table, Commands(), m_prompter, CKeycust{}, CKeycustDlg::kAddMode);
    form.OnInitDialog();
    form.m_nKeyIndex = KeyIndexOf("K");
    form.OnKeySelected();
    EXPECT_EQ(form.OnOK(), KeycustOk::kCancel);
    EXPECT_EQ(form.GetBinding(), CKeycust{});
}

TEST_F(KeycustFormTest, TakenCombinationAsksAndCancelKeepsTheDialogOpen) {
    m_table.Add(CKeycust::Of('K', false, true, true, 3836));
    CKeycustDlg form(m_table, Commands(), m_prompter, CKeycust{}, CKeycustDlg::kAddMode);
    form.OnInitDialog();
    form.m_bCtrl = form.m_bShift = true;
    form.m_nKeyIndex = KeyIndexOf("K");
    form.OnKeySelected();
    form.m_nCommandIndex = FindKeyCommand(Commands(), 32775) + 1;

    m_prompter.ExpectMessage(Answer::kCancel);
    EXPECT_EQ(form.OnOK(), KeycustOk::kStayOpen);
    ASSERT_EQ(m_prompter.Messages().size(), 1u);
    EXPECT_EQ(m_prompter.Messages()[0].text, Sj("このキーは [編集]辞書引き に設定済みです。変更しますか？"));
    EXPECT_EQ(m_prompter.Messages()[0].buttons, MessageButtons::kOkCancel);

    m_prompter.ExpectMessage(Answer::kOk);
    ASSERT_EQ(form.OnOK(), KeycustOk::kStore);
    EXPECT_EQ(form.GetReplacedIndex(), 0);
    EXPECT_EQ(m_table.GetSize(), 1);  // the caller removes it
}

TEST_F(KeycustFormTest, UnchangedCombinationAndUnlistedCommandsAskNothing) {
    const CKeycust own = CKeycust::Of('K', false, false, true, 3836);
    m_table.Add(CKeycust::Of('J', false, false, true, 40000));  // a command the dialogs do not list
    m_table.Add(own);
    CKeycustDlg change(m_table, Commands(), m_prompter, own, 'K');
    change.OnInitDialog();
    change.m_nCommandIndex = FindKeyCommand(Commands(), 3837) + 1;
    EXPECT_EQ(change.OnOK(), KeycustOk::kStore);

    CKeycustDlg add(m_table, Commands(), m_prompter, CKeycust{}, CKeycustDlg::kAddMode);
    add.OnInitDialog();
    add.m_bCtrl = true;
    add.m_nKeyIndex = KeyIndexOf("J");
    add.OnKeySelected();
    add.m_nCommandIndex = 1;
    EXPECT_EQ(add.OnOK(), KeycustOk::kStore);
    EXPECT_FALSE(add.GetReplacedIndex());
    EXPECT_TRUE(m_prompter.Messages().empty());
}

}  // namespace
}  // namespace kelmio
