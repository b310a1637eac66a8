#pragma once
// The client side of a conversation over a Unix-domain socket, speaking
// the message format of wx's socket IPC (the bridge's server is wx's) with
// plain system calls:
//
//   connect  10, topic               -> 10 accepted, 9 refused
//   poke      3, item, format, data  (no reply)
//   request   2, item, format        -> 8, data  or  9 refused
//   end      11
//
// A text is its byte count (32 bits, little-endian) and its UTF-8 bytes; a
// data block is its byte count and its bytes.
//
// Every step waits at most its time-out, in poll, never in the toolkit's
// event loop: no window event is handled in the middle of a lookup, and a
// server that has hung (stopped, or busy for good) costs one time-out. The
// conversation owns its socket outright, so a server that goes away can
// never pull the conversation out from under its owner.

#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "platform/dde_transport.h"
#include "platform/unique_fd.h"

namespace kelmio {

// Why no conversation came about.
enum class SocketConnectFailure {
    kNoServer,   // nothing listens there
    kNoReply,    // something listens but did not answer in time: it hangs
    kRefused,    // the server answered and declined the topic
};

struct SocketConnectResult {
    std::unique_ptr<CDdeConversation> conversation;
    SocketConnectFailure failure = SocketConnectFailure::kNoServer;
};

// Connects to the server listening at `socketPath` (native) for `topic`.
SocketConnectResult ConnectOverSocket(const std::string& socketPath, std::string_view topic, int timeoutMs);

// Replies larger than this end the conversation instead of being read.
constexpr std::size_t kMaxSocketReply = 4u << 20;

}  // namespace kelmio
