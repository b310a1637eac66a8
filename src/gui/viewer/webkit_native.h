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

// Pages without a declaration are read as this character set.
void SetDefaultCharset(wxWebView& view, const char* charset);

// Runs `source` at the end of loading in every frame of every page.
void AddScriptToAllFrames(wxWebView& view, const char* source);

// Disconnects the engine's signals from the wx control before it goes:
// the engine may end a load while its widget is being destroyed, and would
// then call into a control that no longer exists.
void DisconnectEngineSignals(wxWebView& view);

// Cancels every download the engine would start (attachments, files it
// cannot show), so the browser never saves or hands on a file by itself.
void RefuseDownloads(wxWebView& view);

}  // namespace kelmio
