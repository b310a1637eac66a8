#pragma once
// The page set-up of the translation text: the four margins, in
// millimetres with two decimals (the settings keep hundredths), and the
// way to the printer set-up.

#include <wx/dialog.h>

#include <array>

#include "editor/print_margins.h"

class wxSpinCtrlDouble;

namespace kelmio {

class CPrinterSetup;

class CPageSetupDlg final : public wxDialog {
public:
    CPageSetupDlg(wxWindow* parent, CPrinterSetup& printer, const CPrintMargins& margins);

    // The margins as the dialog shows them now.
    CPrintMargins Margins() const;

private:
    CPrinterSetup& m_printer;
    CPrintMargins m_margins;
    std::array<wxSpinCtrlDouble*, 4> m_spins{};  // top, bottom, left, right
};

// Page set-up for the translation text: on OK the margins are stored in
// the settings. True on OK.
bool RunPageSetup(wxWindow* parent, CPrinterSetup& printer, CPrintMargins& margins, CSettings& settings);

}  // namespace kelmio
