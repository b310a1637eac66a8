// The real bridge over the real IPC: a test starts kelmio-dictbridge (or
// lets the PDIC client start it, as Kelmio does) and talks to it through
// the transport Kelmio uses.

#include <gtest/gtest.h>
#include <signal.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <wx/app.h>
#include <wx/apptrait.h>
#include <wx/evtloop.h>
#include <wx/init.h>

#include <chrono>
#include <filesystem>
#include <optional>
#include <thread>

#include "dictbridge/dictzip_writer.h"
#include "dictbridge/slow_dict_server.h"
#include "dictd/bridge_service.h"
#include "dictionary/pdic_client.h"
#include "ipc/wx_dde_transport.h"
#include "platform/ini_system_registry.h"
#include "platform/posix_shell.h"
#include "platform/runtime_folder.h"
#include "support/file_bytes.h"
#include "support/scoped_env.h"
#include "support/scripted_prompter.h"
#include "support/sjis_literal.h"
#include "support/temp_dir.h"

extern char** environ;

namespace kelmio {
namespace {

using namespace kelmio::test;
namespace fs = std::filesystem;

bool FreedictInstalled() { return fs::exists("/usr/share/dictd/freedict-eng-jpn.index"); }

class BridgeIpcTest : public ::testing::Test {
protected:
    BridgeIpcTest()
        : runtimeEnv("XDG_RUNTIME_DIR", PrepareRuntime()),
          configEnv("KELMIO_CONFIG_DIR", config.Path().string()),
          idleEnv("KELMIO_DICTBRIDGE_IDLE_SECONDS", "3"),
          transport(runtime.Path().string()),
          registry("", KELMIO_BRIDGE_PATH) {
        // A dictionary of our own beside the installed ones.
        const auto own = MakeDictdDatabase({{"kelmioword", "kelmioword\n  \xE7\x8C\xAB and \xF0\x9F\x90\x88\n"}});
        WriteFileBytes(dictionaries.File("own.index"), own.index);
        WriteFileBytes(dictionaries.File("own.dict.dz"), Dictzip(own.text, 64));
        WriteFileBytes(config.File("Kelmio.ini"), "[Dictionary]\nDictdFolder=" + dictionaries.Path().string() + "\n");
        platform.pTransport = &transport;
        platform.pShell = &shell;
        platform.pRegistry = &registry;
    }

    ~BridgeIpcTest() override {
        if (bridgePid > 0) {
            ::kill(bridgePid, SIGCONT);
            ::kill(bridgePid, SIGTERM);
            ::waitpid(bridgePid, nullptr, 0);
        }
    }

    // The bridge of this test ends for good; its socket files may stay.
    void KillBridge() {
        ::kill(bridgePid, SIGKILL);
        ::waitpid(bridgePid, nullptr, 0);
        bridgePid = 0;
    }

    // One lookup as Kelmio makes it; the messages it showed are in the prompter.
    std::optional<std::string> LookUp(std::string_view word) {
        CPdicClient client(platform, prompter, false);
        if (!client.Open()) return std::nullopt;
        std::string answer;
        const bool found = client.Find(word, answer);
        client.Close();
        return found ? std::optional<std::string>(answer) : std::nullopt;
    }

    std::string PrepareRuntime() {
        ::chmod(runtime.Path().c_str(), 0700);
        return runtime.Path().string();
    }

    // Starts the bridge ourselves and waits for its socket.
    void StartBridge() {
        char* argv[] = {const_cast<char*>(KELMIO_BRIDGE_PATH), nullptr};
        ASSERT_EQ(::posix_spawn(&bridgePid, KELMIO_BRIDGE_PATH, nullptr, nullptr, argv, environ), 0);
        const std::string socket = ServiceSocketPath(runtime.Path().string(), "PDICW");
        for (int i = 0; i < 500 && !fs::exists(socket); ++i) std::this_thread::sleep_for(std::chrono::milliseconds(10));
        ASSERT_TRUE(fs::exists(socket));
    }

