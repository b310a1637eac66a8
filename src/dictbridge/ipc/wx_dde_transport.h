#pragma once
// The conversation transport over wx IPC. On Windows wx's IPC classes are
// DDE itself, so this reaches the real dictionary programs there; on Linux
// they are sockets, and each service name is a Unix-domain socket in the
// user's private runtime folder (the bridge listens there).

#include <string>

#include "platform/dde_transport.h"

namespace kelmio {

class CWxDdeTransport final : public CDdeTransport {
public:
    // `socketFolder` holds the services' sockets (native path).
    explicit CWxDdeTransport(std::string socketFolder);

    std::unique_ptr<CDdeConversation> Connect(std::string_view service, std::string_view topic,
                                              int timeoutMs) override;

private:
    std::string m_strFolder;
};

}  // namespace kelmio
