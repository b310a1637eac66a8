#pragma once
// "プロジェクトの設定": the widgets of the Project settings dialog, bound
// to its form in the core.

#include <wx/dialog.h>

class wxTextCtrl;

namespace kelmio {

class CProjectDlg;

class CProjectDialog final : public wxDialog {
public:
    static constexpr int kSourceId = 1014;
    static constexpr int kBrowseSourceId = 1015;
    static constexpr int kEditFileId = 1012;
    static constexpr int kBrowseEditFileId = 1013;

    // The form has been initialised by its owner.
    CProjectDialog(wxWindow* parent, CProjectDlg& form);

private:
    void ShowMembers();
    void TakeValues();

    CProjectDlg& m_form;
    wxTextCtrl* m_pSource;
    wxTextCtrl* m_pEditFile;
};

}  // namespace kelmio
