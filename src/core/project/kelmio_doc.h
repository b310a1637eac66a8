#pragma once
// The one project document: owns the project record, creates, opens and
// saves projects, keeps the modified flag, decides what happens to unsaved
// work when a project is replaced or the program ends, and tells the panes
// when the project changed.
//
// It reaches the user through CPrompter, the panes through the interfaces of
// platform/panes.h and the application through CAppHost, so every flow runs
// without a window.

#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "dictionary/dic_lookup.h"
#include "platform/edited_file.h"
#include "platform/file_error.h"
#include "platform/file_path.h"
#include "project/kelmio_data.h"
#include "project/recent_projects.h"

namespace kelmio {

class CAppHost;
struct CFileDialogEx;
class CEditPane;
class CMemoPane;
class CPrompter;
class CSettings;
class CSourcePane;

class CKelmioDoc {
public:
    // Writes a project file's bytes; nullopt on success. The default saves
    // atomically; tests pass one that fails.
    using SaveFunction = std::function<std::optional<FileError>(const CFilePath& path, std::string_view bytes)>;

    CKelmioDoc(CSettings& settings, CPrompter& prompter, CAppHost& app, SaveFunction save = {});

    // The panes; any may be absent (null).
    void AttachViews(CSourcePane* source, CEditPane* editor, CMemoPane* memo);
    CSourcePane* GetTextView() const { return m_pSource; }
    CEditPane* GetEditView() const { return m_pEditor; }
    CMemoPane* GetFormView() const { return m_pMemo; }

    CKelmioData m_data;
    // The dictionary: the kind and custom program the project names (the
    // defaults of an emptied record for a new project).
    CDicLookup m_dic;

    // Looks `word` up; when the user keeps the answer, a memo titled with
    // `word` as passed (Shift-JIS) is appended and shown in the memo pane,
    // and true is returned.
    bool LookupWord(const std::string& word);
    // The dictionary settings dialog. Confirming a changed value marks the
    // project modified.
    void OnDicSettings();

    const CFilePath& GetPathName() const { return m_strPathName; }
    // The file name of the project, or "無題" while untitled.
    const std::string& GetTitle() const { return m_strTitle; }
    // "<title> - Kelmio", the main window's caption.
    std::string GetWindowTitle() const;
    bool IsModified() const { return m_bModified; }
    void SetModifiedFlag(bool modified = true) { m_bModified = modified; }

    CRecentProjects& RecentProjects() { return m_recent; }

    // Project commands.
    bool OnFileNew();                          // new project
    bool OnFileOpen();                         // open project, with the chooser
    bool OpenDocumentFile(const CFilePath& path);  // open project at a path
    // How opening a project went: opened, not opened (the open project
    // stays), or read in part (the user was told; the open project is gone).
    enum class OpenOutcome { kOpened, kNotOpened, kReadInPart };
    // Opens the project the program starts with, before its window shows.
    // A file read in part leaves an empty untitled project, and the New
    // Project dialog that follows one elsewhere is left to the caller, to
    // come over the window once it is on the screen.
    OpenOutcome OpenFirstProject(const CFilePath& path);
    bool OpenRecentFile(std::size_t index);    // an entry of the recent list
    bool OnFileSave();
    bool OnFileSaveAs();

    // Asked before a project is replaced and before the program ends; false
    // when the user cancelled.
    bool SaveModified();

    // Source and translation file commands.
    void OnProjectSettings();
    void OnFileSource();
    void OnFileSourceUrl();
    void OnFileSourceHistory();
    void OnEditFileDestination();
    void OnEditFileOpen();
    void OnEditFileSave();
    bool OnEditFileSaveAs();  // true when the text was saved under the chosen name

    // Asks whether to save a modified translation text; false on Cancel and
    // when the text could not be saved, so the work is not let go.
    bool QuerySaveTranslation();

    // Kelmio has the focus again: an editor without unsaved changes shows
    // what another program wrote to the translation file, at the same
    // place; the text of a translation file deleted elsewhere is kept as
    // unsaved work.
    void CheckTranslationFile();

    // Tells the panes that the project changed (hint 8 or 9).
    void UpdateAllViews(int hint);

private:
    enum class TranslationSave {
        kSaved,
        kReloaded,  // not written: the user took the file's text as another program left it
        kCancelled,
        kFailed,
    };
    // What a write of the project file takes from the panes.
    enum class PaneState {
        kAll,
        kImageAnswered,  // the image question has just been answered
        kDisplayModeOnly,  // the panes still show the project being replaced
    };

    bool IsOpenProject(const CFilePath& path) const;
    // `askForNew`: a file read in part is followed by the New Project dialog.
    OpenOutcome OpenSavedOver(const CFilePath& path, bool askForNew = true);
    bool OnNewDocument();
    bool OnOpenDocument(const CFilePath& path, bool& contentsLost);
    bool OnSaveDocument(const CFilePath& path, PaneState panes = PaneState::kAll);
    // "%1 への変更を保存しますか?": Yes saves under a chosen name.
    bool AskToSaveChanges();
    bool DoSaveAsFromFramework();
    bool SaveAsChosenFile(const CFileDialogEx& dialog, PaneState panes = PaneState::kAll);
    // The project file's bytes; nullopt when the translation text, saved
    // first, could not be written.
    std::optional<std::string> SerializeForSaving(PaneState panes);
    TranslationSave SaveTranslationTo(const CFilePath& path);
    TranslationSave SaveTranslation();
    TranslationSave SaveTranslationAs();
    // The editor shows the file the record names now (empty when there is
    // none yet), from its start.
    void ShowTranslationFile();
    // Reads the translation file again, keeping caret and scroll position.
    void ReloadTranslation();
    // The editor's text was just read from or written to the record's file.
    void WatchTranslationFile();
    bool QuerySaveImageBeforeSwitch();
    void DeleteContents();
    // The dictionary takes the kind and custom program the record names.
    void TakeDictionaryFromProject();
    void SetPathName(const CFilePath& path);
    void SetTitle(const std::string& title);
    void InitialUpdateViews();
    void InitialUpdateEditor();
    void ReportError(const std::string& message);

    CSettings& m_settings;
    CPrompter& m_prompter;
    CAppHost& m_app;
    SaveFunction m_save;

    CSourcePane* m_pSource = nullptr;
    CEditPane* m_pEditor = nullptr;
    CMemoPane* m_pMemo = nullptr;

    CFilePath m_strPathName;
    std::string m_strTitle;
    bool m_bModified = false;
    bool m_bHasDocument = false;  // a project was created or opened once
    CRecentProjects m_recent;
    // The translation file as the editor's text last matched it.
    CEditedFile m_editFile;
};

}  // namespace kelmio
