#include "imaging/scanner.h"

#include "platform/settings.h"

namespace kelmio {
namespace {

constexpr const char* kSection = "Scanner";
constexpr const char* kDevice = "Device";

}  // namespace

std::string ScannerDevice::Label() const {
    std::string label = strVendor;
    if (!strModel.empty()) label += (label.empty() ? "" : " ") + strModel;
    return label + " (" + strName + ")";
}

std::optional<std::string> PickScannerDevice(const std::vector<ScannerDevice>& devices, const CSettings& settings,
                                             const DeviceChooser& choose) {
    if (devices.empty()) return std::nullopt;
    const std::string chosen = settings.GetString(kSection, kDevice, "");
    for (const ScannerDevice& device : devices) {
        if (!chosen.empty() && device.strName == chosen) return device.strName;
    }
    if (devices.size() == 1) return devices.front().strName;
    const std::optional<std::size_t> index = choose(devices);
    if (!index || *index >= devices.size()) return std::nullopt;
    return devices[*index].strName;
}

bool SelectScannerDevice(CScanner& scanner, CSettings& settings, const DeviceChooser& choose) {
    const std::vector<ScannerDevice> devices = scanner.ListDevices();
    if (devices.empty()) return false;
    const std::optional<std::size_t> index = choose(devices);
    if (!index || *index >= devices.size()) return false;
    settings.WriteString(kSection, kDevice, devices[*index].strName);
    return true;
}

std::optional<CImageKit> ScanImage(CScanner& scanner, const CSettings& settings, const DeviceChooser& choose,
                                   std::string& error) {
    const std::optional<std::string> device = PickScannerDevice(scanner.ListDevices(), settings, choose);
    if (!device) return std::nullopt;
    const std::optional<RgbPixels> page = scanner.Acquire(*device, error);
    if (!page) return std::nullopt;
    CImageKit image;
    if (!image.LoadRgb(*page)) {
        error = image.LastError();
        return std::nullopt;
    }
    return image;
}

}  // namespace kelmio
