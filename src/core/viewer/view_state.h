#pragma once
// The source pane's part of the display state a project keeps: what it
// stores before the project is written, and how it comes back when the
// project is opened. One record serves whatever source is current.

#include "viewer/view_mode.h"

namespace kelmio {

class CKelmioPosData;

// What the view knows when the project is about to be written.
struct ViewStateSnapshot {
    ViewMode mode = ViewMode::kText;
    bool bBrowserMode = false;
    bool bHasPane = false;       // the text pane exists
    int nPaneFirstLine = 0;      // its first visible line
    int nScrollX = 0;            // the browser page's scroll offsets
    int nScrollY = 0;
};

// Stores browser mode, then the position that belongs to the mode; other
// values of `pos` keep what they held. Image display stores its own zoom
// and position (CImageDisplay::StoreViewState).
void StoreViewState(const ViewStateSnapshot& view, CKelmioPosData& pos);

// How the position comes back after the source is shown again.
enum class RestoreKind {
    kNone,
    kScrollPaneLines,     // scroll the text pane down by `nY` lines
    kScrollImage,         // scroll the image to (`nX`, `nY`)
    kPostBrowserScroll,   // post the browser's first-scroll command twice: the page loads later
};

struct ViewRestore {
    RestoreKind kind = RestoreKind::kNone;
    int nX = 0;
    int nY = 0;

    bool operator==(const ViewRestore&) const = default;
};

ViewRestore PlanRestore(ViewMode mode, bool pathEmpty, const CKelmioPosData& pos);

}  // namespace kelmio
