#pragma once
// The browser on wxWebView (WebKitGTK), built into the browser module.
// Scroll offsets, named scrolling and the selection are reached through
// scripts run in the page; frames report their selection to the page. A PDF is shown by the engine's own viewer in a
// frame of another origin; a script placed in every frame scrolls its
// container when the page sends it a message, so PDFs scroll by script
// like pages do.
//
// The browser never starts a download or another program by itself:
// downloads are cancelled, and only web, file and data locations are
// followed.

#include <functional>
#include <memory>
#include <string>

#include "gui/viewer/web_browser.h"

class wxWebViewEvent;

namespace kelmio {

class CPageScripts;

class CWebKitBrowser final : public CWebBrowser {
public:
    // Creates the control hidden, as a child of `parent`.
    explicit CWebKitBrowser(wxWindow* parent);
    ~CWebKitBrowser() override;

    wxWebView& Window() override { return *m_pView; }
    bool IsShown() const override;
    void Show(bool show) override;
    DocumentKind Kind() const override;
    DocumentKind LoadedKind() const override { return m_loadedKind; }
    std::pair<int, int> GetBrowserScroll() override;
    void SetBrowserScroll(int x, int y) override;
    void Cut() override;
    void Copy() override;
    void Paste() override;
    void SelectAll() override;
    void SetLoadedHandler(std::function<void()> handler) override { m_onLoaded = std::move(handler); }

private:
    void LoadUrl(const wxString& url, bool pageScripts) override;
    wxString CurrentUrl() const override;
    void ScrollByName(const wxString& name) override;
    wxString SelectionAnswer() override;

    // The script's value as UTF-8; empty when it gave none.
    std::string Run(const wxString& script) const;
    void OnNavigating(wxWebViewEvent& event);
    void OnLoaded(wxWebViewEvent& event);

    wxWebView* m_pView = nullptr;
    std::unique_ptr<CPageScripts> m_pScripts;
    std::function<void()> m_onLoaded;
    DocumentKind m_loadedKind = DocumentKind::kNone;
};

}  // namespace kelmio
