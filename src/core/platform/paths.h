#pragma once
// Where the program's own files and the user's application data live.
//
// Paths are Shift-JIS strings like every path inside Kelmio. On this
// platform the program folder is the folder of the running executable, and
// application data is $XDG_DATA_HOME (when it names an absolute folder) or
// ~/.local/share.

#include <string>
#include <string_view>

namespace kelmio {

// The folder of the running executable, without a trailing separator; ""
// when the system cannot tell.
std::string GetProgramFolder();

// A path in the user's application-data folder: the folder itself when
// `sub` is empty, else folder/sub[/inner][/file]. When a file name is given
// the folders before it are created if they are missing.
std::string GetAppDataPath(std::string_view sub = {}, std::string_view inner = {}, std::string_view file = {});

// The same below another base folder instead of the user's.
std::string BuildAppDataPath(std::string_view base, std::string_view sub, std::string_view inner,
                             std::string_view file);

// Creates the folder `path` with every missing folder above it. True when
// the folder was created; false when it already existed or could not be
// made (callers check for existence first).
bool CreateFolderTree(std::string_view path);

}  // namespace kelmio
