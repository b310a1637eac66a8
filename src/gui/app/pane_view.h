#pragma once
// One of the three panes of the main window. A pane is a command target:
// while it is the active pane, commands reach it first.

#include <wx/panel.h>

#include "commands/command_target.h"

namespace kelmio {

class CPaneView : public wxPanel, public CCommandTarget {
public:
    CPaneView(wxWindow* parent, wxWindowID id) : wxPanel(parent, id) {}

    // Gives the keyboard focus to the part of the pane the user types into.
    virtual void FocusPane() { SetFocus(); }
};

}  // namespace kelmio
