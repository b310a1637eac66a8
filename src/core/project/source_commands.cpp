// The document's commands on the source and on the translation text file.

#include "platform/file_io.h"
#include "platform/panes.h"
#include "platform/prompter.h"
#include "platform/settings.h"
#include "project/file_filters.h"
#include "project/kelmio_doc.h"
#include "project/project_dlg.h"
#include "project/source_history_dlg.h"
#include "text/cp932.h"

namespace kelmio {
namespace {

constexpr std::string_view kSystem = "System";
constexpr std::string_view kFileSrcIndex = "FileSrcIndex";

CFileDialogEx TextFileDialog(bool open, std::string title, CFilePath initialName, unsigned flags) {
    CFileDialogEx dialog;
    dialog.m_bOpen = open;
    dialog.m_strDefExt = "*";
    dialog.m_strFileName = std::move(initialName);
    dialog.m_nFlags = flags;
    dialog.m_strFilter = TextFileFilter();
    dialog.m_owner = DialogOwner::kMainWindow;
    dialog.m_strTitle = std::move(title);
    return dialog;
}

}  // namespace

void CKelmioDoc::OnProjectSettings() {
    CProjectDlg dialog(m_data, m_prompter);
    dialog.OnInitDialog();
    const CFilePath formerSource = m_data.m_strSrcFile;
    const std::vector<CFilePath> formerHistory = m_data.m_arrSrcHistory;
    const CFilePath formerEditFile = m_data.m_strEditFile;
    if (m_prompter.RunProjectDialog(dialog) != kIdOk) return;
    // The source is shown afresh, which drops a changed image, so it is
    // asked about first as on every other way to a source. The question is
    // about the source shown until now (Yes saves over that file): the
    // record holds it again while asking, then takes the dialog's values.
    m_data.m_strSrcFile = formerSource;
    m_data.m_arrSrcHistory = formerHistory;
    m_data.m_strEditFile = formerEditFile;
    // The editor's text is the former file's: saved there or let go first,
    // as before another text is opened, and never written into the file
    // named now. Cancel keeps everything as it was.
    const bool otherTranslation =
        dialog.m_strEditFile != formerEditFile && !IsSameFile(dialog.m_strEditFile, formerEditFile);
    if (otherTranslation && !QuerySaveTranslation()) return;
    if (!QuerySaveImageBeforeSwitch()) return;
    dialog.OnOK();
    if (otherTranslation) ShowTranslationFile();
    SetModifiedFlag(true);
    UpdateAllViews(kHintSettingsChanged);
}

void CKelmioDoc::OnFileSource() {
    if (!QuerySaveImageBeforeSwitch()) return;
    CFileDialogEx dialog;
    dialog.m_bOpen = true;
    dialog.m_strDefExt = "*";
    dialog.m_nFlags = kPathMustExist | kHideReadOnly;
    dialog.m_strFilter = SourceFileFilter();
    dialog.m_owner = DialogOwner::kMainWindow;
    dialog.m_strTitle = SjisText("ソースファイルの指定");
    dialog.m_nFilterIndex = m_settings.GetInt(kSystem, kFileSrcIndex, 0);
    const FileDialogResult result = m_prompter.ChooseFile(dialog);
    if (result.nResult != kIdOk) return;
    m_settings.WriteInt(kSystem, kFileSrcIndex, result.nFilterIndex);
    m_data.SetSource(result.strPath);
    SetModifiedFlag(true);
    UpdateAllViews(kHintSourceChanged);
}

void CKelmioDoc::OnFileSourceHistory() {
    CSrcHistoryDlg dialog(m_data.m_arrSrcHistory);
    if (m_prompter.RunSourceHistoryDialog(dialog) != kIdOk) return;
    if (!QuerySaveImageBeforeSwitch()) return;
    m_data.SetSource(dialog.Selected());
    SetModifiedFlag(true);
    UpdateAllViews(kHintSourceChanged);
}

void CKelmioDoc::OnFileSourceUrl() {
    // Taken as typed: an address with a character outside Shift-JIS (a
    // German or French page) would lead elsewhere with a "?" in its place.
    const std::optional<CFilePath> url = m_prompter.InputPath(SjisText("URLを指定してください"), CFilePath());
    if (!url) return;
    if (!QuerySaveImageBeforeSwitch()) return;
    m_data.SetSource(*url);
    SetModifiedFlag(true);
    UpdateAllViews(kHintSourceChanged);
}

// A changed image (rotated, scanned) would be dropped with its source, so
// every way of choosing another source asks first; Cancel keeps the source.
bool CKelmioDoc::QuerySaveImageBeforeSwitch() {
    return m_pSource == nullptr || m_pSource->QuerySaveImage();
}

void CKelmioDoc::OnEditFileDestination() {
    const CFilePath initial = m_data.m_strEditFile.empty() ? CFilePath("*.txt") : m_data.m_strEditFile;
    const FileDialogResult result = m_prompter.ChooseFile(
        TextFileDialog(false, SjisText("編集ファイルの指定"), initial, kOverwritePrompt | kHideReadOnly));
    if (result.nResult != kIdOk) return;
    // The hint shows the source afresh, which drops a rotated image: asked
    // first as on every way to a source; Cancel keeps the former file name.
    if (!QuerySaveImageBeforeSwitch()) return;
    m_data.m_strEditFile = result.strPath;
    // The text goes to the new file when it is next saved (the chooser
    // asked before an existing one is replaced); the former file is no
    // longer the text's.
    m_editFile.Forget();
    SetModifiedFlag(true);
    UpdateAllViews(kHintSourceChanged);
}

void CKelmioDoc::OnEditFileOpen() {
    if (!QuerySaveTranslation()) return;
    const FileDialogResult result = m_prompter.ChooseFile(
        TextFileDialog(true, SjisText("編集ファイルを開く"), "", kPathMustExist | kHideReadOnly));
    if (result.nResult != kIdOk) return;
    m_data.m_strEditFile = result.strPath;
    if (m_pEditor != nullptr) {
        m_pEditor->LoadFile(result.strPath);
        m_pEditor->PutModified(false);
        WatchTranslationFile();
    }
    SetModifiedFlag(true);
}

void CKelmioDoc::OnEditFileSave() { SaveTranslation(); }

bool CKelmioDoc::OnEditFileSaveAs() { return SaveTranslationAs() == TranslationSave::kSaved; }

// Saves the translation text to its file, or asks for a name when it has none.
CKelmioDoc::TranslationSave CKelmioDoc::SaveTranslation() {
    if (m_data.m_strEditFile.empty()) return SaveTranslationAs();
    if (m_pEditor == nullptr) return TranslationSave::kSaved;
    return SaveTranslationTo(m_data.m_strEditFile);
}

CKelmioDoc::TranslationSave CKelmioDoc::SaveTranslationAs() {
    const FileDialogResult result = m_prompter.ChooseFile(
        TextFileDialog(false, SjisText("編集ファイルを名前を付けて保存"), "*.txt", kOverwritePrompt | kHideReadOnly));
    if (result.nResult != kIdOk) return TranslationSave::kCancelled;
    // A text that was not written keeps its old name.
    if (m_pEditor != nullptr) {
        const TranslationSave saved = SaveTranslationTo(result.strPath);
        if (saved != TranslationSave::kSaved) return saved;
    }
    m_data.m_strEditFile = result.strPath;
    SetModifiedFlag(true);
    return TranslationSave::kSaved;
}

// Only a save that succeeded clears the editor's modified mark; a failure
// is reported and leaves the text marked, so it is asked about again. A
// text that would lose characters is written only when the user agrees.
CKelmioDoc::TranslationSave CKelmioDoc::SaveTranslationTo(const CFilePath& path) {
    // Another program's change to the file is not written over unasked.
    switch (m_editFile.BeforeSave(m_prompter, path)) {
        case SaveOverChoice::kWrite: break;
        case SaveOverChoice::kReload: ReloadTranslation(); return TranslationSave::kReloaded;
        case SaveOverChoice::kCancel: return TranslationSave::kCancelled;
    }
    if (const std::size_t lost = m_pEditor->CharsWithoutSjisForm(); lost > 0) {
        static const std::string question = SjisText(
            "翻訳テキストに Shift-JIS で表せない文字が %1 文字あります。\n"
            "保存すると、これらの文字は「?」に置き換えられます。\n\n保存しますか？");
        const std::string text = FormatMessage1(question, std::to_string(lost));
        if (m_prompter.Message(text, MessageButtons::kOkCancel, MessageIcon::kExclamation) != Answer::kOk) {
            return TranslationSave::kCancelled;
        }
    }
    const EditSaveResult result = m_pEditor->SaveFile(path);
    if (!result.ok()) {
        ReportError(FileErrorMessage(*result.error));
        return TranslationSave::kFailed;
    }
    m_pEditor->PutModified(false);
    m_editFile.Take(path);
    return TranslationSave::kSaved;
}

}  // namespace kelmio
