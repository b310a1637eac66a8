#pragma once
// CZoomedImage: the image as the view draws it at the current zoom, made
// once per change of image, zoom or fine mode, so that painting and
// scrolling only copy the exposed part and never resample.
//
// Up to kMaxCachedPixels the whole displayed image is kept (resized with the
// library's filter, then sharpened in fine mode, exactly what is shown).
// Larger displays (a big scan at several times its size) would need
// gigabytes; then the full-size image is kept (sharpened in fine mode) and
// each exposed part is enlarged from it pixel by pixel when it is drawn.

#include <cstdint>

#include "imaging/image_kit.h"

namespace kelmio {

class CZoomedImage {
public:
    static constexpr std::int64_t kMaxCachedPixels = 50'000'000;

    // Makes the displayed form of `image` at `display` size. False when the
    // library fails (out of memory); the previous form is then dropped.
    bool Build(const CImageKit& image, ImageSize display, bool pure, int pureLevel);
    void Clear();

    bool IsBuilt() const { return m_display.cx > 0 && m_display.cy > 0; }
    // Whether the form was made with these values (and the same image state,
    // counted by the caller's `generation`).
    bool Matches(ImageSize display, bool pure, int pureLevel, std::uint64_t generation) const;
    void SetGeneration(std::uint64_t generation) { m_nGeneration = generation; }

    ImageSize GetDisplaySize() const { return m_display; }
    bool IsWholeCached() const { return m_bWhole; }

    // The displayed pixels of the rectangle (clipped to the display) into
    // `out`, whose buffer is reused from paint to paint.
    void CopyRegion(int x, int y, int cx, int cy, RgbPixels& out) const;

private:
    RgbPixels m_pixels;       // displayed image, or the full-size one
    ImageSize m_display;
    bool m_bWhole = false;
    bool m_bPure = false;
    int m_nPureLevel = 0;
    std::uint64_t m_nGeneration = 0;
};

}  // namespace kelmio
