#include <gtest/gtest.h>
#include <wx/button.h>
#include <wx/choice.h>
#include <wx/textctrl.h>
#include <wx/uiaction.h>

#include "gui/dictionary/dic_answer_dialog.h"
#include "dictionary/dic_answer_dlg.h"
#include "gui/dictionary/dic_opt_dialog.h"
#include "gui_support.h"
#include "support/scripted_prompter.h"
#include "support/sjis_literal.h"

namespace kelmio {
namespace {

wxString U(const char* utf8) { return wxString::FromUTF8(utf8); }

wxTextCtrl& Edit(wxDialog& dialog, int id) { return *dynamic_cast<wxTextCtrl*>(dialog.FindWindow(id)); }

TEST(DicOptDialogTest, ShowsTheKindsAndKeepsTypedParametersAcrossBrowsing) {
    test::CScriptedPrompter prompter;
    CDicOptDialog dialog(nullptr, CDicOptDg(kDicCustom, "/old/program", "-x %s"), prompter);
    EXPECT_EQ(dialog.GetTitle(), U("辞書設定"));
    auto& kinds = *dynamic_cast<wxChoice*>(dialog.FindWindow(CDicOptDialog::kKindId));
    ASSERT_EQ(kinds.GetCount(), 6u);
    EXPECT_EQ(kinds.GetString(0), "PDIC");
    EXPECT_EQ(kinds.GetString(5), U("カスタム"));
    EXPECT_EQ(kinds.GetSelection(), 5);
    EXPECT_EQ(Edit(dialog, CDicOptDialog::kPathId).GetValue(), "/old/program");

    Edit(dialog, CDicOptDialog::kParamId).ChangeValue("--word %s");
    prompter.ExpectFile(test::Sj("/opt/辞書/dict"));
    wxCommandEvent click(wxEVT_BUTTON, CDicOptDialog::kBrowseId);
    click.SetEventObject(dialog.FindWindow(CDicOptDialog::kBrowseId));
    dialog.FindWindow(CDicOptDialog::kBrowseId)->GetEventHandler()->ProcessEvent(click);
    EXPECT_EQ(prompter.FileDialogs().at(0).m_strTitle, test::Sj("アプリケーション"));
    EXPECT_EQ(Edit(dialog, CDicOptDialog::kPathId).GetValue(), U("/opt/辞書/dict"));
    EXPECT_EQ(Edit(dialog, CDicOptDialog::kParamId).GetValue(), "--word %s");

    kinds.SetSelection(1);
    const CDicOptDg result = dialog.Result();
    EXPECT_EQ(result.m_nKind, 1);
    EXPECT_EQ(result.m_strPath, test::Sj("/opt/辞書/dict"));
    EXPECT_EQ(result.m_strParam, "--word %s");

    CDicOptDialog unknown(nullptr, CDicOptDg(9, "", ""), prompter);
    EXPECT_EQ(unknown.Result().m_nKind, -1);
}

// Typed for real: Enter in a field of the settings confirms them, as in
// every dialog with an OK button.
TEST(DicOptDialogTest, EnterInAFieldIsOk) {
    test::CScriptedPrompter prompter;
    CDicOptDialog dialog(nullptr, CDicOptDg(kDicCustom, "/usr/bin/true", ""), prompter);
    EXPECT_EQ(dialog.GetDefaultItem(), dialog.FindWindow(wxID_OK));
    dialog.CallAfter([&dialog] {
        Edit(dialog, CDicOptDialog::kParamId).SetFocus();
        test::Pump();
        wxUIActionSimulator keyboard;
        keyboard.Text("-w");
        keyboard.Char(WXK_RETURN);
        for (int i = 0; i < 100 && dialog.IsModal(); ++i) test::Pump();
        if (dialog.IsModal()) dialog.EndModal(wxID_CANCEL);
    });
    EXPECT_EQ(dialog.ShowModal(), wxID_OK);
    EXPECT_EQ(dialog.Result().m_strParam, "-w");
}

TEST(DicAnswerDialogTest, ShowsTheWordAndTheAnswerWithItsButtons) {
    CDicAnswerDialog dialog(nullptr, CDicAnswerDlg("cat", test::Sj("cat\r\n  猫")));
    EXPECT_EQ(dialog.GetTitle(), U("辞書検索結果"));
    EXPECT_EQ(Edit(dialog, CDicAnswerDialog::kWordId).GetValue(), "cat");
    EXPECT_EQ(Edit(dialog, CDicAnswerDialog::kAnswerId).GetValue(), U("cat\n  猫"));
    EXPECT_EQ(dynamic_cast<wxButton*>(dialog.FindWindow(wxID_OK))->GetLabel(), U("メモ登録"));
    EXPECT_EQ(dynamic_cast<wxButton*>(dialog.FindWindow(wxID_CANCEL))->GetLabel(), U("閉じる"));
    EXPECT_EQ(dialog.GetDefaultItem(), dialog.FindWindow(wxID_OK));
}

}  // namespace
}  // namespace kelmio
