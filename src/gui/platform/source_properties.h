#pragma once
// The properties of the current source: the desktop file manager's own
// properties window, asked for over D-Bus (org.freedesktop.FileManager1);
// where no file manager answers, a small window of our own with the
// file's name, folder, size, dates and type.

#include <wx/string.h>

#include <vector>

#include "platform/file_path.h"

class wxWindow;

namespace kelmio {

// A file that is not there (any more) is shown in our own window, which
// says so; the file manager is not asked about it.
void ShowSourceProperties(const CFilePath& path);

// Our own window, modal.
void ShowOwnProperties(wxWindow* owner, const CFilePath& path);

// The label and value lines of our own window: name, folder, type, then
// size and dates, or, for a file that is not there, a line saying so in
// their place (a size of 0 bytes would be untrue).
struct PropertyRow {
    wxString label;
    wxString value;
};
std::vector<PropertyRow> OwnPropertyRows(const CFilePath& path);

}  // namespace kelmio
