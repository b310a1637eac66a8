#pragma once
// The shortcut texts of the key table in the captions of the window's menu
// bar. The key table writes them into the window's own copy of the main
// menu's tree, where the core decides every caption; the toolkit's items
// whose captions changed are then relabelled, found by command ID. The
// toolkit's menu is never read back.

#include "keys/menu_model.h"

class wxMenuBar;

namespace kelmio {

class CKeycustArray;

class CMenuKeyTexts {
public:
    // Starts from the captions the menu bar was built with.
    CMenuKeyTexts();

    // Every binding's key text into its command's caption, in table order.
    // Captions keep what earlier calls wrote, as the menu items themselves do.
    void Apply(const CKeycustArray& table, wxMenuBar& bar);

    const MenuBar& Captions() const { return m_captions; }

private:
    MenuBar m_captions;
};

}  // namespace kelmio
