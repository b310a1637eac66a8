#include "gui/platform/stc_copy.h"

#include <wx/stc/stc.h>

#include <algorithm>

namespace kelmio {

void CopyControlText(wxStyledTextCtrl& control, std::string& text) {
    const int length = control.GetLength();
    const int gap = std::clamp(control.GetGapPosition(), 0, length);
    text.clear();
    if (gap > 0) text.append(control.GetRangePointer(0, gap), static_cast<std::size_t>(gap));
    if (gap < length) text.append(control.GetRangePointer(gap, length - gap), static_cast<std::size_t>(length - gap));
}

}  // namespace kelmio
