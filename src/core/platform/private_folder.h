#pragma once
// A folder that belongs to this user alone, for files Kelmio writes under
// fixed names (the preview page). A shared folder such as /tmp would let
// another user plant a link under that name and have us overwrite a file
// of ours through it.

#include <string>
#include <string_view>

#include "platform/file_path.h"

namespace kelmio {

// $XDG_RUNTIME_DIR/kelmio, else /tmp/kelmio-<uid>, created 0700 when
// missing and checked for owner and mode. Shift-JIS, without a trailing
// separator; empty when no such folder can be had.
std::string GetPrivateTempFolder();

// The same below `base` (a native path) instead of the runtime folder.
std::string PrivateFolderBelow(const std::string& base, std::string_view name);

// `folder` for this user's eyes only, where copies of the user's work are
// kept: created 0700 (its missing parents as CreateFolderTree makes them),
// and narrowed to 0700 when it exists with more open modes, as an older
// Kelmio left it. True when it is now a folder of this user that no one
// else may enter.
bool MakeWorkCopyFolder(const CFilePath& folder);

}  // namespace kelmio
