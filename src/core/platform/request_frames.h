#pragma once
// Requests travel from a second start to the running Kelmio over a local
// socket as frames: a four-byte length (little-endian) and that many bytes.
// Anyone of this user can write to the socket, so the length is checked
// before anything is kept: a frame longer than any request is a bad frame,
// and the connection that sent it is dropped.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace kelmio {

// Far more than a request naming the longest path the system allows.
inline constexpr std::size_t kLargestRequest = 64 * 1024;

// The frame that carries `request`; the request must be at most kLargestRequest bytes.
std::string FrameRequest(std::string_view request);

// Collects the requests of one connection from the bytes as they arrive.
class CRequestFrames {
public:
    // Takes the next bytes of the stream and returns the requests they
    // completed, in order. After a bad frame nothing more is taken.
    std::vector<std::string> Feed(std::string_view bytes);

    // True once a frame claimed more than kLargestRequest bytes.
    bool IsBroken() const { return m_bBroken; }

private:
    std::string m_strPending;  // never more than one frame's header and body
    bool m_bBroken = false;
};

}  // namespace kelmio
