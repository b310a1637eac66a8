// One dictionary lookup through the bridge (poke "Find" with its
// acknowledgement, then request the answer over the real socket IPC)
// beside what a user of the dict client pays for the same word from a
// privately started dictd serving the same freedict databases: the whole
// dict process. Both run in the same iteration, so their ratio is taken in
// one run on one machine.
//
// And the lookup box's title search over 10,000 memos, one keystroke,
// beside a plain strncasecmp scan of the same titles.

#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <signal.h>
#include <spawn.h>
#include <strings.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <wx/init.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <thread>

#include "ipc/wx_dde_transport.h"
#include "memo/memo_form.h"
#include "platform/app_host.h"
#include "platform/prompter.h"
#include "platform/runtime_folder.h"
#include "platform/settings.h"
#include "project/kelmio_doc.h"

extern char** environ;

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

pid_t Spawn(const std::vector<std::string>& argv, bool quiet) {
    std::vector<char*> pointers;
    for (const std::string& argument : argv) pointers.push_back(const_cast<char*>(argument.c_str()));
    pointers.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    if (quiet) {
        posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
        posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    }
    pid_t pid = 0;
    const int error = posix_spawnp(&pid, pointers[0], &actions, nullptr, pointers.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    return error == 0 ? pid : -1;
}

int FreePort() {
    const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    ::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address);
    socklen_t length = sizeof address;
    ::getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length);
    ::close(fd);
    return ntohs(address.sin_port);
}

bool Accepts(int port) {
    const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(static_cast<uint16_t>(port));
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    const bool connected = ::connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0;
    ::close(fd);
    return connected;
}

