#include "platform/file_io.h"

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

}  // namespace

std::string ToNativePath(std::string_view sjisPath) { return Cp932ToUtf8(sjisPath); }

std::string FromNativePath(std::string_view nativePath) { return Utf8ToCp932(nativePath); }

FileReadResult ReadWholeFile(std::string_view sjisPath) {
    FileReadResult result;
    const std::string native = ToNativePath(sjisPath);
    UniqueFd fd(::open(native.c_str(), O_RDONLY | O_CLOEXEC));
    if (!fd.Valid()) {
        result.error = ErrorFor(sjisPath, errno);
        return result;
    }
    struct stat info {};
    if (::fstat(fd.Get(), &info) == 0 && S_ISDIR(info.st_mode)) {
        result.error = ErrorFor(sjisPath, EISDIR);
        return result;
    }
    char buffer[65536];
    while (true) {
        const ssize_t n = ::read(fd.Get(), buffer, sizeof buffer);
        if (n < 0) {
            if (errno == EINTR) continue;
            result.error = ErrorFor(sjisPath, errno);
            result.bytes.clear();
            return result;
        }
        if (n == 0) break;
        result.bytes.append(buffer, static_cast<std::size_t>(n));
    }
    return result;
}

bool PathExists(std::string_view sjisPath) {
    struct stat info {};
    return ::stat(ToNativePath(sjisPath).c_str(), &info) == 0;
}

}  // namespace kelmio
