#pragma once
// The key list of the key customisation dialog: two aligned columns (the
// key text, then the command name after a vertical line), the selected line
// navy with white text.

#include <wx/pen.h>
#include <wx/vlbox.h>

#include <vector>

#include "keys/key_set_form.h"

namespace kelmio {

class CKeyListBox final : public wxVListBox {
public:
    CKeyListBox(wxWindow* parent, wxWindowID id);

    // Shows `rows` with a key column `keyColumnWidth` characters wide.
    void SetRows(const std::vector<KeyListRow>& rows, int keyColumnWidth);

    // The x offset of the line between the columns.
    int ColumnLineOffset() const;

    // Draws line `n` onto `dc` as the list shows it.
    void DrawRow(wxDC& dc, const wxRect& rect, size_t n) const;

private:
    void OnDrawItem(wxDC& dc, const wxRect& rect, size_t n) const override;
    void OnDrawBackground(wxDC& dc, const wxRect& rect, size_t n) const override;
    wxCoord OnMeasureItem(size_t n) const override;

    std::vector<KeyListRow> m_rows;
    int m_nKeyColumnWidth = CKeySetDlg::kMinKeyColumnWidth;
    wxPen m_whitePen;
};

}  // namespace kelmio
