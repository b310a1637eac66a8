#pragma once
// Where things are: the program's folder, the user's standard folders, and
// creating a folder with all its missing parents.
//
// All paths are Shift-JIS strings. On this platform the program folder is the
// executable's folder, documents is the XDG documents folder, application
// data is $XDG_DATA_HOME when it names an absolute folder (else
// ~/.local/share) and the temporary folder is
// $TMPDIR (or /tmp).

#include <string>
#include <string_view>

namespace kelmio {

// The executable's folder, without a trailing separator.
std::string GetProgramFolder();

// The executable's folder with a trailing separator, followed by `name`.
std::string GetProgramFilePath(std::string_view name);

// The temporary folder, with a trailing separator as the system reports it.
std::string GetTempFolder();

// The user's documents folder.
std::string GetDocumentsFolder();

// A path in the user's application-data folder: the folder itself without
// `sub`; folder/sub, folder/sub/inner; with `file` as well, folder/sub/inner/file
// after creating the folders that are missing.
std::string GetAppDataPath(std::string_view sub = {}, std::string_view inner = {}, std::string_view file = {});

// The same below another base folder instead of the user's.
std::string BuildAppDataPath(std::string_view base, std::string_view sub, std::string_view inner,
                             std::string_view file);

// Creates the folder `path` and any missing parents. True when the folder was
// created; false when it already existed or could not be created.
bool CreateFolderTree(std::string_view path);

}  // namespace kelmio
