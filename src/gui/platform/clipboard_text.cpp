#include "gui/platform/clipboard_text.h"

#include <wx/clipbrd.h>
#include <wx/dataobj.h>

#include "gui/platform/wx_text.h"

namespace kelmio {

std::optional<std::string> ClipboardText() {
    wxClipboardLocker locker;
    if (!locker || !wxTheClipboard->IsSupported(wxDF_UNICODETEXT)) return std::nullopt;
    wxTextDataObject data;
    if (!wxTheClipboard->GetData(data)) return std::nullopt;
    return FromWx(data.GetText());
}

}  // namespace kelmio
