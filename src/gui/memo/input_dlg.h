#pragma once
// The one-line input dialog: a prompt above an edit box, OK and Cancel.

#include <wx/dialog.h>

#include <string>

class wxTextCtrl;

namespace kelmio {

class CInputDlg final : public wxDialog {
public:
    // Shift-JIS prompt and initial value.
    CInputDlg(wxWindow* parent, const std::string& prompt, const std::string& value);

    std::string Value() const;

private:
    wxTextCtrl* m_pEdit;
};

}  // namespace kelmio
