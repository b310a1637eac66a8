#include "platform/request_frames.h"

#include <algorithm>
#include <cstdint>

namespace kelmio {
namespace {

constexpr std::size_t kHeaderSize = 4;

std::size_t LengthAt(std::string_view header) {
    std::uint32_t length = 0;
    for (std::size_t i = kHeaderSize; i-- > 0;) length = (length << 8) | static_cast<unsigned char>(header[i]);
    return length;
}

}  // namespace

std::string FrameRequest(std::string_view request) {
    std::string frame;
    frame.reserve(kHeaderSize + request.size());
    auto length = static_cast<std::uint32_t>(request.size());
    for (std::size_t i = 0; i < kHeaderSize; ++i, length >>= 8) frame += static_cast<char>(length & 0xFF);
    frame.append(request);
    return frame;
}

std::vector<std::string> CRequestFrames::Feed(std::string_view bytes) {
    std::vector<std::string> requests;
    while (!m_bBroken && !bytes.empty()) {
        // Take only what the current frame still needs, so the buffer never
        // holds more than one frame however much arrives at once.
        std::size_t wanted = kHeaderSize;
        if (m_strPending.size() >= kHeaderSize) wanted += LengthAt(m_strPending);
        const std::size_t take = std::min(wanted - m_strPending.size(), bytes.size());
        m_strPending.append(bytes.substr(0, take));
        bytes.remove_prefix(take);
        if (m_strPending.size() == kHeaderSize && LengthAt(m_strPending) > kLargestRequest) {
            m_bBroken = true;
            m_strPending.clear();
        } else if (m_strPending.size() >= kHeaderSize && m_strPending.size() == kHeaderSize + LengthAt(m_strPending)) {
            requests.push_back(m_strPending.substr(kHeaderSize));
            m_strPending.clear();
        }
    }
    return requests;
}

}  // namespace kelmio
