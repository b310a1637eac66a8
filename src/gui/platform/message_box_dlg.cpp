#include "gui/platform/message_box_dlg.h"

#include <wx/artprov.h>
#include <wx/button.h>
#include <wx/sizer.h>
#include <wx/statbmp.h>
#include <wx/stattext.h>

#include "gui/platform/wx_text.h"

namespace kelmio {
namespace {

wxArtID ArtOf(MessageIcon icon) {
    switch (icon) {
        case MessageIcon::kInformation: return wxART_INFORMATION;
        case MessageIcon::kExclamation: return wxART_WARNING;
        case MessageIcon::kQuestion: return wxART_QUESTION;
        case MessageIcon::kStop: return wxART_ERROR;
        case MessageIcon::kNone: break;
    }
    return {};
}

// The button that closing the box or Esc stands for.
int EscapeIdOf(MessageButtons buttons) {
    switch (buttons) {
        case MessageButtons::kOk: return wxID_OK;
        case MessageButtons::kYesNo: return wxID_NO;
        case MessageButtons::kOkCancel:
        case MessageButtons::kYesNoCancel: return wxID_CANCEL;
    }
    return wxID_OK;
}

Answer AnswerOf(int id) {
    switch (id) {
        case wxID_OK: return Answer::kOk;
        case wxID_YES: return Answer::kYes;
        case wxID_NO: return Answer::kNo;
        default: return Answer::kCancel;
    }
}

}  // namespace

CMessageBoxDlg::CMessageBoxDlg(wxWindow* owner, std::string_view sjisText, MessageButtons buttons, MessageIcon icon)
    : wxDialog(owner, wxID_ANY, "Kelmio"), m_buttons(buttons), m_icon(icon) {
    auto* body = new wxBoxSizer(wxHORIZONTAL);
    if (icon != MessageIcon::kNone) {
        const wxBitmap bitmap = wxArtProvider::GetBitmap(ArtOf(icon), wxART_MESSAGE_BOX);
        body->Add(new wxStaticBitmap(this, wxID_ANY, bitmap), 0, wxRIGHT | wxALIGN_TOP, 16);
    }
    auto* text = new wxStaticText(this, wxID_ANY, ToWx(sjisText));
    text->Wrap(FromDIP(480));
    body->Add(text, 1, wxALIGN_CENTER_VERTICAL);

    auto* row = new wxBoxSizer(wxHORIZONTAL);
    switch (buttons) {
        case MessageButtons::kOk: AddButton(*row, wxID_OK, "OK"); break;
        case MessageButtons::kOkCancel:
            AddButton(*row, wxID_OK, "OK");
            AddButton(*row, wxID_CANCEL, WxText("ｷｬﾝｾﾙ"));
            break;
        case MessageButtons::kYesNo:
            AddButton(*row, wxID_YES, WxText("はい(&Y)"));
            AddButton(*row, wxID_NO, WxText("いいえ(&N)"));
            break;
        case MessageButtons::kYesNoCancel:
            AddButton(*row, wxID_YES, WxText("はい(&Y)"));
            AddButton(*row, wxID_NO, WxText("いいえ(&N)"));
            AddButton(*row, wxID_CANCEL, WxText("ｷｬﾝｾﾙ"));
            break;
    }
    SetEscapeId(EscapeIdOf(buttons));
    SetAffirmativeId(buttons == MessageButtons::kYesNo || buttons == MessageButtons::kYesNoCancel ? wxID_YES
                                                                                                  : wxID_OK);

    auto* top = new wxBoxSizer(wxVERTICAL);
    top->Add(body, 1, wxEXPAND | wxALL, 16);
    top->Add(row, 0, wxALIGN_CENTER_HORIZONTAL | wxLEFT | wxRIGHT | wxBOTTOM, 12);
    SetSizerAndFit(top);
    CentreOnParent();
}

void CMessageBoxDlg::AddButton(wxSizer& row, int id, const wxString& label) {
    auto* button = new wxButton(this, id, label);
    // The first button is the default one, as in every message box.
    if (row.IsEmpty()) {
        button->SetDefault();
        button->SetFocus();
    } else {
        row.AddSpacer(8);
    }
    row.Add(button);
    // Yes and No end the box too, not only OK and Cancel.
    button->Bind(wxEVT_BUTTON, [this, id](wxCommandEvent&) { EndModal(id); });
}

Answer CMessageBoxDlg::Ask() {
    const int result = ShowModal();
    if (result == wxID_CANCEL && m_buttons == MessageButtons::kOk) return Answer::kOk;
    if (result == wxID_CANCEL && m_buttons == MessageButtons::kYesNo) return Answer::kNo;
    return AnswerOf(result);
}

}  // namespace kelmio
