#pragma once
// CImageCanvas: the window the source viewer draws an image in.
//
// It scrolls by pixels over the displayed size of the image and paints only
// the exposed part: the zoomed form (in fine mode, when reduced or enlarged,
// also sharpened) is made once per change of image, zoom or fine mode, and
// a paint copies pixels out of it. Outside the image the window is white.
// The viewer hosts it and forwards the image commands (CImageCommands).

#include <wx/scrolwin.h>

#include "imaging/image_display.h"
#include "imaging/zoomed_image.h"

namespace kelmio {

class CImageCanvas final : public wxScrolledCanvas {
public:
    CImageCanvas(wxWindow* parent, CImageDisplay& display);

    // Shows an image file with the wait cursor (a large scan takes a
    // moment), scrolled to its top left; false when it cannot be shown.
    bool ShowImageFile(const CFilePath& path);
    // Shows the image kept in memory (a scan not saved).
    bool ShowMemoryImage();

    // The image, its zoom or fine mode changed: scrolling extent and drawing
    // follow. `toOrigin` scrolls back to the top left as a new image does.
    void LayoutImage(bool toOrigin = false);

    ImageSize GetClientImageSize() const;
    ImageSize GetDisplaySize() const;
    ScrollPoint GetScrollPoint() const;
    void ScrollToPoint(ScrollPoint point);

    // The scrolling commands of image display.
    void ScrollUp() { ScrollStep(0, -kImageScrollStep); }
    void ScrollDown() { ScrollStep(0, kImageScrollStep); }
    void ScrollLeft() { ScrollStep(-kImageScrollStep, 0); }
    void ScrollRight() { ScrollStep(kImageScrollStep, 0); }
    void PageUp() { ScrollStep(0, -ImagePageStep(GetDisplaySize().cy)); }
    void PageDown() { ScrollStep(0, ImagePageStep(GetDisplaySize().cy)); }

    // The whole image as the clipboard and tests see it.
    wxBitmap FullBitmap() const;
    const CZoomedImage& Zoomed() const { return m_zoomed; }

private:
    void OnPaint(wxPaintEvent& event);
    void OnSize(wxSizeEvent& event);
    void OnKeyDown(wxKeyEvent& event);
    void OnWheel(wxMouseEvent& event);
    void ScrollStep(int dx, int dy);
    // Makes the zoomed form if the image, zoom or fine mode changed.
    bool EnsureZoomed(ImageSize display);

    CImageDisplay& m_display;
    CZoomedImage m_zoomed;
    RgbPixels m_region;  // reused from paint to paint
};

}  // namespace kelmio
