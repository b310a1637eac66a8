#include "gui/viewer/webkit_browser.h"

#include <chrono>
#include <cstdio>
#include <optional>
#include <stdexcept>
#include <wx/webview.h>

#include "gui/viewer/page_scripts.h"
#include "gui/viewer/webkit_native.h"

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

// What a lookup takes from a document (page_selection.h): the selection,
// else the caret in a text field or in the text, with the characters
// before it counted.
constexpr const char* kSelectionFunction =
    "function kelmioSelection() {"
    "  var e = document.activeElement, text, at, end;"
    "  if (e && (e.tagName === 'TEXTAREA' || (e.tagName === 'INPUT' && e.type !== 'password')) &&"
    "      typeof e.selectionStart === 'number') {"
    "    text = e.value; at = e.selectionStart; end = e.selectionEnd;"
    "  } else {"
    "    var s = window.getSelection(); if (!s || s.rangeCount === 0) return '';"
    "    if (!s.isCollapsed) return 'S' + s.toString();"
    "    var n = s.focusNode; if (!n || n.nodeType !== 3) return '';"
    "    text = n.data; at = end = s.focusOffset;"
    "  }"
    "  if (at !== end) return 'S' + text.substring(Math.min(at, end), Math.max(at, end));"
    "  return 'C' + Array.from(text.substring(0, at)).length + ':' + text;"
    "}";

// Frames (a frameset, an inline frame) are often of another origin, which
// the page cannot read: each tells the top page what it holds whenever that
// changes, and the top keeps the latest for when the focus is in a frame.
constexpr const char* kSelectionWatch =
    "(function() {"
    "  if (window.kelmioSelectionWatch) return;"
    "  window.kelmioSelectionWatch = true;"
    "  if (window === window.top) {"
    "    window.addEventListener('message', function(e) {"
    "      if (e.data && typeof e.data.kelmioSelection === 'string') window.kelmioFrameSelection = e.data.kelmioSelection;"
    "    });"
    "    return;"
    "  }"
    "  var tell = function() { window.top.postMessage({kelmioSelection: kelmioSelection()}, '*'); };"
    "  document.addEventListener('selectionchange', tell);"
    "  document.addEventListener('mouseup', tell);"
    "  document.addEventListener('keyup', tell);"
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

CWebKitBrowser::CWebKitBrowser(wxWindow* parent) {
    m_pView = wxWebView::New(parent, 400, wxString());
    if (m_pView == nullptr) throw std::runtime_error("no web engine");
    m_pView->Hide();
    m_pScripts = std::make_unique<CPageScripts>(*m_pView);
    SetDefaultCharset(*m_pView, "Shift_JIS");
    AddScriptToAllFrames(*m_pView,
                         (std::string(kStepFunction) + kFrameScript + kSelectionFunction + kSelectionWatch).c_str());
    ReportFocus(*m_pView);
    RefuseDownloads(*m_pView);
    m_pView->EnableContextMenu(true);
    m_pView->Bind(wxEVT_WEBVIEW_NAVIGATING, &CWebKitBrowser::OnNavigating, this);
    m_pView->Bind(wxEVT_WEBVIEW_NEWWINDOW, [](wxWebViewEvent& event) { event.Veto(); });
    m_pView->Bind(wxEVT_WEBVIEW_LOADED, &CWebKitBrowser::OnLoaded, this);
}

CWebKitBrowser::~CWebKitBrowser() {
    m_pView->Unbind(wxEVT_WEBVIEW_NAVIGATING, &CWebKitBrowser::OnNavigating, this);
    m_pView->Unbind(wxEVT_WEBVIEW_LOADED, &CWebKitBrowser::OnLoaded, this);
    DisconnectEngineSignals(*m_pView);
    // Script calls still pending are cancelled while the engine's view is
    // certainly alive; their answers go to their own records.
    m_pScripts.reset();
}

bool CWebKitBrowser::IsShown() const { return m_pView->IsShown(); }

void CWebKitBrowser::Show(bool show) {
    m_pView->Show(show);
    if (show) m_pView->SetFocus();
}

// Mail links and other schemes would start another program.
void CWebKitBrowser::OnNavigating(wxWebViewEvent& event) {
    if (!IsFollowed(event.GetURL())) event.Veto();
}

void CWebKitBrowser::OnLoaded(wxWebViewEvent& event) {
    event.Skip();
    // The engine ends a load while its window is being destroyed; no
    // script can run in it then.
    if (m_pView->IsBeingDeleted()) return;
    m_loadedKind = Kind();
    if (m_onLoaded) m_onLoaded();
}

void CWebKitBrowser::LoadUrl(const wxString& url, bool pageScripts) {
    m_loadedKind = DocumentKind::kNone;
    // Set before the load starts, so the new document is made with it.
    EnablePageScripts(*m_pView, pageScripts);
    m_pView->LoadURL(url);
}

wxString CWebKitBrowser::CurrentUrl() const { return m_pView->GetCurrentURL(); }

std::string CWebKitBrowser::Run(const wxString& script) const {
    const std::optional<std::string> result = m_pScripts->Run(script.utf8_string(), kScriptLimit);
    return result.value_or(std::string());
}

CWebBrowser::DocumentKind CWebKitBrowser::Kind() const {
    const std::string kind = Run(Script("(function() { return kelmioPdf() ? 'pdf' : (document.body ? 'html' : ''); })()"));
    if (kind == "pdf") return DocumentKind::kPdf;
    return kind == "html" ? DocumentKind::kHtml : DocumentKind::kNone;
}

void CWebKitBrowser::ScrollByName(const wxString& name) {
    Run(Script("(function(n) {"
               "  var pdf = kelmioPdf(); if (pdf) { pdf.postMessage({kelmio: 'scroll', name: n}, '*'); return ''; }"
               "  var s = document.scrollingElement || document.body; if (s) kelmioStep(s, n); return '';"
               "})('") + name + "')");
}

std::pair<int, int> CWebKitBrowser::GetBrowserScroll() {
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

void CWebKitBrowser::SetBrowserScroll(int x, int y) {
    Run(Script("(function(x, y) {"
               "  var pdf = kelmioPdf(); if (pdf) { pdf.postMessage({kelmio: 'set', x: x, y: y}, '*'); return ''; }"
               "  var s = document.scrollingElement || document.body; if (s) { s.scrollTop = y; s.scrollLeft = x; } return '';"
               "})(") + wxString::Format("%d, %d)", x, y));
    m_pView->Refresh();
    m_pView->Update();
}

wxString CWebKitBrowser::SelectionAnswer() {
    return wxString::FromUTF8(Run(wxString::FromUTF8(kSelectionFunction) +
                                  "(function() {"
                                  "  var e = document.activeElement;"
                                  "  if (e && (e.tagName === 'IFRAME' || e.tagName === 'FRAME')) return window.kelmioFrameSelection || '';"
                                  "  return kelmioSelection();"
                                  "})()"));
}

void CWebKitBrowser::Cut() { m_pView->Cut(); }
void CWebKitBrowser::Copy() { m_pView->Copy(); }
void CWebKitBrowser::Paste() { m_pView->Paste(); }
void CWebKitBrowser::SelectAll() { m_pView->SelectAll(); }

}  // namespace kelmio

// The module's one entry point. A failure to start the engine must not
// unwind into the program that loaded it.
extern "C" __attribute__((visibility("default"))) kelmio::CWebBrowser* KelmioCreateBrowser2(wxWindow* parent) {
    try {
        return new kelmio::CWebKitBrowser(parent);
    } catch (...) {
        return nullptr;
    }
}
