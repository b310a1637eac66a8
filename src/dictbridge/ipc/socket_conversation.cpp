#include "ipc/socket_conversation.h"

#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>

#include <cerrno>
#include <chrono>
#include <cstring>

#include "dictd/bridge_service.h"

namespace kelmio {
namespace {

enum : unsigned char {
    kRequest = 2,
    kPoke = 3,
    kRequestReply = 8,
    kFail = 9,
    kConnect = 10,
    kDisconnect = 11,
};
constexpr unsigned char kTextFormat = 1;

using Clock = std::chrono::steady_clock;

int MillisecondsLeft(Clock::time_point end) {
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(end - Clock::now()).count();
    return left > 0 ? static_cast<int>(left) : 0;
}

void AppendCount(std::string& message, std::size_t count) {
    for (int shift = 0; shift < 32; shift += 8) message += static_cast<char>((count >> shift) & 0xFF);
}

void AppendBlock(std::string& message, std::string_view bytes) {
    AppendCount(message, bytes.size());
    message.append(bytes);
}

// The socket, with every transfer bounded by a deadline.
class CTimedStream {
public:
    explicit CTimedStream(UniqueFd fd) : m_fd(std::move(fd)) {}

    // After a failed transfer: true when the time ran out, false when the
    // peer closed or the socket failed.
    bool TimedOut() const { return m_bTimedOut; }

    bool Send(std::string_view bytes, Clock::time_point end) const {
        while (!bytes.empty()) {
            const ssize_t sent = ::send(m_fd.Get(), bytes.data(), bytes.size(), MSG_NOSIGNAL);
            if (sent > 0) {
                bytes.remove_prefix(static_cast<std::size_t>(sent));
            } else if (sent < 0 && (errno == EAGAIN || errno == EINTR)) {
                if (!Wait(POLLOUT, end)) return false;
            } else {
                return false;
            }
        }
        return true;
    }

    // Exactly `count` bytes, or nullopt (time-out, error, the peer gone).
    std::optional<std::string> Receive(std::size_t count, Clock::time_point end) const {
        std::string bytes(count, '\0');
        std::size_t done = 0;
        while (done < count) {
            const ssize_t n = ::recv(m_fd.Get(), bytes.data() + done, count - done, 0);
            if (n > 0) {
                done += static_cast<std::size_t>(n);
            } else if (n < 0 && (errno == EAGAIN || errno == EINTR)) {
                if (!Wait(POLLIN, end)) return std::nullopt;
            } else {
                return std::nullopt;
            }
        }
        return bytes;
    }

    std::optional<unsigned char> ReceiveCode(Clock::time_point end) const {
        const std::optional<std::string> byte = Receive(1, end);
        if (!byte) return std::nullopt;
        return static_cast<unsigned char>((*byte)[0]);
    }

    std::optional<std::size_t> ReceiveCount(Clock::time_point end) const {
        const std::optional<std::string> bytes = Receive(4, end);
        if (!bytes) return std::nullopt;
        std::size_t count = 0;
        for (int i = 3; i >= 0; --i) count = count << 8 | static_cast<unsigned char>((*bytes)[i]);
        return count;
    }

    // A last word to the server, only if it can go at once.
    void SendNow(std::string_view bytes) const {
        ::send(m_fd.Get(), bytes.data(), bytes.size(), MSG_NOSIGNAL | MSG_DONTWAIT);
    }

private:
    bool Wait(short events, Clock::time_point end) const {
        pollfd entry{m_fd.Get(), events, 0};
        for (;;) {
            const int ready = ::poll(&entry, 1, MillisecondsLeft(end));
            if (ready > 0) return true;
            if (ready == 0) m_bTimedOut = true;
            if (ready == 0 || errno != EINTR) return false;
        }
    }

    UniqueFd m_fd;
    mutable bool m_bTimedOut = false;
};

class CSocketConversation final : public CDdeConversation {
public:
    explicit CSocketConversation(CTimedStream stream) : m_stream(std::move(stream)) {}

    ~CSocketConversation() override {
        // A server that has gone or hung gets nothing more; its socket is
        // simply closed.
        if (!m_bBroken) m_stream.SendNow(std::string(1, static_cast<char>(kDisconnect)));
    }

    bool Poke(std::string_view item, std::string_view data, int timeoutMs) override {
        if (m_bBroken) return false;
        std::string message(1, static_cast<char>(kPoke));
        AppendBlock(message, item);
        message += static_cast<char>(kTextFormat);
        AppendBlock(message, data);
        if (!m_stream.Send(message, Clock::now() + std::chrono::milliseconds(timeoutMs))) {
            m_bBroken = true;
            return false;
        }
        // A socket poke is not acknowledged: ask whether it was taken.
        const std::optional<std::string> status = Request(dictd::kPokeStatusItem, timeoutMs);
        return status && !status->empty() && (*status)[0] == '1';
    }

    std::optional<std::string> Request(std::string_view item, int timeoutMs) override {
        if (m_bBroken) return std::nullopt;
        const Clock::time_point end = Clock::now() + std::chrono::milliseconds(timeoutMs);
        std::string message(1, static_cast<char>(kRequest));
        AppendBlock(message, item);
        message += static_cast<char>(kTextFormat);
        std::optional<std::string> reply;
        if (m_stream.Send(message, end)) {
            const std::optional<unsigned char> code = m_stream.ReceiveCode(end);
            if (code == kFail) return std::nullopt;  // refused; the conversation goes on
            if (code == kRequestReply) {
                const std::optional<std::size_t> size = m_stream.ReceiveCount(end);
                if (size && *size <= kMaxSocketReply) reply = m_stream.Receive(*size, end);
            }
        }
        // Anything else (a time-out, a lost or confused server) ends the
        // conversation: a late reply must never be taken for the answer to
        // the next question.
        if (!reply) m_bBroken = true;
        return reply;
    }

    bool IsLost() const override { return m_bBroken; }

private:
    CTimedStream m_stream;
    bool m_bBroken = false;
};

}  // namespace

SocketConnectResult ConnectOverSocket(const std::string& socketPath, std::string_view topic, int timeoutMs) {
    SocketConnectResult result;
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    if (socketPath.empty() || socketPath.size() >= sizeof address.sun_path) return result;
    std::memcpy(address.sun_path, socketPath.data(), socketPath.size());
    UniqueFd fd(::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0));
    if (!fd.Valid()) return result;
    if (::connect(fd.Get(), reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0) {
        // A full backlog means a server that takes no new conversations.
        if (errno == EAGAIN) result.failure = SocketConnectFailure::kNoReply;
        return result;
    }
    CTimedStream stream(std::move(fd));
    const Clock::time_point end = Clock::now() + std::chrono::milliseconds(timeoutMs);
    std::string message(1, static_cast<char>(kConnect));
    AppendBlock(message, topic);
    const std::optional<unsigned char> code = stream.Send(message, end) ? stream.ReceiveCode(end) : std::nullopt;
    if (code == kConnect) {
        result.conversation = std::make_unique<CSocketConversation>(std::move(stream));
    } else {
        // A server that closes at once is on its way out: as good as none.
        result.failure = code                ? SocketConnectFailure::kRefused
                         : stream.TimedOut() ? SocketConnectFailure::kNoReply
                                             : SocketConnectFailure::kNoServer;
    }
    return result;
}

}  // namespace kelmio
