#include "gui/viewer/web_browser.h"

#include <chrono>
#include <optional>
#include <wx/filename.h>
#include <wx/uri.h>
#include <wx/utils.h>
#include <wx/webview.h>

#include "gui/viewer/page_scripts.h"
#include "gui/viewer/webkit_native.h"
#include "gui/platform/wx_text.h"

namespace kelmio {
namespace {

// Our scripts take milliseconds; an engine still busy with a heavy page
// may need longer, one that does not answer at all must not hang the view.
constexpr std::chrono::milliseconds kScriptLimit{10000};

// The named scroll steps on a scrolling element: a line is 40 pixels and
// a page the element's height less a line, as a browser's scroll bar does.
constexpr const char* kStepFunction =
    "function kelmioStep(s, n) {"
    "  var line = 40, page = Math.max(s.clientHeight - line, line), wide = Math.max(s.clientWidth - line, line);"
    "  switch (n) {"
    "    case 'scrollbarUp': s.scrollTop -= line; break;"
    "    case 'scrollbarDown': s.scrollTop += line; break;"
    "    case 'scrollbarLeft': s.scrollLeft -= line; break;"
    "    case 'scrollbarRight': s.scrollLeft += line; break;"
    "    case 'scrollbarPageUp': s.scrollTop -= page; break;"
    "    case 'scrollbarPageDown': s.scrollTop += page; break;"
    "  }"
    "}";

// Runs in every frame: the PDF viewer's frame takes scroll requests from
// the page around it and answers with its position.
constexpr const char* kFrameScript =
    "(function() {"
    "  if (window === window.top || window.kelmioFrame) return;"
    "  window.kelmioFrame = true;"
    "  window.addEventListener('message', function(e) {"
    "    var d = e.data; if (!d || !d.kelmio) return;"
    "    var s = document.getElementById('viewerContainer') || document.scrollingElement; if (!s) return;"
    "    if (d.kelmio === 'scroll') kelmioStep(s, d.name);"
    "    if (d.kelmio === 'set') { s.scrollTop = d.y; s.scrollLeft = d.x; }"
    "    window.parent.postMessage({kelmioPos: [Math.round(s.scrollLeft), Math.round(s.scrollTop)]}, '*');"
    "  });"
    "})();";

// In the page: the PDF viewer's frame, with a listener for its answers.
constexpr const char* kPdfFrame =
    "function kelmioPdf() {"
    "  var f = document.querySelector('iframe[src^=\"webkit-pdfjs-viewer:\"]'); if (!f) return null;"
    "  if (!window.kelmioListening) {"
    "    window.kelmioListening = true;"
    "    window.addEventListener('message', function(e) { if (e.data && e.data.kelmioPos) window.kelmioPos = e.data.kelmioPos; });"
    "  }"
    "  return f.contentWindow;"
    "}";

wxString Script(const char* body) { return wxString::FromUTF8(kPdfFrame) + wxString::FromUTF8(kStepFunction) + wxString::FromUTF8(body); }

bool IsFollowed(const wxString& url) {
    static const char* const schemes[] = {"http:", "https:", "file:", "about:", "data:", "webkit-pdfjs-viewer:"};
    for (const char* scheme : schemes) {
        if (url.Lower().StartsWith(scheme)) return true;
    }
    return false;
}

}  // namespace

CWebBrowser::CWebBrowser(wxWindow* parent) {
    m_pView = wxWebView::New(parent, 400, wxString());
    m_pView->Hide();
    m_pScripts = std::make_unique<CPageScripts>(*m_pView);
    SetDefaultCharset(*m_pView, "Shift_JIS");
    AddScriptToAllFrames(*m_pView, (std::string(kStepFunction) + kFrameScript).c_str());
    RefuseDownloads(*m_pView);
    m_pView->EnableContextMenu(true);
    m_pView->Bind(wxEVT_WEBVIEW_NAVIGATING, &CWebBrowser::OnNavigating, this);
    m_pView->Bind(wxEVT_WEBVIEW_NEWWINDOW, [](wxWebViewEvent& event) { event.Veto(); });
    m_pView->Bind(wxEVT_WEBVIEW_LOADED, &CWebBrowser::OnLoaded, this);
}

CWebBrowser::~CWebBrowser() {
    m_pView->Unbind(wxEVT_WEBVIEW_NAVIGATING, &CWebBrowser::OnNavigating, this);
    m_pView->Unbind(wxEVT_WEBVIEW_LOADED, &CWebBrowser::OnLoaded, this);
    DisconnectEngineSignals(*m_pView);
    // Script calls still pending are cancelled while the engine's view is
    // certainly alive; their answers go to their own records.
    m_pScripts.reset();
}

bool CWebBrowser::IsShown() const { return m_pView->IsShown(); }

void CWebBrowser::Show(bool show) {
    m_pView->Show(show);
    if (show) m_pView->SetFocus();
}

// Mail links and other schemes would start another program.
void CWebBrowser::OnNavigating(wxWebViewEvent& event) {
    if (!IsFollowed(event.GetURL())) event.Veto();
}

void CWebBrowser::OnLoaded(wxWebViewEvent& event) {
    event.Skip();
    // The engine ends a load while its window is being destroyed; no
    // script can run in it then.
    if (m_pView->IsBeingDeleted()) return;
    m_loadedKind = Kind();
    if (m_onLoaded) m_onLoaded();
}

void CWebBrowser::Navigate(const CFilePath& location) {
    m_loadedKind = DocumentKind::kNone;
    const std::string& native = location.Native();
    if (native.find("://") != std::string::npos || native.rfind("about:", 0) == 0) {
        m_pView->LoadURL(wxString::FromUTF8(native));
        return;
    }
    m_pView->LoadURL(wxFileName::FileNameToURL(wxFileName(ToWxPath(location))));
}

std::string CWebBrowser::LocationUrl() const {
    const wxString url = m_pView->GetCurrentURL();
    if (url.Lower().StartsWith("file:")) {
        return "file://" + FromWxPath(wxFileName::URLToFileName(url).GetFullPath()).Display();
    }
    return FromWx(url);
}

std::string CWebBrowser::Run(const wxString& script) const {
    const std::optional<std::string> result = m_pScripts->Run(script.utf8_string(), kScriptLimit);
    return result ? FromWx(wxString::FromUTF8(*result)) : std::string();
}

CWebBrowser::DocumentKind CWebBrowser::Kind() const {
    const std::string kind = Run(Script("(function() { return kelmioPdf() ? 'pdf' : (document.body ? 'html' : ''); })()"));
    if (kind == "pdf") return DocumentKind::kPdf;
    return kind == "html" ? DocumentKind::kHtml : DocumentKind::kNone;
}

void CWebBrowser::ScrollBrowser(ScrollOp op) {
    const wxString name = wxString::FromUTF8(std::string(BrowserScrollName(op)));
    Run(Script("(function(n) {"
               "  var pdf = kelmioPdf(); if (pdf) { pdf.postMessage({kelmio: 'scroll', name: n}, '*'); return ''; }"
               "  var s = document.scrollingElement || document.body; if (s) kelmioStep(s, n); return '';"
               "})('") + name + "')");
}

std::pair<int, int> CWebBrowser::GetBrowserScroll() {
    const wxString read = Script(
        "(function() {"
        "  var pdf = kelmioPdf();"
        "  if (pdf) { var p = window.kelmioPos; window.kelmioPos = null; pdf.postMessage({kelmio: 'get'}, '*'); return p ? 'pdf ' + p[0] + ',' + p[1] : 'pdf'; }"
        "  var s = document.scrollingElement || document.body; return s ? Math.round(s.scrollLeft) + ',' + Math.round(s.scrollTop) : '0,0';"
        "})()");
    std::string answer = Run(read);
    // The PDF frame answers by message, a moment later.
    for (int wait = 0; answer == "pdf" && wait < 50; ++wait) {
        CPageScripts::LetEngineWork(std::chrono::milliseconds(10));
        answer = Run(Script("(function() { var p = window.kelmioPos; return p ? 'pdf ' + p[0] + ',' + p[1] : 'pdf'; })()"));
    }
    if (answer.rfind("pdf ", 0) == 0) answer = answer.substr(4);
    int x = 0;
    int y = 0;
    if (std::sscanf(answer.c_str(), "%d,%d", &x, &y) != 2) return {0, 0};
    return {x, y};
}

void CWebBrowser::SetBrowserScroll(int x, int y) {
    Run(Script("(function(x, y) {"
               "  var pdf = kelmioPdf(); if (pdf) { pdf.postMessage({kelmio: 'set', x: x, y: y}, '*'); return ''; }"
               "  var s = document.scrollingElement || document.body; if (s) { s.scrollTop = y; s.scrollLeft = x; } return '';"
               "})(") + wxString::Format("%d, %d)", x, y));
    m_pView->Refresh();
    m_pView->Update();
}

std::string CWebBrowser::GetBrowserSelection() {
    return Run("(function() { var s = window.getSelection(); return s ? s.toString() : ''; })()");
}

void CWebBrowser::Cut() { m_pView->Cut(); }
void CWebBrowser::Copy() { m_pView->Copy(); }
void CWebBrowser::Paste() { m_pView->Paste(); }
void CWebBrowser::SelectAll() { m_pView->SelectAll(); }

}  // namespace kelmio
