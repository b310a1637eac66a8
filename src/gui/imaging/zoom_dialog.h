#pragma once
// The custom zoom dialog: a factor from 1.0 to 10.0 in an edit field beside
// a scroll bar. The rules are CZoomDlg's; this binds them to widgets.

#include <wx/dialog.h>

#include "imaging/zoom_dlg.h"

class wxScrollBar;
class wxScrollEvent;
class wxStaticText;
class wxTextCtrl;

namespace kelmio {

class CZoomDialog final : public wxDialog {
public:
    static constexpr int kUnitId = 183;
    static constexpr int kScrollId = 185;
    static constexpr int kEditId = 186;

    CZoomDialog(wxWindow* parent, CZoomDlg form);

    // After OK: the tenths to apply (10 ... 100).
    int AcceptedTenths() const;
    const CZoomDlg& Form() const { return m_form; }

    // A scroll-bar event as the bar reports it (tests send them too).
    void OnScroll(wxScrollEvent& event);

private:
    void ShowFactor();

    CZoomDlg m_form;
    wxScrollBar* m_pBar;
    wxTextCtrl* m_pEdit;
};

}  // namespace kelmio
