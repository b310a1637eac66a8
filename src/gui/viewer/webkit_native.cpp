#include "gui/viewer/webkit_native.h"

#include <dlfcn.h>
#include <wx/event.h>
#include <wx/webview.h>

namespace kelmio {
namespace {

// WebKitGTK's enums: inject into all frames, at the end of the document.
constexpr int kInjectAllFrames = 0;
constexpr int kInjectAtDocumentEnd = 1;

// GLib's signal matching: by the handler's data, by the signal.
constexpr int kMatchId = 1 << 0;
constexpr int kMatchData = 1 << 4;

using DisconnectMatched = unsigned (*)(void*, int, unsigned, unsigned, void*, void*, void*);

void CancelDownload(void* /*context*/, void* download, void* /*data*/) {
    using Cancel = void (*)(void*);
    if (auto cancel = EngineCall<Cancel>("webkit_download_cancel")) cancel(download);
}

// The find controller's match counter writes into the control itself (its
// data is a member, not the control), so a by-data match misses it. The
// controller belongs to this view alone: all its counters go.
void DisconnectMatchCounter(void* native, DisconnectMatched disconnect) {
    using GetObject = void* (*)(void*);
    using GetType = unsigned long (*)();
    using LookupSignal = unsigned (*)(const char*, unsigned long);
    const auto getFinder = EngineCall<GetObject>("webkit_web_view_get_find_controller");
    const auto finderType = EngineCall<GetType>("webkit_find_controller_get_type");
    const auto lookup = EngineCall<LookupSignal>("g_signal_lookup");
    if (getFinder == nullptr || finderType == nullptr || lookup == nullptr) return;
    void* finder = getFinder(native);
    const unsigned counted = lookup("counted-matches", finderType());
    if (finder != nullptr && counted != 0) disconnect(finder, kMatchId, counted, 0, nullptr, nullptr, nullptr);
}

void TellFocus(wxWebView& view) {
    if (view.IsBeingDeleted()) return;
    wxChildFocusEvent event(&view);
    view.HandleWindowEvent(event);
}

int OnFocusIn(void* /*widget*/, void* /*event*/, void* data) {
    TellFocus(*static_cast<wxWebView*>(data));
    return 0;  // the engine handles the focus as usual
}

void OnFocusChild(void* /*container*/, void* child, void* data) {
    if (child != nullptr) TellFocus(*static_cast<wxWebView*>(data));
}

}  // namespace

void* EngineSymbol(const char* name) { return ::dlsym(RTLD_DEFAULT, name); }

void* NativeView(wxWebView& view) {
#ifdef __WXGTK__
    return view.GetNativeBackend();
#else
    (void)view;
    return nullptr;
#endif
}

void SetDefaultCharset(wxWebView& view, const char* charset) {
    using GetSettings = void* (*)(void*);
    using SetCharset = void (*)(void*, const char*);
    const auto getSettings = EngineCall<GetSettings>("webkit_web_view_get_settings");
    const auto setCharset = EngineCall<SetCharset>("webkit_settings_set_default_charset");
    void* native = NativeView(view);
    if (getSettings == nullptr || setCharset == nullptr || native == nullptr) return;
    setCharset(getSettings(native), charset);
}

void EnablePageScripts(wxWebView& view, bool enable) {
    using GetSettings = void* (*)(void*);
    using SetFlag = void (*)(void*, int);
    const auto getSettings = EngineCall<GetSettings>("webkit_web_view_get_settings");
    const auto setMarkup = EngineCall<SetFlag>("webkit_settings_set_enable_javascript_markup");
    void* native = NativeView(view);
    if (getSettings == nullptr || setMarkup == nullptr || native == nullptr) return;
    setMarkup(getSettings(native), enable ? 1 : 0);
}

void ReportFocus(wxWebView& view) {
    using Callback = void (*)();
    using Connect = unsigned long (*)(void*, const char*, Callback, void*, void*, int);
    const auto connect = EngineCall<Connect>("g_signal_connect_data");
    void* native = NativeView(view);
    if (connect == nullptr || native == nullptr) return;
    // The control is the handlers' data, so DisconnectEngineSignals removes them.
    connect(native, "focus-in-event", reinterpret_cast<Callback>(&OnFocusIn), &view, nullptr, 0);
    connect(native, "set-focus-child", reinterpret_cast<Callback>(&OnFocusChild), &view, nullptr, 0);
}

void AddScriptToAllFrames(wxWebView& view, const char* source) {
    using GetManager = void* (*)(void*);
    using NewScript = void* (*)(const char*, int, int, const char* const*, const char* const*);
    using AddScript = void (*)(void*, void*);
    using Unref = void (*)(void*);
    const auto getManager = EngineCall<GetManager>("webkit_web_view_get_user_content_manager");
    const auto newScript = EngineCall<NewScript>("webkit_user_script_new");
    const auto addScript = EngineCall<AddScript>("webkit_user_content_manager_add_script");
    const auto unref = EngineCall<Unref>("webkit_user_script_unref");
    void* native = NativeView(view);
    if (getManager == nullptr || newScript == nullptr || addScript == nullptr || native == nullptr) return;
    void* script = newScript(source, kInjectAllFrames, kInjectAtDocumentEnd, nullptr, nullptr);
    addScript(getManager(native), script);
    if (unref != nullptr) unref(script);
}

void DisconnectEngineSignals(wxWebView& view) {
    using GetObject = void* (*)(void*);
    using StopLoading = void (*)(void*);
    const auto disconnect = EngineCall<DisconnectMatched>("g_signal_handlers_disconnect_matched");
    void* native = NativeView(view);
    if (disconnect == nullptr || native == nullptr) return;
    disconnect(native, kMatchData, 0, 0, nullptr, nullptr, &view);
    // The control also listens to objects the engine shares between views;
    // our own download handler on the web context carries the control as
    // its data for this reason.
    for (const char* getter : {"webkit_web_view_get_context", "webkit_web_view_get_user_content_manager",
                               "webkit_web_view_get_find_controller", "webkit_web_view_get_settings"}) {
        if (const auto get = EngineCall<GetObject>(getter)) {
            if (void* object = get(native)) disconnect(object, kMatchData, 0, 0, nullptr, nullptr, &view);
        }
    }
    DisconnectMatchCounter(native, disconnect);
    // With no handler left, a load still running ends in the engine alone.
    if (const auto stop = EngineCall<StopLoading>("webkit_web_view_stop_loading")) stop(native);
}

void RefuseDownloads(wxWebView& view) {
    using GetContext = void* (*)(void*);
    using Callback = void (*)(void*, void*, void*);
    using Connect = unsigned long (*)(void*, const char*, Callback, void*, void*, int);
    const auto getContext = EngineCall<GetContext>("webkit_web_view_get_context");
    const auto connect = EngineCall<Connect>("g_signal_connect_data");
    void* native = NativeView(view);
    if (getContext == nullptr || connect == nullptr || native == nullptr) return;
    // The context is shared and outlives the view: the control is the
    // handler's data (never read) so DisconnectEngineSignals removes it,
    // and handlers do not pile up as browsers come and go.
    connect(getContext(native), "download-started", &CancelDownload, &view, nullptr, 0);
}

}  // namespace kelmio
