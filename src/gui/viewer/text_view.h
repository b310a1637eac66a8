#pragma once
// The source viewer, the top pane. It shows the project's current source
// as the core classifies it: in the browser (pages, PDFs, URLs, preview
// pages), as plain text in the text pane (edited and saved back in the
// file's own encoding), as an image (the imaging part's image mode, whose
// commands pass through here), or as a read-only placeholder.

#include <wx/font.h>
#include <wx/timer.h>

#include <functional>
#include <memory>
#include <string>

#include "encoding/text_source.h"
#include "gui/app/pane_view.h"
#include "gui/imaging/image_commands.h"
#include "gui/viewer/browser_module.h"
#include "project/kelmio_data.h"
#include "platform/edited_file.h"
#include "platform/panes.h"
#include "viewer/scroll_steps.h"
#include "viewer/view_mode.h"
#include "viewer/view_settings.h"
#include "viewer/view_state.h"

class wxKeyEvent;

namespace kelmio {

class CImageMode;
class CKelmioDoc;
class CPrompter;
class CREditCtrl;
class CSettings;
class CSPIControl;
class CWebBrowser;

class CTextView final : public CPaneView, public CSourcePane, private CImageViewHost {
public:
    // `plugins` (may be null) decode image formats the library does not.
    CTextView(wxWindow* parent, CSettings& settings, CPrompter& prompter, CSPIControl* plugins = nullptr);
    ~CTextView() override;

    // The document whose source is shown; null detaches it.
    void SetDocument(CKelmioDoc* doc) { m_pDoc = doc; }
    // Where a word to look up goes (the document's dictionary lookup); the
    // two lookup commands are disabled without one.
    using LookupHandler = std::function<void(const std::string& sjisWord)>;
    void SetLookupHandler(LookupHandler handler) { m_lookup = std::move(handler); }

    std::optional<CommandState> QueryCommand(CommandId id) const override;
    bool OnCommand(CommandId id) override;
    void FocusPane() override;

    // CSourcePane
    void SaveViewState(CKelmioPosData& pos) override;
    bool QuerySaveImage() override;
    void OnInitialUpdate() override;
    void OnUpdate(int hint) override;
    bool IsTextModified() const override;
    std::optional<SourceTextEdit> CopyModifiedText() const override;
    bool RestoreModifiedText(const SourceTextEdit& edit) override;
    // Told after each change the user makes to a plain-text source.
    void SetTextChangeHandler(std::function<void()> handler) { m_onTextChange = std::move(handler); }

    // Before the window closes: an edited text is saved or dropped as the
    // "System"/"Save" setting and the user say. When it was to be saved and
    // was not (the user kept characters the file cannot hold, or the file
    // could not be written), the question is asked again: false (the text
    // must stay) unless the user now lets it go.
    bool QuerySaveText();

    // Kelmio has the focus again: a text shown without unsaved changes
    // follows what another program wrote to its file, keeping its scroll
    // position; the text of a file deleted elsewhere is kept as unsaved
    // work.
    void CheckShownFile();

    // What the pane shows, for the tests and the status line.
    ViewMode Mode() const { return m_nMode; }
    bool IsBrowserMode() const { return m_bBrowserMode; }
    CREditCtrl* TextPane() const { return m_pEdit.get(); }
    // The browser, made (and its module loaded) on first use; null when the
    // module cannot be loaded, which the user was told of.
    CWebBrowser* OpenBrowser();
    // The same for callers that cannot go on without it (the tests): throws
    // std::runtime_error with the loader's message instead of null.
    CWebBrowser& Browser();
    // Where the browser module is loaded from; by default the program's
    // own folders.
    void UseBrowserModule(CBrowserModule module);
    bool IsBrowserShown() const;
    const wxFont& SourceFont() const { return m_font; }
    CImageMode& Image() { return *m_pImage; }

private:
    // CImageViewHost
    bool IsImageMode() const override { return m_nMode == ViewMode::kImage; }
    CKelmioData& Project() override;
    CFilePath ProjectPath() const override;
    void ShowSourceAgain() override;
    void SetModified() override;

    void ShowSource();
    void ShowImage(bool memory);
    void LeaveImage();
    void ShowBlank();
    void ShowBrowser(bool show);
    // `generatedPage`: a preview page of ours, shown without page scripts.
    void NavigateBrowser(const CFilePath& location, bool generatedPage = false);
    void ShowBrowserDisplay();
    void ShowPreviewPage(const std::string& body);
    void ShowPlaceholder(const std::string& text);
    void ShowWithoutBrowser();
    void ShowTextFile();
    void ShowRichTextFile();
    // True when the pane's text is in its file (or was read again from it,
    // as the user chose over writing another program's change).
    bool SaveText();
    // Reads the shown text file again, keeping the scroll position.
    void ReloadText();
    void SaveOrDropText();
    // The text pane of the kind asked for; one of the other kind goes.
    CREditCtrl& CreatePane(bool rich = false);
    void DestroyPane();
    void WatchTextChanges(CREditCtrl& pane);

    void Scroll(ScrollOp op);
    void ScrollImage(ScrollOp op);
    void OnBrowserLoaded();
    void OnRestoreTimer(wxTimerEvent& event);
    void OnCharHook(wxKeyEvent& event);
    void OnContextMenu(wxContextMenuEvent& event);
    void OnFocusIn();
    void ShowSourceStatus();
    void LayoutChildren();

    void OnFind();
    void OnFindNext();
    void OnReplace();
    void OnFontCommand();
    void OnSourceSettings();
    void ToggleBrowserMode();
    void ShowNotFound();
    void LookupSelection();
    void OnFormatCommand(CommandId id);
    void LookupClipboard();

    CSettings& m_settings;
    CPrompter& m_prompter;
    CKelmioDoc* m_pDoc = nullptr;
    LookupHandler m_lookup;
    std::unique_ptr<CREditCtrl> m_pEdit;
    CBrowserModule m_browserModule;
    std::unique_ptr<CWebBrowser> m_pBrowser;
    bool m_bBrowserUnavailable = false;  // the module failed to load; not tried again
    CSPIControl* m_pPlugins;
    std::unique_ptr<CImageMode> m_pImage;  // its canvas is shown while an image is the source
    CKelmioData m_noProject;  // what the image commands see while no document is attached
    CViewSettings m_view;
    bool m_bBrowserMode;
    CFilePath m_strPath;  // the source shown: a file or a URL
    ViewMode m_nMode = ViewMode::kText;
    wxFont m_font;
    TextSourceKind m_kind;
    std::string m_strFind;      // UTF-8, as the pane searches
    std::string m_strReplace;
    bool m_bPlainSource = false;  // the text pane shows the source file as plain text
    std::function<void()> m_onTextChange;
    std::string m_strRtfLosses;  // what saving the shown RTF would drop; empty when nothing
    CEditedFile m_shownFile;     // the file the pane's text was read from or saved to

    // The page position to set once the page has loaded.
    bool m_bRestorePending = false;
    int m_nRestoreX = 0;
    int m_nRestoreY = 0;
    int m_nRestoreTries = 0;
    wxTimer m_restoreTimer;
};

}  // namespace kelmio
