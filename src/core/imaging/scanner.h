#pragma once
// Scanning one page into an image.
//
// CScanner is the seam: the application scans through SANE (CSaneScanner);
// tests use SANE's own "test" backend through a private configuration
// folder, so no scanner is needed.

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "imaging/image_kit.h"

namespace kelmio {

class CSettings;

struct ScannerDevice {
    std::string strName;    // the name the scanner interface opens it by
    std::string strVendor;
    std::string strModel;
    std::string strType;

    std::string Label() const;  // "Vendor Model (name)" for a chooser
};

class CScanner {
public:
    virtual ~CScanner() = default;
    virtual std::vector<ScannerDevice> ListDevices() = 0;
    // One page with the device's defaults; nullopt with `error` set when the
    // scan fails or is cancelled.
    virtual std::optional<RgbPixels> Acquire(const std::string& device, std::string& error) = 0;
};

// Which device a scan uses: the one chosen with the scanner source chooser
// ("Scanner"/"Device") when it is still there, the only one, or the user's
// pick among several (`choose` gives an index or nullopt for Cancel).
using DeviceChooser = std::function<std::optional<std::size_t>(const std::vector<ScannerDevice>&)>;
std::optional<std::string> PickScannerDevice(const std::vector<ScannerDevice>& devices, const CSettings& settings,
                                             const DeviceChooser& choose);

// The scanner source chooser: the user picks among the devices, and the pick
// is remembered for later scans. False when there is none or it is cancelled.
bool SelectScannerDevice(CScanner& scanner, CSettings& settings, const DeviceChooser& choose);

// Scans one page into an image; nullopt when nothing was acquired.
std::optional<CImageKit> ScanImage(CScanner& scanner, const CSettings& settings, const DeviceChooser& choose,
                                   std::string& error);

}  // namespace kelmio
