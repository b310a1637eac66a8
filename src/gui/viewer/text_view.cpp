#include "gui/viewer/text_view.h"

#include <wx/settings.h>

namespace kelmio {

CTextView::CTextView(wxWindow* parent) : CPaneView(parent, wxID_ANY) {
    SetBackgroundColour(wxSystemSettings::GetColour(wxSYS_COLOUR_WINDOW));
}

std::optional<CommandState> CTextView::QueryCommand(CommandId) const { return std::nullopt; }

bool CTextView::OnCommand(CommandId) { return false; }

}  // namespace kelmio
