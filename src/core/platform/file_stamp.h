#pragma once
// How a file stood when Kelmio last read or wrote it: which file it was
// (device and inode, so a file replaced under the same name is another
// file), its size and its modification time. Compared with the file as it
// stands later, it tells whether another program has written, replaced or
// deleted the file in the meantime.

#include <cstdint>

#include "platform/file_path.h"

namespace kelmio {

struct CFileStamp {
    bool bExists = false;  // the other fields are 0 when the file does not exist
    std::uint64_t nDevice = 0;
    std::uint64_t nInode = 0;
    std::uint64_t nSize = 0;
    std::int64_t nModifiedNs = 0;  // nanoseconds since the epoch

    bool operator==(const CFileStamp&) const = default;
};

// The file at `path` as it stands now; a name that cannot be a file's, or
// a file that cannot be looked at, counts as no file.
CFileStamp TakeFileStamp(const CFilePath& path);

}  // namespace kelmio
