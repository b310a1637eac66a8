#include "gui/imaging/image_canvas.h"

#include <wx/dcclient.h>
#include <wx/image.h>
#include <wx/utils.h>

namespace kelmio {
namespace {

// Making the zoomed form of a picture this large takes long enough to show
// the wait cursor.
constexpr std::int64_t kBusyPixels = 2'000'000;

wxBitmap BitmapOf(RgbPixels& pixels) {
    // The image borrows the buffer; the bitmap copies it.
    wxImage image(pixels.cx, pixels.cy, pixels.bytes.data(), true);
    return wxBitmap(image);
}

}  // namespace

CImageCanvas::CImageCanvas(wxWindow* parent, CImageDisplay& display)
    : wxScrolledCanvas(parent, wxID_ANY, wxDefaultPosition, wxDefaultSize, wxHSCROLL | wxVSCROLL | wxWANTS_CHARS),
      m_display(display) {
    SetBackgroundStyle(wxBG_STYLE_PAINT);  // every pixel is painted, white or image
    SetBackgroundColour(*wxWHITE);
    SetScrollRate(1, 1);
    Bind(wxEVT_PAINT, &CImageCanvas::OnPaint, this);
    Bind(wxEVT_SIZE, &CImageCanvas::OnSize, this);
    Bind(wxEVT_KEY_DOWN, &CImageCanvas::OnKeyDown, this);
    Bind(wxEVT_MOUSEWHEEL, &CImageCanvas::OnWheel, this);
}

ImageSize CImageCanvas::GetClientImageSize() const {
    const wxSize client = GetClientSize();
    return ImageSize{client.x, client.y};
}

ImageSize CImageCanvas::GetDisplaySize() const {
    if (!m_display.HasImage()) return ImageSize{};
    if (m_display.GetImage().IsToWindowImage()) {
        // Vector pictures are always drawn fitted into the window.
        CImageZoom fitted = m_display.Zoom();
        fitted.m_bFitWindow = true;
        return kelmio::GetDisplaySize(fitted, m_display.GetImage().GetSize(), GetClientImageSize());
    }
    return m_display.GetDisplaySize(GetClientImageSize());
}

bool CImageCanvas::ShowImageFile(const CFilePath& path) {
    bool shown = false;
    {
        wxBusyCursor busy;
        shown = m_display.ShowImageFile(path);
    }
    LayoutImage(true);
    return shown;
}

bool CImageCanvas::ShowMemoryImage() {
    const bool shown = m_display.ShowMemoryImage();
    LayoutImage(true);
    return shown;
}

void CImageCanvas::LayoutImage(bool toOrigin) {
    const ImageSize display = GetDisplaySize();
    // The zoomed form is made here, with the wait cursor when it takes a
    // while, rather than in the middle of a paint.
    if (m_display.HasImage() && display.cx > 0 && display.cy > 0) EnsureZoomed(display);
    SetVirtualSize(display.cx, display.cy);
    if (toOrigin) Scroll(0, 0);
    Refresh(false);
}

ScrollPoint CImageCanvas::GetScrollPoint() const {
    int x = 0;
    int y = 0;
    GetViewStart(&x, &y);
    return ScrollPoint{x, y};
}

void CImageCanvas::ScrollToPoint(ScrollPoint point) {
    const ScrollPoint limited = ClampScroll(point, GetDisplaySize(), GetClientImageSize());
    Scroll(limited.x, limited.y);
}

void CImageCanvas::ScrollStep(int dx, int dy) {
    const ScrollPoint now = GetScrollPoint();
    ScrollToPoint(ScrollPoint{now.x + dx, now.y + dy});
}

bool CImageCanvas::EnsureZoomed(ImageSize display) {
    const bool pure =
        m_display.IsPure() && IsSharpenedInFineMode(m_display.Zoom(), m_display.GetImage().IsToWindowImage());
    if (m_zoomed.Matches(display, pure, m_display.GetPureLevel(), m_display.GetGeneration())) return true;
    const ImageSize size = m_display.GetImage().GetSize();
    const bool slow = std::int64_t{size.cx} * size.cy > kBusyPixels || std::int64_t{display.cx} * display.cy > kBusyPixels;
    std::unique_ptr<wxBusyCursor> busy = slow ? std::make_unique<wxBusyCursor>() : nullptr;
    if (!m_zoomed.Build(m_display.GetImage(), display, pure, m_display.GetPureLevel())) return false;
    m_zoomed.SetGeneration(m_display.GetGeneration());
    return true;
}

void CImageCanvas::OnPaint(wxPaintEvent&) {
    wxPaintDC dc(this);
    const ScrollPoint origin = GetScrollPoint();
    const ImageSize display = GetDisplaySize();
    const bool drawImage = m_display.HasImage() && display.cx > 0 && display.cy > 0 && EnsureZoomed(display);
    dc.SetPen(*wxTRANSPARENT_PEN);
    dc.SetBrush(*wxWHITE_BRUSH);
    for (wxRegionIterator part(GetUpdateRegion()); part; ++part) {
        const wxRect exposed = part.GetRect();  // client coordinates
        dc.DrawRectangle(exposed);
        if (!drawImage) continue;
        m_zoomed.CopyRegion(exposed.x + origin.x, exposed.y + origin.y, exposed.width, exposed.height, m_region);
        if (m_region.cx == 0 || m_region.cy == 0) continue;
        // The copy starts at the exposed corner, or at the image's edge when
        // the exposed part begins left of or above it (never: the image
        // starts at the origin).
        dc.DrawBitmap(BitmapOf(m_region), exposed.x, exposed.y);
    }
}

void CImageCanvas::OnSize(wxSizeEvent& event) {
    event.Skip();
    // Fitted and client-sized layouts follow the window.
    if (m_display.Zoom().m_bFitWindow || m_display.Zoom().m_bClientSize ||
        (m_display.HasImage() && m_display.GetImage().IsToWindowImage())) {
        LayoutImage();
    }
}

void CImageCanvas::OnKeyDown(wxKeyEvent& event) {
    switch (event.GetKeyCode()) {
        case WXK_UP: ScrollUp(); return;
        case WXK_DOWN: ScrollDown(); return;
        case WXK_LEFT: ScrollLeft(); return;
        case WXK_RIGHT: ScrollRight(); return;
        case WXK_PAGEUP: PageUp(); return;
        case WXK_PAGEDOWN: PageDown(); return;
        default: event.Skip();
    }
}

void CImageCanvas::OnWheel(wxMouseEvent& event) {
    if (event.GetWheelRotation() > 0) {
        ScrollUp();
    } else {
        ScrollDown();
    }
    event.Skip();  // the window's own wheel scrolling follows
}

wxBitmap CImageCanvas::FullBitmap() const {
    RgbPixels pixels = m_display.GetImage().GetRgb();
    if (pixels.bytes.empty()) return wxNullBitmap;
    return BitmapOf(pixels);
}

}  // namespace kelmio
