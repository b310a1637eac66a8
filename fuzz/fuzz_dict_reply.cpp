// What a DICT server sends: its greeting line, then the reply to DEFINE,
// arriving in pieces. The reply is read as it streams in (and must stop at
// its final status line), then taken apart; the result must be the one the
// whole reply gives. The server here is a thread on the loopback address
// that sends the input: the first byte gives the piece size, the first line
// of the rest is the greeting.
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <thread>

#include "dictd/dict_protocol.h"

namespace {

constexpr int kTimeoutMs = 5000;

class CLoopbackListener {
public:
    CLoopbackListener() {
        m_fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t length = sizeof address;
        if (m_fd < 0 || ::bind(m_fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
            ::listen(m_fd, 4) != 0 || ::getsockname(m_fd, reinterpret_cast<sockaddr*>(&address), &length) != 0) {
            std::abort();
        }
        m_nPort = ntohs(address.sin_port);
    }
    ~CLoopbackListener() { ::close(m_fd); }
    int Fd() const { return m_fd; }
    int Port() const { return m_nPort; }

private:
    int m_fd = -1;
    int m_nPort = 0;
};

void SendAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t sent = ::send(fd, bytes.data(), bytes.size(), MSG_NOSIGNAL);
        if (sent <= 0) return;
        bytes.remove_prefix(static_cast<std::size_t>(sent));
    }
}

// Reads until a line end has come, or the client is gone.
void ReceiveLine(int fd) {
    std::string got;
    char buffer[512];
    while (got.find('\n') == std::string::npos) {
        const ssize_t n = ::recv(fd, buffer, sizeof buffer, 0);
        if (n <= 0) return;
        got.append(buffer, static_cast<std::size_t>(n));
    }
}

// One connection: the greeting, the client's question, the reply in pieces.
void Serve(int listener, std::string_view greeting, std::string_view reply, std::size_t piece) {
    const int fd = ::accept4(listener, nullptr, nullptr, SOCK_CLOEXEC);
    if (fd < 0) return;
    const timeval limit{kTimeoutMs / 1000, 0};
    ::setsockopt(fd, SOL_SOCKET, SO_RCVTIMEO, &limit, sizeof limit);
    ::setsockopt(fd, SOL_SOCKET, SO_SNDTIMEO, &limit, sizeof limit);
    const int one = 1;
    ::setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &one, sizeof one);
    SendAll(fd, greeting);
    ReceiveLine(fd);
    for (std::size_t at = 0; at < reply.size(); at += piece) SendAll(fd, reply.substr(at, piece));
    ::shutdown(fd, SHUT_WR);
    ReceiveLine(fd);  // the client's QUIT, or its close
    ::close(fd);
}

// A greeting the client takes: "220" alone or before a space, CR LF or LF.
bool IsGreeting(std::string_view line) {
    line.remove_suffix(1);  // the LF
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    return line.substr(0, 3) == "220" && (line.size() == 3 || line[3] == ' ');
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    static const CLoopbackListener listener;
    const std::size_t piece = std::size_t{data[0]} % 64 + 1;
    const std::string_view stream(reinterpret_cast<const char*>(data) + 1, size - 1);
    const std::size_t greetingEnd = stream.find('\n');
    // Without a whole greeting line the client waits for the time-out.
    if (greetingEnd == std::string_view::npos) return 0;
    const std::string_view greeting = stream.substr(0, greetingEnd + 1);
    const std::string_view reply = stream.substr(greetingEnd + 1);

    std::thread server(Serve, listener.Fd(), greeting, reply, piece);
    const kelmio::dictd::DefineResult streamed =
        kelmio::dictd::DefineOnServer({"127.0.0.1", std::to_string(listener.Port())}, "word", kTimeoutMs);
    server.join();

    if (!IsGreeting(greeting)) {
        if (!streamed.definitions.empty() || streamed.problem.empty()) std::abort();
        return 0;
    }
    const kelmio::dictd::DefineResult whole = kelmio::dictd::ParseDefineReply(reply);
    if (streamed.definitions != whole.definitions || streamed.problem != whole.problem) std::abort();
    return 0;
}
