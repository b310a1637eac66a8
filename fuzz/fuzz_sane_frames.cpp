// Frames from a scanner through the SANE library's calls: whatever page
// sizes, depths and frame kinds a backend reports and whatever bytes it
// sends, a scan gives a whole image or a message, and the session and the
// device are always closed. The library is a stand-in (sane_standin/) that
// plays the input as the backend's answers.
#include <dlfcn.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "imaging/sane_scanner.h"

namespace {

struct StandIn {
    void (*script)(const std::uint8_t*, std::size_t) = nullptr;
    int (*openSessions)() = nullptr;
    int (*openDevices)() = nullptr;
};

const StandIn& Library() {
    static const StandIn standIn = [] {
        void* handle = ::dlopen(KELMIO_SANE_STANDIN, RTLD_NOW | RTLD_LOCAL | RTLD_NODELETE);
        if (handle == nullptr) std::abort();
        StandIn found;
        found.script = reinterpret_cast<decltype(found.script)>(::dlsym(handle, "kelmio_standin_script"));
        found.openSessions = reinterpret_cast<decltype(found.openSessions)>(::dlsym(handle, "kelmio_standin_open_sessions"));
        found.openDevices = reinterpret_cast<decltype(found.openDevices)>(::dlsym(handle, "kelmio_standin_open_devices"));
        if (found.script == nullptr || found.openSessions == nullptr || found.openDevices == nullptr) std::abort();
        return found;
    }();
    return standIn;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const StandIn& standIn = Library();
    static kelmio::CSaneScanner scanner(KELMIO_SANE_STANDIN);
    standIn.script(data, size);
    std::string error;
    const std::optional<kelmio::RgbPixels> page = scanner.Acquire("standin:0", error);
    if (page) {
        if (page->cx <= 0 || page->cy <= 0 ||
            page->bytes.size() != static_cast<std::size_t>(page->cx) * static_cast<std::size_t>(page->cy) * 3) {
            std::abort();
        }
    } else if (error.empty()) {
        std::abort();
    }
    if (standIn.openSessions() != 0 || standIn.openDevices() != 0) std::abort();
    return 0;
}
