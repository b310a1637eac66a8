#pragma once
// CSaneScanner: scanning through the SANE library. Each call opens its own
// session with the library and closes it before returning, so no scanner
// stays claimed between scans.

#include "imaging/scanner.h"

namespace kelmio {

class CSaneScanner final : public CScanner {
public:
    // A page larger than this many bytes of pixels is refused: a backend
    // that reports nonsense sizes must not exhaust memory.
    static constexpr std::size_t kMaxPageBytes = 600u * 1024u * 1024u;

    std::vector<ScannerDevice> ListDevices() override;
    std::optional<RgbPixels> Acquire(const std::string& device, std::string& error) override;
};

}  // namespace kelmio
