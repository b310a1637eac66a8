#pragma once
// Reading and saving whole files.
//
// Paths inside Kelmio are Shift-JIS strings, as the project file stores
// them; the file system here names files in UTF-8. These functions take the
// Shift-JIS path and convert it for the system call (ToNativePath), so no
// caller converts paths by hand.
//
// Saving is atomic: the bytes go to a temporary file in the same folder,
// which is flushed to disk and then renamed over the old file. A save that
// fails at any point leaves the old file exactly as it was.

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <sys/types.h>

#include "platform/file_error.h"

namespace kelmio {

// The name the operating system uses for a Shift-JIS path, and back.
std::string ToNativePath(std::string_view sjisPath);
std::string FromNativePath(std::string_view nativePath);

struct FileReadResult {
    std::string bytes;
    std::optional<FileError> error;  // set when the file could not be read

    bool ok() const { return !error.has_value(); }
};

FileReadResult ReadWholeFile(std::string_view sjisPath);

// Saves `bytes` as the file `sjisPath`; nullopt on success.
std::optional<FileError> SaveFileAtomically(std::string_view sjisPath, std::string_view bytes);

// The same, with every low-level write going through `write` (same contract
// as write(2)), so that tests can fail a save at any byte.
using WriteFunction = std::function<ssize_t(int fd, const void* data, std::size_t size)>;
std::optional<FileError> SaveFileAtomically(std::string_view sjisPath, std::string_view bytes,
                                            const WriteFunction& write);

// True when a file or folder of that name exists.
bool PathExists(std::string_view sjisPath);

}  // namespace kelmio
