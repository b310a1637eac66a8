#pragma once
// What printing the translation text needs from a printer or preview device:
// font metrics, text widths and tabbed drawing, and the page geometry for
// the margins. The application implements it over its device context; tests
// use a device with fixed widths.
//
// All coordinates and widths are in the device's logical units, which must be
// its pixels (the margins are converted with the device's pixel size). Every
// measure and every drawing uses the one font the device prints the text in.

#include <array>
#include <string_view>

namespace kelmio {

// A rectangle in device units; right and bottom lie just outside it.
struct CPrintRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    bool IsEmpty() const { return right <= left || bottom <= top; }
    bool operator==(const CPrintRect&) const = default;
};

struct CPrintTextMetrics {
    int nHeight = 0;           // cell height of the font
    int nExternalLeading = 0;  // extra space the font asks for between lines
    int nAveCharWidth = 0;     // average width of a single-byte character
};

// The page as the device reports it.
struct CPrintDeviceCaps {
    int nHorzSizeMm = 0;  // width of the printable area in millimetres
    int nVertSizeMm = 0;  // height of the printable area in millimetres
    int nHorzRes = 0;     // width of the printable area in pixels
    int nVertRes = 0;     // height of the printable area in pixels
    int nOffsetX = 0;     // distance from the paper's left edge to the printable area, in pixels
    int nOffsetY = 0;     // distance from the paper's top edge to the printable area, in pixels
};

class CPrintDevice {
public:
    virtual ~CPrintDevice() = default;

    virtual CPrintTextMetrics GetTextMetrics() const = 0;

    // Advance width of each byte value drawn as a single-byte character.
    virtual std::array<int, 256> GetCharWidths() const = 0;

    // Advance width of the double-byte character `lead` `trail`, for the
    // line fitter's first guess at where a line ends; 0 when the device
    // cannot tell cheaply, and the guess takes the average width instead.
    // Where the line ends is always settled by GetTabbedTextWidth.
    virtual int GetDoubleByteWidth(unsigned char /*lead*/, unsigned char /*trail*/) const { return 0; }

    // Width of one tab character at the start of a line with the device's
    // default tab stops.
    virtual int GetDefaultTabWidth() const = 0;

    // Width of `text` (Shift-JIS) drawn on one line from x = 0 with a tab
    // stop every `nTabStop` units (always > 0).
    virtual int GetTabbedTextWidth(std::string_view text, int nTabStop) const = 0;

    // Draws `text` (Shift-JIS, one line) with its top-left corner at (x, y),
    // tab stops every `nTabStop` units counted from x, on a transparent
    // background.
    virtual void DrawTabbedText(int x, int y, std::string_view text, int nTabStop) = 0;

    // Drawing shows only inside `rect` until ClearClip.
    virtual void SetClip(const CPrintRect& rect) = 0;
    virtual void ClearClip() = 0;

    virtual CPrintDeviceCaps GetDeviceCaps() const = 0;
};

}  // namespace kelmio
