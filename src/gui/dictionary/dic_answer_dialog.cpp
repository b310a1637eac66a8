#include "gui/dictionary/dic_answer_dialog.h"

#include <wx/button.h>
#include <wx/sizer.h>
#include <wx/textctrl.h>

#include "dictionary/dic_answer_dlg.h"
#include "gui/platform/wx_text.h"

namespace kelmio {
namespace {

// The answer's CR LF line ends as the text control shows them.
wxString WithNewlines(const std::string& sjis) {
    wxString text = ToWx(sjis);
    text.Replace("\r\n", "\n");
    return text;
}

}  // namespace

CDicAnswerDialog::CDicAnswerDialog(wxWindow* parent, const CDicAnswerDlg& form)
    : wxDialog(parent, wxID_ANY, ToWx(CDicAnswerDlg::Caption()), wxDefaultPosition, wxDefaultSize,
               wxDEFAULT_DIALOG_STYLE | wxRESIZE_BORDER) {
    auto* sizer = new wxBoxSizer(wxVERTICAL);
    sizer->Add(new wxTextCtrl(this, kWordId, ToWx(form.m_strWord)), 0, wxEXPAND | wxALL, 8);
    sizer->Add(new wxTextCtrl(this, kAnswerId, WithNewlines(form.m_strAnswer), wxDefaultPosition, wxSize(420, 260),
                              wxTE_MULTILINE | wxVSCROLL),
               1, wxEXPAND | wxLEFT | wxRIGHT, 8);
    auto* buttons = new wxBoxSizer(wxHORIZONTAL);
    auto* keep = new wxButton(this, wxID_OK, ToWx(CDicAnswerDlg::KeepButtonText()));
    buttons->Add(keep, 0, wxRIGHT, 8);
    buttons->Add(new wxButton(this, wxID_CANCEL, ToWx(CDicAnswerDlg::CloseButtonText())));
    sizer->Add(buttons, 0, wxALIGN_RIGHT | wxALL, 8);
    SetSizerAndFit(sizer);
    keep->SetDefault();
    keep->SetFocus();
    CentreOnParent();
}

}  // namespace kelmio
