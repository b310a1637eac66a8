#pragma once
// What the browser needs from WebKitGTK beyond wxWebView: the default
// character set, a script in every frame (the PDF viewer runs in a frame
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
