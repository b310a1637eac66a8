#pragma once
// The message box: the icon the message calls for (question, exclamation,
// stop, information), the text and the buttons in the Japanese order
// "はい", "いいえ", "ｷｬﾝｾﾙ". GTK's own message dialog no longer draws icons,
// so Kelmio draws its own box.

#include <wx/dialog.h>

#include "platform/prompter.h"

namespace kelmio {

class CMessageBoxDlg final : public wxDialog {
public:
    CMessageBoxDlg(wxWindow* owner, std::string_view sjisText, MessageButtons buttons, MessageIcon icon);

    // Runs the box; closing it counts as Cancel where there is one, else as
    // "いいえ" or the only button.
    Answer Ask();

    MessageIcon Icon() const { return m_icon; }

private:
    void AddButton(wxSizer& row, int id, const wxString& label);

    MessageButtons m_buttons;
    MessageIcon m_icon;
};

}  // namespace kelmio
