// Feeds arbitrary bytes to the image loader through the path the source
// viewer takes (content detection, then the library's decoder under the
// resource limits), then draws what loaded as the view would.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "imaging/image_kit.h"
#include "imaging/zoomed_image.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    kelmio::CImageKit image;
    if (!image.LoadBlob(std::string_view(reinterpret_cast<const char*>(data), size))) return 0;
    const kelmio::ImageSize full = image.GetSize();
    // Drawing is bounded: a shown picture is at most a screen's worth here.
    if (static_cast<std::int64_t>(full.cx) * full.cy > 4'000'000) return 0;
    image.ConvertColor(32, 0, false);
    kelmio::CZoomedImage zoomed;
    zoomed.Build(image, kelmio::ImageSize{full.cx / 2 + 1, full.cy / 2 + 1}, true, 10);
    kelmio::RgbPixels region;
    zoomed.CopyRegion(0, 0, 64, 64, region);
    return 0;
}
