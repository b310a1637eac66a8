// The command line as the desktop or a script gives it: NUL-separated
// arguments of any bytes. Parsing never fails, and the project it names
// travels to a running Kelmio as a request that parses back to that name.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "app/command_line.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::vector<std::string> args(1);
    for (std::size_t i = 0; i < size; ++i) {
        if (data[i] == 0) {
            args.emplace_back();
        } else {
            args.back() += static_cast<char>(data[i]);
        }
    }
    const kelmio::CCommandLineInfo info = kelmio::ParseCommandLine(args);
    if (info.m_strFileName.empty()) return 0;
    const auto request = kelmio::ParseShellRequest(kelmio::MakeOpenRequest(info.m_strFileName));
    if (!request || request->verb != "open" || request->args.size() != 1 ||
        request->args[0] != info.m_strFileName.Native()) {
        std::abort();
    }
    return 0;
}
