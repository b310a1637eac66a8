#pragma once
// Which plug-in modules may be loaded: loading one runs its code as ours, so
// only a module that no one but this user (or the system) could have put or
// changed is taken. A module found in a folder the user did not name, such
// as the folder the program happened to be started in, is never loaded.

#include <optional>
#include <string>

#include "platform/file_path.h"

namespace kelmio {

// The folder the plug-ins are looked for in: the folder named in the
// settings; when none is named, the program's own folder; a relative one
// lies in the program's folder too, never in the working folder.
CFilePath PluginFolder(const CFilePath& configured, const CFilePath& programFolder);

// The folder's real path (links resolved) when it may hold plug-ins: owned
// by this user or root, written by no one else, and every folder above it
// likewise (one that others may write to counts when it is sticky: only an
// entry's owner can then rename or remove it). nullopt otherwise.
std::optional<std::string> TrustedPluginFolder(const std::string& nativeFolder);

// The real path of a plug-in module when it may be loaded: a regular file
// owned by this user or root and written by no one else, in a folder that
// TrustedPluginFolder accepts. nullopt otherwise.
std::optional<std::string> TrustedPluginFile(const std::string& nativePath);

}  // namespace kelmio
