#pragma once
// Loading plug-in modules by path and finding their entry points by name.
// On Linux the modules are shared objects opened with dlopen; a Windows
// build puts its own loader behind the same interface.

#include <memory>
#include <string>
#include <string_view>

namespace kelmio {

class CModule {
public:
    virtual ~CModule() = default;  // unloads the module
    // The entry point's address, or nullptr when the module has none.
    virtual void* Symbol(const char* name) const = 0;
    // The module's full path as the system reports it.
    virtual std::string Path() const = 0;
};

class CModuleLoader {
public:
    virtual ~CModuleLoader() = default;
    // nullptr when the file is not a module that can be loaded.
    virtual std::unique_ptr<CModule> Load(std::string_view nativePath) = 0;
};

// The system's loader (dlopen).
std::unique_ptr<CModuleLoader> MakeSystemModuleLoader();

}  // namespace kelmio
