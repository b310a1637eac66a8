#pragma once
// A DICT server on 127.0.0.1 that answers every connection with a script,
// one byte at a time with a pause after each: the server that keeps a
// lookup waiting without ever falling silent. It stops by itself after a
// bounded number of connections and seconds, and when the test ends.

#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <string>
#include <thread>

#include "dictd/dict_protocol.h"

namespace kelmio::test {

class CSlowDictServer {
public:
    CSlowDictServer(std::string script, std::chrono::milliseconds pause) : m_script(std::move(script)), m_pause(pause) {
        m_fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        ::bind(m_fd, reinterpret_cast<sockaddr*>(&address), sizeof address);
        ::listen(m_fd, 4);
        socklen_t length = sizeof address;
        ::getsockname(m_fd, reinterpret_cast<sockaddr*>(&address), &length);
        m_port = ntohs(address.sin_port);
        m_thread = std::thread([this] { Serve(); });
    }
    ~CSlowDictServer() {
        m_bStop = true;
        m_thread.join();
        ::close(m_fd);
    }
    CSlowDictServer(const CSlowDictServer&) = delete;
    CSlowDictServer& operator=(const CSlowDictServer&) = delete;

    dictd::DictServer Address() const { return dictd::DictServer{"127.0.0.1", std::to_string(m_port)}; }
    std::string HostAndPort() const { return "127.0.0.1:" + std::to_string(m_port); }
    int Connections() const { return m_nConnections; }

private:
    static constexpr int kMaxConnections = 4;
    static constexpr std::chrono::seconds kLifetime{20};

    bool TimeIsUp() const { return m_bStop || std::chrono::steady_clock::now() - m_started > kLifetime; }

    void Serve() {
        while (!TimeIsUp() && m_nConnections < kMaxConnections) {
            pollfd entry{m_fd, POLLIN, 0};
            if (::poll(&entry, 1, 50) <= 0) continue;
            const int client = ::accept4(m_fd, nullptr, nullptr, SOCK_CLOEXEC);
            if (client < 0) continue;
            ++m_nConnections;
            Trickle(client);
            ::close(client);
        }
    }

    // One byte, a pause, the next; over when the client has gone.
    void Trickle(int client) const {
        for (const char byte : m_script) {
            if (TimeIsUp() || ::send(client, &byte, 1, MSG_NOSIGNAL) != 1) return;
            std::this_thread::sleep_for(m_pause);
        }
    }

    std::string m_script;
    std::chrono::milliseconds m_pause;
    int m_fd = -1;
    int m_port = 0;
    std::atomic<bool> m_bStop{false};
    std::atomic<int> m_nConnections{0};
    const std::chrono::steady_clock::time_point m_started = std::chrono::steady_clock::now();
    std::thread m_thread;
};

// A greeting and a reply that never reaches its end.
inline std::string EndlessDictReply() {
    return "220 slow <auth> <msg@id>\r\n150 1\r\n151 \"dog\" slow \"Slow\"\r\n" + std::string(4000, 'z');
}

}  // namespace kelmio::test
