#include "gui/platform/single_instance.h"

#include <gtest/gtest.h>
#include <pwd.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "app/command_line.h"
#include "gui_support.h"
#include "platform/unique_fd.h"
#include "support/scripted_prompter.h"
#include "support/temp_dir.h"

namespace kelmio {
namespace {

UniqueFd ConnectTo(const std::string& path) {
    UniqueFd fd(::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0));
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::strcpy(address.sun_path, path.c_str());
    if (::connect(fd.Get(), reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) return UniqueFd();
    return fd;
}

// Connects without blocking; while the listener's queue is full, lets it
// take the waiting connections first.
UniqueFd ConnectWhileServing(const std::string& path) {
    UniqueFd fd(::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0));
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::strcpy(address.sun_path, path.c_str());
    for (int round = 0; round < 100; ++round) {
        if (::connect(fd.Get(), reinterpret_cast<sockaddr*>(&address), sizeof address) == 0) return fd;
        if (errno != EAGAIN) return UniqueFd();
        test::Pump();
    }
    return UniqueFd();
}

// Pumps events until `done` or about two seconds have passed.
template <typename Predicate>
bool PumpUntil(Predicate done) {
    for (int round = 0; round < 40 && !done(); ++round) test::Pump();
    return done();
}

class SingleInstanceTest : public testing::Test {
protected:
    SingleInstanceTest() { std::filesystem::permissions(m_dir.Path(), std::filesystem::perms::owner_all); }

    bool Received(const std::string& request) const {
        return std::find(m_requests.begin(), m_requests.end(), request) != m_requests.end();
    }

    test::TempDir m_dir;
    std::vector<std::string> m_requests;
};

// Only the holder of the lock listens: a second start neither serves nor
// takes the socket away from the first.
TEST_F(SingleInstanceTest, TheLockDecidesWhoServes) {
    CSingleInstance first(m_dir.Path().string());
    ASSERT_FALSE(first.IsAnotherRunning());
    ASSERT_TRUE(first.Serve([this](const std::string& request) { m_requests.push_back(request); }));

    CSingleInstance second(m_dir.Path().string());
    EXPECT_TRUE(second.IsAnotherRunning());
    EXPECT_FALSE(second.Serve([](const std::string&) {}));
    ASSERT_TRUE(second.Send(MakeOpenRequest("/tmp/a.kmp")));
    EXPECT_TRUE(PumpUntil([&] { return Received(MakeOpenRequest("/tmp/a.kmp")); }));
    EXPECT_TRUE(Received(""));  // the connection itself asks for the window
}

// A frame claiming gigabytes costs the sender its connection; the running
// Kelmio stays small and serves the next start as before.
TEST_F(SingleInstanceTest, BadFramesDropTheConnectionAndServingGoesOn) {
    CSingleInstance first(m_dir.Path().string());
    ASSERT_FALSE(first.IsAnotherRunning());
    ASSERT_TRUE(first.Serve([this](const std::string& request) { m_requests.push_back(request); }));

    for (const char* claim : {"\xFF\xFF\xFF\xFF", "\x00\x00\x00\x10", "\x00\x00\x00\x40"}) {
        UniqueFd peer = ConnectTo(first.SocketPath());
        ASSERT_TRUE(peer.Valid());
        const std::string bytes = std::string(claim, 4) + std::string(4096, 'z');
        ASSERT_EQ(::send(peer.Get(), bytes.data(), bytes.size(), MSG_NOSIGNAL), static_cast<ssize_t>(bytes.size()));
        // Dropped: the peer reads the end of the stream.
        char byte = 0;
        EXPECT_TRUE(PumpUntil([&] { return ::recv(peer.Get(), &byte, 1, MSG_DONTWAIT) == 0; }));
    }
    CSingleInstance later(m_dir.Path().string());
    ASSERT_TRUE(later.IsAnotherRunning());
    ASSERT_TRUE(later.Send(MakeOpenRequest("/tmp/b.kmp")));
    EXPECT_TRUE(PumpUntil([&] { return Received(MakeOpenRequest("/tmp/b.kmp")); }));
}

// Connections that send nothing cannot keep a start out: the newest takes
// the place of the oldest, and each is closed within a second.
TEST_F(SingleInstanceTest, IdleConnectionsDoNotKeepAStartOut) {
    CSingleInstance first(m_dir.Path().string());
    ASSERT_FALSE(first.IsAnotherRunning());
    ASSERT_TRUE(first.Serve([this](const std::string& request) { m_requests.push_back(request); }));
    std::vector<UniqueFd> idle;
    for (int i = 0; i < 20; ++i) {
        idle.push_back(ConnectWhileServing(first.SocketPath()));
        ASSERT_TRUE(idle.back().Valid());
    }
    test::Pump();  // all of them accepted, as many as are served kept

    CSingleInstance later(m_dir.Path().string());
    ASSERT_TRUE(later.IsAnotherRunning());
    ASSERT_TRUE(later.Send(MakeOpenRequest("/tmp/c.kmp")));
    EXPECT_TRUE(PumpUntil([&] { return Received(MakeOpenRequest("/tmp/c.kmp")); }));

    const auto allClosed = [&] {
        return std::all_of(idle.begin(), idle.end(), [](const UniqueFd& peer) {
            char byte = 0;
            return ::recv(peer.Get(), &byte, 1, MSG_DONTWAIT) == 0;
        });
    };
    EXPECT_TRUE(PumpUntil(allClosed));
}

// A folder of the lock that another user made, or that others may enter,
// is never used: the start is told, and neither serves nor sends.
TEST_F(SingleInstanceTest, APlantedFolderEndsTheStartWithAMessage) {
    const std::filesystem::path open = m_dir.Path() / "open";
    std::filesystem::create_directory(open);
    ::chmod(open.c_str(), 0755);
    std::vector<std::filesystem::path> planted{open};
    const passwd* nobody = ::getpwnam("nobody");
    if (::geteuid() == 0 && nobody != nullptr) {
        const std::filesystem::path theirs = m_dir.Path() / "theirs";
        std::filesystem::create_directory(theirs);
        ::chmod(theirs.c_str(), 0700);
        ASSERT_EQ(::chown(theirs.c_str(), nobody->pw_uid, nobody->pw_gid), 0);
        planted.push_back(theirs);
    }
    for (const std::filesystem::path& folder : planted) {
        CSingleInstance start(folder.string());
        EXPECT_EQ(start.Claim(), InstanceClaim::kNoFolder) << folder;
        EXPECT_FALSE(start.Serve([](const std::string&) {}));
        EXPECT_FALSE(std::filesystem::exists(folder / "kelmio.lock"));
        EXPECT_FALSE(std::filesystem::exists(start.SocketPath()));

        test::CScriptedPrompter prompter;
        prompter.ExpectMessage(Answer::kOk);
        bool sent = false;
        const StartRole role = DecideStartRole(
            start.Claim(), ParseCommandLine({"/tmp/a.kmp"}),
            [&](const std::string& request) { return sent = start.Send(request); }, start.Folder(), prompter);
        EXPECT_EQ(role, StartRole::kEnd);
        EXPECT_FALSE(sent);
        ASSERT_EQ(prompter.Messages().size(), 1u);
        EXPECT_EQ(prompter.Messages()[0].text, UnsafeInstanceFolderMessage(folder.string()));
    }
}

}  // namespace
}  // namespace kelmio
