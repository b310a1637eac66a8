#pragma once
// The file chooser's type list as the user changes it. wx tells a file
// dialog's extra controls nothing when another type is picked (GTK), so
// the chooser's own notification is followed here, and the name box is
// read and written directly.

#include <functional>
#include <string>

class wxFileDialog;

namespace kelmio {

// Calls `changed` each time the user picks another type in `dialog`, from
// construction until destruction. Destroy it before the dialog.
class CFileChooserTypeWatch {
public:
    CFileChooserTypeWatch(wxFileDialog& dialog, std::function<void()> changed);
    ~CFileChooserTypeWatch();
    CFileChooserTypeWatch(const CFileChooserTypeWatch&) = delete;
    CFileChooserTypeWatch& operator=(const CFileChooserTypeWatch&) = delete;

    // Whether the toolkit's notification could be followed.
    bool IsWatching() const { return m_nHandler != 0; }

private:
    static void OnNotify(void* chooser, void* property, void* self);

    wxFileDialog& m_dialog;
    std::function<void()> m_changed;
    unsigned long m_nHandler = 0;
};

// The 0-based position of the type the chooser shows now.
int FileChooserTypeIndex(const wxFileDialog& dialog);

// The text of a save chooser's name box (UTF-8), and setting it; empty and
// nothing done where the toolkit offers no such box.
std::string FileChooserName(const wxFileDialog& dialog);
void SetFileChooserName(wxFileDialog& dialog, const std::string& utf8);

}  // namespace kelmio
