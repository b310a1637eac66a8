#include "ipc/wx_dde_transport.h"

#include <wx/ipc.h>

#include "ipc/socket_conversation.h"
#include "platform/runtime_folder.h"

namespace kelmio {

#if wxUSE_DDE_FOR_IPC
namespace {

// wx deletes a connection whose server ended the conversation unless
// OnDisconnect says otherwise; the conversation owns this one, so it is
// only marked.
class COwnedConnection final : public wxConnection {
public:
    bool OnDisconnect() override {
        m_bGone = true;
        return true;
    }
    bool Gone() const { return m_bGone; }

private:
    bool m_bGone = false;
};

class COwnedClient final : public wxClient {
public:
    wxConnectionBase* OnMakeConnection() override { return new COwnedConnection; }
};

class CWxConversation final : public CDdeConversation {
public:
    explicit CWxConversation(COwnedConnection* connection) : m_pConnection(connection) {}
    ~CWxConversation() override {
        if (!m_pConnection->Gone()) m_pConnection->Disconnect();
    }

    bool Poke(std::string_view item, std::string_view data, int) override {
        if (m_pConnection->Gone()) return false;
        return m_pConnection->Poke(wxString::FromUTF8(item.data(), item.size()), data.data(), data.size(),
                                   wxIPC_TEXT);
    }

    std::optional<std::string> Request(std::string_view item, int) override {
        if (m_pConnection->Gone()) return std::nullopt;
        size_t size = 0;
        const void* data = m_pConnection->Request(wxString::FromUTF8(item.data(), item.size()), &size, wxIPC_TEXT);
        if (data == nullptr) return std::nullopt;
        return std::string(static_cast<const char*>(data), size);
    }

    bool IsLost() const override { return m_pConnection->Gone(); }

private:
    std::unique_ptr<COwnedConnection> m_pConnection;
};

}  // namespace
#endif

CWxDdeTransport::CWxDdeTransport(std::string socketFolder) : m_strFolder(std::move(socketFolder)) {}

std::unique_ptr<CDdeConversation> CWxDdeTransport::Connect(std::string_view service, std::string_view topic,
                                                           int timeoutMs) {
    m_bLastConnectHung = false;
#if wxUSE_DDE_FOR_IPC
    (void)timeoutMs;
    COwnedClient client;
    wxConnectionBase* made = client.MakeConnection("localhost", wxString::FromUTF8(service.data(), service.size()),
                                                   wxString::FromUTF8(topic.data(), topic.size()));
    auto* connection = dynamic_cast<COwnedConnection*>(made);
    if (connection == nullptr) {
        delete made;
        return nullptr;
    }
    return std::make_unique<CWxConversation>(connection);
#else
    if (m_strFolder.empty()) return nullptr;
    SocketConnectResult result = ConnectOverSocket(ServiceSocketPath(m_strFolder, service), topic, timeoutMs);
    m_bLastConnectHung = !result.conversation && result.failure == SocketConnectFailure::kNoReply;
    return std::move(result.conversation);
#endif
}

}  // namespace kelmio
