#include "gui/platform/stc_copy.h"

#include "gui/platform/widget_pieces.h"

#include <wx/stc/stc.h>

#include <algorithm>

namespace kelmio {

void CopyControlText(wxStyledTextCtrl& control, std::string& text) {
    text.clear();
    // Pieces as large as the text: the gap alone cuts it.
    const auto whole = static_cast<std::size_t>(std::max(control.GetLength(), 1));
    ForEachWidgetPiece(control, whole, [&text](std::string_view utf8) {
        text.append(utf8);
        return true;
    });
}

}  // namespace kelmio
