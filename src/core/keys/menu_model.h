#pragma once
// A menu bar as plain data, so that the rules for the shortcut text shown
// in captions are decided here and the window's real menu bar mirrors the
// result.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kelmio {

struct MenuItem {
    enum class Kind { kCommand, kSeparator, kPopup };

    Kind kind = Kind::kCommand;
    unsigned int id = 0;          // command items only
    std::string caption;          // Shift-JIS; "&" marks the mnemonic, the text after a tab is the shortcut
    std::vector<MenuItem> items;  // popups only

    static MenuItem Command(unsigned int id, std::string caption);
    static MenuItem Separator();
    static MenuItem Popup(std::string caption, std::vector<MenuItem> items);
};

using MenuBar = std::vector<MenuItem>;

// The command item with `id`: a popup's own items are searched before the
// popups nested in it, depth first, in menu order. nullptr when none.
MenuItem* FindMenuCommand(std::vector<MenuItem>& items, unsigned int id);
const MenuItem* FindMenuCommand(const std::vector<MenuItem>& items, unsigned int id);

// Longest caption read from a menu item, in bytes.
constexpr std::size_t kMaxMenuCaptionBytes = 255;

// `caption` (at most its first 255 bytes, never splitting a double-byte
// character) with its shortcut text replaced: with a key text, everything
// after the last tab becomes the key text (a tab is added when there is
// none); without one, the last tab and everything after it go.
std::string CaptionWithKeyText(std::string_view caption, std::optional<std::string_view> keyText);

}  // namespace kelmio
