#include "gui/editor/undo_units.h"

#include <wx/stc/stc.h>
#include <wx/time.h>

namespace kelmio {
namespace {

// A key stands for the character it inserts when its key code is that
// character (Latin-1 key symbols) or the Unicode key symbol of it. Anything
// else delivered with a key, such as "日" with the Enter or space key that
// committed it, comes from the input method.
bool ComesFromInputMethod(const wxKeyEvent& event) {
    const wxChar32 ch = event.GetUnicodeKey();
    const wxUint32 raw = event.GetRawKeyCode();
    return raw != 0 && raw != ch && raw != 0x01000000u + ch;
}

std::int64_t TimeOf(const wxKeyEvent& event) {
    // Key events carry the time they were typed; one made up has none.
    return event.GetTimestamp() != 0 ? static_cast<std::int64_t>(event.GetTimestamp()) : wxGetLocalTimeMillis().GetValue();
}

}  // namespace

CUndoUnits::CUndoUnits(wxStyledTextCtrl& edit) : m_edit(edit) {
    m_edit.Bind(wxEVT_CHAR, &CUndoUnits::OnChar, this);
    m_edit.Bind(wxEVT_STC_MODIFIED, &CUndoUnits::OnModified, this);
}

void CUndoUnits::Close() {
    // An empty action sequence is a boundary the widget never merges across.
    m_edit.BeginUndoAction();
    m_edit.EndUndoAction();
    m_grouping.Reset();
}

void CUndoUnits::OnChar(wxKeyEvent& event) {
    event.Skip();
    const wxChar32 ch = event.GetUnicodeKey();
    if (ch == WXK_NONE || ch < 0x20) {
        m_pending.reset();
        return;
    }
    CTypedChar typed{static_cast<char32_t>(ch), TimeOf(event), 0};
    if (ComesFromInputMethod(event)) {
        // The characters of one commit arrive with the key that committed them.
        if (event.GetTimestamp() != m_nLastCommitKey || m_nCommit == 0) ++m_nCommit;
        m_nLastCommitKey = event.GetTimestamp();
        typed.nCommit = m_nCommit;
    }
    m_pending = typed;
}

void CUndoUnits::OnModified(wxStyledTextEvent& event) {
    event.Skip();
    const int type = event.GetModificationType();
    if ((type & wxSTC_PERFORMED_USER) == 0) return;
    if (type & wxSTC_MOD_BEFOREINSERT) {
        BeforeInsert(event);
    } else if (type & wxSTC_MOD_INSERTTEXT) {
        m_nNextPosition = event.GetPosition() + event.GetLength();
        if (m_bBlockInserted) {
            m_bBlockInserted = false;
            Close();
        }
    } else if (type & wxSTC_MOD_DELETETEXT) {
        m_grouping.Reset();
        m_nNextPosition = -1;
    }
}

void CUndoUnits::BeforeInsert(const wxStyledTextEvent& event) {
    const wxString text = event.GetText();
    std::optional<CTypedChar> typed = std::move(m_pending);
    m_pending.reset();
    if (event.GetPosition() != m_nNextPosition) m_grouping.Reset();  // the caret moved
    if (text.empty()) return;

    const bool lineBreak = text == "\r\n" || text == "\n" || text == "\r";
    if (!typed && lineBreak) typed = CTypedChar{U'\n', wxGetLocalTimeMillis().GetValue(), 0};
    if (!typed || (text.length() > 1 && !lineBreak)) {
        // Pasted or dropped text is a unit of its own.
        Close();
        m_bBlockInserted = true;
        return;
    }
    if (m_grouping.BreakBefore(*typed)) Close();
    m_grouping.Add(*typed);
}

}  // namespace kelmio
