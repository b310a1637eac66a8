#pragma once
// Resizing, turning and sharpening 8-bit RGB pixels directly.
//
// The library works on 16-bit samples with general-purpose filters; for the
// operations a user waits on (a zoom of a large scan, a crooked page turned
// by a few degrees, fine mode) these 8-bit versions do the same work several
// times faster, spread over the processor's cores. CImageKit uses them for
// 8-bit images without transparency and the library for everything else.

#include <cstdint>

#include "imaging/image_kit.h"

namespace kelmio {

struct Rgb8 {
    std::uint8_t r = 0;
    std::uint8_t g = 0;
    std::uint8_t b = 0;
};

// Resized to exactly cx x cy: averaged over the covered area when reducing,
// interpolated linearly when enlarging.
RgbPixels ResizeRgb(const RgbPixels& source, int cx, int cy);

// Turned left by `degrees` about the centre, on a canvas that holds the whole
// turned picture; the uncovered corners take `background`. Linear
// interpolation, edges blended with the background.
RgbPixels RotateRgb(const RgbPixels& source, double degrees, Rgb8 background);

// Unsharp masking: each pixel moves away from its Gaussian-blurred
// surroundings (radius about three sigma) by the same amount again.
void SharpenRgb(RgbPixels& pixels, double sigma);

// The size of the canvas RotateRgb makes.
ImageSize RotatedSize(ImageSize size, double degrees);

}  // namespace kelmio
