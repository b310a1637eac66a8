#pragma once
// Cuts what the user types in the editor widget into small undo units, as
// the core's CUndoGrouping decides: each unit is closed in the widget's undo
// history, so that one undo takes back a word, a line break, a conversion of
// the input method or what was typed before a pause.

#include <optional>

#include "editor/undo_grouping.h"

class wxKeyEvent;
class wxStyledTextCtrl;
class wxStyledTextEvent;

namespace kelmio {

class CUndoUnits {
public:
    explicit CUndoUnits(wxStyledTextCtrl& edit);
    CUndoUnits(const CUndoUnits&) = delete;
    CUndoUnits& operator=(const CUndoUnits&) = delete;

    // Ends the open unit: the text was saved, or the program changed it.
    void Close();

private:
    void OnChar(wxKeyEvent& event);
    void OnModified(wxStyledTextEvent& event);
    void BeforeInsert(const wxStyledTextEvent& event);

    wxStyledTextCtrl& m_edit;
    CUndoGrouping m_grouping;
    // The character the key being handled is about to insert.
    std::optional<CTypedChar> m_pending;
    long m_nLastCommitKey = 0;  // time stamp of the key that committed the last conversion
    std::uint64_t m_nCommit = 0;
    int m_nNextPosition = -1;   // where typing goes on without a caret jump
    bool m_bBlockInserted = false;
};

}  // namespace kelmio
