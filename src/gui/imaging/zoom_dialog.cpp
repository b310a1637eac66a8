#include "gui/imaging/zoom_dialog.h"

#include <wx/scrolbar.h>
#include <wx/sizer.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

#include "gui/platform/dialog_buttons.h"
#include "gui/platform/wx_text.h"

namespace kelmio {

CZoomDialog::CZoomDialog(wxWindow* parent, CZoomDlg form)
    : wxDialog(parent, wxID_ANY, ToWx(form.GetTitle())), m_form(std::move(form)) {
    auto* sizer = new wxBoxSizer(wxVERTICAL);
    sizer->Add(new wxStaticText(this, wxID_ANY, ToWx(CZoomDlg::GetPrompt())), 0, wxALL, 10);
    auto* row = new wxBoxSizer(wxHORIZONTAL);
    m_pEdit = new wxTextCtrl(this, kEditId, wxString(), wxDefaultPosition, wxSize(80, -1));
    row->Add(m_pEdit, 0, wxALIGN_CENTER_VERTICAL);
    row->Add(new wxStaticText(this, kUnitId, ToWx(m_form.GetUnitText())), 0, wxALIGN_CENTER_VERTICAL | wxLEFT, 6);
    sizer->Add(row, 0, wxLEFT | wxRIGHT, 10);
    m_pBar = new wxScrollBar(this, kScrollId, wxDefaultPosition, wxSize(260, -1), wxSB_HORIZONTAL);
    // Positions 10 ... 100: a range of 101 with a thumb of one.
    m_pBar->SetScrollbar(m_form.GetScrollPos(), 1, CZoomDlg::kScrollMax + 1, 5);
    sizer->Add(m_pBar, 0, wxEXPAND | wxALL, 10);

    sizer->Add(OkCancelButtons(*this), 0, wxEXPAND | wxALL, 10);
    SetSizerAndFit(sizer);

    ShowFactor();
    m_pBar->Bind(wxEVT_SCROLL_LINEUP, &CZoomDialog::OnScroll, this);
    m_pBar->Bind(wxEVT_SCROLL_LINEDOWN, &CZoomDialog::OnScroll, this);
    m_pBar->Bind(wxEVT_SCROLL_PAGEUP, &CZoomDialog::OnScroll, this);
    m_pBar->Bind(wxEVT_SCROLL_PAGEDOWN, &CZoomDialog::OnScroll, this);
    m_pBar->Bind(wxEVT_SCROLL_THUMBTRACK, &CZoomDialog::OnScroll, this);
    m_pBar->Bind(wxEVT_SCROLL_THUMBRELEASE, &CZoomDialog::OnScroll, this);
    m_pBar->Bind(wxEVT_SCROLL_TOP, &CZoomDialog::OnScroll, this);
    m_pBar->Bind(wxEVT_SCROLL_BOTTOM, &CZoomDialog::OnScroll, this);
}

void CZoomDialog::OnScroll(wxScrollEvent& event) {
    using Event = CZoomDlg::ScrollEvent;
    const wxEventType type = event.GetEventType();
    Event kind = Event::kThumb;
    if (type == wxEVT_SCROLL_LINEUP) kind = Event::kLineLeft;
    else if (type == wxEVT_SCROLL_LINEDOWN) kind = Event::kLineRight;
    else if (type == wxEVT_SCROLL_PAGEUP) kind = Event::kPageLeft;
    else if (type == wxEVT_SCROLL_PAGEDOWN) kind = Event::kPageRight;
    else if (type == wxEVT_SCROLL_TOP) kind = Event::kLeftEnd;
    else if (type == wxEVT_SCROLL_BOTTOM) kind = Event::kRightEnd;
    m_form.OnScroll(kind, event.GetPosition(), FromWx(m_pEdit->GetValue()));
    ShowFactor();
}

void CZoomDialog::ShowFactor() {
    m_pEdit->ChangeValue(ToWx(m_form.GetFactorText()));
    m_pBar->SetThumbPosition(m_form.GetScrollPos());
}

int CZoomDialog::AcceptedTenths() const { return m_form.AcceptedTenths(FromWx(m_pEdit->GetValue())); }

}  // namespace kelmio
