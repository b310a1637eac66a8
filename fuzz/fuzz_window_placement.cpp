// The window's "Rect" value as the settings file holds it: any text gives a
// placement whose rectangle has an area, and a formatted placement reads
// back as itself.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "platform/settings.h"
#include "platform/window_layout.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    kelmio::CWindowPlacement placement;
    kelmio::ParsePlacementRect(text, placement);
    if (placement.nRight <= placement.nLeft || placement.nBottom <= placement.nTop) std::abort();

    kelmio::CWindowPlacement again;
    kelmio::ParsePlacementRect(kelmio::FormatPlacementRect(placement), again);
    if (!(again == placement)) std::abort();

    kelmio::CMemorySettings settings;
    settings.WriteString("Window size", "Rect", text);
    const kelmio::CWindowPlacement loaded = kelmio::LoadWindowPlacement(settings);
    if (loaded.nRight <= loaded.nLeft || loaded.nBottom <= loaded.nTop) std::abort();
    return 0;
}
