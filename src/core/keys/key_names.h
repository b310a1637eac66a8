#pragma once
// The names of the keys a binding can use, and the key text shown for a
// binding ("Shift+Ctrl+F5") in menus, dialogs and kelmio-cli.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "keys/keycust.h"

namespace kelmio {

struct KeyName {
    std::string name;   // Shift-JIS (all ASCII)
    unsigned int code;  // Windows virtual-key code
};

// The 78 bindable keys in the order the key dialog lists them.
const std::vector<KeyName>& GetKeyNameList();

// The name of a virtual-key code, "" when the key is not in the list.
std::string GetKeyName(unsigned int code);

// "Alt+", "Shift+", "Ctrl+" as held, in that order, then the key's name.
std::string MakeKeyText(unsigned int key, bool alt, bool shift, bool ctrl);
std::string MakeKeyText(const CKeycust& binding);

// The key and modifiers of a key text such as "Ctrl+S" or "Shift+Ctrl+F5"
// (modifiers in any order); the command is left 0. nullopt when the text
// does not end in a listed key name.
std::optional<CKeycust> ParseKeyText(std::string_view text);

}  // namespace kelmio
