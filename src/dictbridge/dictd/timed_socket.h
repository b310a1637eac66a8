#pragma once
// TCP client steps that all share one deadline: resolving the name,
// connecting, sending and receiving. A server that trickles its reply one
// byte at a time, or a name server that never answers, costs no more than
// the time the whole exchange was given.

#include <chrono>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

namespace kelmio::dictd {

class CDeadline {
public:
    explicit CDeadline(int milliseconds)
        : m_end(std::chrono::steady_clock::now() + std::chrono::milliseconds(milliseconds)) {}

    // Milliseconds left, never negative.
    int RemainingMs() const;
    bool Passed() const { return RemainingMs() == 0; }

private:
    std::chrono::steady_clock::time_point m_end;
};

// A connected socket (closed with the object), or none.
class CTimedSocket {
public:
    CTimedSocket() = default;
    ~CTimedSocket();
    CTimedSocket(CTimedSocket&& other) noexcept : m_fd(std::exchange(other.m_fd, -1)) {}
    CTimedSocket& operator=(CTimedSocket&&) = delete;
    CTimedSocket(const CTimedSocket&) = delete;

    // Resolves and connects to `host`:`port` before the deadline.
    static CTimedSocket Connect(const std::string& host, const std::string& port, const CDeadline& deadline);

    bool IsOpen() const { return m_fd >= 0; }
    // False when the text could not be sent in time.
    bool SendAll(std::string_view text, const CDeadline& deadline) const;
    // What arrived: up to `limit` bytes; empty at the end of the stream;
    // nullopt when nothing came before the deadline or the socket failed.
    std::optional<std::string> Receive(std::size_t limit, const CDeadline& deadline) const;

private:
    explicit CTimedSocket(int fd) : m_fd(fd) {}

    int m_fd = -1;
};

}  // namespace kelmio::dictd
