#include "project/kelmio_doc.h"

#include "platform/app_host.h"
#include "platform/file_io.h"
#include "platform/panes.h"
#include "platform/prompter.h"
#include "platform/settings.h"
#include "dictionary/dic_opt_dg.h"
#include "project/file_filters.h"
#include "project/new_project_dlg.h"
#include "project/project_file.h"
#include "text/cp932.h"
#include "text/mb_case.h"
#include "text/sjis.h"

namespace kelmio {
namespace {

const std::string& UntitledTitle() {
    static const std::string title = SjisText("無題");
    return title;
}

}  // namespace

CKelmioDoc::CKelmioDoc(CSettings& settings, CPrompter& prompter, CAppHost& app, SaveFunction save)
    : m_dic(settings, prompter),
      m_settings(settings),
      m_prompter(prompter),
      m_app(app),
      m_save(std::move(save)),
      m_strTitle(UntitledTitle()) {
    if (!m_save) {
        m_save = [](const CFilePath& path, std::string_view bytes) { return SaveFileAtomically(path, bytes); };
    }
}

void CKelmioDoc::AttachViews(CSourcePane* source, CEditPane* editor, CMemoPane* memo) {
    m_pSource = source;
    m_pEditor = editor;
    m_pMemo = memo;
}

std::string CKelmioDoc::GetWindowTitle() const { return m_strTitle + " - Kelmio"; }

void CKelmioDoc::ReportError(const std::string& message) {
    m_prompter.Message(message, MessageButtons::kOk, MessageIcon::kExclamation);
}

void CKelmioDoc::SetTitle(const std::string& title) {
    m_strTitle = title;
    m_app.OnDocumentTitleChanged();
}

void CKelmioDoc::SetPathName(const CFilePath& path) {
    m_strPathName = path;
    SetTitle(path.FileName().Display());
    m_recent.Add(path);
    m_app.OnRecentListChanged();
}

void CKelmioDoc::DeleteContents() {
    m_data.Clear();
    // An emptied record names PDIC; lookups must not go on with the kind of
    // the project that was open before.
    TakeDictionaryFromProject();
    // The pane must not store its edit into a memo of the record just emptied.
    if (m_pMemo != nullptr) m_pMemo->OnContentsDeleted();
}

void CKelmioDoc::UpdateAllViews(int hint) {
    if (m_pSource != nullptr) m_pSource->OnUpdate(hint);
}

// ---- new project -----------------------------------------------------------

bool CKelmioDoc::OnFileNew() {
    const bool hadDocument = m_bHasDocument;
    if (hadDocument && !SaveModified()) return false;
    SetTitle(UntitledTitle());
    const bool created = OnNewDocument();
    if (created) {
        m_bHasDocument = true;
        InitialUpdateViews();
    }
    // A cancelled dialog leaves the open project in place: give it its title back.
    if (hadDocument && !m_strPathName.empty()) SetPathName(m_strPathName);
    return created;
}

bool CKelmioDoc::OnNewDocument() {
    CFilePath projectPath;
    CFilePath editPath;
    if (!m_app.TakeStartupFlag()) {
        CNewProjectDlg dialog(m_settings, m_prompter);
        dialog.OnInitDialog();
        if (m_prompter.RunNewProjectDialog(dialog) != kIdOk) {
            if (m_strPathName.empty()) m_app.PostCloseRequest();
            return false;
        }
        projectPath = dialog.m_strProjectPath;
        editPath = dialog.m_strEditPath;
    }
    DeleteContents();
    m_strPathName = {};
    SetModifiedFlag(false);
    if (!projectPath.empty()) {
        m_data.m_strEditFile = editPath;
        // The panes still show the project replaced: its caret, scroll and
        // image are not this project's; only the way sources are shown
        // (zoom, fit, browser mode) carries over. A failure has been
        // reported; the project keeps its path.
        OnSaveDocument(projectPath, PaneState::kDisplayModeOnly);
        SetPathName(projectPath);
        m_prompter.Message(SjisText("まずは[ファイル]-[ソースファイルの指定]を行ってください。\n"
                                    "詳しい使い方は、ヘルプの「使い方」を見てください"),
                           MessageButtons::kOk, MessageIcon::kExclamation);
    }
    return true;
}

// ---- open project ----------------------------------------------------------

bool CKelmioDoc::OnFileOpen() {
    CFileDialogEx dialog;
    dialog.m_bOpen = true;
    dialog.m_strDefExt = "kmp";
    dialog.m_strFileName = "*.kmp";
    dialog.m_nFlags = kFileMustExist | kHideReadOnly;
    dialog.m_strFilter = ProjectOpenFilter();
    dialog.m_owner = DialogOwner::kNone;
    dialog.m_strTitle = SjisText("プロジェクトを開く");
    const FileDialogResult result = m_prompter.ChooseFile(dialog);
    if (result.nResult != kIdOk) return false;
    return OpenDocumentFile(result.strPath);
}

bool CKelmioDoc::OpenRecentFile(std::size_t index) {
    if (index >= m_recent.Entries().size()) return false;
    const CFilePath path = m_recent.Entries()[index];
    if (IsOpenProject(path)) return true;
    // Cancelling the question about the open project keeps the entry.
    if (m_bHasDocument && !SaveModified()) return false;
    if (OpenSavedOver(path) == OpenOutcome::kOpened) return true;
    // The entry may have moved while the failed open asked its questions.
    const auto& entries = m_recent.Entries();
    for (std::size_t i = 0; i < entries.size(); ++i) {
        if (entries[i] == path) {
            m_recent.Remove(i);
            m_app.OnRecentListChanged();
            break;
        }
    }
    return false;
}

bool CKelmioDoc::IsOpenProject(const CFilePath& path) const {
    if (!m_bHasDocument || m_strPathName.empty()) return false;
    // The file decides: names that differ only in case are one project
    // where the volume ignores case and two where it does not; a link to
    // the project is the project.
    return path == m_strPathName || IsSameFile(path, m_strPathName);
}

bool CKelmioDoc::OpenDocumentFile(const CFilePath& path) {
    // The project that is open already is not read again.
    if (IsOpenProject(path)) return true;
    if (m_bHasDocument && !SaveModified()) return false;
    return OpenSavedOver(path) == OpenOutcome::kOpened;
}

CKelmioDoc::OpenOutcome CKelmioDoc::OpenFirstProject(const CFilePath& path) {
    return OpenSavedOver(path, false);
}

// Opens `path` once the open project's unsaved work has been dealt with.
CKelmioDoc::OpenOutcome CKelmioDoc::OpenSavedOver(const CFilePath& path, bool askForNew) {
    bool contentsLost = false;
    if (OnOpenDocument(path, contentsLost)) {
        m_bHasDocument = true;
        SetPathName(path);
        InitialUpdateViews();
        return OpenOutcome::kOpened;
    }
    if (!contentsLost) return OpenOutcome::kNotOpened;
    // The open project was already emptied: start a new one in its place.
    // Should that be cancelled (or left to the caller), the document becomes
    // an empty untitled project: keeping the old path would let a later
    // save overwrite that project with nothing.
    SetTitle(UntitledTitle());
    if (!askForNew || !OnNewDocument()) {
        m_strPathName = {};
        DeleteContents();
        SetModifiedFlag(false);
    }
    m_bHasDocument = true;
    InitialUpdateViews();
    return OpenOutcome::kReadInPart;
}

bool CKelmioDoc::OnOpenDocument(const CFilePath& path, bool& contentsLost) {
    contentsLost = false;
    const FileReadResult file = ReadWholeFile(path, kLargestProjectFile);
    if (file.bTooLarge) {
        ReportError(UnexpectedFormatMessage());
        return false;
    }
    if (!file.ok()) {
        ReportError(FileErrorMessage(*file.error));
        return false;
    }
    DeleteContents();
    SetModifiedFlag(true);
    if (!file.bytes.empty() && !ReadProject(file.bytes, m_data)) {
        DeleteContents();
        contentsLost = true;
        ReportError(UnexpectedFormatMessage());
        return false;
    }
    TakeDictionaryFromProject();
    SetModifiedFlag(false);
    return true;
}

void CKelmioDoc::TakeDictionaryFromProject() {
    m_dic.m_nType = m_data.m_nDicKind;
    m_dic.SetCustomPath(m_data.m_strDicPath);
    m_dic.SetCustomParam(m_data.m_strDicParam);
}

// ---- views -----------------------------------------------------------------

void CKelmioDoc::InitialUpdateViews() {
    if (m_pSource != nullptr) m_pSource->OnInitialUpdate();
    if (m_pEditor != nullptr) InitialUpdateEditor();
    if (m_pMemo != nullptr) m_pMemo->OnInitialUpdate();
    m_app.OnProjectShown();
}

void CKelmioDoc::InitialUpdateEditor() {
    const CFilePath& path = m_data.m_strEditFile;
    if (path.empty() || !PathExists(path)) {
        m_pEditor->ClearText();
        WatchTranslationFile();
        return;
    }
    m_pEditor->LoadFile(path);
    WatchTranslationFile();
    m_pEditor->ScrollDown(m_data.m_pos.m_nEditTopLine);
    m_pEditor->SetCaret(m_data.m_pos.m_nEditCaret);
    // Opening marks the project modified, so caret and scroll position are
    // written back when it is closed.
    SetModifiedFlag(true);
}

// ---- save ------------------------------------------------------------------

std::optional<std::string> CKelmioDoc::SerializeForSaving(PaneState panes) {
    if (panes == PaneState::kDisplayModeOnly) {
        if (m_pSource != nullptr) m_pSource->SaveViewState(m_data.m_pos);
        m_data.m_pos.m_nScrollX = 0;
        m_data.m_pos.m_nScrollY = 0;
        return WriteProject(m_data);
    }
    if (m_pEditor != nullptr) {
        // A cancelled name question still writes the project, the text
        // staying modified; a text that could not be written stops the save.
        if (m_pEditor->GetModified() && SaveTranslation() == TranslationSave::kFailed) return std::nullopt;
        m_data.m_pos.m_nEditCaret = m_pEditor->SelStart();
        m_data.m_pos.m_nEditTopLine = m_pEditor->FirstVisibleLine();
    }
    if (m_pSource != nullptr) {
        m_pSource->SaveViewState(m_data.m_pos);
        // The answer does not stop the save; an answer just given is not asked for again.
        if (panes != PaneState::kImageAnswered) m_pSource->QuerySaveImage();
    }
    if (m_pMemo != nullptr) m_pMemo->SaveMemoText();
    return WriteProject(m_data);
}

bool CKelmioDoc::OnSaveDocument(const CFilePath& path, PaneState panes) {
    const std::optional<std::string> bytes = SerializeForSaving(panes);
    if (!bytes) return false;
    if (const std::optional<FileError> error = m_save(path, *bytes)) {
        ReportError(FileErrorMessage(*error));
        return false;
    }
    SetModifiedFlag(false);
    m_app.OnProjectSaved();
    return true;
}

bool CKelmioDoc::OnFileSave() {
    if (m_strPathName.empty()) return OnFileSaveAs();
    return OnSaveDocument(m_strPathName);
}

bool CKelmioDoc::OnFileSaveAs() {
    CFileDialogEx dialog;
    dialog.m_bOpen = false;
    dialog.m_strDefExt = "kmp";
    dialog.m_strFileName = m_strPathName.empty() ? CFilePath(SjisText("プロジェクト.kmp")) : m_strPathName;
    dialog.m_nFlags = kOverwritePrompt | kHideReadOnly | kNoChangeDir;
    dialog.m_strFilter = ProjectSaveFilter();
    dialog.m_owner = DialogOwner::kNone;
    dialog.m_strTitle = SjisText("プロジェクトを名前を付けて保存");
    return SaveAsChosenFile(dialog);
}

bool CKelmioDoc::SaveAsChosenFile(const CFileDialogEx& dialog, PaneState panes) {
    const FileDialogResult result = m_prompter.ChooseFile(dialog);
    if (result.nResult != kIdOk) return false;
    // A failed write keeps the old path and title.
    if (!OnSaveDocument(result.strPath, panes)) return false;
    SetPathName(result.strPath);
    return true;
}

// The save-as step of the unsaved-work question for an untitled project.
bool CKelmioDoc::DoSaveAsFromFramework() {
    CFileDialogEx dialog;
    dialog.m_bOpen = false;
    dialog.m_strDefExt = "kmp";
    dialog.m_strFileName = m_strPathName.empty() ? CFilePath(m_strTitle + ".kmp") : m_strPathName;
    dialog.m_nFlags = kOverwritePrompt | kHideReadOnly;
    dialog.m_strFilter = DocumentTypeFilter();
    dialog.m_owner = DialogOwner::kMainWindow;
    dialog.m_strTitle = SjisText("名前を付けて保存");
    return SaveAsChosenFile(dialog, PaneState::kImageAnswered);
}

bool CKelmioDoc::SaveModified() {
    if (!QuerySaveTranslation()) return false;
    if (m_pEditor != nullptr) m_pEditor->PutModified(false);
    if (m_pSource != nullptr && !m_pSource->QuerySaveImage()) return false;

    if (!IsModified()) return true;
    if (m_strPathName.empty()) return AskToSaveChanges();
    if (OnSaveDocument(m_strPathName, PaneState::kImageAnswered)) return true;
    // Its file cannot be written (read-only, its folder gone): the project
    // is saved elsewhere or let go, rather than keeping the program from
    // ever closing.
    return AskToSaveChanges();
}

bool CKelmioDoc::AskToSaveChanges() {
    const Answer answer = m_prompter.Message(FormatMessage1(SjisText("%1 への変更を保存しますか?"), m_strTitle),
                                             MessageButtons::kYesNoCancel, MessageIcon::kExclamation);
    if (answer == Answer::kCancel) return false;
    if (answer == Answer::kNo) return true;
    return DoSaveAsFromFramework();
}

bool CKelmioDoc::QuerySaveTranslation() {
    if (m_pEditor == nullptr || !m_pEditor->GetModified()) return true;
    const Answer answer = m_prompter.Message(SjisText("翻訳テキストを保存しますか？"), MessageButtons::kYesNoCancel,
                                             MessageIcon::kQuestion);
    if (answer == Answer::kCancel) return false;
    if (answer == Answer::kNo) return true;
    // Yes, then no name given or the text not written: the work is kept,
    // as after Cancel. Taking the file's text instead lets the work go.
    const TranslationSave saved = SaveTranslation();
    return saved == TranslationSave::kSaved || saved == TranslationSave::kReloaded;
}

// ---- dictionary --------------------------------------------------------------

bool CKelmioDoc::LookupWord(const std::string& word) {
    if (!m_dic.Lookup(MakeLowerMb(word))) return false;
    // The kept answer takes the memo pane's edit: what was typed into the
    // memo shown until now goes into that memo first.
    if (m_pMemo != nullptr) m_pMemo->SaveMemoText();
    CKelmioMemo memo;
    memo.m_strTitle = word;
    memo.m_strText = m_dic.m_strResult;
    m_data.AppendMemo(std::move(memo));
    if (m_pMemo != nullptr) m_pMemo->SelectMemo(static_cast<int>(m_data.GetMemoCount()) - 1);
    SetModifiedFlag(true);
    return true;
}

void CKelmioDoc::OnDicSettings() {
    CDicOptDg dialog(m_data.m_nDicKind, m_data.m_strDicPath, m_data.m_strDicParam);
    if (m_prompter.RunDicOptDialog(dialog) != kIdOk) return;
    // A changed dictionary is unsaved work like any other: without the flag
    // it would be lost on close without a question.
    if (dialog.m_nKind != m_data.m_nDicKind || dialog.m_strPath != m_data.m_strDicPath ||
        dialog.m_strParam != m_data.m_strDicParam) {
        SetModifiedFlag(true);
    }
    m_data.m_nDicKind = dialog.m_nKind;
    m_data.m_strDicPath = dialog.m_strPath;
    m_data.m_strDicParam = dialog.m_strParam;
    m_dic.m_nType = dialog.m_nKind;
    m_dic.SetCustomPath(dialog.m_strPath);
    m_dic.SetCustomParam(dialog.m_strParam);
    // The user has seen and confirmed the custom command line here.
    if (dialog.m_nKind == kDicCustom) m_dic.ApproveCustomCommand();
}

}  // namespace kelmio
