#pragma once
// A frame that remembers where it was: its normal rectangle, whether it was
// maximised or minimised, and whether its toolbar and status bar were
// shown. The placement is applied when the frame is first shown; the
// derived frame stores it whenever it changed.

#include <wx/frame.h>

#include "platform/settings.h"
#include "platform/window_layout.h"

namespace kelmio {

class CContFrameWnd : public wxFrame {
public:
    CContFrameWnd(CSettings& settings, const wxString& title);

    // The first call applies the stored placement and shows the frame in
    // the stored state; later calls just show it.
    void ShowWindow();

    void ShowControlBar(wxWindow* bar, bool show);
    static bool IsControlBarVisible(const wxWindow* bar) { return bar != nullptr && bar->IsShown(); }

    // The placement as it would be stored now.
    CWindowPlacement CurrentPlacement() const;

protected:
    // Called once, right after the frame was first shown.
    // `minimised`: the window was asked to start minimised.
    virtual void OnFirstShow(bool /*minimised*/) {}

    // Stores the placement: always when `always` (the window closes), else
    // only when it differs from what was read or stored last.
    void SavePlacement(bool always);
    CSettings& Settings() { return m_settings; }

private:
    void RememberNormalRect();
    void RestoreNormalRect();
    // Back in the normal state after being maximised or minimised.
    void BackToNormal();

    CSettings& m_settings;
    CWindowPlacement m_placement;
    CWindowPlacement m_stored;  // what the settings hold
    wxRect m_rectNormal;
    bool m_bFirstActivation = true;
    // Set while maximised or minimised: the next normal size is the window
    // manager's answer to a restore, not a size the user chose. A window
    // first shown maximised or minimised was sized before the toolkit knew
    // the window manager's frame, and comes back that frame larger (or, with
    // client-side decorations, smaller): it is put back to the normal
    // rectangle, a few tries at most, while the frame's size settles.
    bool m_bRestoring = false;
    bool m_bFixingNormal = false;
    int m_nNormalFixesLeft = 0;
    // Until then, a window that grew around the client area it was shown
    // with is the toolkit adding the window manager's frame late; the
    // stored size is put back.
    long long m_nSettledAtMs = 0;
    wxSize m_sizeShownClient;
};

}  // namespace kelmio
