#pragma once
// The source history dialog ("過去のソースファイル"): a list of the
// project's sources, file name and folder, over the core form.

#include <wx/dialog.h>

class wxListCtrl;
class wxListEvent;

namespace kelmio {

class CSrcHistoryDlg;

class CSourceHistoryDialog final : public wxDialog {
public:
    CSourceHistoryDialog(wxWindow* parent, CSrcHistoryDlg& form);

    wxListCtrl& List() { return *m_pList; }

private:
    void OnOK(wxCommandEvent& event);
    void OnActivated(wxListEvent& event);
    void Choose();

    CSrcHistoryDlg& m_form;
    wxListCtrl* m_pList;
};

}  // namespace kelmio
