#pragma once
// Where things are: the program's folder, the user's standard folders, and
// creating a folder with all its missing parents.
//
// Folders are CFilePath, taken from the environment and the system as the
// bytes they are, so a home folder named with any character works. On this
// platform the program folder is the executable's folder, documents is the
// XDG documents folder, application data is $XDG_DATA_HOME when it names an
// absolute folder (else ~/.local/share) and the temporary folder is
// $TMPDIR (or /tmp).

#include <string_view>

#include "platform/file_path.h"

namespace kelmio {

// The executable's folder, without a trailing separator.
CFilePath GetProgramFolder();

// The executable's folder with a trailing separator, followed by `name`.
CFilePath GetProgramFilePath(const CFilePath& name);

// The temporary folder, with a trailing separator as the system reports it.
CFilePath GetTempFolder();

// The user's documents folder.
CFilePath GetDocumentsFolder();

// A folder as the user typed it, made absolute: "~" and "~/..." lie in the
// home folder, as in the file choosers; any other relative folder, an empty
// one too, lies in the documents folder, where new work goes by default
// (a program started from the desktop has no working folder of meaning).
CFilePath TypedFolder(const CFilePath& typed);

// A path in the user's application-data folder: the folder itself without
// `sub`; folder/sub, folder/sub/inner; with `file` as well, folder/sub/inner/file
// after creating the folders that are missing.
CFilePath GetAppDataPath(std::string_view sub = {}, std::string_view inner = {}, std::string_view file = {});

// The same below another base folder instead of the user's.
CFilePath BuildAppDataPath(const CFilePath& base, std::string_view sub, std::string_view inner,
                           std::string_view file);

// Creates the folder `path` and any missing parents. True when the folder was
// created; false when it already existed or could not be created.
bool CreateFolderTree(const CFilePath& path);

}  // namespace kelmio
