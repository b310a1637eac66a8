#pragma once
// The caret of a text widget of the editing component blinking as the
// desktop asks: at the desktop's pace, not at all when it says so, and only
// for a while after the last key or click, as the toolkit's own text
// widgets do, so that a window left alone does not repaint its caret for
// ever.

#include <wx/event.h>
#include <wx/timer.h>

#include "gui/platform/gtk_style.h"

class wxStyledTextCtrl;

namespace kelmio {

// An event handler of its own, so that either it or the widget may go first:
// the toolkit then drops the other's ties to it.
class CCaretBlink final : public wxEvtHandler {
public:
    explicit CCaretBlink(wxStyledTextCtrl& widget, CaretBlinkSettings settings = DesktopCaretBlink());
    CCaretBlink(const CCaretBlink&) = delete;
    CCaretBlink& operator=(const CCaretBlink&) = delete;

private:
    // Blinking again after a key, a click or the focus coming back.
    template <typename Event>
    void OnWake(Event& event) {
        event.Skip();
        Wake();
    }
    void Wake();
    void OnRest(wxTimerEvent& event);

    wxStyledTextCtrl& m_widget;
    CaretBlinkSettings m_settings;
    wxTimer m_rest;  // ends the blinking
};

}  // namespace kelmio
