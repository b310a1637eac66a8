#pragma once
// The end of a start with "/p" or "/pt": the project is open and its
// translation text is in the editor, not shown; the text goes to the
// printer and the program ends without asking about unsaved work.

#include "app/command_line.h"

namespace kelmio {

class CKelEditView;

// Returns whether the program keeps running, which is never: the caller
// ends it. The printer, driver and port of "/pt" are in `commandLine`.
bool PrintTranslationAndExit(CKelEditView& editor, const CCommandLineInfo& commandLine);

}  // namespace kelmio
