#pragma once
// GTK comes with the toolkit; its development headers are not needed for
// the few calls Kelmio makes beyond wx, so those are looked up in the
// running process. Null when the toolkit has no such function.

#include <dlfcn.h>

namespace kelmio {

template <typename Function>
Function ToolkitFunction(const char* name) {
    return reinterpret_cast<Function>(dlsym(RTLD_DEFAULT, name));
}

}  // namespace kelmio
