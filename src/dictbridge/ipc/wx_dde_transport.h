#pragma once
// The conversation transport. On Windows wx's IPC classes are DDE itself,
// so this reaches the real dictionary programs there; on Linux each
// service name is a Unix-domain socket in the user's private runtime folder
// (the bridge listens there), spoken to with plain system calls
// (socket_conversation.h).

#include <string>

#include "platform/dde_transport.h"

namespace kelmio {

class CWxDdeTransport final : public CDdeTransport {
public:
    // `socketFolder` holds the services' sockets (native path).
    explicit CWxDdeTransport(std::string socketFolder);

    std::unique_ptr<CDdeConversation> Connect(std::string_view service, std::string_view topic,
                                              int timeoutMs) override;
    bool LastConnectHung() const override { return m_bLastConnectHung; }

private:
    std::string m_strFolder;
    bool m_bLastConnectHung = false;
};

}  // namespace kelmio
