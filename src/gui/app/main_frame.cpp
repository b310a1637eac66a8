#include "gui/app/main_frame.h"

#include <wx/dialog.h>
#include <wx/menu.h>
#include <wx/splitter.h>
#include <wx/statusbr.h>
#include <wx/time.h>
#include <wx/toolbar.h>
#include <wx/utils.h>

#include <array>

#include "commands/command_ids.h"
#include "commands/command_texts.h"
#include "commands/menu_table.h"
#include "gui/app/menu_builder.h"
#include "gui/app/wx_command_ids.h"
#include "gui/editor/kel_edit_view.h"
#include "gui/memo/kel_form_view.h"
#include "gui/platform/gtk_style.h"
#include "gui/platform/wx_text.h"
#include "gui/viewer/text_view.h"

namespace kelmio {
namespace {

constexpr int kStatusPanes = 5;
constexpr int kMinimumPaneSize = 20;
// How long the layout must stay put before it is written: dragging a sash
// or a window edge writes once, at the end.
constexpr int kLayoutStoreDelayMs = 400;

// The untitled project's caption until the document names it.
wxString UntitledTitle() { return WxText("無題 - Kelmio"); }

}  // namespace

CMainFrame::CMainFrame(CSettings& settings, CPrompter& prompter, CSPIControl* plugins)
    : CContFrameWnd(settings, UntitledTitle()), m_prompter(prompter), m_pPlugins(plugins) {
    CreateBars();
    CreateClient();
    for (const WxIdRange& range : kWxCommandRanges) {
        Bind(wxEVT_MENU, &CMainFrame::OnMenuCommand, this, range.first, range.last);
        Bind(wxEVT_UPDATE_UI, &CMainFrame::OnUpdateCommand, this, range.first, range.last);
    }
    Bind(wxEVT_CHILD_FOCUS, &CMainFrame::OnChildFocus, this);
    Bind(wxEVT_CLOSE_WINDOW, &CMainFrame::OnClose, this);
    Bind(wxEVT_ACTIVATE, [this](wxActivateEvent& event) {
        event.Skip();
        if (!event.GetActive()) return;
        if (m_bFocusOnActivation) {
            m_bFocusOnActivation = false;
            CallAfter([this] {
                if (m_pActiveView != nullptr) m_pActiveView->FocusPane();
            });
        }
        CallAfter(&CMainFrame::RaiseOpenDialog);
        // After the activation: what is done then may ask the user.
        CallAfter([this] {
            if (m_onReturn) m_onReturn();
        });
    });
    Bind(wxEVT_IDLE, [this](wxIdleEvent& event) {
        UpdateIndicatorsSoon();
        event.Skip();
    });
    m_indicatorTimer.Bind(wxEVT_TIMER, [this](wxTimerEvent&) { UpdateIndicators(); });
    m_layoutTimer.Bind(wxEVT_TIMER, [this](wxTimerEvent&) { StoreLayout(false); });
    const auto layoutChanged = [this](auto& event) {
        event.Skip();
        if (IsShown()) m_layoutTimer.StartOnce(kLayoutStoreDelayMs);
    };
    Bind(wxEVT_SIZE, layoutChanged);
    Bind(wxEVT_MOVE, layoutChanged);
    m_pOuter->Bind(wxEVT_SPLITTER_SASH_POS_CHANGED, layoutChanged);
    m_pInner->Bind(wxEVT_SPLITTER_SASH_POS_CHANGED, layoutChanged);
    // Stored sizes that never fit this screen are not waited for once the
    // user drags a sash (only a drag says "changing"; the splitter's own
    // moves on a resize say "changed" alone): the panes as they are are kept.
    const auto sashDragged = [this](wxSplitterEvent& event) {
        event.Skip();
        m_bPanesPlaced = true;
    };
    m_pOuter->Bind(wxEVT_SPLITTER_SASH_POS_CHANGING, sashDragged);
    m_pInner->Bind(wxEVT_SPLITTER_SASH_POS_CHANGING, sashDragged);
}

// While the window is open only what changed is written; closing writes
// everything, as the window always has.
void CMainFrame::StoreLayout(bool closing) {
    m_layoutTimer.Stop();
    const CPaneSizes panes{m_pOuter->GetSashPosition(), m_pInner->GetSashPosition()};
    const wxSize outer = m_pOuter->GetClientSize();
    if (m_bPanesPlaced && !IsIconized() &&
        PanesHaveRoom(panes, outer.x, outer.y - m_pOuter->GetSashSize(), kMinimumPaneSize)) {
        m_lastPanes = panes;
    }
    if (closing || m_lastPanes.nPreviewHeight != m_storedPanes.nPreviewHeight ||
        m_lastPanes.nFormWidth != m_storedPanes.nFormWidth) {
        SavePaneSizes(Settings(), m_lastPanes);
        m_storedPanes = m_lastPanes;
    }
    SavePlacement(closing);
}

void CMainFrame::CreateBars() {
    SetMenuBar(BuildMenuBar().release());

    UseCompactToolbarButtons();
    KeepBarsStill();
    wxToolBar* toolbar = CreateToolBar(wxTB_HORIZONTAL | wxTB_FLAT);
    toolbar->SetToolBitmapSize(wxSize(16, 16));
    AddToolbarButtons(*toolbar);

    wxStatusBar* status = CreateStatusBar(kStatusPanes);
    std::array<int, kStatusPanes> widths = {-1};
    for (std::size_t i = 0; i < StatusIndicatorTexts().size(); ++i) {
        widths[i + 1] = status->GetTextExtent(ToWx(StatusIndicatorTexts()[i])).x + 16;
    }
    status->SetStatusWidths(kStatusPanes, widths.data());
    SetStatusBarPane(0);
    SetStatusText(ToWx(IdleStatusText()), 0);
}

void CMainFrame::CreateClient() {
    const wxSize client = GetClientSize();
    const CPaneSizes sizes = LoadPaneSizes(Settings(), client.x, client.y);
    m_initialPanes = sizes;
    m_lastPanes = sizes;
    m_storedPanes = sizes;

    m_pOuter = new wxSplitterWindow(this, wxID_ANY, wxDefaultPosition, client, wxSP_LIVE_UPDATE);
    m_pOuter->SetMinimumPaneSize(kMinimumPaneSize);
    m_pTextView = new CTextView(m_pOuter, Settings(), m_prompter, m_pPlugins);

    m_pInner = new wxSplitterWindow(m_pOuter, wxID_ANY, wxDefaultPosition, wxDefaultSize,
                                    wxSP_LIVE_UPDATE | wxSP_3D);
    m_pInner->SetMinimumPaneSize(kMinimumPaneSize);
    m_pEditView = new CKelEditView(m_pInner, Settings(), m_prompter);
    m_pEditView->SetPrinterSetup(m_printerSetup);
    m_pEditView->SetSourceView(m_pTextView);
    m_pFormView = new CKelFormView(m_pInner, m_prompter);

    m_pOuter->SplitHorizontally(m_pTextView, m_pInner, sizes.nPreviewHeight);
    m_pInner->SplitVertically(m_pEditView, m_pFormView, sizes.nFormWidth);
    m_pActiveView = m_pEditView;
    Bind(wxEVT_SIZE, [this](wxSizeEvent& event) {
        event.Skip();
        if (!m_bPanesPlaced) CallAfter(&CMainFrame::PlacePanesOnceRoomy);
    });
}

// A window manager that activates the main window late (it maps the window
// asynchronously) can put it over a dialog that was opened meanwhile; the
// dialog is what the user must answer, so it comes back on top.
void CMainFrame::RaiseOpenDialog() {
    for (wxWindow* window : wxTopLevelWindows) {
        auto* dialog = wxDynamicCast(window, wxDialog);
        if (dialog != nullptr && dialog->IsModal() && dialog->IsShown()) {
            dialog->Raise();
            return;
        }
    }
}

void CMainFrame::PlacePanesOnceRoomy() {
    if (m_bPanesPlaced || !IsShown()) return;
    const wxSize outer = m_pOuter->GetClientSize();
    const int room = kMinimumPaneSize + m_pOuter->GetSashSize();
    if (outer.x < m_initialPanes.nFormWidth + room || outer.y < m_initialPanes.nPreviewHeight + room) return;
    m_pOuter->SetSashPosition(m_initialPanes.nPreviewHeight);
    m_pInner->SetSashPosition(m_initialPanes.nFormWidth);
    m_bPanesPlaced = true;
}

// The translation editor is active when the window first shows.
void CMainFrame::OnFirstShow(bool minimised) {
    // Focusing a pane presents its window, which would undo a minimised start.
    if (minimised) {
        m_pActiveView = m_pEditView;
        m_bFocusOnActivation = true;
        return;
    }
    SetActiveView(*m_pEditView);
}

void CMainFrame::SetActiveView(CPaneView& view) {
    m_pActiveView = &view;
    view.FocusPane();
}

void CMainFrame::ActivateNextPane(int step) {
    const std::array<CPaneView*, 3> panes = {m_pTextView, m_pEditView, m_pFormView};
    std::size_t current = 0;
    while (current < panes.size() && panes[current] != m_pActiveView) ++current;
    SetActiveView(*panes[(current + panes.size() + step) % panes.size()]);
}

std::optional<CommandState> CMainFrame::QueryCommand(CommandId id) const {
    switch (id) {
        case ID_CURSOR_SOURCE:
        case ID_CURSOR_EDIT:
        case ID_CURSOR_MEMO:
        case ID_NEXT_PANE:
        case ID_PREV_PANE:
        case ID_APP_EXIT:
        case ID_FILE_PRINT_SETUP:
            return CommandState{};
        case ID_VIEW_TOOLBAR:
            return CommandState{true, IsControlBarVisible(GetToolBar())};
        case ID_VIEW_STATUS_BAR:
            return CommandState{true, IsControlBarVisible(GetStatusBar())};
        default:
            return std::nullopt;
    }
}

bool CMainFrame::OnCommand(CommandId id) {
    switch (id) {
        case ID_CURSOR_SOURCE: SetActiveView(*m_pTextView); return true;
        case ID_CURSOR_EDIT: SetActiveView(*m_pEditView); return true;
        case ID_CURSOR_MEMO: SetActiveView(*m_pFormView); return true;
        case ID_NEXT_PANE: ActivateNextPane(1); return true;
        case ID_PREV_PANE: ActivateNextPane(-1); return true;
        case ID_APP_EXIT: Close(); return true;
        case ID_FILE_PRINT_SETUP: m_printerSetup.RunSetupDialog(this); return true;
        case ID_VIEW_TOOLBAR: ShowControlBar(GetToolBar(), !IsControlBarVisible(GetToolBar())); return true;
        case ID_VIEW_STATUS_BAR:
            ShowControlBar(GetStatusBar(), !IsControlBarVisible(GetStatusBar()));
            return true;
        default: return false;
    }
}

bool CMainFrame::RouteCommand(CommandId id) {
    // The route decides who acts; a disabled command does nothing, whichever
    // way it arrives.
    const std::optional<CommandState> state = RouteQuery(id);
    if (!state || !state->bEnabled) return false;
    for (CCommandTarget* target : {static_cast<CCommandTarget*>(m_pActiveView), m_pDocTarget,
                                   static_cast<CCommandTarget*>(this), m_pAppTarget}) {
        if (target != nullptr && target->OnCommand(id)) return true;
    }
    return false;
}

std::optional<CommandState> CMainFrame::RouteQuery(CommandId id) const {
    for (const CCommandTarget* target : {static_cast<const CCommandTarget*>(m_pActiveView),
                                         static_cast<const CCommandTarget*>(m_pDocTarget),
                                         static_cast<const CCommandTarget*>(this),
                                         static_cast<const CCommandTarget*>(m_pAppTarget)}) {
        if (target == nullptr) continue;
        if (auto state = target->QueryCommand(id)) return state;
    }
    return std::nullopt;
}

void CMainFrame::OnMenuCommand(wxCommandEvent& event) {
    const std::optional<CommandId> id = FromWxId(event.GetId());
    if (!id) {
        event.Skip();
        return;
    }
    RouteCommand(*id);
}

void CMainFrame::OnUpdateCommand(wxUpdateUIEvent& event) {
    const std::optional<CommandId> id = FromWxId(event.GetId());
    if (!id) {
        event.Skip();
        return;
    }
    const CommandState state = RouteQuery(*id).value_or(CommandState{false, false});
    event.Enable(state.bEnabled);
    if (IsCheckableCommand(*id)) event.Check(state.bChecked);
}

void CMainFrame::OnChildFocus(wxChildFocusEvent& event) {
    event.Skip();
    for (wxWindow* window = event.GetWindow(); window != nullptr && window != this; window = window->GetParent()) {
        if (window == m_pTextView || window == m_pEditView || window == m_pFormView) {
            m_pActiveView = static_cast<CPaneView*>(window);
            return;
        }
    }
}

void CMainFrame::OnClose(wxCloseEvent& event) {
    if (event.CanVeto() && m_queryClose && !m_queryClose()) {
        event.Veto();
        return;
    }
    StoreLayout(true);
    Destroy();
}

void CMainFrame::UpdateIndicatorsSoon() {
    constexpr long kIntervalMs = 100;
    const long since = (wxGetLocalTimeMillis() - m_nIndicatorsReadAt).ToLong();
    if (since >= 0 && since < kIntervalMs) {
        if (!m_indicatorTimer.IsRunning()) m_indicatorTimer.StartOnce(static_cast<int>(kIntervalMs - since));
        return;
    }
    UpdateIndicators();
}

void CMainFrame::UpdateIndicators() {
    m_indicatorTimer.Stop();
    m_nIndicatorsReadAt = wxGetLocalTimeMillis();
    wxStatusBar* status = GetStatusBar();
    if (status == nullptr || !status->IsShown()) return;
    // There is no kana lock key here; its pane stays empty.
    const std::array<bool, 4> on = {false, wxGetKeyState(WXK_CAPITAL), wxGetKeyState(WXK_NUMLOCK),
                                    wxGetKeyState(WXK_SCROLL)};
    for (std::size_t i = 0; i < on.size(); ++i) {
        const wxString text = on[i] ? ToWx(StatusIndicatorTexts()[i]) : wxString();
        if (status->GetStatusText(static_cast<int>(i) + 1) != text) status->SetStatusText(text, static_cast<int>(i) + 1);
    }
}

}  // namespace kelmio
