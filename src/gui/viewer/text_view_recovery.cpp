// The source viewer's part in recovery copies: the edit of a plain-text
// source handed out as the pane holds it, and put back after a crash.

#include <wx/stc/stc.h>

#include "encoding/text_encoding.h"
#include "gui/platform/stc_copy.h"
#include "gui/viewer/plain_edit_ctrl.h"
#include "gui/viewer/text_view.h"
#include "viewer/source_text.h"

namespace kelmio {

// Rich text is left out: its text would have to be written out as RTF on
// the UI thread at every copy, the pause a copy must not cause.
bool CTextView::IsTextModified() const {
    return m_bPlainSource && m_pEdit && !m_pEdit->IsRich() && m_pEdit->IsModified();
}

std::optional<SourceTextEdit> CTextView::CopyModifiedText() const {
    if (!IsTextModified()) return std::nullopt;
    SourceTextEdit edit;
    edit.strPath = m_strPath;
    edit.nEncoding = EncodingNumber(m_kind.encoding);
    edit.nLineEnd = LineEndNumber(m_kind.lineEnd);
    if (auto* plain = dynamic_cast<CPlainEditCtrl*>(m_pEdit.get())) CopyControlText(plain->Control(), edit.strTextUtf8);
    else edit.strTextUtf8 = m_pEdit->TextUtf8();
    return edit;
}

bool CTextView::RestoreModifiedText(const SourceTextEdit& edit) {
    const std::optional<TextEncoding> encoding = EncodingFromNumber(edit.nEncoding);
    const std::optional<LineEnd> lineEnd = LineEndFromNumber(edit.nLineEnd);
    if (!m_bPlainSource || !m_pEdit || m_pEdit->IsRich() || edit.strPath != m_strPath || !encoding || !lineEnd ||
        IsReadOnlyEncoding(*encoding)) {
        return false;  // an edit of a read-only source (no copy makes one) is kept aside instead
    }
    // Saved later as it was read when the copy was taken.
    m_kind = TextSourceKind{*encoding, *lineEnd};
    m_pEdit->BeginLoad();
    m_pEdit->AppendLoaded(edit.strTextUtf8);
    m_pEdit->EndLoad();
    if (auto* plain = dynamic_cast<CPlainEditCtrl*>(m_pEdit.get())) {
        plain->UseLineFeedOnly(!HoldsUtf8(m_kind) && !LoadsByConversion(m_kind) && m_kind.lineEnd == LineEnd::kLf);
    }
    m_pEdit->SetModified(true);
    return true;
}

void CTextView::WatchTextChanges(CREditCtrl& pane) {
    if (pane.IsRich()) return;
    pane.Window()->Bind(wxEVT_STC_CHANGE, [this](wxCommandEvent& event) {
        event.Skip();
        if (m_onTextChange && IsTextModified()) m_onTextChange();
    });
}

}  // namespace kelmio
