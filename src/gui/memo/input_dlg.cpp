#include "gui/memo/input_dlg.h"

#include <wx/sizer.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

#include "gui/platform/dialog_buttons.h"
#include "gui/platform/wx_text.h"

namespace kelmio {

constexpr int kPromptId = 1014;
constexpr int kEditId = 1015;

CInputDlg::CInputDlg(wxWindow* parent, const std::string& prompt, const std::string& value)
    : wxDialog(parent, wxID_ANY, "Kelmio") {
    auto* sizer = new wxBoxSizer(wxVERTICAL);
    sizer->Add(new wxStaticText(this, kPromptId, ToWx(prompt)), 0, wxALL, 10);
    m_pEdit = new wxTextCtrl(this, kEditId, ToWx(value), wxDefaultPosition, wxSize(360, -1));
    sizer->Add(m_pEdit, 0, wxEXPAND | wxLEFT | wxRIGHT, 10);

    sizer->Add(OkCancelButtons(*this), 0, wxEXPAND | wxALL, 10);
    SetSizerAndFit(sizer);
    m_pEdit->SetFocus();
    m_pEdit->SelectAll();
}

std::string CInputDlg::Value() const { return FromWx(m_pEdit->GetValue()); }

void CInputDlg::SetPathValue(const CFilePath& value) {
    m_pEdit->ChangeValue(ToWxPath(value));
    m_pEdit->SelectAll();
}

CFilePath CInputDlg::PathValue() const { return FromWxPath(m_pEdit->GetValue()); }

}  // namespace kelmio
