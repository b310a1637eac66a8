#include "imaging/zoomed_image.h"

#include <algorithm>
#include <cstring>

#include "imaging/pixel_ops.h"

namespace kelmio {

bool CZoomedImage::Build(const CImageKit& image, ImageSize display, bool pure, int pureLevel) {
    Clear();
    const ImageSize size = image.GetSize();
    if (size.cx <= 0 || size.cy <= 0 || display.cx <= 0 || display.cy <= 0) return false;
    const std::int64_t pixels = std::int64_t{display.cx} * display.cy;
    const bool whole = pixels <= kMaxCachedPixels;
    // Straight into RGB: the library's own form of a large zoomed copy would
    // cost as much again to make and to read back.
    m_pixels = whole && display != size ? image.GetResizedRgb(display.cx, display.cy) : image.GetRgb();
    if (m_pixels.bytes.empty()) return false;
    if (pure) SharpenRgb(m_pixels, CImageKit::SharpenSigma(pureLevel));
    m_display = display;
    m_bWhole = whole;
    m_bPure = pure;
    m_nPureLevel = pureLevel;
    return true;
}

void CZoomedImage::Clear() {
    m_pixels = RgbPixels{};
    m_display = ImageSize{};
    m_bWhole = false;
}

bool CZoomedImage::Matches(ImageSize display, bool pure, int pureLevel, std::uint64_t generation) const {
    return IsBuilt() && m_display == display && m_bPure == pure && (!pure || m_nPureLevel == pureLevel) &&
           m_nGeneration == generation;
}

void CZoomedImage::CopyRegion(int x, int y, int cx, int cy, RgbPixels& out) const {
    const int left = std::clamp(x, 0, m_display.cx);
    const int top = std::clamp(y, 0, m_display.cy);
    const int right = std::clamp(x + std::max(cx, 0), left, m_display.cx);
    const int bottom = std::clamp(y + std::max(cy, 0), top, m_display.cy);
    out.cx = right - left;
    out.cy = bottom - top;
    out.bytes.resize(static_cast<std::size_t>(out.cx) * static_cast<std::size_t>(out.cy) * 3);
    if (out.cx == 0 || out.cy == 0) return;
    const std::size_t rowBytes = static_cast<std::size_t>(out.cx) * 3;
    if (m_bWhole) {
        const std::size_t stride = static_cast<std::size_t>(m_display.cx) * 3;
        for (int row = 0; row < out.cy; ++row) {
            const std::uint8_t* from = m_pixels.bytes.data() + static_cast<std::size_t>(top + row) * stride +
                                       static_cast<std::size_t>(left) * 3;
            std::memcpy(out.bytes.data() + static_cast<std::size_t>(row) * rowBytes, from, rowBytes);
        }
        return;
    }
    // Enlarged from the full-size pixels: each displayed pixel takes the
    // source pixel it lies on.
    const std::int64_t sourceWidth = m_pixels.cx;
    const std::int64_t sourceHeight = m_pixels.cy;
    std::vector<std::size_t> sourceColumn(static_cast<std::size_t>(out.cx));
    for (int column = 0; column < out.cx; ++column) {
        const std::int64_t sx = std::min<std::int64_t>((left + column) * sourceWidth / m_display.cx, sourceWidth - 1);
        sourceColumn[static_cast<std::size_t>(column)] = static_cast<std::size_t>(sx) * 3;
    }
    const std::size_t sourceStride = static_cast<std::size_t>(sourceWidth) * 3;
    for (int row = 0; row < out.cy; ++row) {
        const std::int64_t sy = std::min<std::int64_t>((top + row) * sourceHeight / m_display.cy, sourceHeight - 1);
        const std::uint8_t* sourceRow = m_pixels.bytes.data() + static_cast<std::size_t>(sy) * sourceStride;
        std::uint8_t* target = out.bytes.data() + static_cast<std::size_t>(row) * rowBytes;
        for (int column = 0; column < out.cx; ++column) {
            std::memcpy(target + static_cast<std::size_t>(column) * 3, sourceRow + sourceColumn[static_cast<std::size_t>(column)], 3);
        }
    }
}

}  // namespace kelmio
