#include "ipc/bridge_server.h"

#include <wx/ipc.h>
#include <wx/time.h>

#include "dictd/bridge_service.h"
#include "platform/runtime_folder.h"

namespace kelmio {
namespace {

constexpr const char* kTopic = "Dictionary";
constexpr const char* kServices[] = {"PDICW", "PDICU"};

std::string Utf8(const wxString& text) { return std::string(text.utf8_str()); }

class CBridgeConnection final : public wxConnection {
public:
    CBridgeConnection(dictd::CDictdShelf& shelf, std::shared_ptr<long> lastActivity)
        : m_conversation(shelf), m_pLastActivity(std::move(lastActivity)) {}

    bool OnPoke(const wxString&, const wxString& item, const void* data, size_t size, wxIPCFormat) override {
        m_conversation.OnPoke(Utf8(item), std::string_view(static_cast<const char*>(data), size));
        // Idle time counts from the end of the work: a lookup that took a
        // while (a slow DICT server) must not end the bridge before its
        // client has asked for the outcome.
        *m_pLastActivity = wxGetLocalTime();
        // The outcome is asked for separately: a socket poke gets no reply.
        return true;
    }

    const void* OnRequest(const wxString&, const wxString& item, size_t* size, wxIPCFormat) override {
        *m_pLastActivity = wxGetLocalTime();
        std::optional<std::string> answer = m_conversation.OnRequest(Utf8(item));
        if (!answer) return nullptr;
        m_reply = std::move(*answer);
        *size = m_reply.size();
        return m_reply.data();
    }

private:
    dictd::CBridgeConversation m_conversation;
    std::shared_ptr<long> m_pLastActivity;
    std::string m_reply;  // stays alive until the reply has been sent
};

class CServiceServer final : public wxServer {
public:
    CServiceServer(dictd::CDictdShelf& shelf, std::shared_ptr<long> lastActivity)
        : m_shelf(shelf), m_pLastActivity(std::move(lastActivity)) {}

    wxConnectionBase* OnAcceptConnection(const wxString& topic) override {
        if (topic != kTopic) return nullptr;
        *m_pLastActivity = wxGetLocalTime();
        return new CBridgeConnection(m_shelf, m_pLastActivity);
    }

private:
    dictd::CDictdShelf& m_shelf;
    std::shared_ptr<long> m_pLastActivity;
};

}  // namespace

CBridgeServer::CBridgeServer(std::string socketFolder, dictd::CDictdShelf& shelf)
    : m_strFolder(std::move(socketFolder)), m_shelf(shelf), m_pLastActivity(std::make_shared<long>(wxGetLocalTime())) {}

CBridgeServer::~CBridgeServer() = default;

bool CBridgeServer::Start() {
    if (m_strFolder.empty()) return false;
    for (const char* service : kServices) {
        auto server = std::make_unique<CServiceServer>(m_shelf, m_pLastActivity);
        if (!server->Create(wxString::FromUTF8(ServiceSocketPath(m_strFolder, service)))) return false;
        m_servers.push_back(std::move(server));
    }
    return true;
}

long CBridgeServer::IdleSeconds() const { return wxGetLocalTime() - *m_pLastActivity; }

}  // namespace kelmio