    TempDir runtime;
    TempDir config;
    TempDir dictionaries;
    ScopedEnv runtimeEnv;
    ScopedEnv configEnv;
    ScopedEnv idleEnv;
    CWxDdeTransport transport;
    CPosixShell shell;
    CIniSystemRegistry registry;
    DicPlatform platform;
    CScriptedPrompter prompter;
    pid_t bridgePid = 0;
};

TEST_F(BridgeIpcTest, FirstLookupStartsTheBridgeAndItAnswersInShiftJis) {
    CPdicClient client(platform, prompter, false);
    ASSERT_TRUE(client.Open()) << "the bridge did not come up";
    std::string answer;
    ASSERT_TRUE(client.Find("kelmioword", answer));
    EXPECT_EQ(answer, Sj("kelmioword\r\n  猫 and ?\r\n\r\n(Shift-JISにない文字 1 個を ? で置き換えました)"));
    std::string unchanged = "before";
    EXPECT_FALSE(client.Find("no-such-word-here", unchanged));
    EXPECT_EQ(unchanged, "before");
    EXPECT_TRUE(client.Close());
    EXPECT_TRUE(prompter.Messages().empty());
}

TEST_F(BridgeIpcTest, InstalledFreedictAnswersEnglishAndJapaneseOnBothServices) {
    if (!FreedictInstalled()) GTEST_SKIP() << "the freedict dictionaries are not installed";
    StartBridge();
    for (const bool unicode : {false, true}) {
        CPdicClient client(platform, prompter, unicode);
        ASSERT_TRUE(client.Open());
        std::string cat;
        ASSERT_TRUE(client.Find("cat", cat));
        EXPECT_NE(cat.find(Sj("猫")), std::string::npos);
        EXPECT_LE(cat.size(), 2047u);
        std::string neko;
        ASSERT_TRUE(client.Find(Sj("猫"), neko));
        EXPECT_NE(neko.find("cat"), std::string::npos);
        EXPECT_TRUE(client.Close());
    }
}

TEST_F(BridgeIpcTest, HangingBridgeIsCutOffByTheTimeOut) {
    StartBridge();
    auto conversation = transport.Connect("PDICW", "Dictionary", kDdeTimeoutMs);
    ASSERT_TRUE(conversation);
    ASSERT_TRUE(conversation->Poke("Open", std::string(1, '\0'), 1000));
    ::kill(bridgePid, SIGSTOP);
    const auto start = std::chrono::steady_clock::now();
    EXPECT_FALSE(conversation->Request("Find", 1000));
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));

    // The late reply is never taken for the answer to a later question: the
    // conversation has ended, and the next one works.
    ::kill(bridgePid, SIGCONT);
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    const auto again = std::chrono::steady_clock::now();
    EXPECT_FALSE(conversation->Request(dictd::kPokeStatusItem, 1000));
    EXPECT_FALSE(conversation->Poke("Find", std::string("cat") + '\0', 1000));
    EXPECT_LT(std::chrono::steady_clock::now() - again, std::chrono::milliseconds(500));
    auto fresh = transport.Connect("PDICW", "Dictionary", kDdeTimeoutMs);
    ASSERT_TRUE(fresh);
    EXPECT_TRUE(fresh->Poke("Open", std::string(1, '\0'), 1000));
}

TEST_F(BridgeIpcTest, RefusedRequestKeepsTheConversation) {
    StartBridge();
    auto conversation = transport.Connect("PDICW", "Dictionary", kDdeTimeoutMs);
    ASSERT_TRUE(conversation);
    EXPECT_FALSE(conversation->Request("Find", 1000));  // nothing found yet: the bridge refuses
    EXPECT_TRUE(conversation->Poke("Open", std::string(1, '\0'), 1000));
}

TEST_F(BridgeIpcTest, NoBridgeMeansNoConversation) {
    EXPECT_FALSE(transport.Connect("PDICW", "Dictionary", kDdeTimeoutMs));
    EXPECT_FALSE(CWxDdeTransport("").Connect("PDICW", "Dictionary", kDdeTimeoutMs));
}

TEST_F(BridgeIpcTest, OnlyTheDictionaryTopicIsServed) {
    StartBridge();
    EXPECT_FALSE(transport.Connect("PDICW", "Other", kDdeTimeoutMs));
    EXPECT_TRUE(transport.Connect("PDICU", "Dictionary", kDdeTimeoutMs));
}

