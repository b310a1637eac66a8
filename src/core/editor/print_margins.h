#pragma once
// The user's page margins for printing the translation text, kept in the
// settings, and their conversion to a drawing rectangle on a device.

#include <string>
#include <string_view>

#include "editor/print_device.h"
#include "platform/settings.h"

namespace kelmio {

inline constexpr std::string_view kPrintSetSection = "PrintSet";
inline constexpr int kDefaultPrintMargin = 1000;  // 10 mm

// Margins in hundredths of a millimetre, measured from the paper's edges.
struct CPrintMargins {
    int m_nLeft = kDefaultPrintMargin;
    int m_nTop = kDefaultPrintMargin;
    int m_nRight = kDefaultPrintMargin;
    int m_nBottom = kDefaultPrintMargin;
    std::string m_strSection{kPrintSetSection};

    // Reads the four values from section m_strSection; a missing value is 10 mm.
    void Load(const CSettings& settings);
    void Save(CSettings& settings) const;

    bool operator==(const CPrintMargins&) const = default;
};

// `page` (the device's printable area) inset by the margins. The printable
// area already starts at the device's printing offset, so the offset is
// taken off each margin; a margin is never narrower than that offset.
CPrintRect ApplyPrintMargins(const CPrintRect& page, const CPrintMargins& margins, const CPrintDeviceCaps& caps);

}  // namespace kelmio
