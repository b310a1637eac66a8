#include "gui/platform/single_instance.h"

#include <wx/app.h>
#include <wx/ipc.h>
#include <wx/snglinst.h>

#include "platform/runtime_folder.h"

namespace kelmio {
namespace {

constexpr const char* kTopic = "Kelmio";

class CRequestConnection final : public wxConnection {
public:
    explicit CRequestConnection(CSingleInstance::RequestHandler handler) : m_handler(std::move(handler)) {}

    bool OnExecute(const wxString&, const void* data, size_t size, wxIPCFormat) override {
        std::string request(static_cast<const char*>(data), size);
        while (!request.empty() && request.back() == '\0') request.pop_back();
        Hand(std::move(request));
        return true;
    }

    // The request may open a project and ask questions: that happens after
    // the socket's own event is over.
    void Hand(std::string request) {
        wxTheApp->CallAfter([handler = m_handler, request = std::move(request)] { handler(request); });
    }

private:
    CSingleInstance::RequestHandler m_handler;
};

class CRequestServer final : public wxServer {
public:
    explicit CRequestServer(CSingleInstance::RequestHandler handler) : m_handler(std::move(handler)) {}

    wxConnectionBase* OnAcceptConnection(const wxString& topic) override {
        if (topic != kTopic) return nullptr;
        auto* connection = new CRequestConnection(m_handler);
        // Every start that reaches us wants Kelmio shown, with or without a project.
        connection->Hand(std::string());
        return connection;
    }

private:
    CSingleInstance::RequestHandler m_handler;
};

}  // namespace

std::string InstanceFolder() { return PrivateRuntimeFolder(); }

CSingleInstance::CSingleInstance(std::string folder) : m_strFolder(std::move(folder)) {}

CSingleInstance::~CSingleInstance() = default;

std::string CSingleInstance::SocketPath() const { return m_strFolder + "/kelmio.socket"; }

bool CSingleInstance::IsAnotherRunning() {
    if (m_strFolder.empty()) return false;
    if (!m_pChecker) {
        m_pChecker = std::make_unique<wxSingleInstanceChecker>();
        if (!m_pChecker->Create("kelmio.lock", wxString::FromUTF8(m_strFolder))) {
            m_pChecker.reset();
            return false;
        }
    }
    return m_pChecker->IsAnotherRunning();
}

bool CSingleInstance::Serve(RequestHandler handler) {
    if (m_strFolder.empty()) return false;
    auto server = std::make_unique<CRequestServer>(std::move(handler));
    // A socket left by a Kelmio that crashed is replaced: we hold the lock.
    if (!server->Create(wxString::FromUTF8(SocketPath()))) return false;
    m_pServer = std::move(server);
    return true;
}

bool CSingleInstance::Send(const std::string& request) const {
    if (m_strFolder.empty()) return false;
    wxClient client;
    std::unique_ptr<wxConnectionBase> connection(
        client.MakeConnection("localhost", wxString::FromUTF8(SocketPath()), kTopic));
    if (!connection) return false;
    const bool sent = request.empty() || connection->Execute(request.data(), request.size());
    connection->Disconnect();
    return sent;
}

}  // namespace kelmio
