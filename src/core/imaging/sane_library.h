#pragma once
// The SANE library's calls, looked up when a scanner is first asked for:
// the library and the backends it brings are not loaded or bound at every
// start of the program, only by those who scan.

#include <sane/sane.h>

#include <memory>
#include <string>

namespace kelmio {

struct SaneCalls {
    SANE_Status (*init)(SANE_Int*, SANE_Auth_Callback) = nullptr;
    void (*exit)() = nullptr;
    SANE_Status (*getDevices)(const SANE_Device***, SANE_Bool) = nullptr;
    SANE_Status (*open)(SANE_String_Const, SANE_Handle*) = nullptr;
    void (*close)(SANE_Handle) = nullptr;
    SANE_Status (*start)(SANE_Handle) = nullptr;
    SANE_Status (*getParameters)(SANE_Handle, SANE_Parameters*) = nullptr;
    SANE_Status (*read)(SANE_Handle, SANE_Byte*, SANE_Int, SANE_Int*) = nullptr;
    void (*cancel)(SANE_Handle) = nullptr;
    SANE_String_Const (*strStatus)(SANE_Status) = nullptr;
};

// The library opened and its calls found. It stays in memory after this
// goes (its backends may have left threads or handlers behind).
class CSaneLibrary {
public:
    // The system's SANE library.
    static constexpr const char* kFileName = "libsane.so.1";

    // Null with `error` (naming the file and the system's reason) when the
    // library cannot be loaded or lacks one of the calls.
    static std::unique_ptr<CSaneLibrary> Load(const std::string& file, std::string& error);

    ~CSaneLibrary();
    CSaneLibrary(const CSaneLibrary&) = delete;
    CSaneLibrary& operator=(const CSaneLibrary&) = delete;

    const SaneCalls& Calls() const { return m_calls; }

private:
    CSaneLibrary(void* handle, const SaneCalls& calls) : m_handle(handle), m_calls(calls) {}

    void* m_handle;
    SaneCalls m_calls;
};

}  // namespace kelmio
