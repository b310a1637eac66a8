#pragma once
// The application's current printer: chosen in the printer set-up dialog
// or the page set-up, used by every print and preview.

#include <wx/cmndata.h>

class wxWindow;

namespace kelmio {

class CPrinterSetup {
public:
    wxPrintData& PrintData() { return m_data; }
    const wxPrintData& PrintData() const { return m_data; }

    // The system's printer, paper and orientation dialog; the choice is
    // kept when the user confirms it. True on OK.
    bool RunSetupDialog(wxWindow* parent);

private:
    wxPrintData m_data;
};

}  // namespace kelmio
