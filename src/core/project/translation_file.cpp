// The document's translation text file as the editor shows it: which file
// the text belongs to, and what other programs did to that file meanwhile.

#include "platform/file_io.h"
#include "platform/panes.h"
#include "project/kelmio_doc.h"

namespace kelmio {

void CKelmioDoc::WatchTranslationFile() {
    if (m_data.m_strEditFile.empty()) m_editFile.Forget();
    else m_editFile.Take(m_data.m_strEditFile);
}

void CKelmioDoc::ShowTranslationFile() {
    if (m_pEditor == nullptr) return;
    const CFilePath& path = m_data.m_strEditFile;
    if (path.empty() || !PathExists(path)) m_pEditor->ClearText();
    else m_pEditor->LoadFile(path);
    m_pEditor->PutModified(false);
    WatchTranslationFile();
}

void CKelmioDoc::ReloadTranslation() {
    if (m_pEditor == nullptr) return;
    const int caret = m_pEditor->SelStart();
    const int topLine = m_pEditor->FirstVisibleLine();
    m_pEditor->LoadFile(m_editFile.Path());
    m_pEditor->PutModified(false);
    m_pEditor->ScrollDown(topLine);
    m_pEditor->SetCaret(caret);
    m_editFile.Take(m_editFile.Path());
}

void CKelmioDoc::CheckTranslationFile() {
    if (m_pEditor == nullptr) return;
    const auto holdsText = [this] { return m_pEditor->TextLengthUtf8() > 0; };
    switch (m_editFile.OnFocusReturn(m_prompter, m_pEditor->GetModified(), holdsText)) {
        case ReturnAction::kNothing: break;
        case ReturnAction::kReload: ReloadTranslation(); break;
        case ReturnAction::kKeepText: m_pEditor->PutModified(true); break;
    }
}

}  // namespace kelmio
