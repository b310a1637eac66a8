#include "gui/app/cont_frame_wnd.h"

#include <wx/display.h>
#include <wx/statusbr.h>
#include <wx/time.h>
#include <wx/toolbar.h>

namespace kelmio {
namespace {

// How long after the first show the window manager may still be framing it.
constexpr long long kSettleMs = 2000;
constexpr int kLargestFrame = 80;  // pixels a window manager's frame adds, at most
// Tries at putting back the normal rectangle after a restore: the toolkit
// may learn the frame's size only after the first.
constexpr int kNormalFixes = 3;
// The placement flag of a window minimised from the maximised state: it is
// restored maximised.
constexpr int kRestoreToMaximized = 2;

// The window grew by no more than a window manager's frame.
bool IsFrameAddedLate(const wxSize& now, const wxSize& asked) {
    const wxSize grown = now - asked;
    return grown != wxSize(0, 0) && grown.x >= 0 && grown.y >= 0 && grown.x <= kLargestFrame &&
           grown.y <= kLargestFrame;
}

wxRect ToRect(const CWindowPlacement& placement) {
    return {placement.nLeft, placement.nTop, placement.nRight - placement.nLeft, placement.nBottom - placement.nTop};
}

// A window stored on a monitor that is gone comes back on the first one.
wxRect OnSomeDisplay(wxRect rect) {
    for (unsigned n = 0; n < wxDisplay::GetCount(); ++n) {
        if (wxDisplay(n).GetGeometry().Intersects(rect)) return rect;
    }
    const wxRect area = wxDisplay(0u).GetClientArea();
    wxSize size = rect.GetSize();
    size.DecTo(area.GetSize());
    return {area.GetPosition(), size};
}

}  // namespace

CContFrameWnd::CContFrameWnd(CSettings& settings, const wxString& title)
    : wxFrame(nullptr, wxID_ANY, title), m_settings(settings), m_placement(LoadWindowPlacement(settings)), m_stored(m_placement) {
    m_rectNormal = OnSomeDisplay(ToRect(m_placement));
    SetSize(m_rectNormal);
    Bind(wxEVT_SIZE, [this](wxSizeEvent& event) { RememberNormalRect(); event.Skip(); });
    Bind(wxEVT_MOVE, [this](wxMoveEvent& event) { RememberNormalRect(); event.Skip(); });
    // The toolkit may tell that the window is no longer maximised after its
    // last size event, and tells nothing more then.
    Bind(wxEVT_IDLE, [this](wxIdleEvent& event) {
        event.Skip();
        if (m_bRestoring && !m_bFixingNormal && IsShown() && !IsMaximized() && !IsIconized()) RememberNormalRect();
    });
}

void CContFrameWnd::RememberNormalRect() {
    if (m_bFirstActivation || !IsShown()) return;
    if (IsMaximized() || IsIconized()) {
        m_bRestoring = true;
        return;
    }
    if (m_bRestoring || m_bFixingNormal) {
        BackToNormal();
        return;
    }
    if (wxGetLocalTimeMillis().GetValue() < m_nSettledAtMs && GetClientSize() == m_sizeShownClient &&
        IsFrameAddedLate(GetSize(), m_rectNormal.GetSize())) {
        CallAfter(&CContFrameWnd::RestoreNormalRect);
        return;
    }
    m_rectNormal = GetRect();
}

// Some window managers restore a window that was mapped maximised to a
// size of their own (its minimum, say), and the frame of one first shown
// maximised or minimised was not known when it was sized: the normal
// rectangle is what it must come back to.
void CContFrameWnd::BackToNormal() {
    m_bRestoring = false;
    if (GetSize() != m_rectNormal.GetSize() && m_nNormalFixesLeft > 0) {
        --m_nNormalFixesLeft;
        m_bFixingNormal = true;
        CallAfter(&CContFrameWnd::RestoreNormalRect);
        return;
    }
    // As the window manager placed it once the size is right, or as it is
    // after the tries.
    m_bFixingNormal = false;
    m_rectNormal.SetPosition(GetPosition());
}

void CContFrameWnd::RestoreNormalRect() {
    if (IsMaximized() || IsIconized() || GetRect() == m_rectNormal) {
        m_bFixingNormal = false;
        return;
    }
    SetSize(m_rectNormal);
}

void CContFrameWnd::ShowWindow() {
    if (!m_bFirstActivation) {
        Show();
        Raise();
        return;
    }
    ShowControlBar(GetToolBar(), m_placement.bToolBar);
    ShowControlBar(GetStatusBar(), m_placement.bStatusBar);
    SetSize(m_rectNormal);
#ifdef __WXGTK__
    // Showing is deferred until the window manager tells the size of its
    // frame; GTK then lays the toolbar out in a window of no size first.
    m_deferShow = false;
#endif
    // Maximised or minimised before it is mapped: the window manager then
    // keeps the normal rectangle as the one to restore, and a minimised
    // window never shows in between. One minimised from the maximised state
    // comes back maximised.
    const bool minimised = m_placement.nShowCmd == kShowMinimized;
    const bool maximised = m_placement.nShowCmd == kShowMaximized ||
                           (minimised && (m_placement.nFlags & kRestoreToMaximized) != 0);
    if (maximised) Maximize();
    if (minimised) Iconize();
    Show();
    m_bFirstActivation = false;
    m_nSettledAtMs = wxGetLocalTimeMillis().GetValue() + kSettleMs;
    m_sizeShownClient = GetClientSize();
    m_bRestoring = maximised || minimised;
    m_nNormalFixesLeft = m_bRestoring ? kNormalFixes : 0;
    OnFirstShow(minimised);
}

void CContFrameWnd::ShowControlBar(wxWindow* bar, bool show) {
    if (bar == nullptr || bar->IsShown() == show) return;
    bar->Show(show);
    SendSizeEvent();
}

CWindowPlacement CContFrameWnd::CurrentPlacement() const {
    CWindowPlacement placement = m_placement;
    const bool away = m_bFirstActivation || m_bRestoring || m_bFixingNormal || IsMaximized() || IsIconized();
    const wxRect normal = away ? m_rectNormal : GetRect();
    placement.nLeft = normal.GetLeft();
    placement.nTop = normal.GetTop();
    placement.nRight = normal.GetLeft() + normal.GetWidth();
    placement.nBottom = normal.GetTop() + normal.GetHeight();
    placement.nShowCmd = IsIconized() ? kShowMinimized : IsMaximized() ? kShowMaximized : kShowNormal;
    // Restoring a window minimised from the maximised state maximises it again.
    placement.nFlags = IsIconized() && IsMaximized() ? kRestoreToMaximized : 0;
    placement.bToolBar = IsControlBarVisible(GetToolBar());
    placement.bStatusBar = IsControlBarVisible(GetStatusBar());
    return placement;
}

void CContFrameWnd::SavePlacement(bool always) {
    const CWindowPlacement now = CurrentPlacement();
    if (!always && now == m_stored) return;
    SaveWindowPlacement(m_settings, now);
    m_stored = now;
}

}  // namespace kelmio
