#pragma once
// CSaneScanner: scanning through the SANE library. Each call opens its own
// session with the library and closes it before returning, so no scanner
// stays claimed between scans. The library itself is loaded on the first
// call.

#include <memory>
#include <string>

#include "imaging/sane_library.h"
#include "imaging/scanner.h"

namespace kelmio {

class CSaneScanner final : public CScanner {
public:
    // A page larger than this many bytes of pixels is refused: a backend
    // that reports nonsense sizes must not exhaust memory.
    static constexpr std::size_t kMaxPageBytes = 600u * 1024u * 1024u;

    // `libraryFile`: the SANE library to load, by name or path.
    explicit CSaneScanner(std::string libraryFile = CSaneLibrary::kFileName) : m_strLibraryFile(std::move(libraryFile)) {}

    // Empty also when the library cannot be loaded.
    std::vector<ScannerDevice> ListDevices() override;
    std::optional<RgbPixels> Acquire(const std::string& device, std::string& error) override;

private:
    // The library's calls, loaded on first use; null with `error` set when
    // it cannot be loaded (tried again next time: it may be installed meanwhile).
    const SaneCalls* Library(std::string& error);

    std::string m_strLibraryFile;
    std::unique_ptr<CSaneLibrary> m_pLibrary;
};

}  // namespace kelmio
