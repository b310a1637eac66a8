#include "gui/editor/editor_find.h"

#include <wx/stc/stc.h>

#include <string>

#include "gui/platform/wx_text.h"
#include "platform/file_error.h"
#include "text/cp932.h"

namespace kelmio {
namespace {

// The first of the indicators left to the application.
constexpr int kHighlightIndicator = 8;

}  // namespace

CEditorFind::CEditorFind(wxStyledTextCtrl& edit) : m_edit(edit), m_data(wxFR_DOWN) {
    m_edit.IndicatorSetStyle(kHighlightIndicator, wxSTC_INDIC_ROUNDBOX);
    m_edit.IndicatorSetForeground(kHighlightIndicator, wxColour(255, 200, 0));
    m_edit.IndicatorSetAlpha(kHighlightIndicator, 120);
    m_edit.IndicatorSetOutlineAlpha(kHighlightIndicator, 200);
    m_edit.IndicatorSetUnder(kHighlightIndicator, true);
}

CEditorFind::~CEditorFind() {
    if (wxFindReplaceDialog* dialog = m_pDialog.get()) {
        dialog->Unbind(wxEVT_FIND, &CEditorFind::OnDialogEvent, this);
        dialog->Unbind(wxEVT_FIND_NEXT, &CEditorFind::OnDialogEvent, this);
        dialog->Unbind(wxEVT_FIND_REPLACE, &CEditorFind::OnDialogEvent, this);
        dialog->Unbind(wxEVT_FIND_REPLACE_ALL, &CEditorFind::OnDialogEvent, this);
        dialog->Unbind(wxEVT_FIND_CLOSE, &CEditorFind::OnDialogEvent, this);
        dialog->Destroy();
    }
}

void CEditorFind::ShowFindDialog() { ShowDialog(0); }

void CEditorFind::ShowReplaceDialog() { ShowDialog(wxFR_REPLACEDIALOG); }

void CEditorFind::ShowDialog(int style) {
    if (wxFindReplaceDialog* open = m_pDialog.get()) {
        if ((open->GetWindowStyle() & wxFR_REPLACEDIALOG) == style) {
            open->Raise();
            return;
        }
        open->Destroy();
    }
    // A selection on one line is what the user most likely wants to find.
    const wxString selected = m_edit.GetSelectedText();
    if (!selected.empty() && !selected.Contains("\n")) m_data.SetFindString(selected);

    static const wxString findTitle = WxText("検索");
    static const wxString replaceTitle = WxText("置換");
    auto* dialog = new wxFindReplaceDialog(wxGetTopLevelParent(&m_edit), &m_data,
                                           style != 0 ? replaceTitle : findTitle, style);
    // The toolkit's Japanese catalogue lacks this one stock label.
    if (wxWindow* findButton = dialog->FindWindow(wxID_FIND)) findButton->SetLabel(WxText("検索(&F)"));
    dialog->Bind(wxEVT_FIND, &CEditorFind::OnDialogEvent, this);
    dialog->Bind(wxEVT_FIND_NEXT, &CEditorFind::OnDialogEvent, this);
    dialog->Bind(wxEVT_FIND_REPLACE, &CEditorFind::OnDialogEvent, this);
    dialog->Bind(wxEVT_FIND_REPLACE_ALL, &CEditorFind::OnDialogEvent, this);
    dialog->Bind(wxEVT_FIND_CLOSE, &CEditorFind::OnDialogEvent, this);
    m_pDialog = dialog;
    dialog->Show();
}

void CEditorFind::OnDialogEvent(wxFindDialogEvent& event) {
    const wxEventType type = event.GetEventType();
    if (type == wxEVT_FIND_CLOSE) {
        if (wxFindReplaceDialog* dialog = m_pDialog.get()) dialog->Destroy();
        m_pDialog = nullptr;
        return;
    }
    m_data.SetFindString(event.GetFindString());
    m_data.SetFlags(event.GetFlags());
    if (type == wxEVT_FIND_REPLACE || type == wxEVT_FIND_REPLACE_ALL) {
        m_data.SetReplaceString(event.GetReplaceString());
    }
    if (type == wxEVT_FIND_REPLACE) {
        ReplaceAndFindNext();
    } else if (type == wxEVT_FIND_REPLACE_ALL) {
        const int count = ReplaceAll();
        static const std::string pattern = SjisText("%1個置換しました");
        Report(FormatMessage1(pattern, std::to_string(count)), MessageIcon::kQuestion);
    } else {
        Find((m_data.GetFlags() & wxFR_DOWN) != 0);
    }
}

void CEditorFind::SetSearch(const wxString& text, int flags) {
    m_data.SetFindString(text);
    m_data.SetFlags(flags);
}

int CEditorFind::SearchFlags() const {
    int flags = 0;
    if ((m_data.GetFlags() & wxFR_MATCHCASE) != 0) flags |= wxSTC_FIND_MATCHCASE;
    if ((m_data.GetFlags() & wxFR_WHOLEWORD) != 0) flags |= wxSTC_FIND_WHOLEWORD;
    return flags;
}

bool CEditorFind::FindNext() { return Find(true); }

bool CEditorFind::FindPrevious() { return Find(false); }

bool CEditorFind::Find(bool forward) {
    if (!HasSearch()) return false;
    m_edit.SetSearchFlags(SearchFlags());
    // A backward target searches from its start down to its end.
    if (forward) {
        m_edit.SetTargetRange(m_edit.GetSelectionEnd(), m_edit.GetLength());
    } else {
        m_edit.SetTargetRange(m_edit.GetSelectionStart(), 0);
    }
    if (m_edit.SearchInTarget(m_data.GetFindString()) < 0) {
        static const std::string notFound = SjisText("見つかりません");
        Report(notFound, MessageIcon::kExclamation);
        return false;
    }
    const int start = m_edit.GetTargetStart();
    const int end = m_edit.GetTargetEnd();
    m_edit.SetSelection(start, end);
    m_edit.EnsureCaretVisible();
    HighlightMatches();
    return true;
}

bool CEditorFind::SelectionIsMatch() const {
    const int start = m_edit.GetSelectionStart();
    const int end = m_edit.GetSelectionEnd();
    if (start == end) return false;
    m_edit.SetSearchFlags(SearchFlags());
    m_edit.SetTargetRange(start, end);
    return m_edit.SearchInTarget(m_data.GetFindString()) == start && m_edit.GetTargetEnd() == end;
}

bool CEditorFind::ReplaceAndFindNext() {
    if (!HasSearch()) return false;
    if (SelectionIsMatch()) {
        m_edit.SetTargetRange(m_edit.GetSelectionStart(), m_edit.GetSelectionEnd());
        const int length = m_edit.ReplaceTarget(m_data.GetReplaceString());
        const int end = m_edit.GetTargetStart() + length;
        m_edit.SetSelection(end, end);
    }
    return FindNext();
}

int CEditorFind::ReplaceAll() {
    if (!HasSearch()) return 0;
    int count = 0;
    m_edit.SetSearchFlags(SearchFlags());
    m_edit.BeginUndoAction();
    int pos = 0;
    for (;;) {
        m_edit.SetTargetRange(pos, m_edit.GetLength());
        if (m_edit.SearchInTarget(m_data.GetFindString()) < 0) break;
        const int start = m_edit.GetTargetStart();
        const int length = m_edit.ReplaceTarget(m_data.GetReplaceString());
        pos = start + length;
        ++count;
    }
    m_edit.EndUndoAction();
    HighlightMatches();
    return count;
}

void CEditorFind::HighlightMatches() {
    m_edit.SetIndicatorCurrent(kHighlightIndicator);
    m_edit.IndicatorClearRange(0, m_edit.GetLength());
    // Searching uses the target; the user's selection is left alone.
    const int oldStart = m_edit.GetTargetStart();
    const int oldEnd = m_edit.GetTargetEnd();
    m_edit.SetSearchFlags(SearchFlags());
    int pos = 0;
    const int length = m_edit.GetLength();
    while (pos < length) {
        m_edit.SetTargetRange(pos, length);
        if (m_edit.SearchInTarget(m_data.GetFindString()) < 0) break;
        const int start = m_edit.GetTargetStart();
        const int end = m_edit.GetTargetEnd();
        if (end <= start) break;
        m_edit.IndicatorFillRange(start, end - start);
        pos = end;
    }
    m_edit.SetTargetRange(oldStart, oldEnd);
    m_bHighlighted = true;
}

void CEditorFind::ClearHighlight() {
    m_edit.SetIndicatorCurrent(kHighlightIndicator);
    m_edit.IndicatorClearRange(0, m_edit.GetLength());
    m_bHighlighted = false;
}

void CEditorFind::Report(std::string_view sjis, MessageIcon icon) const {
    if (m_report) m_report(sjis, icon);
}

}  // namespace kelmio
