#pragma once
// The main window: menu bar, toolbar, status bar and the three panes in two
// splitters. It wires panes and commands together and decides nothing else:
// a command goes to the active pane, then the document, then the frame,
// then the application; a command nobody takes is shown disabled.

#include <wx/timer.h>

#include <functional>

#include "commands/command_target.h"
#include "gui/app/cont_frame_wnd.h"
#include "gui/editor/printer_setup.h"
#include "platform/prompter.h"
#include "platform/window_layout.h"

class wxSplitterWindow;
class wxUpdateUIEvent;

namespace kelmio {

class CPaneView;
class CTextView;
class CSPIControl;
class CKelEditView;
class CKelFormView;

class CMainFrame final : public CContFrameWnd, public CCommandTarget {
public:
    // `plugins` (may be null) decode the image formats the library does not.
    CMainFrame(CSettings& settings, CPrompter& prompter, CSPIControl* plugins = nullptr);

    CTextView& TextView() { return *m_pTextView; }
    CKelEditView& EditView() { return *m_pEditView; }
    CKelFormView& FormView() { return *m_pFormView; }
    CPaneView* ActiveView() const { return m_pActiveView; }
    CPrinterSetup& PrinterSetup() { return m_printerSetup; }
    wxSplitterWindow& OuterSplitter() { return *m_pOuter; }
    wxSplitterWindow& InnerSplitter() { return *m_pInner; }

    // The targets after the active pane: the project document and the
    // application. Either may be null.
    void SetDocumentTarget(CCommandTarget* target) { m_pDocTarget = target; }
    void SetAppTarget(CCommandTarget* target) { m_pAppTarget = target; }
    // Asked before the window closes; false keeps it open.
    void SetCloseQuery(std::function<bool()> query) { m_queryClose = std::move(query); }
    // Called a moment after the window is activated (the user comes back
    // to Kelmio, or a dialog of its own closed).
    void SetReturnHandler(std::function<void()> handler) { m_onReturn = std::move(handler); }

    // Makes a pane the active one and gives it the keyboard focus.
    void SetActiveView(CPaneView& view);

    // The frame's own commands.
    std::optional<CommandState> QueryCommand(CommandId id) const override;
    bool OnCommand(CommandId id) override;

    // Routes a command as a menu, toolbar or key would.
    bool RouteCommand(CommandId id);
    std::optional<CommandState> RouteQuery(CommandId id) const;

private:
    void OnFirstShow(bool minimised) override;
    void CreateBars();
    void CreateClient();
    void OnMenuCommand(wxCommandEvent& event);
    void OnUpdateCommand(wxUpdateUIEvent& event);
    void OnChildFocus(wxChildFocusEvent& event);
    void OnClose(wxCloseEvent& event);
    // The lock keys' indicators follow idle time at most ten times a
    // second: reading the keyboard's state waits for the display server,
    // and idle time comes hundreds of times a second while a long text is
    // laid out.
    void UpdateIndicatorsSoon();
    void UpdateIndicators();
    void ActivateNextPane(int step);
    void PlacePanesOnceRoomy();
    // Keeps the placement and the pane sizes in the settings; the window
    // calls it a moment after they changed and when it closes.
    void StoreLayout(bool closing);
    void RaiseOpenDialog();

    CPrompter& m_prompter;
    CSPIControl* m_pPlugins;
    CPrinterSetup m_printerSetup;  // the printer every print uses
    wxSplitterWindow* m_pOuter = nullptr;
    wxSplitterWindow* m_pInner = nullptr;
    CTextView* m_pTextView = nullptr;
    CKelEditView* m_pEditView = nullptr;
    CKelFormView* m_pFormView = nullptr;
    CPaneView* m_pActiveView = nullptr;
    // A window that started minimised gives its pane the focus when it is
    // first brought back.
    bool m_bFocusOnActivation = false;
    // The pane sizes read at creation, placed once the window is big enough
    // to hold them: a window manager may lay the window out smaller first,
    // and a splitter keeps a sash it had to pull in.
    CPaneSizes m_initialPanes;
    bool m_bPanesPlaced = false;
    // The last pane sizes the user could have chosen; what a squeezed
    // window shows is not stored.
    CPaneSizes m_lastPanes;
    CPaneSizes m_storedPanes;  // what the settings hold
    wxTimer m_layoutTimer;
    wxTimer m_indicatorTimer;  // the next indicator update, when idle time came too soon
    wxLongLong m_nIndicatorsReadAt = 0;  // ms
    CCommandTarget* m_pDocTarget = nullptr;
    CCommandTarget* m_pAppTarget = nullptr;
    std::function<bool()> m_queryClose;
    std::function<void()> m_onReturn;
};

}  // namespace kelmio
