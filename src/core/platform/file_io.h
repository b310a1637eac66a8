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

// The Shift-JIS path that names exactly the file `nativePath` names, or
// nullopt when the name has no Shift-JIS form (a character outside
// Shift-JIS, bytes that are not UTF-8). FromNativePath would put "?" in
// its place, naming another file: where a name comes in from outside, it
// is checked here and refused with kBadPath.
std::optional<std::string> ExactSjisPath(std::string_view nativePath);

struct FileReadResult {
    std::string bytes;
    std::optional<FileError> error;  // set when the file could not be read
    bool bTooLarge = false;          // refused for its size (error says access denied)

    bool ok() const { return !error.has_value(); }
};

// A file open for reading, a block at a time: for readers that stop as soon
// as they know enough. Only regular files are read. Opening never waits: a
// FIFO, socket or device is refused as access denied, a folder likewise.
class CFileReader {
public:
    explicit CFileReader(std::string_view sjisPath);
    ~CFileReader();
    CFileReader(const CFileReader&) = delete;
    CFileReader& operator=(const CFileReader&) = delete;

    // Set once opening or a read failed; later reads then give nothing.
    const std::optional<FileError>& Error() const { return m_error; }
    // The size the file had when opened (0 when it could not be opened).
    std::size_t Size() const { return m_nSize; }
    // Up to `size` bytes into `buffer`; 0 at the end and after an error.
    std::size_t Read(char* buffer, std::size_t size);
    // Back to the first byte; false (and Error() set) when that failed.
    bool Rewind();

private:
    void Fail(int error);

    std::string m_strPath;  // Shift-JIS, for the error
    int m_fd = -1;
    std::size_t m_nSize = 0;
    std::optional<FileError> m_error;
};

// The largest file each kind of reader takes whole. A file above its
// limit is refused before it is read, so that a huge or endless file (a
// sparse file, a file that keeps growing) cannot exhaust memory.
inline constexpr std::size_t kLargestKeyFile = std::size_t{1} << 20;        // bindings: a few KB
inline constexpr std::size_t kLargestSettingsFile = std::size_t{256} << 10; // a few KB in use
inline constexpr std::size_t kLargestProjectFile = std::size_t{16} << 20;   // paths, memos, history
inline constexpr std::size_t kLargestTextFile = std::size_t{512} << 20;     // sources, translations, RTF

// The whole file, when it is a regular file of at most `nLargest` bytes.
FileReadResult ReadWholeFile(std::string_view sjisPath, std::size_t nLargest = kLargestTextFile);

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
