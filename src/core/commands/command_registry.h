#pragma once
// One record per command holding everything Kelmio knows about it apart from
// what it does: its menu caption, status-bar prompt, tooltip, name in the key
// dialogs, toolbar icon, tick mark and, for the translation editor's
// commands, the editor operation. The menus, toolbar, status bar and key
// list all read these records; no other file spells a command's text.
// Texts are UTF-8 here; command_texts.h and the menus hand out Shift-JIS.
//
// A new command gets its number in command_ids.h, its record in
// command_registry.cpp (bindable commands among the key dialogs' rows, in
// the order the dialog lists them), and its place in a menu tree in
// menu_table.cpp or on the toolbar in toolbar_table.h. The code that carries
// it out answers QueryCommand/OnCommand (command_target.h) for its ID.

#include <optional>
#include <span>
#include <string_view>

#include "commands/command_ids.h"
#include "commands/editor_operation.h"

namespace kelmio {

struct CommandRecord {
    CommandId id{};
    std::string_view caption;         // main menu; "&" marks the mnemonic; "" without a menu place
    std::string_view contextCaption;  // in a context menu, where it differs from `caption`
    std::string_view prompt;          // status bar; "" when none
    std::string_view tooltip;         // "" when none
    std::string_view keyListName;     // "[menu]caption" in the key dialogs; "" when not bindable
    std::string_view iconName;        // the icon theme's name for its toolbar button
    bool bCheckable = false;          // its menu item carries a tick mark
    std::optional<EditorOperation> editorOperation;
};

// Every record: the bindable commands first, in the key dialogs' order.
std::span<const CommandRecord> CommandRecords();

// The record of a command; nullptr for a number that names none.
const CommandRecord* FindCommandRecord(CommandId id);
const CommandRecord* FindCommandRecord(int nID);

}  // namespace kelmio
