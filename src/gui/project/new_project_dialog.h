#pragma once
// "新規プロジェクト": the widgets of the New Project dialog, bound to its
// form in the core, which decides everything; the window copies values in
// and out around each of the form's operations.

#include <wx/dialog.h>

class wxCheckBox;
class wxTextCtrl;

namespace kelmio {

class CNewProjectDlg;

class CNewProjectDialog final : public wxDialog {
public:
    static constexpr int kNameId = 1026;
    static constexpr int kFolderId = 1027;
    static constexpr int kBrowseId = 1013;
    static constexpr int kSubFolderId = 1028;
    static constexpr int kTextNameId = 1012;

    // The form has been initialised by its owner.
    CNewProjectDialog(wxWindow* parent, CNewProjectDlg& form);

private:
    void ShowMembers();
    void TakeValues(bool withName);
    void OnNameChanged(wxCommandEvent& event);
    void OnBrowse(wxCommandEvent& event);
    void OnCreate(wxCommandEvent& event);

    CNewProjectDlg& m_form;
    wxTextCtrl* m_pName;
    wxTextCtrl* m_pFolder;
    wxCheckBox* m_pSubFolder;
    wxTextCtrl* m_pTextName;
};

}  // namespace kelmio
