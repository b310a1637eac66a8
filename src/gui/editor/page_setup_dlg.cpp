#include "gui/editor/page_setup_dlg.h"

#include <wx/button.h>
#include <wx/sizer.h>
#include <wx/spinctrl.h>
#include <wx/statbox.h>
#include <wx/stattext.h>

#include <cmath>

#include "gui/editor/printer_setup.h"
#include "gui/platform/wx_text.h"

namespace kelmio {
namespace {

constexpr double kMaxMarginMm = 500.0;

}  // namespace

CPageSetupDlg::CPageSetupDlg(wxWindow* parent, CPrinterSetup& printer, const CPrintMargins& margins)
    : wxDialog(parent, wxID_ANY, WxText("ページ設定")), m_printer(printer), m_margins(margins) {
    auto* box = new wxStaticBoxSizer(wxVERTICAL, this, WxText("余白 (mm)"));
    auto* grid = new wxFlexGridSizer(2, 4, 6, 8);
    const std::array<const char*, 4> labels = {"上(&T):", "下(&B):", "左(&L):", "右(&R):"};
    const std::array<int, 4> values = {margins.m_nTop, margins.m_nBottom, margins.m_nLeft, margins.m_nRight};
    for (std::size_t i = 0; i < labels.size(); ++i) {
        grid->Add(new wxStaticText(box->GetStaticBox(), wxID_ANY, WxText(labels[i])), 0, wxALIGN_CENTER_VERTICAL);
        m_spins[i] = new wxSpinCtrlDouble(box->GetStaticBox(), wxID_ANY, wxString(), wxDefaultPosition,
                                          wxDefaultSize, wxSP_ARROW_KEYS, 0.0, kMaxMarginMm, values[i] / 100.0, 1.0);
        m_spins[i]->SetDigits(2);
        grid->Add(m_spins[i], 1, wxEXPAND);
    }
    box->Add(grid, 1, wxEXPAND | wxALL, 8);

    auto* printerButton = new wxButton(this, wxID_ANY, WxText("ﾌﾟﾘﾝﾀ(&P)..."));
    printerButton->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { m_printer.RunSetupDialog(this); });

    auto* sizer = new wxBoxSizer(wxVERTICAL);
    sizer->Add(box, 1, wxEXPAND | wxALL, 10);
    sizer->Add(printerButton, 0, wxALIGN_LEFT | wxLEFT | wxRIGHT, 10);
    sizer->Add(CreateStdDialogButtonSizer(wxOK | wxCANCEL), 0, wxEXPAND | wxALL, 10);
    SetSizerAndFit(sizer);
    CentreOnParent();
}

CPrintMargins CPageSetupDlg::Margins() const {
    CPrintMargins margins = m_margins;
    std::array<int*, 4> fields = {&margins.m_nTop, &margins.m_nBottom, &margins.m_nLeft, &margins.m_nRight};
    for (std::size_t i = 0; i < fields.size(); ++i) {
        *fields[i] = static_cast<int>(std::lround(m_spins[i]->GetValue() * 100.0));
    }
    return margins;
}

bool RunPageSetup(wxWindow* parent, CPrinterSetup& printer, CPrintMargins& margins, CSettings& settings) {
    CPageSetupDlg dialog(parent, printer, margins);
    if (dialog.ShowModal() != wxID_OK) return false;
    margins = dialog.Margins();
    margins.Save(settings);
    return true;
}

}  // namespace kelmio
