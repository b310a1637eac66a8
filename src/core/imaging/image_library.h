#pragma once
// The imaging library's process-wide start: initialisation and the resource
// limits every image load and operation runs under.
//
// The limits make a hostile file fail fast instead of exhausting memory: a
// header claiming 100000 x 100000 pixels, or a small file that decompresses
// to gigabytes, is refused by the library before the pixels are allocated.

#include <array>
#include <cstdint>

namespace kelmio {

struct ImageLimits {
    std::int64_t nMaxWidth = 32768;           // pixels
    std::int64_t nMaxHeight = 32768;          // pixels
    std::int64_t nMaxPixels = 120'000'000;    // pixels in one image
    std::int64_t nMaxMemoryMb = 2048;         // heap for pixel caches
    std::int64_t nMaxMapMb = 2048;            // memory-mapped pixel caches
    std::int64_t nMaxReadBytes = 1'000'000'000;  // uncompressed data read from one file
};

// The formats an image file may be decoded as, recognised by their first
// bytes. Script-like formats the library also knows (SVG, MVG, MSL, text)
// can name other files to read, so a picture is never handed to them.
inline constexpr std::array kImageReadFormats{
    "BMP", "GIF", "JPEG", "TIFF", "PCX", "PNG", "WMF", "PNM", "WEBP", "ICO",
};

// The limits Kelmio runs with.
ImageLimits DefaultImageLimits();

// Initialises the library once per process and applies the default limits;
// later calls do nothing. Every CImageKit calls it, so callers need not.
void EnsureImageLibrary();

// The library's active limits, as it reports them.
ImageLimits ActiveImageLimits();

}  // namespace kelmio
