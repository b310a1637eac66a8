#include "gui/editor/printer_setup.h"

#include <wx/printdlg.h>

namespace kelmio {

bool CPrinterSetup::RunSetupDialog(wxWindow* parent) {
    wxPageSetupDialogData data(m_data);
    // Margins are the page set-up's business, in hundredths of a millimetre.
    data.EnableMargins(false);
    wxPageSetupDialog dialog(parent, &data);
    if (dialog.ShowModal() != wxID_OK) return false;
    m_data = dialog.GetPageSetupDialogData().GetPrintData();
    return true;
}

}  // namespace kelmio
