#include "dictd/timed_socket.h"

#include <fcntl.h>
#include <netdb.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <thread>

namespace kelmio::dictd {
namespace {

using AddressList = std::unique_ptr<addrinfo, decltype(&::freeaddrinfo)>;

// The resolver's answer, shared with the thread that asks for it: the
// thread may outlive the wait when the name server is slow.
struct Resolution {
    std::mutex mutex;
    std::condition_variable done;
    bool finished = false;
    addrinfo* found = nullptr;
    ~Resolution() {
        if (found != nullptr) ::freeaddrinfo(found);
    }
};

// getaddrinfo has no time limit of its own: it runs on a thread of its own
// and is waited for only until the deadline.
AddressList Resolve(const std::string& host, const std::string& port, const CDeadline& deadline) {
    auto shared = std::make_shared<Resolution>();
    std::thread([shared, host, port] {
        addrinfo hints{};
        hints.ai_socktype = SOCK_STREAM;
        addrinfo* found = nullptr;
        if (::getaddrinfo(host.c_str(), port.c_str(), &hints, &found) != 0) found = nullptr;
        const std::lock_guard lock(shared->mutex);
        shared->found = found;
        shared->finished = true;
        shared->done.notify_one();
    }).detach();
    std::unique_lock lock(shared->mutex);
    if (!shared->done.wait_for(lock, std::chrono::milliseconds(deadline.RemainingMs()),
                               [&] { return shared->finished; })) {
        return AddressList(nullptr, ::freeaddrinfo);
    }
    return AddressList(std::exchange(shared->found, nullptr), ::freeaddrinfo);
}

// Waits for `events` on `fd` until the deadline; false on time-out or error.
bool WaitFor(int fd, short events, const CDeadline& deadline) {
    pollfd entry{fd, events, 0};
    for (;;) {
        const int ready = ::poll(&entry, 1, deadline.RemainingMs());
        if (ready > 0) return true;
        if (ready == 0 || errno != EINTR) return false;
    }
}

int ConnectOne(const addrinfo& address, const CDeadline& deadline) {
    const int fd = ::socket(address.ai_family, address.ai_socktype | SOCK_CLOEXEC | SOCK_NONBLOCK,
                            address.ai_protocol);
    if (fd < 0) return -1;
    if (::connect(fd, address.ai_addr, address.ai_addrlen) == 0) return fd;
    int error = errno;
    if (error == EINPROGRESS && WaitFor(fd, POLLOUT, deadline)) {
        socklen_t length = sizeof error;
        if (::getsockopt(fd, SOL_SOCKET, SO_ERROR, &error, &length) != 0) error = errno;
        if (error == 0) return fd;
    }
    ::close(fd);
    return -1;
}

}  // namespace

int CDeadline::RemainingMs() const {
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(m_end - std::chrono::steady_clock::now());
    return left.count() > 0 ? static_cast<int>(left.count()) : 0;
}

CTimedSocket::~CTimedSocket() {
    if (m_fd >= 0) ::close(m_fd);
}

CTimedSocket CTimedSocket::Connect(const std::string& host, const std::string& port, const CDeadline& deadline) {
    const AddressList list = Resolve(host, port, deadline);
    for (const addrinfo* address = list.get(); address != nullptr && !deadline.Passed();
         address = address->ai_next) {
        const int fd = ConnectOne(*address, deadline);
        if (fd >= 0) return CTimedSocket(fd);
    }
    return CTimedSocket();
}

bool CTimedSocket::SendAll(std::string_view text, const CDeadline& deadline) const {
    while (!text.empty()) {
        const ssize_t sent = ::send(m_fd, text.data(), text.size(), MSG_NOSIGNAL);
        if (sent > 0) {
            text.remove_prefix(static_cast<std::size_t>(sent));
        } else if (sent < 0 && (errno == EAGAIN || errno == EINTR)) {
            if (!WaitFor(m_fd, POLLOUT, deadline)) return false;
        } else {
            return false;
        }
    }
    return true;
}

std::optional<std::string> CTimedSocket::Receive(std::size_t limit, const CDeadline& deadline) const {
    std::string buffer(limit, '\0');
    for (;;) {
        const ssize_t n = ::recv(m_fd, buffer.data(), buffer.size(), 0);
        if (n >= 0) {
            buffer.resize(static_cast<std::size_t>(n));
            return buffer;
        }
        if ((errno != EAGAIN && errno != EINTR) || !WaitFor(m_fd, POLLIN, deadline)) return std::nullopt;
    }
}

}  // namespace kelmio::dictd
