#pragma once
// The editor view: hosts the editor component over its whole area, carries
// out the standard editing, find and print commands on it and shows the
// editing context menu. It knows nothing of projects.

#include <memory>

#include "editor/print_margins.h"
#include "gui/app/pane_view.h"
#include "gui/editor/edit_x_ctrl.h"
#include "gui/editor/printer_setup.h"
#include "gui/editor/translation_printout.h"
#include "platform/prompter.h"

namespace kelmio {

class CEditXView : public CPaneView {
public:
    CEditXView(wxWindow* parent, CSettings& settings, CPrompter& prompter);
    ~CEditXView() override;

    CEditXCtrl& Editor() { return m_ctrl; }
    const CEditXCtrl& Editor() const { return m_ctrl; }

    std::optional<CommandState> QueryCommand(CommandId id) const override;
    bool OnCommand(CommandId id) override;
    void FocusPane() override;

    // The application's printer; until it is given, the view keeps its own.
    void SetPrinterSetup(CPrinterSetup& printer) { m_pPrinter = &printer; }
    const CPrintMargins& PrintMargins() const { return m_margins; }
    // What a print of the text now would print.
    CPrintSource PrintSource() const;

protected:
    CSettings& Settings() { return m_settings; }
    CPrompter& Prompter() { return m_prompter; }

private:
    void OnContextMenu(wxContextMenuEvent& event);
    bool OnPrintCommand(CommandId id);

    CSettings& m_settings;
    CPrompter& m_prompter;
    CEditXCtrl m_ctrl;
    CPrintMargins m_margins;
    CPrinterSetup m_ownPrinter;
    CPrinterSetup* m_pPrinter = &m_ownPrinter;
};

}  // namespace kelmio
