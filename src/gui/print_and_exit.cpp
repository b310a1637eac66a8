#include "print_and_exit.h"

namespace kelmio {

// The editor's printing is the place where the text is laid out on pages
// and sent to the printer; until the editor can print, a print start opens
// the project, checks that it can be read, and ends.
bool PrintTranslationAndExit(CKelEditView& /*editor*/, const CCommandLineInfo& /*commandLine*/) { return false; }

}  // namespace kelmio
