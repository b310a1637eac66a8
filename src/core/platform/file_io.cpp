#include "platform/file_io.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/unique_fd.h"
#include "text/cp932.h"

namespace kelmio {
FileError FileErrorFor(const CFilePath& path, int error) { return FileError{CauseFromErrno(error), path.Display()}; }

std::string ToNativePath(std::string_view sjisPath) { return Cp932ToUtf8(sjisPath); }

std::string FromNativePath(std::string_view nativePath) { return Utf8ToCp932(nativePath); }

std::string BadPathMessage(const CFilePath& path) {
    return FileErrorMessage(FileError{FileErrorCause::kBadPath, path.Display()});
}

bool IsUsableName(const CFilePath& path) {
    return !path.empty() && path.Native().find('\0') == std::string::npos;
}

CFileReader::CFileReader(const CFilePath& path) : m_path(path) {
    if (!IsUsableName(path)) {
        Fail(path.empty() ? ENOENT : EINVAL);
        return;
    }
    // O_NONBLOCK: opening a FIFO with no writer would otherwise wait forever.
    m_fd = ::open(path.Native().c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (m_fd < 0) {
        Fail(errno);
        return;
    }
    struct stat info {};
    if (::fstat(m_fd, &info) != 0) {
        Fail(errno);
    } else if (S_ISDIR(info.st_mode)) {
        Fail(EISDIR);
    } else if (!S_ISREG(info.st_mode)) {
        Fail(EACCES);  // a FIFO, socket or device never ends or never answers
    } else {
        m_nSize = static_cast<std::size_t>(info.st_size);
    }
}

CFileReader::~CFileReader() {
    if (m_fd >= 0) ::close(m_fd);
}

void CFileReader::Fail(int error) {
    m_error = FileErrorFor(m_path, error);
    if (m_fd >= 0) ::close(m_fd);
    m_fd = -1;
}

std::size_t CFileReader::Read(char* buffer, std::size_t size) {
    while (m_fd >= 0) {
        const ssize_t n = ::read(m_fd, buffer, size);
        if (n >= 0) return static_cast<std::size_t>(n);
        if (errno != EINTR) Fail(errno);
    }
    return 0;
}

bool CFileReader::Rewind() {
    if (m_fd < 0) return false;
    if (::lseek(m_fd, 0, SEEK_SET) == 0) return true;
    Fail(errno);
    return false;
}

FileReadResult ReadWholeFile(const CFilePath& path, std::size_t nLargest) {
    FileReadResult result;
    CFileReader file(path);
    const auto refuse = [&] {
        result.bytes.clear();
        result.bytes.shrink_to_fit();
        result.error = FileErrorFor(path, EACCES);
        result.bTooLarge = true;
        return result;
    };
    if (file.Size() > nLargest) return refuse();
    // The size is a hint only: the file may grow or shrink while it is read,
    // and a sparse file may claim far more than it will give.
    result.bytes.reserve(file.Size());
    char buffer[65536];
    while (const std::size_t n = file.Read(buffer, sizeof buffer)) {
        if (n > nLargest - result.bytes.size()) return refuse();
        result.bytes.append(buffer, n);
    }
    if (file.Error()) {
        result.error = file.Error();
        result.bytes.clear();
    }
    return result;
}

bool PathExists(const CFilePath& path) {
    struct stat info {};
    return IsUsableName(path) && ::stat(path.Native().c_str(), &info) == 0;
}

bool IsSameFile(const CFilePath& a, const CFilePath& b) {
    struct stat first {};
    struct stat second {};
    return IsUsableName(a) && IsUsableName(b) && ::stat(a.Native().c_str(), &first) == 0 &&
           ::stat(b.Native().c_str(), &second) == 0 && first.st_dev == second.st_dev && first.st_ino == second.st_ino;
}

}  // namespace kelmio
