#pragma once
// The one-line input dialog: a prompt above an edit box, OK and Cancel.

#include <wx/dialog.h>

#include <string>

#include "platform/file_path.h"

class wxTextCtrl;

namespace kelmio {

class CInputDlg final : public wxDialog {
public:
    // Shift-JIS prompt and initial value.
    CInputDlg(wxWindow* parent, const std::string& prompt, const std::string& value);

    // The text in Shift-JIS (a character without a form becomes "?").
    std::string Value() const;
    // A file name or address: shown, and read back with every character
    // kept (as typed, not through Shift-JIS).
    void SetPathValue(const CFilePath& value);
    CFilePath PathValue() const;

private:
    wxTextCtrl* m_pEdit;
};

}  // namespace kelmio
