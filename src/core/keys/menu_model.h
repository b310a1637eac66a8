#pragma once
// The shortcut text in a menu caption. The key table writes it into a copy
// of the main menu's tree (commands/menu_table.h); the window relabels its
// menu items from that copy by command ID.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "commands/menu_table.h"

namespace kelmio {

using MenuBar = std::vector<CMenuItem>;

// Longest caption read from a menu item, in bytes.
constexpr std::size_t kMaxMenuCaptionBytes = 255;

// `caption` (at most its first 255 bytes, never splitting a double-byte
// character) with its shortcut text replaced: with a key text, everything
// after the last tab becomes the key text (a tab is added when there is
// none); without one, the last tab and everything after it go.
std::string CaptionWithKeyText(std::string_view caption, std::optional<std::string_view> keyText);

}  // namespace kelmio
