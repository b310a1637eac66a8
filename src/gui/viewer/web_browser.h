#pragma once
// The source pane's browser: wxWebView (WebKitGTK) with the calls the view
// makes of it. Scroll offsets, named scrolling and the selection are
// reached through scripts run in the page. A PDF is shown by the engine's
// own viewer in a frame of another origin; a script placed in every frame
// scrolls its container when the page sends it a message, so PDFs scroll
// by script like pages do.
//
// The browser never starts a download or another program by itself:
// downloads are cancelled, and only web, file and data locations are
// followed.

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <wx/panel.h>

#include "platform/file_path.h"
#include "viewer/scroll_steps.h"

class wxWebView;
class wxWebViewEvent;

namespace kelmio {

class CPageScripts;

class CWebBrowser {
public:
    enum class DocumentKind { kNone, kHtml, kPdf };

    // Creates the control hidden, as a child of `parent`.
    explicit CWebBrowser(wxWindow* parent);
    // The control outlives this object for a moment (its parent destroys
    // it later); the engine must not call it back after this.
    ~CWebBrowser();
    CWebBrowser(const CWebBrowser&) = delete;
    CWebBrowser& operator=(const CWebBrowser&) = delete;

    wxWebView& Window() { return *m_pView; }
    bool IsShown() const;
    void Show(bool show);

    // A path (Shift-JIS) is shown as its file URL; anything with "://" and
    // "about:blank" as they are.
    void Navigate(const CFilePath& location);
    // The current location; a local file as "file://" and its Shift-JIS path.
    std::string LocationUrl() const;
    // What the loaded document is (HTML page, the PDF viewer, nothing yet).
    DocumentKind Kind() const;
    // The same, as found when the last document finished loading; kNone
    // while a new one loads.
    DocumentKind LoadedKind() const { return m_loadedKind; }

    void ScrollBrowser(ScrollOp op);
    // The document's scroll offsets; (0, 0) without a document.
    std::pair<int, int> GetBrowserScroll();
    void SetBrowserScroll(int x, int y);
    // The selected text as Shift-JIS; empty without a page or a selection.
    std::string GetBrowserSelection();

    void Cut();
    void Copy();
    void Paste();
    void SelectAll();

    // Called each time a document finished loading.
    void SetLoadedHandler(std::function<void()> handler) { m_onLoaded = std::move(handler); }

private:
    std::string Run(const wxString& script) const;
    void OnNavigating(wxWebViewEvent& event);
    void OnLoaded(wxWebViewEvent& event);

    wxWebView* m_pView = nullptr;
    std::unique_ptr<CPageScripts> m_pScripts;
    std::function<void()> m_onLoaded;
    DocumentKind m_loadedKind = DocumentKind::kNone;
};

}  // namespace kelmio
