#include "ipc/wx_dde_transport.h"

#include <wx/ipc.h>

#if !wxUSE_DDE_FOR_IPC
#include <sys/socket.h>
#include <sys/time.h>
#endif

#include <algorithm>

#include "dictd/bridge_service.h"
#include "platform/runtime_folder.h"

namespace kelmio {
namespace {

// A connection whose socket waits at most the transaction's time-out and
// blocks without running the event loop, so no window event is handled in
// the middle of a lookup.
class CTimedConnection final : public wxConnection {
public:
    void LimitWait(int timeoutMs) {
#if !wxUSE_DDE_FOR_IPC
        if (m_sock == nullptr) return;
        m_sock->SetFlags(wxSOCKET_WAITALL | wxSOCKET_BLOCK);
        m_sock->SetTimeout(std::max(1, (timeoutMs + 999) / 1000));
        // A blocking socket waits in the system call: the limit goes there.
        timeval limit{};
        limit.tv_sec = timeoutMs / 1000;
        limit.tv_usec = (timeoutMs % 1000) * 1000;
        const auto fd = static_cast<int>(m_sock->GetSocket());
        ::setsockopt(fd, SOL_SOCKET, SO_RCVTIMEO, &limit, sizeof limit);
        ::setsockopt(fd, SOL_SOCKET, SO_SNDTIMEO, &limit, sizeof limit);
#else
        (void)timeoutMs;
#endif
    }

    // True when the last transaction failed on the socket itself (a
    // time-out, a lost peer) rather than with the server's refusal.
    bool SocketFailed() const {
#if !wxUSE_DDE_FOR_IPC
        return m_sock == nullptr || !m_sock->IsConnected() || m_sock->Error();
#else
        return false;
#endif
    }
};

class CTimedClient final : public wxClient {
public:
    wxConnectionBase* OnMakeConnection() override { return new CTimedConnection; }
};

class CWxConversation final : public CDdeConversation {
public:
    explicit CWxConversation(CTimedConnection* connection) : m_pConnection(connection) {}
    ~CWxConversation() override { m_pConnection->Disconnect(); }

    bool Poke(std::string_view item, std::string_view data, int timeoutMs) override {
        if (m_bBroken) return false;
        m_pConnection->LimitWait(timeoutMs);
        if (!m_pConnection->Poke(wxString::FromUTF8(item.data(), item.size()), data.data(), data.size(),
                                 wxIPC_TEXT)) {
            m_bBroken = m_pConnection->SocketFailed();
            return false;
        }
#if wxUSE_DDE_FOR_IPC
        return true;
#else
        // A socket poke is not acknowledged: ask whether it was taken.
        const std::optional<std::string> status = Request(dictd::kPokeStatusItem, timeoutMs);
        return status && !status->empty() && (*status)[0] == '1';
#endif
    }

    std::optional<std::string> Request(std::string_view item, int timeoutMs) override {
        if (m_bBroken) return std::nullopt;
        m_pConnection->LimitWait(timeoutMs);
        size_t size = 0;
        const void* data = m_pConnection->Request(wxString::FromUTF8(item.data(), item.size()), &size, wxIPC_TEXT);
        if (data == nullptr) {
            // After a time-out a late reply could still arrive and be taken
            // for the answer to the next question: the conversation is over.
            m_bBroken = m_pConnection->SocketFailed();
            return std::nullopt;
        }
        return std::string(static_cast<const char*>(data), size);
    }

private:
    std::unique_ptr<CTimedConnection> m_pConnection;
    bool m_bBroken = false;
};

}  // namespace

CWxDdeTransport::CWxDdeTransport(std::string socketFolder) : m_strFolder(std::move(socketFolder)) {}

std::unique_ptr<CDdeConversation> CWxDdeTransport::Connect(std::string_view service, std::string_view topic,
                                                           int timeoutMs) {
#if wxUSE_DDE_FOR_IPC
    const wxString where = wxString::FromUTF8(service.data(), service.size());
#else
    if (m_strFolder.empty()) return nullptr;
    const wxString where = wxString::FromUTF8(ServiceSocketPath(m_strFolder, service));
#endif
    CTimedClient client;
    wxConnectionBase* made =
        client.MakeConnection("localhost", where, wxString::FromUTF8(topic.data(), topic.size()));
    auto* connection = dynamic_cast<CTimedConnection*>(made);
    if (connection == nullptr) {
        delete made;
        return nullptr;
    }
    connection->LimitWait(timeoutMs);
    return std::make_unique<CWxConversation>(connection);
}

}  // namespace kelmio
