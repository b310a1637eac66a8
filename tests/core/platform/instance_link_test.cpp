#include "platform/instance_link.h"

#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/un.h>

#include <cstring>
#include <future>
#include <memory>
#include <thread>
#include <vector>
#include <string>

#include "platform/request_frames.h"
#include "support/temp_dir.h"

namespace kelmio {
namespace {

using namespace std::chrono_literals;

std::string Frame(std::uint32_t length, std::string_view body) {
    std::string frame;
    for (int i = 0; i < 4; ++i, length >>= 8) frame += static_cast<char>(length & 0xFF);
    return frame.append(body);
}

TEST(CRequestFrames, FramesCompleteAcrossAnySplit) {
    const std::string stream = FrameRequest("[open(\"a.kmp\")]") + FrameRequest("") + FrameRequest("x");
    for (std::size_t step = 1; step <= stream.size(); ++step) {
        CRequestFrames frames;
        std::vector<std::string> requests;
        for (std::size_t at = 0; at < stream.size(); at += step) {
            for (std::string& request : frames.Feed(std::string_view(stream).substr(at, step))) {
                requests.push_back(std::move(request));
            }
        }
        EXPECT_EQ(requests, (std::vector<std::string>{"[open(\"a.kmp\")]", "", "x"})) << step;
        EXPECT_FALSE(frames.IsBroken());
    }
}

// A length no request can have breaks the connection before anything is
// kept for it; what came before it still counts, nothing after it does.
TEST(CRequestFrames, ClaimedLengthsAboveTheLimitBreakTheStream) {
    for (const std::uint32_t claim : {0xFFFFFFFFu, 0x10000000u, 0x40000000u,
                                      static_cast<std::uint32_t>(kLargestRequest + 1)}) {
        CRequestFrames frames;
        const auto requests = frames.Feed(FrameRequest("first") + Frame(claim, "tail") + FrameRequest("after"));
        EXPECT_EQ(requests, std::vector<std::string>{"first"}) << claim;
        EXPECT_TRUE(frames.IsBroken());
        EXPECT_TRUE(frames.Feed(FrameRequest("later")).empty());
    }
    CRequestFrames largest;
    const std::string body(kLargestRequest, 'p');
    EXPECT_EQ(largest.Feed(FrameRequest(body)), std::vector<std::string>{body});
    EXPECT_FALSE(largest.IsBroken());
}

// flock conflicts between two opens of the file even in one process, as
// between two starts; the lock goes with its holder.
TEST(CInstanceLock, OnlyOneHolderAtATime) {
    test::TempDir dir;
    const std::string path = dir.File("kelmio.lock");
    {
        CInstanceLock first(path);
        EXPECT_TRUE(first.Held());
        EXPECT_FALSE(first.HeldElsewhere());
        CInstanceLock second(path);
        EXPECT_FALSE(second.Held());
        EXPECT_TRUE(second.HeldElsewhere());
    }
    CInstanceLock after(path);
    EXPECT_TRUE(after.Held());

    CInstanceLock nowhere(dir.File("missing/kelmio.lock"));
    EXPECT_FALSE(nowhere.Held());
    EXPECT_FALSE(nowhere.HeldElsewhere());
}

TEST(SendToInstance, SendsOneFrameOrReportsNoListener) {
    test::TempDir dir;
    const std::string path = dir.File("kelmio.socket");
    EXPECT_FALSE(SendToInstance(path, "[open(\"a\")]", 100ms));

    UniqueFd listener(::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0));
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::strcpy(address.sun_path, path.c_str());
    ASSERT_EQ(::bind(listener.Get(), reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
    ASSERT_EQ(::listen(listener.Get(), 4), 0);
    ASSERT_TRUE(SendToInstance(path, "[open(\"a\")]", 100ms));
    UniqueFd peer(::accept(listener.Get(), nullptr, nullptr));
    char buffer[64];
    const ssize_t n = ::recv(peer.Get(), buffer, sizeof buffer, MSG_WAITALL);
    EXPECT_EQ(std::string(buffer, static_cast<std::size_t>(std::max<ssize_t>(n, 0))), FrameRequest("[open(\"a\")]"));

    EXPECT_FALSE(SendToInstance(path, std::string(kLargestRequest + 1, 'x'), 100ms));
}

// A listener that takes no connections (its queue full) does not hold a
// start for ever: it is as unreachable as none.
TEST(SendToInstance, AFullQueueIsNoListenerEither) {
    test::TempDir dir;
    const std::string path = dir.File("kelmio.socket");
    UniqueFd listener(::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0));
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::strcpy(address.sun_path, path.c_str());
    ASSERT_EQ(::bind(listener.Get(), reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
    ASSERT_EQ(::listen(listener.Get(), 0), 0);
    std::vector<UniqueFd> queued;
    for (int i = 0; i < 64; ++i) {
        UniqueFd peer(::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0));
        if (::connect(peer.Get(), reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) break;
        queued.push_back(std::move(peer));
    }
    ASSERT_LT(queued.size(), 64u);  // the queue is full now

    // Asked on a thread of its own, so a start that would wait for ever
    // fails this test instead of hanging it.
    auto result = std::make_shared<std::promise<bool>>();
    std::future<bool> answer = result->get_future();
    std::thread([path, result] { result->set_value(SendToInstance(path, "[open(\"a\")]", 200ms)); }).detach();
    ASSERT_EQ(answer.wait_for(30s), std::future_status::ready);
    EXPECT_FALSE(answer.get());
}

}  // namespace
}  // namespace kelmio
