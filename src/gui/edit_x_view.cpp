#include "edit_x_view.h"

#include <wx/menu.h>
#include <wx/sizer.h>
#include <wx/stc/stc.h>

#include "commands/command_ids.h"
#include "commands/menu_table.h"
#include "menu_builder.h"

namespace kelmio {
namespace {

// The view commands the component carries out under the same number.
bool IsComponentCommand(int nID) {
    switch (nID) {
        case ID_EDIT_UNDO:
        case ID_EDIT_REDO:
        case ID_EDIT_CUT:
        case ID_EDIT_COPY:
        case ID_EDIT_PASTE:
        case ID_EDIT_SELECT_ALL:
            return true;
        default:
            return false;
    }
}

}  // namespace

CEditXView::CEditXView(wxWindow* parent, CSettings& settings)
    : CPaneView(parent, wxID_ANY), m_settings(settings), m_ctrl(this) {
    auto* sizer = new wxBoxSizer(wxVERTICAL);
    sizer->Add(&m_ctrl.Widget(), 1, wxEXPAND);
    SetSizer(sizer);
    m_ctrl.LoadSettings(m_settings);
    m_ctrl.Widget().Bind(wxEVT_CONTEXT_MENU, &CEditXView::OnContextMenu, this);
}

CEditXView::~CEditXView() { m_ctrl.SaveSettings(m_settings); }

std::optional<CommandState> CEditXView::QueryCommand(int nID) const {
    if (!IsComponentCommand(nID) && nID != ID_EDIT_CLEAR) return std::nullopt;
    return EditViewCommandState(nID, m_ctrl);
}

bool CEditXView::OnCommand(int nID) {
    if (nID == ID_EDIT_CLEAR) {
        m_ctrl.SetSelText("");
        return true;
    }
    if (!IsComponentCommand(nID)) return false;
    m_ctrl.ExecCommand(nID);
    return true;
}

void CEditXView::FocusPane() { m_ctrl.Widget().SetFocus(); }

void CEditXView::OnContextMenu(wxContextMenuEvent& event) {
    wxStyledTextCtrl& edit = m_ctrl.Widget();
    // From the keyboard the menu opens just below the caret.
    const wxPoint at = event.GetPosition() == wxDefaultPosition ? m_ctrl.PointBelowCaret()
                                                                : edit.ScreenToClient(event.GetPosition());
    std::unique_ptr<wxMenu> menu = BuildPopupMenu(ContextMenu(ContextMenuKind::kEdit));
    edit.PopupMenu(menu.get(), at);
}

}  // namespace kelmio
