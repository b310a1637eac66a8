#include "dictd/dict_protocol.h"

#include <gtest/gtest.h>
#include <netinet/in.h>
#include <signal.h>
#include <spawn.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <thread>

#include "support/temp_dir.h"

extern char** environ;

namespace kelmio::dictd {
namespace {

namespace fs = std::filesystem;

TEST(DictProtocolTest, ServerNamesWithAndWithoutPort) {
    EXPECT_EQ(ParseDictServer("").host, "");
    EXPECT_EQ(ParseDictServer("  dict.example  ").host, "dict.example");
    EXPECT_EQ(ParseDictServer("dict.example").port, "2628");
    EXPECT_EQ(ParseDictServer("localhost:2700").host, "localhost");
    EXPECT_EQ(ParseDictServer("localhost:2700").port, "2700");
    EXPECT_EQ(ParseDictServer("::1").host, "::1");  // an IPv6 address is no host:port
}

TEST(DictProtocolTest, DefinitionsAreReadWithTheirDotsRestored) {
    const DefineResult result = ParseDefineReply(
        "150 2 definitions retrieved\r\n"
        "151 \"cat\" eng-jpn \"English-Japanese\"\r\n"
        "cat\r\n"
        "..dots and a line\r\n"
        ".\r\n"
        "151 \"cat\" jpn-eng \"Japanese-English\"\r\n"
        "neko\r\n"
        ".\r\n"
        "250 ok\r\n");
    EXPECT_TRUE(result.problem.empty());
    EXPECT_EQ(result.definitions, (std::vector<std::string>{"cat\n.dots and a line\n", "neko\n"}));
}

TEST(DictProtocolTest, NoMatchErrorsAndBrokenRepliesAreTold) {
    const DefineResult none = ParseDefineReply("552 no match [d/m/c = 0/0/0]\r\n");
    EXPECT_TRUE(none.definitions.empty());
    EXPECT_TRUE(none.problem.empty());
    EXPECT_NE(ParseDefineReply("550 invalid database\r\n").problem, "");
    EXPECT_NE(ParseDefineReply("150 1\r\n151 \"x\" db\r\nunfinished\r\n").problem, "");
    EXPECT_NE(ParseDefineReply("garbage\r\n").problem, "");
    EXPECT_NE(ParseDefineReply("").problem, "");
    EXPECT_NE(ParseDefineReply(std::string(3, '\0') + "\n").problem, "");
}

// A loopback listener that accepts one client and does what the test says.
class CLoopbackServer {
public:
    explicit CLoopbackServer(std::function<void(int)> serve) {
        m_fd = ::socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        ::bind(m_fd, reinterpret_cast<sockaddr*>(&address), sizeof address);
        ::listen(m_fd, 1);
        socklen_t length = sizeof address;
        ::getsockname(m_fd, reinterpret_cast<sockaddr*>(&address), &length);
        m_port = ntohs(address.sin_port);
        m_thread = std::thread([this, serve = std::move(serve)] {
            const int client = ::accept(m_fd, nullptr, nullptr);
            if (client >= 0) {
                serve(client);
                ::close(client);
            }
        });
    }
    ~CLoopbackServer() {
        ::shutdown(m_fd, SHUT_RDWR);
        ::close(m_fd);
        m_thread.join();
    }
    DictServer Address() const { return DictServer{"127.0.0.1", std::to_string(m_port)}; }

private:
    int m_fd = -1;
    int m_port = 0;
    std::thread m_thread;
};

TEST(DictProtocolTest, SilentServerIsGivenUpAfterTheTimeOut) {
    CLoopbackServer server([](int client) {
        char buffer[64];
        ::recv(client, buffer, sizeof buffer, 0);  // waits for the client to give up
    });
    const auto start = std::chrono::steady_clock::now();
    const DefineResult result = DefineOnServer(server.Address(), "cat", 300);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(3));
    EXPECT_NE(result.problem, "");
    EXPECT_TRUE(result.definitions.empty());
}

TEST(DictProtocolTest, ScriptedServerAnswersAndUnsafeWordsAreNotSent) {
    std::string asked;
    {
        CLoopbackServer server([&asked](int client) {
            const std::string hello = "220 test server <auth> <msg@id>\r\n";
            ::send(client, hello.data(), hello.size(), 0);
            char buffer[256];
            const ssize_t n = ::recv(client, buffer, sizeof buffer, 0);
            if (n > 0) asked.assign(buffer, static_cast<std::size_t>(n));
            const std::string reply = "150 1\r\n151 \"cat\" x \"X\"\r\nneko\r\n.\r\n250 ok\r\n";
            ::send(client, reply.data(), reply.size(), 0);
        });
        const DefineResult result = DefineOnServer(server.Address(), "cat", 2000);
        EXPECT_EQ(result.definitions, std::vector<std::string>{"neko\n"});
    }
    EXPECT_EQ(asked, "DEFINE * \"cat\"\r\n");
    const DictServer nowhere{"127.0.0.1", "1"};
    EXPECT_TRUE(DefineOnServer(nowhere, "a\"b", 100).problem.empty());
    EXPECT_TRUE(DefineOnServer(nowhere, "a\r\nQUIT", 100).problem.empty());
    EXPECT_NE(DefineOnServer(nowhere, "cat", 100).problem, "");
}

TEST(DictProtocolTest, PrivateDictdServesTheInstalledDictionaries) {
    if (!fs::exists("/usr/share/dictd/freedict-eng-jpn.index") || std::system("command -v dictd >/dev/null") != 0) {
        GTEST_SKIP() << "dictd or freedict is not installed";
    }
    test::TempDir dir;
    ::chmod(dir.Path().c_str(), 0755);  // dictd reads its configuration as another user
    const std::string config = dir.File("dictd.conf");
    std::ofstream(config) << "global { listen_to 127.0.0.1 }\n"
                             "database eng-jpn { data \"/usr/share/dictd/freedict-eng-jpn.dict.dz\" "
                             "index \"/usr/share/dictd/freedict-eng-jpn.index\" }\n";
    ::chmod(config.c_str(), 0644);
    const std::string port = std::to_string(20000 + ::getpid() % 20000);
    const char* argv[] = {"dictd", "-c", config.c_str(), "-p", port.c_str(), "-d", "nodetach", "--fast-start", nullptr};
    pid_t pid = 0;
    ASSERT_EQ(::posix_spawnp(&pid, "dictd", nullptr, nullptr, const_cast<char**>(argv), environ), 0);
    DefineResult result;
    for (int i = 0; i < 100; ++i) {
        result = DefineOnServer(DictServer{"127.0.0.1", port}, "cat", 2000);
        if (!result.definitions.empty()) break;
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    ::kill(pid, SIGTERM);
    ::waitpid(pid, nullptr, 0);
    ASSERT_FALSE(result.definitions.empty()) << result.problem;
    EXPECT_NE(result.definitions[0].find("猫"), std::string::npos);
}

}  // namespace
}  // namespace kelmio::dictd
