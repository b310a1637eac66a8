#pragma once
// The properties of the current source: the desktop file manager's own
// properties window, asked for over D-Bus (org.freedesktop.FileManager1);
// where no file manager answers, a small window of our own with the
// file's name, folder, size, dates and type.

#include <string>

class wxWindow;

namespace kelmio {

void ShowSourceProperties(const std::string& sjisPath);

// Our own window, modal; also what the tests look at.
void ShowOwnProperties(wxWindow* owner, const std::string& sjisPath);

}  // namespace kelmio
