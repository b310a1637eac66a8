#pragma once
// The menus as data: the main menu bar and the three context menus, with
// every caption, command ID, separator and sub-menu in order. The window
// code builds its menus from these trees and never spells a caption itself.

#include <string>
#include <vector>

namespace kelmio {

struct CMenuItem {
    enum class Kind { kCommand, kSeparator, kPopup };

    Kind kind = Kind::kSeparator;
    int nID = 0;                      // commands only
    std::string strCaption;           // Shift-JIS; "&" marks the mnemonic, a tab the shortcut
    std::vector<CMenuItem> children;  // pop-ups only
};

// The pop-ups of the menu bar, left to right.
const std::vector<CMenuItem>& MainMenu();

// The context menus, each shown by one pane.
enum class ContextMenuKind { kEdit, kPreview, kMemo };
const CMenuItem& ContextMenu(ContextMenuKind which);

// The item with command `nID` anywhere in `items`, or nullptr.
const CMenuItem* FindMenuCommand(const std::vector<CMenuItem>& items, int nID);

// Commands whose menu item carries a tick mark.
bool IsCheckableCommand(int nID);

// Every command ID reachable from `items`, in menu order.
std::vector<int> MenuCommandIds(const std::vector<CMenuItem>& items);

}  // namespace kelmio
