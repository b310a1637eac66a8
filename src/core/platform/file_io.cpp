#include "platform/file_io.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "text/cp932.h"

namespace kelmio {
namespace {

// A file descriptor that is closed when it goes out of scope.
class UniqueFd {
public:
    explicit UniqueFd(int fd) : m_fd(fd) {}
    ~UniqueFd() { Reset(); }
    UniqueFd(const UniqueFd&) = delete;
    UniqueFd& operator=(const UniqueFd&) = delete;

    int Get() const { return m_fd; }
    bool Valid() const { return m_fd >= 0; }
    // Closes now and reports the errno of a failed close (0 on success).
    int Close() {
        if (m_fd < 0) return 0;
        const int rc = ::close(m_fd);
        m_fd = -1;
        return rc == 0 ? 0 : errno;
    }

private:
    void Reset() {
        if (m_fd >= 0) ::close(m_fd);
        m_fd = -1;
    }
    int m_fd;
};

FileError ErrorFor(std::string_view sjisPath, int error) {
    return FileError{CauseFromErrno(error), std::string(sjisPath)};
}

// The file that a save really replaces: a symbolic link is followed, so the
// link stays a link and its target gets the new contents.
std::string SaveTarget(const std::string& native) {
    struct stat info {};
    if (::lstat(native.c_str(), &info) == 0 && S_ISLNK(info.st_mode)) {
        char resolved[PATH_MAX];
        if (::realpath(native.c_str(), resolved) != nullptr) return resolved;
    }
    return native;
}

std::string FolderOf(const std::string& native) {
    const std::size_t slash = native.rfind('/');
    if (slash == std::string::npos) return ".";
    if (slash == 0) return "/";
    return native.substr(0, slash);
}

mode_t ModeForNewFile(const std::string& target) {
    struct stat info {};
    if (::stat(target.c_str(), &info) == 0) return info.st_mode & 07777;
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

int WriteAll(int fd, std::string_view bytes, const WriteFunction& write) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0) {
            if (errno == EINTR) continue;
            return errno;
        }
        if (n == 0) return EIO;
        done += static_cast<std::size_t>(n);
    }
    return 0;
}

}  // namespace

std::string ToNativePath(std::string_view sjisPath) { return Cp932ToUtf8(sjisPath); }

std::string FromNativePath(std::string_view nativePath) { return Utf8ToCp932(nativePath); }

CFileReader::CFileReader(std::string_view sjisPath) : m_strPath(sjisPath) {
    // O_NONBLOCK: opening a FIFO with no writer would otherwise wait forever.
    m_fd = ::open(ToNativePath(sjisPath).c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
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
    m_error = ErrorFor(m_strPath, error);
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

FileReadResult ReadWholeFile(std::string_view sjisPath) {
    FileReadResult result;
    CFileReader file(sjisPath);
    // The size is a hint only: the file may grow or shrink while it is read,
    // and a sparse file may claim far more than it will give.
    constexpr std::size_t kLargestHint = std::size_t{256} << 20;
    result.bytes.reserve(std::min(file.Size(), kLargestHint));
    char buffer[65536];
    while (const std::size_t n = file.Read(buffer, sizeof buffer)) result.bytes.append(buffer, n);
    if (file.Error()) {
        result.error = file.Error();
        result.bytes.clear();
    }
    return result;
}

std::optional<FileError> SaveFileAtomically(std::string_view sjisPath, std::string_view bytes) {
    return SaveFileAtomically(sjisPath, bytes, [](int fd, const void* data, std::size_t size) {
        return ::write(fd, data, size);
    });
}

std::optional<FileError> SaveFileAtomically(std::string_view sjisPath, std::string_view bytes,
                                            const WriteFunction& write) {
    const std::string target = SaveTarget(ToNativePath(sjisPath));
    const std::string folder = FolderOf(target);
    const std::string name = target.substr(target.rfind('/') + 1);
    if (name.empty()) return ErrorFor(sjisPath, EISDIR);
    struct stat info {};
    if (::stat(target.c_str(), &info) == 0 && S_ISDIR(info.st_mode)) return ErrorFor(sjisPath, EISDIR);

    std::string temp = folder + "/." + name + ".XXXXXX";
    UniqueFd fd(::mkostemp(temp.data(), O_CLOEXEC));
    if (!fd.Valid()) return ErrorFor(sjisPath, errno);

    int error = WriteAll(fd.Get(), bytes, write);
    if (error == 0 && ::fchmod(fd.Get(), ModeForNewFile(target)) != 0) error = errno;
    if (error == 0 && ::fsync(fd.Get()) != 0) error = errno;
    if (error == 0) error = fd.Close();
    if (error == 0 && ::rename(temp.c_str(), target.c_str()) != 0) error = errno;
    if (error != 0) {
        ::unlink(temp.c_str());
        return ErrorFor(sjisPath, error);
    }
    // Make the rename itself durable; a failure here loses nothing.
    UniqueFd dir(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (dir.Valid()) ::fsync(dir.Get());
    return std::nullopt;
}

bool PathExists(std::string_view sjisPath) {
    struct stat info {};
    return ::stat(ToNativePath(sjisPath).c_str(), &info) == 0;
}

}  // namespace kelmio
