#pragma once
// The arbitrary rotation dialog: a direction list and an angle with arrows.
// The rules are CRotateDlg's; this binds them to widgets.

#include <wx/dialog.h>

#include "imaging/rotate_dlg.h"

class wxListBox;
class wxSpinButton;
class wxSpinEvent;
class wxTextCtrl;

namespace kelmio {

class CRotateDialog final : public wxDialog {
public:
    static constexpr int kDirectionId = 142;
    static constexpr int kArrowId = 144;
    static constexpr int kAngleId = 145;

    explicit CRotateDialog(wxWindow* parent);

    // After OK: the angle to turn by, in hundredths of a degree (left).
    int RotationAngle() const;

    wxListBox* DirectionList() const { return m_pList; }
    wxTextCtrl* AngleField() const { return m_pAngle; }
    wxSpinButton* AngleArrow() const { return m_pArrow; }

private:
    void OnArrow(wxSpinEvent& event);
    void OnAngleTyped(wxCommandEvent& event);
    bool TransferDataFromWindow() override;

    CRotateDlg m_form;
    wxListBox* m_pList;
    wxTextCtrl* m_pAngle;
    wxSpinButton* m_pArrow;
};

}  // namespace kelmio
