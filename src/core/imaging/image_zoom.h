#pragma once
// How large an image is displayed, and what the zoom commands do to that.
//
// Factors and divisors are in tenths: m_nEnlarge 20 shows the image twice as
// large, m_nReduce 11 shows it at 1/1.1. At most one of reduce, enlarge and
// fit is set by the commands; m_bClientSize comes only from a stored project
// and then wins over everything else.

#include <optional>

#include "commands/command_ids.h"
#include "imaging/image_kit.h"

namespace kelmio {

class CKelmioPosData;

struct CImageZoom {
    bool m_bClientSize = false;
    bool m_bFitWindow = false;
    bool m_bReduce = false;
    int m_nReduce = 0;
    bool m_bEnlarge = false;
    int m_nEnlarge = 0;

    bool operator==(const CImageZoom&) const = default;
};

// Zoom limits in tenths.
constexpr int kZoomOwnSize = 10;
constexpr int kZoomStepFirst = 11;
constexpr int kZoomMax = 100;

// The displayed size of an image of `image` pixels in a client area of
// `client` pixels.
ImageSize GetDisplaySize(const CImageZoom& zoom, ImageSize image, ImageSize client);

// Whether fine mode sharpens the picture as it is drawn: only a reduced or
// enlarged copy is sharpened; at its own size, fitted into the window or
// drawn into the whole window (also every vector picture) it is shown as it is.
bool IsSharpenedInFineMode(const CImageZoom& zoom, bool vectorPicture);

// The zoom commands. A zoom only changes how the image is shown: the image
// held (turned, mirrored, or a scan not saved) stays as it is, so the view
// only lays out again.
void ZoomRealSize(CImageZoom& zoom);
void ZoomReduce(CImageZoom& zoom, int divisor);
void ZoomEnlarge(CImageZoom& zoom, int factor);
// Fit to the window; the caller also writes View/WindowSize = 1.
void ZoomFitWindow(CImageZoom& zoom);
void ZoomStepLarger(CImageZoom& zoom);
void ZoomStepSmaller(CImageZoom& zoom);

// The divisor or factor a fixed zoom command sets (20 ... 100), if `id` is
// one of those commands.
std::optional<int> FixedReduceOf(CommandId id);
std::optional<int> FixedEnlargeOf(CommandId id);

// Check marks of the zoom commands.
bool IsRealSizeChecked(const CImageZoom& zoom);
bool IsFixedReduceChecked(const CImageZoom& zoom, CommandId id);
bool IsFixedEnlargeChecked(const CImageZoom& zoom, CommandId id);
bool IsCustomReduceChecked(const CImageZoom& zoom);
bool IsCustomEnlargeChecked(const CImageZoom& zoom);

// The zoom stored with the project, and read back. Values a damaged project
// carries outside 10 ... 100 are brought into that range, so the layout
// never divides by zero or asks for an image of unbounded size.
void StoreZoom(const CImageZoom& zoom, CKelmioPosData& pos);
CImageZoom ZoomFromPosData(const CKelmioPosData& pos);

// Scrolling in image display: arrow steps of 5 pixels; a page is a tenth of
// the scrolling extent and a line a tenth of a page, so a page step moves by
// a page less a line (9 % of the extent).
constexpr int kImageScrollStep = 5;
int ImagePageStep(int extent);

struct ScrollPoint {
    int x = 0;
    int y = 0;
    bool operator==(const ScrollPoint&) const = default;
};

// The scroll position limited to what the extent allows in the client area.
ScrollPoint ClampScroll(ScrollPoint position, ImageSize extent, ImageSize client);

}  // namespace kelmio
