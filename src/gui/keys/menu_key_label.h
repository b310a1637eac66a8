#pragma once
// A menu item's caption with its key text. The toolkit would take the text
// after the tab for an accelerator and show its own name for it (GTK writes
// "Page_Up" for the key the key table calls "PageUp", puts Shift before
// Alt, ...); the key text is shown here exactly as the key table writes it.

#include <wx/string.h>

class wxMenuItem;

namespace kelmio {

// Sets the item's label to "caption\tkeyText" (just the caption when the
// key text is empty) and shows the key text as written.
void SetMenuItemKeyText(wxMenuItem& item, const wxString& caption, const wxString& keyText);

// The key text the user sees right of the item's caption; "" when none.
wxString ShownMenuKeyText(const wxMenuItem& item);

}  // namespace kelmio
