#pragma once
// Why a file could not be read or written, and the message the user sees.

#include <string>
#include <string_view>

namespace kelmio {

enum class FileErrorCause {
    kNotFound,
    kBadPath,
    kTooManyOpenFiles,
    kAccessDenied,
    kSharingViolation,
    kLockViolation,
    kDiskFull,
    kHardwareIo,
    kGeneric,
};

struct FileError {
    FileErrorCause cause = FileErrorCause::kGeneric;
    std::string path;  // Shift-JIS, as the user named the file
};

// The cause behind a system error number.
FileErrorCause CauseFromErrno(int error);

// The message for a file error, with the path in place of %1 (Shift-JIS).
std::string FileErrorMessage(const FileError& error);

// Replaces every "%1" in `pattern` by `value`.
std::string FormatMessage1(std::string_view pattern, std::string_view value);

}  // namespace kelmio
