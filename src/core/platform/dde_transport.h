#pragma once
// The conversation with a dictionary program: connect to a service and
// topic, poke an item with text, request an item. Texts cross as Shift-JIS
// bytes with their terminating NUL, as the clipboard's plain-text format
// carries them. Every transaction waits at most `timeoutMs` for an answer.
//
// The application implements this with the toolkit's IPC (real DDE on
// Windows, a Unix-domain socket per service on Linux); tests script it.

#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace kelmio {

// How long one transaction may take before it counts as failed.
constexpr int kDdeTimeoutMs = 10000;

class CDdeConversation {
public:
    virtual ~CDdeConversation() = default;

    // `data` includes the terminating NUL. True when the server took it.
    virtual bool Poke(std::string_view item, std::string_view data, int timeoutMs) = 0;
    // The server's bytes as sent (a NUL may end them), or nullopt.
    virtual std::optional<std::string> Request(std::string_view item, int timeoutMs) = 0;
    // True once the server has gone or stopped answering: every later
    // transaction fails at once, and only a new conversation can help.
    virtual bool IsLost() const { return false; }
};

class CDdeTransport {
public:
    virtual ~CDdeTransport() = default;

    // A conversation, or null when no server answers on that service.
    virtual std::unique_ptr<CDdeConversation> Connect(std::string_view service, std::string_view topic,
                                                      int timeoutMs) = 0;
    // After a Connect that gave no conversation: true when a server was
    // there but did not answer in time. It has hung; starting the program
    // again would not help, as the one that hangs still holds the service.
    virtual bool LastConnectHung() const { return false; }
};

}  // namespace kelmio
