#pragma once
// "キーカスタマイズの追加" / "キーカスタマイズの変更": the widgets of the
// binding dialog over its form in the core, which decides everything.

#include <wx/dialog.h>

#include <functional>

class wxButton;
class wxCheckBox;
class wxListBox;

namespace kelmio {

class CKeycustDlg;

class CKeycustDialog final : public wxDialog {
public:
    static constexpr int kKeyListId = 159;
    static constexpr int kCtrlId = 160;
    static constexpr int kShiftId = 161;
    static constexpr int kAltId = 162;
    static constexpr int kCommandListId = 118;

    // The form has been initialised by its owner; `showHelp` opens the
    // dialog's help topic (F1).
    CKeycustDialog(wxWindow* parent, CKeycustDlg& form, std::function<void()> showHelp);

private:
    void FillKeyList();
    void ShowCommand();
    void OnModifier(wxCommandEvent& event);
    void OnKeySelected(wxCommandEvent& event);
    void OnOK(wxCommandEvent& event);
    void OnCharHook(wxKeyEvent& event);

    CKeycustDlg& m_form;
    std::function<void()> m_showHelp;
    wxListBox* m_pKeys;
    wxListBox* m_pCommands;
    wxCheckBox* m_pCtrl;
    wxCheckBox* m_pShift;
    wxCheckBox* m_pAlt;
    wxButton* m_pOk;
};

}  // namespace kelmio
