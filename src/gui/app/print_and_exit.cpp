#include "gui/app/print_and_exit.h"

#include <cstdlib>
#include <sys/stat.h>

#include "gui/editor/kel_edit_view.h"
#include "gui/editor/printer_setup.h"
#include "gui/editor/translation_print.h"
#include "gui/platform/wx_text.h"

namespace kelmio {
namespace {

// Whether a print service answers here. Without one the toolkit's silent
// print waits for printers that never come, so the user is shown the print
// dialog instead (where printing to a file still works).
bool HasPrintService() {
    if (std::getenv("CUPS_SERVER") != nullptr) return true;
    struct stat info {};
    for (const char* socket : {"/run/cups/cups.sock", "/var/run/cups/cups.sock"}) {
        if (::stat(socket, &info) == 0 && S_ISSOCK(info.st_mode)) return true;
    }
    return false;
}

}  // namespace

bool PrintTranslationAndExit(CKelEditView& editor, const CCommandLineInfo& commandLine) {
    // "/pt" names its printer; "/p" prints on the default one. The program
    // ends either way.
    CPrinterSetup printer;
    if (!commandLine.m_strPrinterName.empty()) printer.PrintData().SetPrinterName(ToWx(commandLine.m_strPrinterName));
    PrintTranslation(&editor, printer, editor.PrintMargins(), editor.PrintSource(), !HasPrintService(), nullptr);
    return false;
}

}  // namespace kelmio
