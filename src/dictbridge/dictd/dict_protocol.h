#pragma once
// Asking a DICT server (RFC 2229) for a word, as a further source of the
// bridge's answers: "DEFINE * word" on a TCP connection, the definitions
// read from the server's replies.
//
// A reply is status lines ("250 ok") and, after each "151" line, a text
// block ended by a line with a single "."; a line that starts with "." has
// a second one put in front of it by the server. Everything the server
// sends is checked: the reply is read up to a size limit and within a time
// limit, and a malformed one ends the lookup with a message.

#include <string>
#include <string_view>
#include <vector>

namespace kelmio::dictd {

// Where a server is: "host" or "host:port" (2628 when no port is given).
struct DictServer {
    std::string host;
    std::string port = "2628";
};

// Reads "host[:port]"; an empty host means no server.
DictServer ParseDictServer(std::string_view text);

struct DefineResult {
    std::vector<std::string> definitions;  // UTF-8 text blocks
    std::string problem;                   // empty when the server answered properly
    bool late = false;                     // the time ran out before the reply was whole
};

// The definitions in a server's complete reply to one DEFINE (after its
// banner). "552" (no match) gives none and no problem.
DefineResult ParseDefineReply(std::string_view reply);

// Connects, sends DEFINE for `word` (UTF-8) and reads the reply, all of it
// within `timeoutMs`; definitions that arrived whole before the time ran
// out are kept. Words with control characters or quotes are not sent.
DefineResult DefineOnServer(const DictServer& server, std::string_view word, int timeoutMs);

}  // namespace kelmio::dictd
