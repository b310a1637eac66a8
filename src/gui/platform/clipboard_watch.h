#pragma once
// Whether the clipboard holds text, known without waiting. Asking the
// clipboard directly waits for the program that owns it and runs the event
// loop meanwhile; the toolbar asks after every keystroke, so that wait came
// between a key and its paint. This asks once, then again each time the
// clipboard changes hands (Kelmio's own copies included), and keeps the
// answer that arrives as an event.

#include <wx/event.h>
#include <wx/timer.h>

class wxClipboardEvent;

namespace kelmio {

class CClipboardWatch final : public wxEvtHandler {
public:
    CClipboardWatch();
    ~CClipboardWatch() override;
    CClipboardWatch(const CClipboardWatch&) = delete;
    CClipboardWatch& operator=(const CClipboardWatch&) = delete;

    // The last answer (false until the first arrives); where the toolkit
    // cannot tell of changes, the clipboard is asked directly.
    bool HasText() const;

    // The clipboard changed hands: ask again.
    void Ask();

private:
    void OnAnswer(wxClipboardEvent& event);

    bool m_bWatching = false;   // told of every change
    bool m_bHasText = false;
    bool m_bAsking = false;     // an answer is on its way
    bool m_bAskAgain = false;   // the clipboard changed while asking
    wxTimer m_retry;            // another asker held the clipboard's one slot
    unsigned long m_nHandler = 0;
};

}  // namespace kelmio
