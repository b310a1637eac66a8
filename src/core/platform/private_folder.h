#pragma once
// A folder that belongs to this user alone, for files Kelmio writes under
// fixed names (the preview page). A shared folder such as /tmp would let
// another user plant a link under that name and have us overwrite a file
// of ours through it.

#include <string>
#include <string_view>

namespace kelmio {

// $XDG_RUNTIME_DIR/kelmio, else /tmp/kelmio-<uid>, created 0700 when
// missing and checked for owner and mode. Shift-JIS, without a trailing
// separator; empty when no such folder can be had.
std::string GetPrivateTempFolder();

// The same below `base` (a native path) instead of the runtime folder.
std::string PrivateFolderBelow(const std::string& base, std::string_view name);

}  // namespace kelmio
