// A signal that arrives while the bridge waits for a DICT server's reply
// does not end the lookup: the wait goes on and the whole reply is read.
#include <netinet/in.h>
#include <signal.h>
#include <sys/socket.h>
#include <sys/time.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <cerrno>
#include <chrono>
#include <string>
#include <string_view>
#include <thread>

#include "dictd/dict_protocol.h"

namespace kelmio::dictd {
namespace {

void SendAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t sent = ::send(fd, bytes.data(), bytes.size(), MSG_NOSIGNAL);
        if (sent < 0 && errno == EINTR) continue;
        if (sent <= 0) return;
        bytes.remove_prefix(static_cast<std::size_t>(sent));
    }
}

void OnAlarm(int) {}

// Interrupts the waiting calls every millisecond while it lives.
class CAlarmStorm {
public:
    CAlarmStorm() {
        struct sigaction action {};
        action.sa_handler = OnAlarm;  // no SA_RESTART: a waiting call returns EINTR
        ::sigaction(SIGALRM, &action, &m_old);
        // The first after 50 ms: the loopback connection is made by then,
        // and the reply is still arriving for a while.
        const itimerval every{{0, 1000}, {0, 50000}};
        ::setitimer(ITIMER_REAL, &every, nullptr);
    }
    ~CAlarmStorm() {
        const itimerval off{};
        ::setitimer(ITIMER_REAL, &off, nullptr);
        ::sigaction(SIGALRM, &m_old, nullptr);
    }

private:
    struct sigaction m_old {};
};

TEST(DictReplySignalTest, ASignalDuringTheReplyDoesNotCutItShort) {
    const int listener = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    ASSERT_EQ(::bind(listener, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
    ASSERT_EQ(::listen(listener, 1), 0);
    ASSERT_EQ(::getsockname(listener, reinterpret_cast<sockaddr*>(&address), &length), 0);

    const std::string reply = "150 1 found\r\n151 \"cat\" x \"x\"\r\ncat\r\n  neko\r\n.\r\n250 ok\r\n";
    std::thread server([listener, &reply] {
        sigset_t alarm;
        sigemptyset(&alarm);
        sigaddset(&alarm, SIGALRM);
        ::pthread_sigmask(SIG_BLOCK, &alarm, nullptr);  // the alarms are the client's
        const int fd = ::accept4(listener, nullptr, nullptr, SOCK_CLOEXEC);
        SendAll(fd, "220 test\r\n");
        char buffer[256];
        (void)::recv(fd, buffer, sizeof buffer, 0);  // DEFINE
        for (const char ch : reply) {
            std::this_thread::sleep_for(std::chrono::milliseconds(3));
            SendAll(fd, std::string_view(&ch, 1));
        }
        (void)::recv(fd, buffer, sizeof buffer, 0);  // QUIT
        ::close(fd);
    });
    DefineResult result;
    {
        const CAlarmStorm storm;
        result = DefineOnServer({"127.0.0.1", std::to_string(ntohs(address.sin_port))}, "cat", 5000);
    }
    server.join();
    ::close(listener);
    EXPECT_EQ(result.problem, "");
    ASSERT_EQ(result.definitions.size(), 1u);
    EXPECT_EQ(result.definitions[0], "cat\n  neko\n");
}

}  // namespace
}  // namespace kelmio::dictd
