#include "imaging/sane_library.h"

#include <dlfcn.h>

namespace kelmio {
namespace {

// Finds `name` in `handle` as the type of `call`; false when absent.
template <typename Function>
bool Find(void* handle, const char* name, Function& call, std::string& missing) {
    call = reinterpret_cast<Function>(::dlsym(handle, name));
    if (call == nullptr && missing.empty()) missing = name;
    return call != nullptr;
}

}  // namespace

std::unique_ptr<CSaneLibrary> CSaneLibrary::Load(const std::string& file, std::string& error) {
    // Local: the library's symbols never stand in for anyone else's.
    // Never unloaded, for the backends' sake (see the header).
    void* handle = ::dlopen(file.c_str(), RTLD_NOW | RTLD_LOCAL | RTLD_NODELETE);
    if (handle == nullptr) {
        const char* reason = ::dlerror();
        error = "the scanner library " + file + " could not be loaded: " + (reason != nullptr ? reason : "unknown");
        return nullptr;
    }
    SaneCalls calls;
    std::string missing;
    Find(handle, "sane_init", calls.init, missing);
    Find(handle, "sane_exit", calls.exit, missing);
    Find(handle, "sane_get_devices", calls.getDevices, missing);
    Find(handle, "sane_open", calls.open, missing);
    Find(handle, "sane_close", calls.close, missing);
    Find(handle, "sane_start", calls.start, missing);
    Find(handle, "sane_get_parameters", calls.getParameters, missing);
    Find(handle, "sane_read", calls.read, missing);
    Find(handle, "sane_cancel", calls.cancel, missing);
    Find(handle, "sane_strstatus", calls.strStatus, missing);
    if (!missing.empty()) {
        error = "the scanner library " + file + " has no " + missing;
        ::dlclose(handle);
        return nullptr;
    }
    return std::unique_ptr<CSaneLibrary>(new CSaneLibrary(handle, calls));
}

CSaneLibrary::~CSaneLibrary() { ::dlclose(m_handle); }

}  // namespace kelmio
