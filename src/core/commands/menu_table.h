#pragma once
// The menus as data: the main menu bar and the three context menus, trees of
// command IDs, separators and sub-menus in order. A command item takes its
// caption from the command's record (command_registry.h); only the pop-ups'
// own captions are spelled here. The window code builds its menus from these
// trees, and the key table writes its shortcut texts into a copy of one.

#include <string>
#include <vector>

#include "commands/command_ids.h"

namespace kelmio {

struct CMenuItem {
    enum class Kind { kCommand, kSeparator, kPopup };

    Kind kind = Kind::kSeparator;
    CommandId id{};                   // commands only
    std::string strCaption;           // Shift-JIS; "&" marks the mnemonic, a tab the shortcut
    std::vector<CMenuItem> children;  // pop-ups only
};

// The pop-ups of the menu bar, left to right.
const std::vector<CMenuItem>& MainMenu();

// The context menus, each shown by one pane.
enum class ContextMenuKind { kEdit, kPreview, kMemo };
const CMenuItem& ContextMenu(ContextMenuKind which);

// The command item with `id`: a pop-up's own items are searched before the
// pop-ups nested in it, depth first, in menu order. nullptr when none.
CMenuItem* FindMenuCommand(std::vector<CMenuItem>& items, CommandId id);
const CMenuItem* FindMenuCommand(const std::vector<CMenuItem>& items, CommandId id);

// Commands whose menu item carries a tick mark, as their records say.
bool IsCheckableCommand(CommandId id);

// Every command ID reachable from `items`, in menu order.
std::vector<CommandId> MenuCommandIds(const std::vector<CMenuItem>& items);

}  // namespace kelmio
