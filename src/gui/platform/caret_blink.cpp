#include "gui/platform/caret_blink.h"

#include <wx/stc/stc.h>

#include <climits>

namespace kelmio {

CCaretBlink::CCaretBlink(wxStyledTextCtrl& widget, CaretBlinkSettings settings)
    : m_widget(widget), m_settings(settings), m_rest(this) {
    Bind(wxEVT_TIMER, &CCaretBlink::OnRest, this);
    m_widget.Bind(wxEVT_KEY_DOWN, &CCaretBlink::OnWake<wxKeyEvent>, this);
    for (const auto& button : {wxEVT_LEFT_DOWN, wxEVT_MIDDLE_DOWN, wxEVT_RIGHT_DOWN}) {
        m_widget.Bind(button, &CCaretBlink::OnWake<wxMouseEvent>, this);
    }
    m_widget.Bind(wxEVT_SET_FOCUS, &CCaretBlink::OnWake<wxFocusEvent>, this);
    Wake();
}

void CCaretBlink::Wake() {
    if (m_widget.GetCaretPeriod() != m_settings.nPeriod) m_widget.SetCaretPeriod(m_settings.nPeriod);
    // A timeout too long for a timer means blinking for ever.
    if (m_settings.nPeriod > 0 && m_settings.nTimeoutSeconds > 0 && m_settings.nTimeoutSeconds <= INT_MAX / 1000) {
        m_rest.StartOnce(m_settings.nTimeoutSeconds * 1000);
    }
}

// A caret that stops blinking stays shown.
void CCaretBlink::OnRest(wxTimerEvent&) { m_widget.SetCaretPeriod(0); }

}  // namespace kelmio
