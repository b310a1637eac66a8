#include "imaging/module_loader.h"

#include <dlfcn.h>

#include <climits>
#include <cstdlib>

namespace kelmio {
namespace {

class CSharedObject final : public CModule {
public:
    CSharedObject(void* handle, std::string path) : m_handle(handle), m_strPath(std::move(path)) {}
    ~CSharedObject() override { ::dlclose(m_handle); }
    CSharedObject(const CSharedObject&) = delete;
    CSharedObject& operator=(const CSharedObject&) = delete;

    void* Symbol(const char* name) const override { return ::dlsym(m_handle, name); }
    std::string Path() const override { return m_strPath; }

private:
    void* m_handle;
    std::string m_strPath;
};

class CDlopenLoader final : public CModuleLoader {
public:
    std::unique_ptr<CModule> Load(std::string_view nativePath) override {
        const std::string path(nativePath);
        // RTLD_LOCAL: one plug-in's symbols never stand in for another's.
        void* handle = ::dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
        if (handle == nullptr) return nullptr;
        char resolved[PATH_MAX];
        const std::string full = ::realpath(path.c_str(), resolved) != nullptr ? std::string(resolved) : path;
        return std::make_unique<CSharedObject>(handle, full);
    }
};

}  // namespace

std::unique_ptr<CModuleLoader> MakeSystemModuleLoader() { return std::make_unique<CDlopenLoader>(); }

}  // namespace kelmio
