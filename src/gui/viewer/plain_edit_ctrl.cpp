#include "gui/viewer/plain_edit_ctrl.h"

#include <wx/stc/stc.h>

#include <algorithm>
#include <climits>
#include <string>

#include "gui/platform/gtk_style.h"
#include "gui/platform/stc_keys.h"

namespace kelmio {

CPlainEditCtrl::CPlainEditCtrl(wxWindow* parent, int id)
    : m_pControl(new wxStyledTextCtrl(parent, id, wxDefaultPosition, wxDefaultSize, wxBORDER_NONE)) {
    m_pControl->SetLexer(wxSTC_LEX_NULL);
    for (int margin = 0; margin < 5; ++margin) m_pControl->SetMarginWidth(margin, 0);
    m_pControl->SetMarginLeft(4);
    m_pControl->SetWrapMode(wxSTC_WRAP_WORD);
    m_pControl->SetUseHorizontalScrollBar(false);
    UseClassicScrollBars(*m_pControl, true);
    m_pControl->SetEOLMode(wxSTC_EOL_CRLF);
    m_pControl->SetCodePage(wxSTC_CP_UTF8);
    // The view opens its own context menu.
    m_pControl->UsePopUp(wxSTC_POPUP_NEVER);
    UseTypingKeysOnly(*m_pControl);
    m_pBlink = std::make_unique<CCaretBlink>(*m_pControl);
}

wxWindow* CPlainEditCtrl::Window() { return m_pControl; }

void CPlainEditCtrl::BeginLoad() {
    m_pControl->SetReadOnly(false);
    m_pControl->SetUndoCollection(false);
    m_pControl->ClearAll();
}

void CPlainEditCtrl::ReserveLoad(std::size_t utf8Bytes) {
    // Room filled only as the text comes is never touched, so the margin
    // for the first edits costs nothing.
    constexpr std::size_t kEditRoom = std::size_t{1} << 20;
    m_pControl->Allocate(static_cast<int>(std::min<std::size_t>(utf8Bytes + kEditRoom, INT_MAX / 2)));
}

void CPlainEditCtrl::AppendLoaded(std::string_view utf8) {
    m_pControl->AppendTextRaw(utf8.data(), static_cast<int>(utf8.size()));
}

void CPlainEditCtrl::EndLoad() {
    m_pControl->SetUndoCollection(true);
    m_pControl->EmptyUndoBuffer();
    m_pControl->SetSavePoint();
    m_bForcedModified = false;
    m_pControl->GotoPos(0);
}

std::string CPlainEditCtrl::TextUtf8() const {
    const char* text = m_pControl->GetCharacterPointer();
    return text == nullptr ? std::string() : std::string(text, static_cast<std::size_t>(m_pControl->GetLength()));
}

std::string_view CPlainEditCtrl::SearchText() {
    const char* text = m_pControl->GetCharacterPointer();
    return text == nullptr ? std::string_view() : std::string_view(text, static_cast<std::size_t>(m_pControl->GetLength()));
}

void CPlainEditCtrl::SetReadOnly(bool readOnly) { m_pControl->SetReadOnly(readOnly); }

bool CPlainEditCtrl::IsModified() const { return m_bForcedModified || m_pControl->GetModify(); }

void CPlainEditCtrl::SetModified(bool modified) {
    m_bForcedModified = modified;
    if (!modified) m_pControl->SetSavePoint();
}

void CPlainEditCtrl::SetDefaultFont(const wxFont& font) {
    m_pControl->StyleSetFont(wxSTC_STYLE_DEFAULT, const_cast<wxFont&>(font));
    m_pControl->StyleSetForeground(wxSTC_STYLE_DEFAULT, *wxBLACK);
    m_pControl->StyleClearAll();
}

int CPlainEditCtrl::FirstVisibleLine() const {
    return m_pControl->DocLineFromVisible(m_pControl->GetFirstVisibleLine());
}

void CPlainEditCtrl::ScrollToLine(int line) { m_pControl->SetFirstVisibleLine(m_pControl->VisibleFromDocLine(line)); }

void CPlainEditCtrl::ScrollLines(int lines) { m_pControl->LineScroll(0, lines); }

void CPlainEditCtrl::ScrollPages(int pages) {
    for (int i = 0; i < std::abs(pages); ++i) m_pControl->CmdKeyExecute(pages > 0 ? wxSTC_CMD_PAGEDOWN : wxSTC_CMD_PAGEUP);
}

bool CPlainEditCtrl::CanUndo() const { return m_pControl->CanUndo(); }
void CPlainEditCtrl::Undo() { m_pControl->Undo(); }
void CPlainEditCtrl::Cut() { m_pControl->Cut(); }
void CPlainEditCtrl::Copy() { m_pControl->Copy(); }
void CPlainEditCtrl::Paste() { m_pControl->Paste(); }
void CPlainEditCtrl::SelectAll() { m_pControl->SelectAll(); }

void CPlainEditCtrl::ReplaceSelection(std::string_view utf8) {
    m_pControl->ReplaceSelectionRaw(std::string(utf8).c_str());
}

void CPlainEditCtrl::UseLineFeedOnly(bool lfOnly) { m_pControl->SetEOLMode(lfOnly ? wxSTC_EOL_LF : wxSTC_EOL_CRLF); }

std::size_t CPlainEditCtrl::SelectionEnd() const { return static_cast<std::size_t>(m_pControl->GetSelectionEnd()); }

void CPlainEditCtrl::SelectAndShow(std::size_t start, std::size_t end) {
    m_pControl->SetSelection(static_cast<int>(start), static_cast<int>(end));
    m_pControl->EnsureCaretVisible();
}

void CPlainEditCtrl::ReplaceRange(std::size_t start, std::size_t end, std::string_view utf8) {
    m_pControl->SetTargetRange(static_cast<int>(start), static_cast<int>(end));
    m_pControl->ReplaceTargetRaw(utf8.data(), static_cast<int>(utf8.size()));
}

void CPlainEditCtrl::Freeze(bool frozen) {
    if (frozen) m_pControl->BeginUndoAction();
    else m_pControl->EndUndoAction();
}

}  // namespace kelmio
