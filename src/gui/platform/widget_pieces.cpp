#include "gui/platform/widget_pieces.h"

#include <wx/stc/stc.h>

#include <algorithm>

namespace kelmio {

void ForEachWidgetPiece(const wxStyledTextCtrl& widget, std::size_t chunk,
                        const std::function<bool(std::string_view utf8)>& piece) {
    const int length = widget.GetLength();
    const int step = static_cast<int>(std::clamp<std::size_t>(chunk, 4, 1 << 30));
    for (int start = 0; start < length;) {
        int end = std::min(length, start + std::min(step, length - start));
        const int gap = widget.GetGapPosition();
        if (start < gap && end > gap) end = gap;
        // A character cut by the gap moves the gap a few bytes, no more.
        while (end < length && (widget.GetCharAt(end) & 0xC0) == 0x80) ++end;
        const char* bytes = widget.GetRangePointer(start, end - start);
        if (bytes == nullptr || !piece(std::string_view(bytes, static_cast<std::size_t>(end - start)))) return;
        start = end;
    }
}

}  // namespace kelmio
