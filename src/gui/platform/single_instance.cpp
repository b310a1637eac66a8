#include "gui/platform/single_instance.h"

#include <wx/app.h>
#include <wx/event.h>
#include <wx/socket.h>
#include <wx/timer.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <map>
#include <vector>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/instance_link.h"
#include "platform/request_frames.h"
#include "platform/runtime_folder.h"

namespace kelmio {
namespace {

// A second start waits this long for a first one that is still starting.
constexpr std::chrono::seconds kPatience{5};
// Connections served at once. Every start makes one and sends its request
// at once, so one that stays longer is no start: it is closed within a
// second (its time and one sweep), and a new one takes the place of the
// oldest when all are taken.
constexpr std::size_t kMostConnections = 16;
constexpr std::chrono::milliseconds kConnectionTime{800};
constexpr int kSweepMilliseconds = 100;

using Clock = std::chrono::steady_clock;

}  // namespace

// Accepts connections and reads their frames without ever waiting, so a
// peer that sends half a frame or garbage costs only its own connection.
class CRequestServer final : public wxEvtHandler {
public:
    explicit CRequestServer(CSingleInstance::RequestHandler handler) : m_handler(std::move(handler)) {
        Bind(wxEVT_SOCKET, &CRequestServer::OnSocket, this);
        m_sweep.SetOwner(this);
        Bind(wxEVT_TIMER, [this](wxTimerEvent&) { CloseExpired(); });
    }

    ~CRequestServer() override {
        m_sweep.Stop();
        for (auto& [socket, connection] : m_connections) {
            socket->Notify(false);
            socket->Destroy();
        }
        if (m_pListener) {
            m_pListener->Notify(false);
            m_pListener->Destroy();
        }
    }

    bool Listen(const std::string& socketPath) {
        // We hold the lock: a socket still there was left by a Kelmio that ended.
        struct stat info {};
        if (::lstat(socketPath.c_str(), &info) == 0 && S_ISSOCK(info.st_mode)) ::unlink(socketPath.c_str());
        wxUNIXaddress address;
        address.Filename(wxString::FromUTF8(socketPath));
        auto* listener = new wxSocketServer(address, wxSOCKET_NOWAIT);
        if (!listener->IsOk()) {
            listener->Destroy();
            return false;
        }
        listener->SetEventHandler(*this);
        listener->SetNotify(wxSOCKET_CONNECTION_FLAG);
        listener->Notify(true);
        m_pListener = listener;
        return true;
    }

private:
    void OnSocket(wxSocketEvent& event) {
        wxSocketBase* socket = event.GetSocket();
        switch (event.GetSocketEvent()) {
            case wxSOCKET_CONNECTION: AcceptAll(); break;
            case wxSOCKET_INPUT: ReadFrom(socket); break;
            case wxSOCKET_LOST: Close(socket); break;  // what was sent before the peer closed counts
            default: break;
        }
    }

    void AcceptAll() {
        while (wxSocketBase* socket = m_pListener->Accept(false)) {
            if (m_connections.size() >= kMostConnections) Close(Oldest());
            socket->SetFlags(wxSOCKET_NOWAIT);
            socket->SetEventHandler(*this);
            socket->SetNotify(wxSOCKET_INPUT_FLAG | wxSOCKET_LOST_FLAG);
            socket->Notify(true);
            m_connections.emplace(socket, Connection{CRequestFrames(), Clock::now()});
            if (!m_sweep.IsRunning()) m_sweep.Start(kSweepMilliseconds);
            // Every start that reaches us wants Kelmio shown, with or without a project.
            Hand(std::string());
        }
    }

    wxSocketBase* Oldest() const {
        const auto oldest = std::min_element(m_connections.begin(), m_connections.end(), [](const auto& a, const auto& b) {
            return a.second.since < b.second.since;
        });
        return oldest->first;
    }

    void CloseExpired() {
        const Clock::time_point now = Clock::now();
        std::vector<wxSocketBase*> expired;
        for (const auto& [socket, connection] : m_connections) {
            if (now - connection.since >= kConnectionTime) expired.push_back(socket);
        }
        for (wxSocketBase* socket : expired) Close(socket);
        if (m_connections.empty()) m_sweep.Stop();
    }

    // Takes what the connection sent in time, then ends it.
    void Close(wxSocketBase* socket) {
        ReadFrom(socket);
        Drop(socket);
    }

    void ReadFrom(wxSocketBase* socket) {
        const auto found = m_connections.find(socket);
        if (found == m_connections.end()) return;
        char buffer[4096];
        while (true) {
            socket->Read(buffer, sizeof buffer);
            const std::size_t count = socket->LastReadCount();
            if (count == 0) return;
            CRequestFrames& frames = found->second.frames;
            for (std::string& request : frames.Feed(std::string_view(buffer, count))) Hand(std::move(request));
            if (frames.IsBroken()) {
                Drop(socket);
                return;
            }
        }
    }

    void Drop(wxSocketBase* socket) {
        if (m_connections.erase(socket) == 0) return;
        socket->Notify(false);
        socket->Destroy();
    }

    // The request may open a project and ask questions: that happens after
    // the socket's own event is over.
    void Hand(std::string request) {
        wxTheApp->CallAfter([handler = m_handler, request = std::move(request)] { handler(request); });
    }

    struct Connection {
        CRequestFrames frames;
        Clock::time_point since;  // accepted
    };

    CSingleInstance::RequestHandler m_handler;
    wxSocketServer* m_pListener = nullptr;  // sockets are destroyed, never deleted
    std::map<wxSocketBase*, Connection> m_connections;
    wxTimer m_sweep;  // runs while there are connections
};

std::string InstanceFolder() { return RuntimeFolderCandidate(); }

CSingleInstance::CSingleInstance(std::string folder) : m_strFolder(std::move(folder)) {}

CSingleInstance::~CSingleInstance() = default;

std::string CSingleInstance::SocketPath() const { return m_strFolder + "/kelmio.socket"; }

InstanceClaim CSingleInstance::Claim() {
    if (!m_bFolderChecked) {
        m_bFolderChecked = true;
        m_bFolderPrivate = !m_strFolder.empty() && MakePrivateFolder(m_strFolder);
    }
    if (!m_bFolderPrivate) return InstanceClaim::kNoFolder;
    if (!m_pLock) m_pLock = std::make_unique<CInstanceLock>(m_strFolder + "/kelmio.lock");
    if (m_pLock->Held()) return InstanceClaim::kOurs;
    return m_pLock->HeldElsewhere() ? InstanceClaim::kElsewhere : InstanceClaim::kNoLock;
}

bool CSingleInstance::Serve(RequestHandler handler) {
    if (!m_pLock || !m_pLock->Held()) return false;
    auto server = std::make_unique<CRequestServer>(std::move(handler));
    if (!server->Listen(SocketPath())) return false;
    m_pServer = std::move(server);
    return true;
}

bool CSingleInstance::Send(const std::string& request) const {
    if (!m_bFolderPrivate) return false;
    return SendToInstance(SocketPath(), request, kPatience);
}

}  // namespace kelmio
