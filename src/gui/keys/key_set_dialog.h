#pragma once
// "キーカスタマイズ": the widgets of the key list dialog over its form in
// the core. Every edit acts on the key table at once; "保存して閉じる"
// writes the file, the close box leaves the file as it was.

#include <wx/dialog.h>

class wxCheckBox;

namespace kelmio {

class CKeyListBox;
class CKeySetDlg;

class CKeySetDialog final : public wxDialog {
public:
    static constexpr int kListId = 159;
    static constexpr int kAddId = 141;
    static constexpr int kChangeId = 143;
    static constexpr int kDeleteId = 131;
    static constexpr int kReadId = 156;
    static constexpr int kSaveAsId = 155;
    static constexpr int kEditorKeysFirstId = 233;

    // Initialises the form and shows it.
    CKeySetDialog(wxWindow* parent, CKeySetDlg& form);

    CKeyListBox& List() { return *m_pList; }

private:
    void ShowList();
    void TakeSelection();
    void Run(void (CKeySetDlg::*operation)());
    void OnSaveAndClose(wxCommandEvent& event);

    CKeySetDlg& m_form;
    CKeyListBox* m_pList;
    wxCheckBox* m_pEditorKeysFirst;
};

}  // namespace kelmio
