#pragma once
// The properties of the current source: the desktop file manager's own
// properties window, asked for over D-Bus (org.freedesktop.FileManager1);
// where no file manager answers, a small window of our own with the
// file's name, folder, size, dates and type.

#include "platform/file_path.h"

class wxWindow;

namespace kelmio {

void ShowSourceProperties(const CFilePath& path);

// Our own window, modal; also what the tests look at.
void ShowOwnProperties(wxWindow* owner, const CFilePath& path);

}  // namespace kelmio
