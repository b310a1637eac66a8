#pragma once
// Find and replace in the translation editor: the component's own find
// and replace dialogs, find next and previous with the last search, and
// the highlight of every match of the last search until it is cleared.

#include <wx/fdrepdlg.h>
#include <wx/weakref.h>

#include <functional>
#include <string_view>

#include "platform/prompter.h"

class wxStyledTextCtrl;

namespace kelmio {

class CEditorFind {
public:
    explicit CEditorFind(wxStyledTextCtrl& edit);
    ~CEditorFind();
    CEditorFind(const CEditorFind&) = delete;
    CEditorFind& operator=(const CEditorFind&) = delete;

    // Modeless, owned by the editor's window; a second call brings the open
    // dialog to the front.
    void ShowFindDialog();
    void ShowReplaceDialog();

    // The search the next find uses; `flags` are wxFR_DOWN, wxFR_MATCHCASE,
    // wxFR_WHOLEWORD.
    void SetSearch(const wxString& text, int flags = wxFR_DOWN);
    void SetReplacement(const wxString& text) { m_data.SetReplaceString(text); }
    bool HasSearch() const { return !m_data.GetFindString().empty(); }
    bool IsHighlighted() const { return m_bHighlighted; }

    // Selects the next match after the selection (or the one before it) and
    // highlights every match; false, with "見つかりません", when there is none.
    bool FindNext();
    bool FindPrevious();
    // Replaces the selection when it is a match, then finds the next one.
    bool ReplaceAndFindNext();
    // Replaces every match as one undo step; returns how many.
    int ReplaceAll();
    void ClearHighlight();

    // Shows a message to the user (Shift-JIS text and its icon).
    using ReportHandler = std::function<void(std::string_view, MessageIcon)>;
    void SetReportHandler(ReportHandler report) { m_report = std::move(report); }

private:
    void ShowDialog(int style);
    void OnDialogEvent(wxFindDialogEvent& event);
    bool Find(bool forward);
    int SearchFlags() const;
    bool SelectionIsMatch() const;
    void HighlightMatches();
    void Report(std::string_view sjis, MessageIcon icon) const;

    wxStyledTextCtrl& m_edit;
    wxFindReplaceData m_data;
    wxWeakRef<wxFindReplaceDialog> m_pDialog;
    bool m_bHighlighted = false;
    ReportHandler m_report;
};

}  // namespace kelmio
