// The source viewer and the text file it shows: what another program did
// to that file while Kelmio was elsewhere.

#include "gui/viewer/r_edit_ctrl.h"
#include "gui/viewer/text_view.h"

namespace kelmio {

void CTextView::CheckShownFile() {
    if (!m_pEdit) return;
    const auto holdsText = [this] { return !m_pEdit->TextUtf8().empty(); };
    switch (m_shownFile.OnFocusReturn(m_prompter, m_pEdit->IsModified(), holdsText)) {
    case ReturnAction::kNothing: break;
    case ReturnAction::kReload: ReloadText(); break;
    case ReturnAction::kKeepText:
        m_pEdit->SetModified(true);
        // Unsaved work now: it goes into the recovery copy like typing.
        if (m_onTextChange && IsTextModified()) m_onTextChange();
        break;
    }
}

void CTextView::ReloadText() {
    const int line = m_pEdit ? m_pEdit->FirstVisibleLine() : 0;
    if (m_nMode == ViewMode::kRichText) ShowRichTextFile();
    else ShowTextFile();
    // Taken even when it could not be read again, so that it is not tried
    // (and reported) at every return.
    m_shownFile.Take(m_strPath);
    if (m_pEdit && (m_nMode == ViewMode::kText || m_nMode == ViewMode::kRichText)) m_pEdit->ScrollToLine(line);
}

}  // namespace kelmio
