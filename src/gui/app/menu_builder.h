#pragma once
// Builds the toolkit's menus and the toolbar from the command tables of
// the core: captions, status prompts and tooltips come from there only.

#include <memory>

#include "commands/menu_table.h"

class wxMenu;
class wxMenuBar;
class wxToolBar;

namespace kelmio {

std::unique_ptr<wxMenuBar> BuildMenuBar();
std::unique_ptr<wxMenu> BuildPopupMenu(const CMenuItem& popup);
void AddToolbarButtons(wxToolBar& toolbar);

}  // namespace kelmio
