#include "gui/platform/single_instance.h"

#include <wx/app.h>
#include <wx/event.h>
#include <wx/socket.h>

#include <chrono>
#include <cstdlib>
#include <map>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/instance_link.h"
#include "platform/request_frames.h"
#include "platform/runtime_folder.h"

namespace kelmio {
namespace {

// A second start waits this long for a first one that is still starting.
constexpr std::chrono::seconds kPatience{5};
// Connections served at once; more are closed at once (every start makes one, briefly).
constexpr std::size_t kMostConnections = 16;

}  // namespace

// Accepts connections and reads their frames without ever waiting, so a
// peer that sends half a frame or garbage costs only its own connection.
class CRequestServer final : public wxEvtHandler {
public:
    explicit CRequestServer(CSingleInstance::RequestHandler handler) : m_handler(std::move(handler)) {
        Bind(wxEVT_SOCKET, &CRequestServer::OnSocket, this);
    }

    ~CRequestServer() override {
        for (auto& [socket, frames] : m_connections) {
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
            case wxSOCKET_LOST:
                ReadFrom(socket);  // what was sent before the peer closed
                Drop(socket);
                break;
            default: break;
        }
    }

    void AcceptAll() {
        while (wxSocketBase* socket = m_pListener->Accept(false)) {
            if (m_connections.size() >= kMostConnections) {
                socket->Destroy();
                continue;
            }
            socket->SetFlags(wxSOCKET_NOWAIT);
            socket->SetEventHandler(*this);
            socket->SetNotify(wxSOCKET_INPUT_FLAG | wxSOCKET_LOST_FLAG);
            socket->Notify(true);
            m_connections.emplace(socket, CRequestFrames());
            // Every start that reaches us wants Kelmio shown, with or without a project.
            Hand(std::string());
        }
    }

    void ReadFrom(wxSocketBase* socket) {
        const auto found = m_connections.find(socket);
        if (found == m_connections.end()) return;
        char buffer[4096];
        while (true) {
            socket->Read(buffer, sizeof buffer);
            const std::size_t count = socket->LastReadCount();
            if (count == 0) return;
            for (std::string& request : found->second.Feed(std::string_view(buffer, count))) Hand(std::move(request));
            if (found->second.IsBroken()) {
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

    CSingleInstance::RequestHandler m_handler;
    wxSocketServer* m_pListener = nullptr;  // sockets are destroyed, never deleted
    std::map<wxSocketBase*, CRequestFrames> m_connections;
};

std::string InstanceFolder() { return PrivateRuntimeFolder(); }

CSingleInstance::CSingleInstance(std::string folder) : m_strFolder(std::move(folder)) {}

CSingleInstance::~CSingleInstance() = default;

std::string CSingleInstance::SocketPath() const { return m_strFolder + "/kelmio.socket"; }

bool CSingleInstance::IsAnotherRunning() {
    if (m_strFolder.empty()) return false;
    if (!m_pLock) m_pLock = std::make_unique<CInstanceLock>(m_strFolder + "/kelmio.lock");
    return m_pLock->HeldElsewhere();
}

bool CSingleInstance::Serve(RequestHandler handler) {
    if (!m_pLock || !m_pLock->Held()) return false;
    auto server = std::make_unique<CRequestServer>(std::move(handler));
    if (!server->Listen(SocketPath())) return false;
    m_pServer = std::move(server);
    return true;
}

bool CSingleInstance::Send(const std::string& request) const {
    if (m_strFolder.empty()) return false;
    return SendToInstance(SocketPath(), request, kPatience);
}

}  // namespace kelmio
