#pragma once
// Printing the translation text: print with or without the print dialog,
// the preview window, and the print-and-end of a start with "/p".

#include <string>

#include "gui/editor/translation_printout.h"
#include "platform/prompter.h"
#include "platform/settings.h"

class wxWindow;

namespace kelmio {

class CPrinterSetup;

// Prints `source`, after the print dialog when `showDialog`. False when
// nothing was printed: cancelled, or failed, which `prompter` (if any) is
// told about.
bool PrintTranslation(wxWindow* parent, CPrinterSetup& printer, const CPrintMargins& margins,
                      const CPrintSource& source, bool showDialog, CPrompter* prompter);

// Opens the preview window over `parent`. False when no preview could be made.
bool PreviewTranslation(wxWindow* parent, CPrinterSetup& printer, const CPrintMargins& margins,
                        const CPrintSource& source, CPrompter* prompter);

// Prints a translation text with the editor's font and the page margins
// kept in `settings`, on the default printer unless `showDialog` lets the
// user choose. True when it was printed.
bool PrintTranslationText(wxWindow* parent, const std::string& sjisText, CSettings& settings, bool showDialog);

}  // namespace kelmio
