#include "imaging/image_zoom.h"

#include <algorithm>
#include <cstdint>
#include <limits>

#include "commands/command_ids.h"
#include "project/kelmio_data.h"

namespace kelmio {
namespace {

bool IsFixedStep(int value) { return value >= 20 && value <= kZoomMax && value % 10 == 0; }

int ClampTenths(int value) { return std::clamp(value, kZoomOwnSize, kZoomMax); }

// Integer arithmetic in 64 bits: an image may be 32768 pixels wide.
int Narrow(std::int64_t value) { return static_cast<int>(std::clamp<std::int64_t>(value, 0, std::numeric_limits<int>::max())); }

ImageSize FitIntoWindow(ImageSize image, ImageSize client) {
    const std::int64_t cw = std::max(client.cx, 1);
    const std::int64_t ch = std::max(client.cy, 1);
    const std::int64_t w = image.cx;
    const std::int64_t h = image.cy;
    if (w <= cw && h <= ch) return image;  // never enlarged
    if (w <= 0 || h <= 0) return image;
    const std::int64_t a = cw * 100 / ch;
    const std::int64_t b = w * 100 / h;
    if (a > b) {
        const std::int64_t divisor = std::max<std::int64_t>(h * 100 / ch, 1);
        const std::int64_t width = std::clamp<std::int64_t>(w * 100 / divisor, 1, w);
        return ImageSize{Narrow(width), Narrow(ch)};
    }
    const std::int64_t divisor = std::max<std::int64_t>(w * 100 / cw, 1);
    const std::int64_t height = std::clamp<std::int64_t>(h * 100 / divisor, 1, h);
    return ImageSize{Narrow(cw), Narrow(height)};
}

}  // namespace

ImageSize GetDisplaySize(const CImageZoom& zoom, ImageSize image, ImageSize client) {
    if (zoom.m_bClientSize) return client;
    if (zoom.m_bFitWindow) return FitIntoWindow(image, client);
    if (zoom.m_bReduce) {
        const std::int64_t divisor = std::max(zoom.m_nReduce, 1);
        return ImageSize{Narrow(std::int64_t{image.cx} * 10 / divisor), Narrow(std::int64_t{image.cy} * 10 / divisor)};
    }
    if (zoom.m_bEnlarge) {
        const std::int64_t factor = std::max(zoom.m_nEnlarge, 0);
        return ImageSize{Narrow(factor * image.cx / 10), Narrow(factor * image.cy / 10)};
    }
    return image;
}

bool IsSharpenedInFineMode(const CImageZoom& zoom, bool vectorPicture) {
    if (vectorPicture || zoom.m_bClientSize || zoom.m_bFitWindow) return false;
    return zoom.m_bReduce || zoom.m_bEnlarge;
}

void ZoomRealSize(CImageZoom& zoom) {
    zoom.m_bReduce = zoom.m_bEnlarge = zoom.m_bFitWindow = false;
}

void ZoomReduce(CImageZoom& zoom, int divisor) {
    zoom.m_nReduce = divisor;
    zoom.m_bFitWindow = zoom.m_bEnlarge = false;
    zoom.m_bReduce = true;
}

void ZoomEnlarge(CImageZoom& zoom, int factor) {
    zoom.m_bFitWindow = zoom.m_bReduce = false;
    zoom.m_bEnlarge = true;
    zoom.m_nEnlarge = factor;
}

void ZoomFitWindow(CImageZoom& zoom) {
    zoom.m_bFitWindow = true;
    zoom.m_bReduce = zoom.m_bEnlarge = false;
}

void ZoomStepLarger(CImageZoom& zoom) {
    zoom.m_bFitWindow = false;
    if (zoom.m_bReduce) {
        zoom.m_nReduce -= 1;
        if (zoom.m_nReduce <= kZoomOwnSize) zoom.m_bReduce = false;
    } else if (zoom.m_bEnlarge) {
        if (zoom.m_nEnlarge < kZoomMax) zoom.m_nEnlarge += 1;
    } else {
        zoom.m_bEnlarge = true;
        zoom.m_nEnlarge = kZoomStepFirst;
    }
}

void ZoomStepSmaller(CImageZoom& zoom) {
    zoom.m_bFitWindow = false;
    if (zoom.m_bEnlarge) {
        zoom.m_nEnlarge -= 1;
        if (zoom.m_nEnlarge <= kZoomOwnSize) zoom.m_bEnlarge = false;
    } else if (zoom.m_bReduce) {
        if (zoom.m_nReduce < kZoomMax) zoom.m_nReduce += 1;
    } else {
        zoom.m_bReduce = true;
        zoom.m_nReduce = kZoomStepFirst;
    }
}

namespace {

// The tenths of a run of fixed zoom commands: 20 for its first command, 100
// for its last.
std::optional<int> TenthsInRun(CommandId id, CommandId first, CommandId last) {
    const int number = CommandNumber(id);
    if (number < CommandNumber(first) || number > CommandNumber(last)) return std::nullopt;
    return (number - CommandNumber(first) + 2) * 10;
}

}  // namespace

std::optional<int> FixedReduceOf(CommandId id) { return TenthsInRun(id, ID_IMAGE_REDUCE_2, ID_IMAGE_REDUCE_10); }

std::optional<int> FixedEnlargeOf(CommandId id) { return TenthsInRun(id, ID_IMAGE_ENLARGE_2, ID_IMAGE_ENLARGE_10); }

bool IsRealSizeChecked(const CImageZoom& zoom) {
    return !zoom.m_bReduce && !zoom.m_bEnlarge && !zoom.m_bFitWindow;
}

bool IsFixedReduceChecked(const CImageZoom& zoom, CommandId id) {
    const std::optional<int> divisor = FixedReduceOf(id);
    return divisor && zoom.m_bReduce && zoom.m_nReduce == *divisor;
}

bool IsFixedEnlargeChecked(const CImageZoom& zoom, CommandId id) {
    const std::optional<int> factor = FixedEnlargeOf(id);
    return factor && zoom.m_bEnlarge && zoom.m_nEnlarge == *factor;
}

bool IsCustomReduceChecked(const CImageZoom& zoom) { return zoom.m_bReduce && !IsFixedStep(zoom.m_nReduce); }

bool IsCustomEnlargeChecked(const CImageZoom& zoom) { return zoom.m_bEnlarge && !IsFixedStep(zoom.m_nEnlarge); }

void StoreZoom(const CImageZoom& zoom, CKelmioPosData& pos) {
    pos.m_bClientSize = zoom.m_bClientSize ? 1 : 0;
    pos.m_bEnlarge = zoom.m_bEnlarge ? 1 : 0;
    pos.m_bReduce = zoom.m_bReduce ? 1 : 0;
    pos.m_nEnlarge = zoom.m_nEnlarge;
    pos.m_nReduce = zoom.m_nReduce;
    pos.m_bFitWindow = zoom.m_bFitWindow ? 1 : 0;
}

CImageZoom ZoomFromPosData(const CKelmioPosData& pos) {
    CImageZoom zoom;
    zoom.m_bClientSize = pos.m_bClientSize != 0;
    zoom.m_bEnlarge = pos.m_bEnlarge != 0;
    zoom.m_bReduce = pos.m_bReduce != 0;
    zoom.m_nEnlarge = zoom.m_bEnlarge ? ClampTenths(pos.m_nEnlarge) : pos.m_nEnlarge;
    zoom.m_nReduce = zoom.m_bReduce ? ClampTenths(pos.m_nReduce) : pos.m_nReduce;
    zoom.m_bFitWindow = pos.m_bFitWindow != 0;
    return zoom;
}

int ImagePageStep(int extent) {
    const int page = std::max(extent, 0) / 10;
    const int line = page / 10;
    return std::max(page - line, 1);
}

ScrollPoint ClampScroll(ScrollPoint position, ImageSize extent, ImageSize client) {
    const int maxX = std::max(extent.cx - client.cx, 0);
    const int maxY = std::max(extent.cy - client.cy, 0);
    return ScrollPoint{std::clamp(position.x, 0, maxX), std::clamp(position.y, 0, maxY)};
}

}  // namespace kelmio
