#pragma once
// The source display settings dialog ("設定"): the scroll offset used for
// documents that are not HTML pages. The form (core COptionDlg) decides.

#include <wx/dialog.h>

class wxTextCtrl;

namespace kelmio {

class COptionDlg;
class CPrompter;
class CSettings;

class COptionDialog final : public wxDialog {
public:
    COptionDialog(wxWindow* parent, COptionDlg& form, CSettings& settings, CPrompter& prompter);

private:
    void OnOK(wxCommandEvent& event);

    COptionDlg& m_form;
    CSettings& m_settings;
    CPrompter& m_prompter;
    wxTextCtrl* m_pValue;
};

}  // namespace kelmio
