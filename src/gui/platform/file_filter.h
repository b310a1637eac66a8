#pragma once
// The file choosers' filter strings ("Text (*.txt)|*.txt|All (*.*)|*.*||",
// Shift-JIS) as the toolkit's wildcard. The only place they are converted.

#include <string_view>

#include <wx/string.h>

namespace kelmio {

// Patterns match regardless of case, as users of these filters expect, and
// "*.*" matches every file, names without a dot included. A display text
// without a pattern after it is dropped.
wxString ToWxWildcard(std::string_view sjisFilter);

}  // namespace kelmio
