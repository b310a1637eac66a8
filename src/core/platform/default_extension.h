#pragma once
// Which extension a file chooser adds to a name typed without one.
//
// The choosers' default extension "*" means "whatever the chosen filter
// gives": with "テキストファイル (*.txt)" chosen the name gets ".txt"; with a
// filter that lists every file ("*.*", "*") it stays as typed. A literal
// "*" never becomes part of a file name.

#include <string>
#include <string_view>

namespace kelmio {

// The extension (without the dot) for a typed name without one; empty when
// none is to be added. `filter` is the chooser's filter string
// ("Text (*.txt)|*.txt|All (*.*)|*.*||", Shift-JIS) and `filterIndex` the
// chosen filter, 1-based (0 counts as the first).
std::string DefaultExtensionFor(std::string_view defaultExtension, std::string_view filter, int filterIndex);

// `path` (the file system's own bytes, as a chooser gives it) with the default
// extension added when its file name has none.
std::string WithDefaultExtension(std::string_view path, std::string_view defaultExtension, std::string_view filter,
                                 int filterIndex);

}  // namespace kelmio
