#include "gui/viewer/option_dialog.h"

#include <wx/button.h>
#include <wx/sizer.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

#include "platform/prompter.h"
#include "viewer/view_settings.h"
#include "gui/platform/wx_text.h"

namespace kelmio {

COptionDialog::COptionDialog(wxWindow* parent, COptionDlg& form, CSettings& settings, CPrompter& prompter)
    : wxDialog(parent, 194, ToWx(COptionDlg::Caption())), m_form(form), m_settings(settings), m_prompter(prompter) {
    auto* row = new wxBoxSizer(wxHORIZONTAL);
    row->Add(new wxStaticText(this, wxID_ANY, ToWx(COptionDlg::Label())), 0, wxALIGN_CENTER_VERTICAL | wxRIGHT, 8);
    m_pValue = new wxTextCtrl(this, 1031, ToWx(form.InitialText()));
    row->Add(m_pValue, 1);
    auto* top = new wxBoxSizer(wxVERTICAL);
    top->Add(row, 0, wxEXPAND | wxALL, 10);
    top->Add(CreateButtonSizer(wxOK | wxCANCEL), 0, wxALIGN_RIGHT | wxLEFT | wxRIGHT | wxBOTTOM, 10);
    SetSizerAndFit(top);
    CentreOnParent();
    Bind(wxEVT_BUTTON, &COptionDialog::OnOK, this, wxID_OK);
}

void COptionDialog::OnOK(wxCommandEvent&) {
    const std::optional<int> value = m_form.Parse(FromWx(m_pValue->GetValue()));
    if (!value) {
        m_prompter.Message(COptionDlg::NotAnIntegerMessage(), MessageButtons::kOk, MessageIcon::kExclamation);
        m_pValue->SetFocus();
        m_pValue->SelectAll();
        return;
    }
    m_form.Apply(m_settings, *value);
    EndModal(wxID_OK);
}

}  // namespace kelmio
