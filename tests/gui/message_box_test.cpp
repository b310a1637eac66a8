#include "gui/platform/message_box_dlg.h"

#include <gtest/gtest.h>
#include <wx/button.h>
#include <wx/statbmp.h>

#include <functional>

#include "gui/platform/wx_prompter.h"
#include "gui_support.h"
#include "support/sjis_literal.h"

namespace kelmio {
namespace {

using test::Sj;

CMessageBoxDlg* OpenBox() {
    for (wxWindow* window : wxTopLevelWindows) {
        if (auto* box = dynamic_cast<CMessageBoxDlg*>(window); box != nullptr && box->IsShown()) return box;
    }
    return nullptr;
}

const wxStaticBitmap* IconOf(const wxWindow& box) {
    for (const wxWindow* child : box.GetChildren()) {
        if (const auto* bitmap = dynamic_cast<const wxStaticBitmap*>(child)) return bitmap;
    }
    return nullptr;
}

std::vector<wxString> ButtonLabels(const wxWindow& box) {
    std::vector<wxString> labels;
    for (const wxWindow* child : box.GetChildren()) {
        if (const auto* button = dynamic_cast<const wxButton*>(child)) labels.push_back(button->GetLabel());
    }
    return labels;
}

// Shows a message through the application's prompter; `inspect` sees the
// open box and says which button to press (0: close it with Esc).
Answer AskWith(std::string_view text, MessageButtons buttons, MessageIcon icon,
               std::function<int(CMessageBoxDlg&)> inspect) {
    CWxPrompter prompter([] { return static_cast<wxWindow*>(nullptr); });
    wxTheApp->CallAfter([inspect] {
        CMessageBoxDlg* box = OpenBox();
        if (box == nullptr) {
            ADD_FAILURE() << "no message box";
            return;
        }
        const int id = inspect(*box);
        if (id == 0) {
            wxKeyEvent escape(wxEVT_CHAR_HOOK);
            escape.m_keyCode = WXK_ESCAPE;
            escape.SetEventObject(box);
            box->GetEventHandler()->ProcessEvent(escape);
            return;
        }
        wxCommandEvent click(wxEVT_BUTTON, id);
        click.SetEventObject(box->FindWindow(id));
        box->FindWindow(id)->GetEventHandler()->ProcessEvent(click);
    });
    return prompter.Message(text, buttons, icon);
}

TEST(MessageBoxTest, ShowsTheIconTheMessageCallsFor) {
    for (MessageIcon icon : {MessageIcon::kQuestion, MessageIcon::kExclamation, MessageIcon::kStop,
                             MessageIcon::kInformation}) {
        AskWith("x", MessageButtons::kOk, icon, [icon](CMessageBoxDlg& box) {
            EXPECT_EQ(box.Icon(), icon);
            const wxStaticBitmap* shown = IconOf(box);
            EXPECT_TRUE(shown != nullptr && shown->GetBitmap().IsOk() && shown->GetBitmap().GetWidth() >= 32);
            return wxID_OK;
        });
    }
    AskWith("x", MessageButtons::kOk, MessageIcon::kNone, [](CMessageBoxDlg& box) {
        EXPECT_EQ(IconOf(box), nullptr);
        return wxID_OK;
    });
}

TEST(MessageBoxTest, YesNoCancelInJapaneseOrderAndEscIsCancel) {
    const Answer yes = AskWith(Sj("翻訳テキストを保存しますか？"), MessageButtons::kYesNoCancel, MessageIcon::kQuestion,
                               [](CMessageBoxDlg& box) {
                                   const std::vector<wxString> labels = ButtonLabels(box);
                                   EXPECT_EQ(labels, (std::vector<wxString>{wxString::FromUTF8("はい(&Y)"),
                                                                            wxString::FromUTF8("いいえ(&N)"),
                                                                            wxString::FromUTF8("ｷｬﾝｾﾙ")}));
                                   test::SaveScreenshot(box, "save-question.png");
                                   return wxID_YES;
                               });
    EXPECT_EQ(yes, Answer::kYes);
    EXPECT_EQ(AskWith("x", MessageButtons::kYesNoCancel, MessageIcon::kQuestion, [](CMessageBoxDlg&) { return wxID_NO; }),
              Answer::kNo);
    EXPECT_EQ(AskWith("x", MessageButtons::kYesNoCancel, MessageIcon::kQuestion, [](CMessageBoxDlg&) { return 0; }),
              Answer::kCancel);
    EXPECT_EQ(AskWith("x", MessageButtons::kYesNo, MessageIcon::kQuestion, [](CMessageBoxDlg&) { return 0; }),
              Answer::kNo);
    EXPECT_EQ(AskWith("x", MessageButtons::kOk, MessageIcon::kStop, [](CMessageBoxDlg&) { return 0; }), Answer::kOk);
}

}  // namespace
}  // namespace kelmio
