#pragma once
// Wraps the editor's lines on the screen where the core's line-break rules
// allow: Latin text at word boundaries, Japanese text between characters
// with the kinsoku rules. The widget wraps "by word" where the style of the
// text changes; each run between two break opportunities gets the other of
// two styles that look alike, so the widget breaks exactly there.

class wxStyledTextCtrl;
class wxStyledTextEvent;

namespace kelmio {

class CScreenWrap {
public:
    // The two styles that alternate; both look like the default style.
    static constexpr int kStyleA = 0;
    static constexpr int kStyleB = 1;

    explicit CScreenWrap(wxStyledTextCtrl& edit);
    CScreenWrap(const CScreenWrap&) = delete;
    CScreenWrap& operator=(const CScreenWrap&) = delete;

private:
    void OnStyleNeeded(wxStyledTextEvent& event);
    void StyleLine(int line);

    wxStyledTextCtrl& m_edit;
};

}  // namespace kelmio