// What Kelmio's window does between lookups: socket events are handled.
void HandleWaitingEvents() {
    if (wxTheApp == nullptr) return;
    const std::unique_ptr<wxEventLoopBase> loop(wxTheApp->GetTraits()->CreateEventLoop());
    wxEventLoopActivator active(loop.get());
    for (int i = 0; i < 5; ++i) {
        loop->DispatchTimeout(20);
        wxTheApp->ProcessPendingEvents();
    }
}

TEST_F(BridgeIpcTest, ConversationWhoseBridgeWasKilledIsDroppedAndTheNextLookupStartsAnother) {
    StartBridge();
    auto held = transport.Connect("PDICW", "Dictionary", kDdeTimeoutMs);
    ASSERT_TRUE(held);
    ASSERT_TRUE(held->Poke("Open", std::string(1, '\0'), 1000));
    KillBridge();
    HandleWaitingEvents();
    const auto start = std::chrono::steady_clock::now();
    EXPECT_FALSE(held->Poke("Find", std::string("kelmioword") + '\0', 1000));
    EXPECT_FALSE(held->Request("Find", 1000));
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(3));
    HandleWaitingEvents();
    held.reset();

    const std::optional<std::string> answer = LookUp("kelmioword");
    ASSERT_TRUE(answer) << (prompter.Messages().empty() ? "" : prompter.Messages()[0].text);
    EXPECT_EQ(answer->substr(0, 10), "kelmioword");
    EXPECT_TRUE(prompter.Messages().empty());
}

TEST_F(BridgeIpcTest, BridgeThatEndedWhenIdleIsStartedAgainForTheNextLookup) {
    ASSERT_TRUE(LookUp("kelmioword"));
    // The bridge ends after its idle time (3 s here) and takes its socket.
    const std::string socket = ServiceSocketPath(runtime.Path().string(), "PDICW");
    for (int i = 0; i < 300 && fs::exists(socket); ++i) {
        HandleWaitingEvents();
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    ASSERT_FALSE(fs::exists(socket)) << "the bridge did not end by itself";
    for (int lookup = 0; lookup < 2; ++lookup) {
        EXPECT_TRUE(LookUp("kelmioword")) << lookup;
        HandleWaitingEvents();
    }
    EXPECT_TRUE(prompter.Messages().empty());
}

TEST_F(BridgeIpcTest, StoppedBridgeCostsOneTimeOutAndIsReportedAsHanging) {
    StartBridge();
    ::kill(bridgePid, SIGSTOP);
    const auto start = std::chrono::steady_clock::now();
    EXPECT_FALSE(transport.Connect("PDICW", "Dictionary", 1000));
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));
    EXPECT_TRUE(transport.LastConnectHung());
    ::kill(bridgePid, SIGCONT);
    EXPECT_TRUE(transport.Connect("PDICW", "Dictionary", 1000));
    EXPECT_FALSE(transport.LastConnectHung());
    KillBridge();
    EXPECT_FALSE(transport.Connect("PDICW", "Dictionary", 1000));
    EXPECT_FALSE(transport.LastConnectHung());  // nobody there: a new one may be started
}

TEST_F(BridgeIpcTest, SlowDictServerNeverLosesTheLocalAnswer) {
    CSlowDictServer server(EndlessDictReply(), std::chrono::milliseconds(200));
    WriteFileBytes(config.File("Kelmio.ini"), "[Dictionary]\nDictdFolder=" + dictionaries.Path().string() +
                                                  "\nDictServer=" + server.HostAndPort() + "\n");
    StartBridge();
    for (int lookup = 0; lookup < 2; ++lookup) {
        const std::optional<std::string> answer = LookUp("kelmioword");
        ASSERT_TRUE(answer) << lookup;
        EXPECT_EQ(answer->substr(0, 10), "kelmioword");
    }
    EXPECT_EQ(server.Connections(), 1);  // the slow server is left alone after its first miss
    EXPECT_TRUE(prompter.Messages().empty());
}

}  // namespace
}  // namespace kelmio

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    wxInitializer wx;
    if (!wx.IsOk()) return 2;
    return RUN_ALL_TESTS();
}
