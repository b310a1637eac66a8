#include "gui/keys/keycust_dialog.h"

#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/listbox.h>
#include <wx/sizer.h>
#include <wx/stattext.h>

#include "gui/platform/wx_text.h"
#include "keys/keycust_form.h"

namespace kelmio {
namespace {

wxArrayString ToWxList(const std::vector<std::string>& texts) {
    wxArrayString list;
    for (const std::string& text : texts) list.Add(ToWx(text));
    return list;
}

}  // namespace

CKeycustDialog::CKeycustDialog(wxWindow* parent, CKeycustDlg& form, std::function<void()> showHelp)
    : wxDialog(parent, wxID_ANY, ToWx(form.GetCaption())), m_form(form), m_showHelp(std::move(showHelp)) {
    auto* keyColumn = new wxBoxSizer(wxVERTICAL);
    keyColumn->Add(new wxStaticText(this, wxID_ANY, WxText("キー(&K):")), 0, wxBOTTOM, 4);
    m_pKeys = new wxListBox(this, kKeyListId, wxDefaultPosition, FromDIP(wxSize(170, 220)));
    keyColumn->Add(m_pKeys, 1, wxEXPAND);

    auto* boxes = new wxBoxSizer(wxVERTICAL);
    m_pCtrl = new wxCheckBox(this, kCtrlId, WxText("Ctrl(&C)"));
    m_pShift = new wxCheckBox(this, kShiftId, WxText("Shift(&S)"));
    m_pAlt = new wxCheckBox(this, kAltId, WxText("Alt(&A)"));
    for (wxCheckBox* box : {m_pCtrl, m_pShift, m_pAlt}) boxes->Add(box, 0, wxBOTTOM, 8);

    auto* top = new wxBoxSizer(wxHORIZONTAL);
    top->Add(keyColumn, 1, wxEXPAND | wxRIGHT, 12);
    top->Add(boxes, 0, wxTOP, 20);

    auto* commandColumn = new wxBoxSizer(wxVERTICAL);
    commandColumn->Add(new wxStaticText(this, wxID_ANY, WxText("メニュー(&M):")), 0, wxBOTTOM, 4);
    m_pCommands = new wxListBox(this, kCommandListId, wxDefaultPosition, FromDIP(wxSize(320, 180)),
                                ToWxList(m_form.GetCommandTexts()));
    commandColumn->Add(m_pCommands, 1, wxEXPAND);

    auto* buttons = new wxBoxSizer(wxHORIZONTAL);
    m_pOk = new wxButton(this, wxID_OK, ToWx(m_form.GetOkText()));
    m_pOk->SetDefault();
    buttons->Add(m_pOk, 0, wxRIGHT, 8);
    buttons->Add(new wxButton(this, wxID_CANCEL, WxText("ｷｬﾝｾﾙ")));

    auto* sizer = new wxBoxSizer(wxVERTICAL);
    sizer->Add(top, 1, wxEXPAND | wxALL, 12);
    sizer->Add(commandColumn, 1, wxEXPAND | wxLEFT | wxRIGHT, 12);
    sizer->Add(buttons, 0, wxALIGN_RIGHT | wxALL, 12);
    SetSizerAndFit(sizer);

    m_pCtrl->SetValue(m_form.m_bCtrl);
    m_pShift->SetValue(m_form.m_bShift);
    m_pAlt->SetValue(m_form.m_bAlt);
    FillKeyList();
    ShowCommand();

    Bind(wxEVT_CHECKBOX, &CKeycustDialog::OnModifier, this);
    m_pKeys->Bind(wxEVT_LISTBOX, &CKeycustDialog::OnKeySelected, this);
    m_pOk->Bind(wxEVT_BUTTON, &CKeycustDialog::OnOK, this);
    Bind(wxEVT_CHAR_HOOK, &CKeycustDialog::OnCharHook, this);
    CentreOnParent();
}

void CKeycustDialog::FillKeyList() {
    m_pKeys->Set(ToWxList(m_form.GetKeyTexts()));
    m_pKeys->SetSelection(m_form.m_nKeyIndex);
    m_pKeys->EnsureVisible(m_form.m_nKeyIndex);
}

void CKeycustDialog::ShowCommand() {
    m_pCommands->SetSelection(m_form.m_nCommandIndex);
    m_pCommands->EnsureVisible(m_form.m_nCommandIndex);
    m_pOk->SetLabel(ToWx(m_form.GetOkText()));
}

void CKeycustDialog::OnModifier(wxCommandEvent&) {
    m_form.m_bCtrl = m_pCtrl->GetValue();
    m_form.m_bShift = m_pShift->GetValue();
    m_form.m_bAlt = m_pAlt->GetValue();
    m_form.m_nKeyIndex = m_pKeys->GetSelection();
    m_form.OnModifierChanged();
    FillKeyList();
    ShowCommand();
}

void CKeycustDialog::OnKeySelected(wxCommandEvent&) {
    m_form.m_nKeyIndex = m_pKeys->GetSelection();
    m_form.OnKeySelected();
    ShowCommand();
}

void CKeycustDialog::OnOK(wxCommandEvent&) {
    m_form.m_nKeyIndex = m_pKeys->GetSelection();
    m_form.m_nCommandIndex = m_pCommands->GetSelection() == wxNOT_FOUND ? 0 : m_pCommands->GetSelection();
    switch (m_form.OnOK()) {
        case KeycustOk::kStore: EndModal(wxID_OK); return;
        case KeycustOk::kCancel: EndModal(wxID_CANCEL); return;
        case KeycustOk::kStayOpen: return;
    }
}

void CKeycustDialog::OnCharHook(wxKeyEvent& event) {
    if (event.GetKeyCode() == WXK_F1 && !event.HasAnyModifiers() && m_showHelp) {
        m_showHelp();
        return;
    }
    event.Skip();
}

}  // namespace kelmio
