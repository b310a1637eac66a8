#pragma once
// Reading and saving whole files.
//
// Files are named by CFilePath, which keeps the file system's own bytes; a
// Shift-JIS path converts to one implicitly, so no caller converts paths by
// hand. Errors name the file in its display form.
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
#include "platform/file_path.h"

namespace kelmio {

// The name the operating system uses for a Shift-JIS path, and back.
std::string ToNativePath(std::string_view sjisPath);
std::string FromNativePath(std::string_view nativePath);

// False for a name no file can have (empty, or holding a NUL byte, which
// would cut it short and name another file); such a name is refused with
// kBadPath before any system call.
bool IsUsableName(const CFilePath& path);

// The message refusing `path` as a name that cannot be used where it was
// given (" には無効なﾊﾟｽが含まれています。" after the name).
std::string BadPathMessage(const CFilePath& path);

// The error for `path` from a system error number.
FileError FileErrorFor(const CFilePath& path, int error);

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
    explicit CFileReader(const CFilePath& path);
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

    CFilePath m_path;  // for the error
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
FileReadResult ReadWholeFile(const CFilePath& path, std::size_t nLargest = kLargestTextFile);

// Saves `bytes` as the file `path`; nullopt on success.
std::optional<FileError> SaveFileAtomically(const CFilePath& path, std::string_view bytes);

// The same, with every low-level write going through `write` (same contract
// as write(2)), so that tests can fail a save at any byte.
using WriteFunction = std::function<ssize_t(int fd, const void* data, std::size_t size)>;
std::optional<FileError> SaveFileAtomically(const CFilePath& path, std::string_view bytes,
                                            const WriteFunction& write);

// The same with the bytes made piece by piece while they are written, so a
// large file never has to be whole in memory: `produce` is called once and
// hands each piece, in order, to the sink it is given. The sink returns
// false once writing has failed; the pieces after that are dropped.
using ByteSink = std::function<bool(std::string_view piece)>;
using ByteProducer = std::function<void(const ByteSink& sink)>;
std::optional<FileError> SaveFileAtomically(const CFilePath& path, const ByteProducer& produce);

// The same for a file only its owner may read and write (0600), whatever
// the mode of the file it replaces: copies of the user's work kept in the
// user's data folder, which other users must not read.
std::optional<FileError> SavePrivateFileAtomically(const CFilePath& path, std::string_view bytes);
std::optional<FileError> SavePrivateFileAtomically(const CFilePath& path, const ByteProducer& produce);

// True when a file or folder of that name exists.
bool PathExists(const CFilePath& path);
// Both paths exist and name one file (through links, or names that differ
// in case on a volume that ignores it).
bool IsSameFile(const CFilePath& a, const CFilePath& b);

}  // namespace kelmio
