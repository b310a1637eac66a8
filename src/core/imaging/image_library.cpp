#include "imaging/image_library.h"

#include <Magick++.h>
#include <mutex>

namespace kelmio {

ImageLimits DefaultImageLimits() { return ImageLimits{}; }

void EnsureImageLibrary() {
    static std::once_flag once;
    std::call_once(once, [] {
        Magick::InitializeMagick(nullptr);
        const ImageLimits limits = DefaultImageLimits();
        using namespace MagickLib;
        SetMagickResourceLimit(WidthResource, limits.nMaxWidth);
        SetMagickResourceLimit(HeightResource, limits.nMaxHeight);
        SetMagickResourceLimit(PixelsResource, limits.nMaxPixels);
        SetMagickResourceLimit(MemoryResource, limits.nMaxMemoryMb * 1024 * 1024);
        SetMagickResourceLimit(MapResource, limits.nMaxMapMb * 1024 * 1024);
        SetMagickResourceLimit(ReadResource, limits.nMaxReadBytes);
        // No pixel cache on disk: an image too large for memory is refused
        // rather than paged through a temporary file for minutes.
        SetMagickResourceLimit(DiskResource, 0);
        // The library recognises a format by its first bytes only once the
        // format's decoder has been loaded; load those Kelmio reads.
        for (const char* format : kImageReadFormats) {
            ExceptionInfo exception;
            GetExceptionInfo(&exception);
            (void)GetMagickInfo(format, &exception);
            DestroyExceptionInfo(&exception);
        }
    });
}

ImageLimits ActiveImageLimits() {
    EnsureImageLibrary();
    using namespace MagickLib;
    ImageLimits limits;
    limits.nMaxWidth = static_cast<std::int64_t>(GetMagickResourceLimit(WidthResource));
    limits.nMaxHeight = static_cast<std::int64_t>(GetMagickResourceLimit(HeightResource));
    limits.nMaxPixels = static_cast<std::int64_t>(GetMagickResourceLimit(PixelsResource));
    limits.nMaxMemoryMb = static_cast<std::int64_t>(GetMagickResourceLimit(MemoryResource)) / (1024 * 1024);
    limits.nMaxMapMb = static_cast<std::int64_t>(GetMagickResourceLimit(MapResource)) / (1024 * 1024);
    limits.nMaxReadBytes = static_cast<std::int64_t>(GetMagickResourceLimit(ReadResource));
    return limits;
}

}  // namespace kelmio
