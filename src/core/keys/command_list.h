#pragma once
// The commands a key can be bound to, with the names the key dialogs show.

#include <string>
#include <vector>

namespace kelmio {

struct CommandListEntry {
    std::string name;  // Shift-JIS, "[menu]caption"
    unsigned int id;
};

// The 86 bindable commands in the order the key dialog lists them. Two
// entries share the name "[画像]カスタム" (custom reduce and custom enlarge).
const std::vector<CommandListEntry>& GetCommandList();

// The name of the first entry with that command ID, "" when none has it.
std::string GetCommandName(unsigned int id);

}  // namespace kelmio
