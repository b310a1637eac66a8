#include "gui/memo/kel_form_view.h"

#include <wx/settings.h>

namespace kelmio {

CKelFormView::CKelFormView(wxWindow* parent) : CPaneView(parent, wxID_ANY) {
    SetBackgroundColour(wxSystemSettings::GetColour(wxSYS_COLOUR_BTNFACE));
}

std::optional<CommandState> CKelFormView::QueryCommand(CommandId) const { return std::nullopt; }

bool CKelFormView::OnCommand(CommandId) { return false; }

}  // namespace kelmio
