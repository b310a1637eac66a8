// Requests from a second start arrive over a socket: any bytes must parse
// or be refused, and an open request made for a parsed path must give the
// same path back.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "app/command_line.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    if (const auto request = kelmio::ParseShellRequest(text)) {
        // The request names the file in the system's own bytes.
        const kelmio::CFilePath path = kelmio::CFilePath::FromNative(request->args.front());
        const auto again = kelmio::ParseShellRequest(kelmio::MakeOpenRequest(path));
        if (!again || again->args.front() != request->args.front()) std::abort();
    }
    return 0;
}
