#include "gui/imaging/rotate_dialog.h"

#include <wx/listbox.h>
#include <wx/sizer.h>
#include <wx/spinbutt.h>
#include <wx/textctrl.h>

#include "gui/platform/dialog_buttons.h"
#include "gui/platform/wx_text.h"

namespace kelmio {

CRotateDialog::CRotateDialog(wxWindow* parent) : wxDialog(parent, wxID_ANY, WxText("任意角度回転")) {
    auto* sizer = new wxBoxSizer(wxVERTICAL);
    m_pList = new wxListBox(this, kDirectionId, wxDefaultPosition, wxSize(220, 60));
    for (const std::string& text : CRotateDlg::DirectionTexts()) m_pList->Append(ToWx(text));
    sizer->Add(m_pList, 0, wxEXPAND | wxALL, 10);

    auto* row = new wxBoxSizer(wxHORIZONTAL);
    m_pAngle = new wxTextCtrl(this, kAngleId, "0", wxDefaultPosition, wxSize(100, -1));
    m_pArrow = new wxSpinButton(this, kArrowId, wxDefaultPosition, wxDefaultSize, wxSP_VERTICAL);
    m_pArrow->SetRange(CRotateDlg::kArrowMin, CRotateDlg::kArrowMax);
    m_pArrow->SetValue(0);
    row->Add(m_pAngle, 0, wxALIGN_CENTER_VERTICAL);
    row->Add(m_pArrow, 0, wxALIGN_CENTER_VERTICAL | wxLEFT, 2);
    sizer->Add(row, 0, wxLEFT | wxRIGHT, 10);

    sizer->Add(OkCancelButtons(*this), 0, wxEXPAND | wxALL, 10);
    SetSizerAndFit(sizer);
    m_pArrow->Bind(wxEVT_SPIN, &CRotateDialog::OnArrow, this);
    m_pAngle->Bind(wxEVT_TEXT, &CRotateDialog::OnAngleTyped, this);
    // The angle is typed first. A list that took the focus would have its
    // first entry selected by the toolkit, while no direction is chosen yet.
    m_pAngle->SetFocus();
}

// The arrows step from the angle typed, as a field's own arrows do.
void CRotateDialog::OnAngleTyped(wxCommandEvent&) {
    CRotateDlg typed;
    if (!typed.SetAngleText(FromWx(m_pAngle->GetValue()))) return;
    if (typed.m_dAngle < CRotateDlg::kArrowMin || typed.m_dAngle > CRotateDlg::kArrowMax) return;
    m_pArrow->SetValue(static_cast<int>(typed.m_dAngle));
}

void CRotateDialog::OnArrow(wxSpinEvent& event) { m_pAngle->ChangeValue(wxString::Format("%d", event.GetPosition())); }

bool CRotateDialog::TransferDataFromWindow() {
    m_form.m_nDirection = m_pList->GetSelection();  // wxNOT_FOUND is -1: none
    // Text that is not a number leaves the angle at 0.
    if (!m_form.SetAngleText(FromWx(m_pAngle->GetValue()))) m_form.m_dAngle = 0.0;
    return true;
}

int CRotateDialog::RotationAngle() const { return m_form.RotationAngle(); }

}  // namespace kelmio
