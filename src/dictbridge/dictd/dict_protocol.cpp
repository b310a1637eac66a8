#include "dictd/dict_protocol.h"

#include "dictd/timed_socket.h"

namespace kelmio::dictd {
namespace {

// More than any real definition list; a server sending more is cut off.
constexpr std::size_t kMaxReply = 4u << 20;

// The lines of a reply, without their CR LF. A last line without a line
// end is incomplete and left out.
std::vector<std::string_view> Lines(std::string_view text) {
    std::vector<std::string_view> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t end = text.find('\n', start);
        if (end == std::string_view::npos) break;
        std::string_view line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        lines.push_back(line);
        start = end + 1;
    }
    return lines;
}

int StatusOf(std::string_view line) {
    if (line.size() < 3) return 0;
    int code = 0;
    for (std::size_t i = 0; i < 3; ++i) {
        if (line[i] < '0' || line[i] > '9') return 0;
        code = code * 10 + (line[i] - '0');
    }
    return line.size() == 3 || line[3] == ' ' ? code : 0;
}

// Follows a reply as it arrives and says when its final status line is
// in: 250 after the definitions, or any 4xx/5xx error. Each line is looked
// at once.
class CReplyEnd {
public:
    bool operator()(const std::string& data) {
        while (!m_bDone) {
            const std::size_t end = data.find('\n', m_nConsumed);
            if (end == std::string::npos) break;
            std::string_view line(data.data() + m_nConsumed, end - m_nConsumed);
            m_nConsumed = end + 1;
            if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
            if (m_bInText) {
                if (line == ".") m_bInText = false;
                continue;
            }
            const int status = StatusOf(line);
            if (status == 151) m_bInText = true;
            if (status == 250 || status >= 400) m_bDone = true;
        }
        return m_bDone;
    }

private:
    std::size_t m_nConsumed = 0;
    bool m_bInText = false;
    bool m_bDone = false;
};

// What a reading step got: the bytes, and whether it stopped because the
// deadline passed rather than because the reply was complete or ended.
struct Received {
    std::string data;
    bool late = false;
};

// Reads until `complete` says so, the peer closes, the size limit or the
// deadline.
template <typename Complete>
Received ReadUntil(const CTimedSocket& socket, Complete&& complete, const CDeadline& deadline) {
    Received received;
    while (received.data.size() < kMaxReply && !complete(received.data)) {
        const std::optional<std::string> piece = socket.Receive(8192, deadline);
        if (!piece) {
            received.late = deadline.Passed();
            break;
        }
        if (piece->empty()) break;
        received.data += *piece;
    }
    return received;
}

std::string LateMessage(const DictServer& server, int timeoutMs) {
    return "DICT server " + server.host + ":" + server.port + " sent no complete reply within " +
           std::to_string((timeoutMs + 999) / 1000) + " s";
}

}  // namespace

DictServer ParseDictServer(std::string_view text) {
    DictServer server;
    const std::size_t first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos) return server;
    text = text.substr(first, text.find_last_not_of(" \t") - first + 1);
    const std::size_t colon = text.rfind(':');
    if (colon != std::string_view::npos && text.find(':') == colon) {
        server.host = std::string(text.substr(0, colon));
        if (colon + 1 < text.size()) server.port = std::string(text.substr(colon + 1));
    } else {
        server.host = std::string(text);
    }
    return server;
}

DefineResult ParseDefineReply(std::string_view reply) {
    DefineResult result;
    bool inText = false;
    std::string block;
    for (const std::string_view line : Lines(reply)) {
        if (inText) {
            if (line == ".") {
                result.definitions.push_back(std::move(block));
                block.clear();
                inText = false;
            } else {
                // The server doubled a leading dot.
                block += line.substr(line.size() >= 2 && line[0] == '.' && line[1] == '.' ? 1 : 0);
                block += '\n';
            }
            continue;
        }
        const int status = StatusOf(line);
        if (status == 151) {
            inText = true;
        } else if (status == 250) {
            return result;
        } else if (status == 552) {
            result.definitions.clear();
            return result;
        } else if (status >= 400 || status == 0) {
            result.problem = "DICT server: " + std::string(line.substr(0, 200));
            return result;
        }
    }
    result.problem = "DICT server: incomplete reply";
    return result;
}

DefineResult DefineOnServer(const DictServer& server, std::string_view word, int timeoutMs) {
    DefineResult result;
    if (server.host.empty() || word.empty()) return result;
    for (const char ch : word) {
        if (static_cast<unsigned char>(ch) < 0x20 || ch == '"' || ch == '\\' || ch == 0x7F) return result;
    }
    // One deadline for the whole exchange: a server that keeps sending a
    // byte now and then must not hold the lookup longer than a silent one.
    const CDeadline deadline(timeoutMs);
    const CTimedSocket socket = CTimedSocket::Connect(server.host, server.port, deadline);
    if (!socket.IsOpen()) {
        result.problem = "DICT server " + server.host + ":" + server.port + " does not answer";
        result.late = deadline.Passed();
        return result;
    }
    const Received banner =
        ReadUntil(socket, [](const std::string& data) { return !Lines(data).empty(); }, deadline);
    const std::vector<std::string_view> bannerLines = Lines(banner.data);
    if (bannerLines.empty() || StatusOf(bannerLines[0]) != 220) {
        result.problem = banner.late ? LateMessage(server, timeoutMs) : "DICT server: no greeting";
        result.late = banner.late;
        return result;
    }
    if (!socket.SendAll("DEFINE * \"" + std::string(word) + "\"\r\n", deadline)) {
        result.problem = "DICT server: the question could not be sent";
        result.late = deadline.Passed();
        return result;
    }
    const Received reply = ReadUntil(socket, CReplyEnd(), deadline);
    if (reply.late) {
        // The definitions that did arrive whole are kept.
        result = ParseDefineReply(reply.data);
        result.problem = LateMessage(server, timeoutMs);
        result.late = true;
        return result;
    }
    socket.SendAll("QUIT\r\n", CDeadline(100));
    return ParseDefineReply(reply.data);
}

}  // namespace kelmio::dictd
