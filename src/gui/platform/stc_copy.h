#pragma once
// Copying a styled text control's whole text cheaply, for recovery copies.

#include <string>

class wxStyledTextCtrl;

namespace kelmio {

// The control's text (its own bytes, UTF-8) into `text`, whose storage is
// reused. Taken in the two parts on either side of the buffer's gap:
// asking for the text in one piece would close the gap, moving everything
// after the caret now and again at the next keystroke.
void CopyControlText(wxStyledTextCtrl& control, std::string& text);

}  // namespace kelmio
