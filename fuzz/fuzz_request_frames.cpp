// What a local peer writes to the running Kelmio's socket, in pieces of any
// size: frames must complete or break the connection without ever keeping
// more than one request's bytes, and every request then goes through the
// request parser.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "app/command_line.h"
#include "platform/request_frames.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    // The first byte chooses how the stream arrives: in pieces of 1 to 256 bytes.
    const std::size_t piece = std::size_t{data[0]} + 1;
    const std::string_view stream(reinterpret_cast<const char*>(data) + 1, size - 1);
    kelmio::CRequestFrames frames;
    std::size_t taken = 0;
    for (std::size_t at = 0; at < stream.size(); at += piece) {
        for (const std::string& request : frames.Feed(stream.substr(at, piece))) {
            if (request.size() > kelmio::kLargestRequest) std::abort();
            taken += 4 + request.size();
            if (const auto parsed = kelmio::ParseShellRequest(request)) {
                if (parsed->args.empty()) std::abort();
            }
        }
    }
    if (taken > stream.size()) std::abort();
    // A frame of our own reads back as itself.
    kelmio::CRequestFrames again;
    const auto requests = again.Feed(kelmio::FrameRequest(stream.substr(0, kelmio::kLargestRequest)));
    if (requests.size() != 1 || requests.front() != stream.substr(0, kelmio::kLargestRequest)) std::abort();
    return 0;
}
