#pragma once
// What the browser needs from WebKitGTK beyond wxWebView: the default
// character set, the page's own scripts on or off, a script in every frame (the PDF viewer runs in a frame
// of its own origin), and no downloads started behind the user's back.
//
// The calls are looked up in the already loaded WebKit library at run
// time, so no WebKit headers are needed; a backend without them (another
// platform, another engine) simply goes without.

class wxWebView;

namespace kelmio {

// A function of the loaded engine or its GLib by name; null when absent.
void* EngineSymbol(const char* name);
template <typename Function>
Function EngineCall(const char* name) {
    return reinterpret_cast<Function>(EngineSymbol(name));
}

// The engine's own view behind the control; null on another backend.
void* NativeView(wxWebView& view);

// Pages without a declaration are read as this character set.
void SetDefaultCharset(wxWebView& view, const char* charset);

// Whether the document's own scripts run (script elements, event handler
// attributes, "javascript:" links); scripts the program runs in the page
// run either way.
void EnablePageScripts(wxWebView& view, bool enable);

// Tells the control and its parents (wxEVT_CHILD_FOCUS) each time the
// engine's view, or a widget inside it, takes the keyboard focus. The
// toolkit's own focus events stop at the scrolled window it puts around the
// engine's view, so without this the window never learns that a click put
// the focus into the page.
void ReportFocus(wxWebView& view);

// Runs `source` at the end of loading in every frame of every page.
void AddScriptToAllFrames(wxWebView& view, const char* source);

// Before the control goes: disconnects every handler the engine objects
// hold for it (its view, the find controller, and the user content
// manager and web context, which are shared between views) and stops the
// load, so no signal reaches the control after it was destroyed.
void DisconnectEngineSignals(wxWebView& view);

// Cancels every download the engine would start (attachments, files it
// cannot show), so the browser never saves or hands on a file by itself.
void RefuseDownloads(wxWebView& view);

}  // namespace kelmio
