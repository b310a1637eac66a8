#include "gui/keys/key_list_box.h"

#include <wx/dc.h>
#include <wx/dcclient.h>
#include <wx/renderer.h>

#include "gui/platform/wx_text.h"

namespace kelmio {
namespace {

const wxColour kNavy(0, 0, 128);

}  // namespace

CKeyListBox::CKeyListBox(wxWindow* parent, wxWindowID id)
    : wxVListBox(parent, id, wxDefaultPosition, wxDefaultSize, wxBORDER_SUNKEN), m_whitePen(*wxWHITE, 1) {
    SetBackgroundColour(*wxWHITE);
    // Wide enough for 80 average characters, as the lines are drawn.
    wxClientDC dc(this);
    dc.SetFont(GetFont());
    SetMinClientSize(wxSize(dc.GetCharWidth() * 80, dc.GetCharHeight() * 14));
}

void CKeyListBox::SetRows(const std::vector<KeyListRow>& rows, int keyColumnWidth) {
    m_rows = rows;
    m_nKeyColumnWidth = keyColumnWidth;
    SetItemCount(m_rows.size());
    RefreshAll();
}

int CKeyListBox::ColumnLineOffset() const {
    wxClientDC dc(const_cast<CKeyListBox*>(this));
    dc.SetFont(GetFont());
    return KeyColumnLineOffset(dc.GetCharWidth(), m_nKeyColumnWidth);
}

void CKeyListBox::DrawRow(wxDC& dc, const wxRect& rect, size_t n) const {
    OnDrawBackground(dc, rect, n);
    OnDrawItem(dc, rect, n);
}

wxCoord CKeyListBox::OnMeasureItem(size_t) const {
    wxClientDC dc(const_cast<CKeyListBox*>(this));
    dc.SetFont(GetFont());
    return dc.GetCharHeight();
}

void CKeyListBox::OnDrawBackground(wxDC& dc, const wxRect& rect, size_t n) const {
    dc.SetPen(*wxTRANSPARENT_PEN);
    dc.SetBrush(wxBrush(IsSelected(n) ? kNavy : *wxWHITE));
    dc.DrawRectangle(rect);
    if (IsCurrent(n) && HasFocus()) {
        wxRendererNative::Get().DrawFocusRect(const_cast<CKeyListBox*>(this), dc, rect, 0);
    }
}

void CKeyListBox::OnDrawItem(wxDC& dc, const wxRect& rect, size_t n) const {
    if (n >= m_rows.size()) return;
    const KeyListRow& row = m_rows[n];
    const bool selected = IsSelected(n);
    dc.SetFont(GetFont());
    dc.SetBackgroundMode(wxBRUSHSTYLE_TRANSPARENT);
    dc.SetTextForeground(selected ? *wxWHITE : *wxBLACK);
    dc.SetPen(selected ? m_whitePen : *wxBLACK_PEN);
    dc.DrawText(ToWx(row.strKeyText), rect.GetLeft(), rect.GetTop());
    const int lineX = rect.GetLeft() + KeyColumnLineOffset(dc.GetCharWidth(), m_nKeyColumnWidth);
    dc.DrawLine(lineX, rect.GetTop(), lineX, rect.GetBottom() + 1);
    dc.DrawText(ToWx(row.strCommandName), lineX + 10, rect.GetTop());
}

}  // namespace kelmio
