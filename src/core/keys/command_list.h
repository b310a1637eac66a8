#pragma once
// The commands a key can be bound to, with the names the key dialogs show:
// the records of commands/command_registry.h that carry a key-list name.

#include <string>
#include <vector>

namespace kelmio {

struct CommandListEntry {
    std::string name;  // Shift-JIS, "[menu]caption"
    unsigned int id;
};

// The 86 bindable commands in the order the key dialog lists them. Two
// entries share a name: custom reduce and custom enlarge are both "custom".
const std::vector<CommandListEntry>& GetCommandList();

// The name of the first entry with that command ID, "" when none has it.
std::string GetCommandName(unsigned int id);

}  // namespace kelmio
