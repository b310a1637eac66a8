#pragma once
// The shortcut texts of the key table in the captions of the window's
// menu bar. The rule for a caption is decided on a plain copy of the menu
// (the core's menu model); the toolkit's menus then take the captions that
// changed.

#include "keys/menu_model.h"

class wxMenuBar;

namespace kelmio {

class CKeycustArray;

// A copy of the menu bar's pop-ups, items and captions (Shift-JIS). Items
// that carry no command are copied as separators, so no key text can land
// on them.
MenuBar MirrorMenuBar(const wxMenuBar& bar);

// Writes each command caption of `mirror` into the item at the same place
// of `bar` where it differs. `mirror` must come from `bar`.
void CopyCaptionsToMenuBar(const MenuBar& mirror, wxMenuBar& bar);

// Every binding's key text into its command's caption, in table order.
void ApplyKeyTextsToMenuBar(const CKeycustArray& table, wxMenuBar& bar);

}  // namespace kelmio
