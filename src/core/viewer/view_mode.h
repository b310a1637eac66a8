#pragma once
// The source pane's display modes, with the values the view has always used.

namespace kelmio {

enum class ViewMode {
    kText = 0,      // plain text in the text pane, also the read-only placeholders
    kImage = 1,
    kRichText = 3,
    kBrowser = 4,
};

}  // namespace kelmio
