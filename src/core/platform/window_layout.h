#pragma once
// What the main window remembers between runs: its placement (normal
// rectangle, show state, the visibility of toolbar and status bar) and the
// sizes of its panes. Each value is named here once, with its default.

#include <string>
#include <string_view>

#include "platform/settings.h"

namespace kelmio {

// Show states as the system's window placement numbers them.
constexpr int kShowNormal = 1;
constexpr int kShowMinimized = 2;
constexpr int kShowMaximized = 3;

struct CWindowPlacement {
    int nShowCmd = kShowNormal;
    int nFlags = 0;
    // The normal (restored) rectangle in screen pixels; right and bottom exclusive.
    int nLeft = 100;
    int nTop = 100;
    int nRight = 800;
    int nBottom = 600;
    int nMinX = 0;
    int nMinY = 0;
    int nMaxX = -1;  // minus the width of a one-pixel border
    int nMaxY = -1;
    bool bToolBar = true;
    bool bStatusBar = true;

    bool operator==(const CWindowPlacement&) const = default;
};

// The eight numbers of "Rect" into `placement`. Numbers that are missing or
// unreadable keep the values `placement` already has, and so does a
// rectangle with no area.
void ParsePlacementRect(std::string_view text, CWindowPlacement& placement);
std::string FormatPlacementRect(const CWindowPlacement& placement);

// Section "Window size".
CWindowPlacement LoadWindowPlacement(const CSettings& settings);
void SaveWindowPlacement(CSettings& settings, const CWindowPlacement& placement);

// Section "View": the source viewer's height and the editor's width. The
// defaults depend on the frame's client size.
struct CPaneSizes {
    int nPreviewHeight = 0;
    int nFormWidth = 0;
};
CPaneSizes LoadPaneSizes(const CSettings& settings, int nClientWidth, int nClientHeight);
void SavePaneSizes(CSettings& settings, const CPaneSizes& sizes);

// Whether the pane sizes of a window with this client area are the user's:
// every pane at least `nMinimumPane` in each direction. A window that a
// window manager squeezed to almost nothing has its panes pushed to the
// edges; those sizes are not worth keeping.
bool PanesHaveRoom(const CPaneSizes& sizes, int nClientWidth, int nClientHeight, int nMinimumPane);

}  // namespace kelmio
