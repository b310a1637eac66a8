#include "dictd/dict_protocol.h"

#include <netdb.h>
#include <sys/socket.h>
#include <sys/time.h>
#include <unistd.h>

#include <cerrno>
#include <memory>

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

struct FdCloser {
    void operator()(const int* fd) const {
        ::close(*fd);
        delete fd;
    }
};

bool SendAll(int fd, std::string_view text) {
    while (!text.empty()) {
        const ssize_t sent = ::send(fd, text.data(), text.size(), MSG_NOSIGNAL);
        if (sent < 0 && errno == EINTR) continue;  // a signal is no failure of the server
        if (sent <= 0) return false;
        text.remove_prefix(static_cast<std::size_t>(sent));
    }
    return true;
}

// Reads until `complete` says so, the peer closes, the limit or the time-out.
template <typename Complete>
std::string ReadUntil(int fd, Complete&& complete) {
    std::string data;
    char buffer[8192];
    while (data.size() < kMaxReply && !complete(data)) {
        const ssize_t n = ::recv(fd, buffer, sizeof buffer, 0);
        if (n < 0 && errno == EINTR) continue;  // a signal cut the wait short: the reply goes on
        if (n <= 0) break;
        data.append(buffer, static_cast<std::size_t>(n));
    }
    return data;
}

int ConnectTo(const DictServer& server, int timeoutMs) {
    addrinfo hints{};
    hints.ai_socktype = SOCK_STREAM;
    addrinfo* found = nullptr;
    if (::getaddrinfo(server.host.c_str(), server.port.c_str(), &hints, &found) != 0) return -1;
    std::unique_ptr<addrinfo, decltype(&::freeaddrinfo)> list(found, ::freeaddrinfo);
    timeval limit{timeoutMs / 1000, (timeoutMs % 1000) * 1000};
    for (addrinfo* address = found; address != nullptr; address = address->ai_next) {
        const int fd = ::socket(address->ai_family, address->ai_socktype | SOCK_CLOEXEC, address->ai_protocol);
        if (fd < 0) continue;
        ::setsockopt(fd, SOL_SOCKET, SO_RCVTIMEO, &limit, sizeof limit);
        ::setsockopt(fd, SOL_SOCKET, SO_SNDTIMEO, &limit, sizeof limit);
        if (::connect(fd, address->ai_addr, address->ai_addrlen) == 0) return fd;
        ::close(fd);
    }
    return -1;
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
    const int fd = ConnectTo(server, timeoutMs);
    if (fd < 0) {
        result.problem = "DICT server " + server.host + ":" + server.port + " does not answer";
        return result;
    }
    const std::unique_ptr<int, FdCloser> closer(new int(fd));
    const std::string banner = ReadUntil(fd, [](const std::string& data) { return !Lines(data).empty(); });
    const std::vector<std::string_view> bannerLines = Lines(banner);
    if (bannerLines.empty() || StatusOf(bannerLines[0]) != 220) {
        result.problem = "DICT server: no greeting";
        return result;
    }
    if (!SendAll(fd, "DEFINE * \"" + std::string(word) + "\"\r\n")) {
        result.problem = "DICT server: the question could not be sent";
        return result;
    }
    const std::string reply = ReadUntil(fd, CReplyEnd());
    SendAll(fd, "QUIT\r\n");
    return ParseDefineReply(reply);
}

}  // namespace kelmio::dictd
