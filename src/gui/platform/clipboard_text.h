#pragma once
// The clipboard's text for a dictionary lookup (command 32840), as
// Shift-JIS; nullopt when the clipboard holds no text or cannot be opened.

#include <optional>
#include <string>

namespace kelmio {

std::optional<std::string> ClipboardText();

}  // namespace kelmio