// The bridge and dictd, started for the benchmark and ended after it.
class CServers {
public:
    CServers() {
        m_folder = fs::temp_directory_path() / ("kelmio-bench-" + std::to_string(::getpid()));
        fs::create_directories(m_folder);
        ::chmod(m_folder.c_str(), 0755);  // dictd reads its configuration as another user
        m_runtime = m_folder / "runtime";
        fs::create_directories(m_runtime);
        ::chmod(m_runtime.c_str(), 0700);
        ::setenv("XDG_RUNTIME_DIR", m_runtime.c_str(), 1);
        ::setenv("KELMIO_CONFIG_DIR", m_folder.c_str(), 1);
        m_bridge = Spawn({KELMIO_BRIDGE_PATH}, true);

        std::ofstream config(m_folder / "dictd.conf");
        config << "global { listen_to 127.0.0.1 }\n";
        for (const char* name : {"freedict-eng-jpn", "freedict-jpn-eng"}) {
            config << "database " << name << " { data \"/usr/share/dictd/" << name << ".dict.dz\" index \"/usr/share/dictd/"
                   << name << ".index\" }\n";
        }
        config.close();
        ::chmod((m_folder / "dictd.conf").c_str(), 0644);
        m_port = FreePort();
        m_dictd = Spawn({"dictd", "-c", (m_folder / "dictd.conf").string(), "-p", std::to_string(m_port), "-d",
                         "nodetach", "--fast-start"},
                        true);
        const std::string socket = kelmio::ServiceSocketPath(m_runtime.string(), "PDICW");
        for (int i = 0; i < 500 && !(fs::exists(socket) && Accepts(m_port)); ++i) {
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        m_bReady = m_bridge > 0 && m_dictd > 0 && fs::exists(socket) && Accepts(m_port);
    }

    ~CServers() {
        for (const pid_t pid : {m_bridge, m_dictd}) {
            if (pid <= 0) continue;
            ::kill(pid, SIGTERM);
            ::waitpid(pid, nullptr, 0);
        }
        std::error_code ignored;
        fs::remove_all(m_folder, ignored);
    }

    bool Ready() const { return m_bReady; }
    int Port() const { return m_port; }
    std::string Runtime() const { return m_runtime.string(); }

private:
    fs::path m_folder;
    fs::path m_runtime;
    pid_t m_bridge = -1;
    pid_t m_dictd = -1;
    int m_port = 0;
    bool m_bReady = false;
};

void BM_FindRoundTripBesideDictClient(benchmark::State& state) {
    if (!fs::exists("/usr/share/dictd/freedict-eng-jpn.index") || std::system("command -v dict dictd >/dev/null") != 0) {
        state.SkipWithError("freedict, dict or dictd is not installed");
        return;
    }
    wxInitializer wx;
    CServers servers;
    if (!servers.Ready()) {
        state.SkipWithError("the bridge or dictd did not start");
        return;
    }
    kelmio::CWxDdeTransport transport(servers.Runtime());
    auto conversation = transport.Connect("PDICW", "Dictionary", kelmio::kDdeTimeoutMs);
    if (!conversation || !conversation->Poke("Open", std::string(1, '\0'), kelmio::kDdeTimeoutMs)) {
        state.SkipWithError("no conversation with the bridge");
        return;
    }
    const std::string word = std::string("cat") + '\0';
    const std::vector<std::string> dictCommand{"dict", "-h", "127.0.0.1", "-p", std::to_string(servers.Port()), "cat"};
    double bridgeSeconds = 0;
    double dictSeconds = 0;
    for (auto _ : state) {
        const auto start = Clock::now();
        const bool found = conversation->Poke("Find", word, kelmio::kDdeTimeoutMs);
        auto answer = conversation->Request("Find", kelmio::kDdeTimeoutMs);
        const auto middle = Clock::now();
        const pid_t dict = Spawn(dictCommand, true);
        int status = 0;
        ::waitpid(dict, &status, 0);
        const auto end = Clock::now();
        if (!found || !answer || status != 0) {
            state.SkipWithError("a lookup failed");
            break;
        }
        benchmark::DoNotOptimize(answer);
        bridgeSeconds += std::chrono::duration<double>(middle - start).count();
        dictSeconds += std::chrono::duration<double>(end - middle).count();
    }
    const auto n = static_cast<double>(state.iterations());
    if (n == 0 || bridgeSeconds == 0) return;
    state.counters["bridge_us"] = bridgeSeconds / n * 1e6;
    state.counters["dict_client_us"] = dictSeconds / n * 1e6;
    state.counters["dict_over_bridge"] = dictSeconds / bridgeSeconds;
}
BENCHMARK(BM_FindRoundTripBesideDictClient)->Unit(benchmark::kMicrosecond)->UseRealTime()->MinTime(2.0);

// 10,000 memos whose titles share their beginnings, as terms do.
const kelmio::CKelmioDoc& MemoDocument() {
    static kelmio::CMemorySettings settings;
    static struct NoPrompter final : kelmio::CPrompter {
        kelmio::Answer Message(std::string_view, kelmio::MessageButtons, kelmio::MessageIcon) override {
            return kelmio::Answer::kCancel;
        }
        kelmio::FileDialogResult ChooseFile(const kelmio::CFileDialogEx&) override { return {}; }
        int ChooseFolder(kelmio::BrowseFolder&) override { return kelmio::kIdCancel; }
        std::optional<std::string> Input(std::string_view, std::string_view) override { return std::nullopt; }
        std::optional<kelmio::CFilePath> InputPath(std::string_view, const kelmio::CFilePath&) override {
            return std::nullopt;
        }
        int RunNewProjectDialog(kelmio::CNewProjectDlg&) override { return kelmio::kIdCancel; }
        int RunProjectDialog(kelmio::CProjectDlg&) override { return kelmio::kIdCancel; }
        int RunDicAnswerDialog(kelmio::CDicAnswerDlg&) override { return kelmio::kIdCancel; }
        int RunDicOptDialog(kelmio::CDicOptDg&) override { return kelmio::kIdCancel; }
        int RunSourceHistoryDialog(kelmio::CSrcHistoryDlg&) override { return kelmio::kIdCancel; }
    } prompter;
    static struct NoApp final : kelmio::CAppHost {
        bool TakeStartupFlag() override { return false; }
        void PostCloseRequest() override {}
    } app;
    static const std::unique_ptr<kelmio::CKelmioDoc> doc = [] {
        auto made = std::make_unique<kelmio::CKelmioDoc>(settings, prompter, app);
        for (int i = 0; i < 10000; ++i) {
            made->m_data.AppendMemo({"Terminology " + std::to_string(i) + " notes", "text"});
        }
        return made;
    }();
    return *doc;
}

// A prefix that only the last memo has: every title is compared.
void BM_MemoPrefixSearch10000(benchmark::State& state) {
    const kelmio::CKelmioDoc& doc = MemoDocument();
    for (auto _ : state) benchmark::DoNotOptimize(kelmio::CMemoForm::FindMemoByPrefix(doc, "terminology 9999 n"));
}
BENCHMARK(BM_MemoPrefixSearch10000)->Unit(benchmark::kMicrosecond);

void BM_StrncasecmpScan10000(benchmark::State& state) {
    const kelmio::CKelmioDoc& doc = MemoDocument();
    const std::string prefix = "terminology 9999 n";
    for (auto _ : state) {
        int found = -1;
        for (std::size_t i = 1; i < doc.m_data.GetMemoCount() && found < 0; ++i) {
            if (::strncasecmp(doc.m_data.GetMemo(i).m_strTitle.c_str(), prefix.c_str(), prefix.size()) == 0) {
                found = static_cast<int>(i);
            }
        }
        benchmark::DoNotOptimize(found);
    }
}
BENCHMARK(BM_StrncasecmpScan10000)->Unit(benchmark::kMicrosecond);

}  // namespace
