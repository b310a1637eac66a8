#include "platform/file_stamp.h"

#include <sys/stat.h>

#include "platform/file_io.h"

namespace kelmio {

CFileStamp TakeFileStamp(const CFilePath& path) {
    struct stat info {};
    if (!IsUsableName(path) || ::stat(path.Native().c_str(), &info) != 0) return {};
    CFileStamp stamp;
    stamp.bExists = true;
    stamp.nDevice = static_cast<std::uint64_t>(info.st_dev);
    stamp.nInode = static_cast<std::uint64_t>(info.st_ino);
    stamp.nSize = static_cast<std::uint64_t>(info.st_size);
    stamp.nModifiedNs = static_cast<std::int64_t>(info.st_mtim.tv_sec) * 1'000'000'000 + info.st_mtim.tv_nsec;
    return stamp;
}

}  // namespace kelmio
