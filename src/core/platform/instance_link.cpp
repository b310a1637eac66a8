#include "platform/instance_link.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/socket.h>
#include <sys/time.h>
#include <sys/un.h>
#include <thread>
#include <unistd.h>

#include "platform/request_frames.h"

namespace kelmio {
namespace {

constexpr std::chrono::milliseconds kShortestWait{20};

bool WriteAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t n = ::send(fd, bytes.data(), bytes.size(), MSG_NOSIGNAL);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        bytes.remove_prefix(static_cast<std::size_t>(n));
    }
    return true;
}

// Connects, waiting at most `wait` when the listener's queue is full (a
// Kelmio that does not take connections must not hold the start for ever);
// sending is bounded the same way.
UniqueFd Connect(const std::string& socketPath, std::chrono::milliseconds wait) {
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    if (socketPath.size() >= sizeof address.sun_path) return UniqueFd();
    std::memcpy(address.sun_path, socketPath.c_str(), socketPath.size() + 1);
    UniqueFd fd(::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0));
    if (!fd.Valid()) return fd;
    const auto micros = std::chrono::duration_cast<std::chrono::microseconds>(std::max(wait, kShortestWait)).count();
    const timeval timeout{static_cast<time_t>(micros / 1000000), static_cast<suseconds_t>(micros % 1000000)};
    ::setsockopt(fd.Get(), SOL_SOCKET, SO_SNDTIMEO, &timeout, sizeof timeout);
    if (::connect(fd.Get(), reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0) return UniqueFd();
    return fd;
}

}  // namespace

CInstanceLock::CInstanceLock(const std::string& lockPath) {
    UniqueFd fd(::open(lockPath.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600));
    if (!fd.Valid()) return;
    while (::flock(fd.Get(), LOCK_EX | LOCK_NB) != 0) {
        if (errno == EINTR) continue;
        m_bHeldElsewhere = errno == EWOULDBLOCK;
        return;
    }
    m_fd = std::move(fd);
}

bool SendToInstance(const std::string& socketPath, const std::string& request,
                    std::chrono::milliseconds patience) {
    if (request.size() > kLargestRequest) return false;
    const auto giveUp = std::chrono::steady_clock::now() + patience;
    const auto left = [&] {
        return std::chrono::duration_cast<std::chrono::milliseconds>(giveUp - std::chrono::steady_clock::now());
    };
    UniqueFd fd = Connect(socketPath, left());
    // The lock is taken a moment before the socket listens.
    while (!fd.Valid() && std::chrono::steady_clock::now() < giveUp) {
        std::this_thread::sleep_for(kShortestWait);
        fd = Connect(socketPath, left());
    }
    if (!fd.Valid()) return false;
    return request.empty() || WriteAll(fd.Get(), FrameRequest(request));
}

}  // namespace kelmio
