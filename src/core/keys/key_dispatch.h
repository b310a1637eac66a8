#pragma once
// Which key presses the main window takes for a command from the key table
// and which it passes on to the pane that has the focus.

#include <optional>
#include <vector>

#include "keys/keycust.h"

namespace kelmio {

// The main frame's active view when the key is pressed.
enum class ActiveView { kSource, kEditor, kMemo };

struct KeyPress {
    unsigned int key = 0;  // Windows virtual-key code
    bool alt = false;
    bool shift = false;
    bool ctrl = false;
};

// Whether the key table is consulted at all. While the translation editor
// is active, plain and Shift-only typing keys (letters, digits, arrows,
// Enter, Space, Tab, Delete, the numeric pad, ...) always go to the editor;
// F-keys, the at-sign key, Escape and anything with Ctrl or Alt are looked
// up. Every key is looked up in the other views.
bool KeyReachesTable(ActiveView view, const KeyPress& press);

// The rest of the rule once a binding was found: nullopt passes the key on
// (an editor key in the editor while the user prefers the editor's own
// keys, or a binding without a command), else the command to post.
std::optional<unsigned int> DecideForBinding(ActiveView view, bool editorKey, unsigned int command,
                                             bool editorKeysFirst);

// The whole decision for a key-down: the command to post to the main window
// (the key is then swallowed), or nullopt to pass the key on.
std::optional<unsigned int> DecideKeyDispatch(ActiveView view, const KeyPress& press,
                                              const std::vector<CKeycust>& bindings, bool editorKeysFirst);

// For a key the dispatch passed on: true when it must go nowhere. The
// translation editor's editing keys (undo, clipboard, deleting a word) run
// the editor's own command only when the table binds them and the user
// prefers the editor's keys; unbound, they do nothing, as every shortcut
// comes from the table.
bool KeepFromEditor(ActiveView view, const KeyPress& press, const std::vector<CKeycust>& bindings,
                    bool editorKeysFirst);

}  // namespace kelmio
