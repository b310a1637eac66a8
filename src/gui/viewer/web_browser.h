#pragma once
// The source pane's browser, as the rest of the program sees it. The
// engine (wxWebView on WebKitGTK) lives in a module of its own that is
// loaded the first time a page is shown (see browser_module.h), so a
// program that never shows one never loads it. This class is the whole
// contract between the two: the module implements the protected calls in
// the toolkit's terms; the Shift-JIS and path conversions stay here.
//
// Nothing here has a definition the module would need from the program:
// every virtual call is pure or inline, so both sides get their own copy
// of the class's table.

#include <functional>
#include <string>
#include <utility>
#include <wx/string.h>

#include "platform/file_path.h"
#include "viewer/scroll_steps.h"

class wxWebView;
class wxWindow;

namespace kelmio {

class CWebBrowser {
public:
    enum class DocumentKind { kNone, kHtml, kPdf };

    // The control outlives this object for a moment (its parent destroys
    // it later); the engine must not call it back after this.
    virtual ~CWebBrowser() = default;
    CWebBrowser(const CWebBrowser&) = delete;
    CWebBrowser& operator=(const CWebBrowser&) = delete;

    virtual wxWebView& Window() = 0;
    virtual bool IsShown() const = 0;
    virtual void Show(bool show) = 0;

    // A path (Shift-JIS) is shown as its file URL; anything with "://" and
    // "about:blank" as they are. The page's own scripts run as in any browser.
    void Navigate(const CFilePath& location);
    // A page Kelmio wrote itself (a preview page): shown with the page's own
    // scripts off, so nothing a file name carried into it can run. The
    // program's scripts (scrolling, the selection) still run in it.
    void ShowGeneratedPage(const CFilePath& page);
    // The current location; a local file as "file://" and its Shift-JIS path.
    std::string LocationUrl() const;
    // What the loaded document is (HTML page, the PDF viewer, nothing yet).
    virtual DocumentKind Kind() const = 0;
    // The same, as found when the last document finished loading; kNone
    // while a new one loads.
    virtual DocumentKind LoadedKind() const = 0;

    void ScrollBrowser(ScrollOp op);
    // The document's scroll offsets; (0, 0) without a document.
    virtual std::pair<int, int> GetBrowserScroll() = 0;
    virtual void SetBrowserScroll(int x, int y) = 0;
    // What a dictionary lookup takes from the page, as Shift-JIS: the
    // selected text, else the word at the caret (a text field's or the
    // page's), in the frame that has the focus; empty without either.
    std::string GetBrowserSelection();

    virtual void Cut() = 0;
    virtual void Copy() = 0;
    virtual void Paste() = 0;
    virtual void SelectAll() = 0;

    // Called each time a document finished loading.
    virtual void SetLoadedHandler(std::function<void()> handler) = 0;

protected:
    CWebBrowser() = default;

    // `pageScripts`: whether the document's own scripts may run.
    virtual void LoadUrl(const wxString& url, bool pageScripts) = 0;
    virtual wxString CurrentUrl() const = 0;
    // One of the browser's named scroll steps ("scrollbarDown" ...).
    virtual void ScrollByName(const wxString& name) = 0;
    // The page's selection or caret in the form of viewer/page_selection.h.
    virtual wxString SelectionAnswer() = 0;
};

// The one function the module exports: a new browser, hidden, as a child
// of `parent`. The name carries the contract's version: a module built
// from other sources is refused instead of called with another layout.
using BrowserFactory = CWebBrowser* (*)(wxWindow* parent);
inline constexpr const char* kBrowserFactoryName = "KelmioCreateBrowser2";

}  // namespace kelmio
