#include "gui/viewer/webkit_native.h"

#include <dlfcn.h>
#include <wx/webview.h>

namespace kelmio {
namespace {

template <typename Function>
Function Lookup(const char* name) {
    return reinterpret_cast<Function>(::dlsym(RTLD_DEFAULT, name));
}

void* NativeView(wxWebView& view) {
#ifdef __WXGTK__
    return view.GetNativeBackend();
#else
    (void)view;
    return nullptr;
#endif
}

// WebKitGTK's enums: inject into all frames, at the end of the document.
constexpr int kInjectAllFrames = 0;
constexpr int kInjectAtDocumentEnd = 1;

void CancelDownload(void* /*context*/, void* download, void* /*data*/) {
    using Cancel = void (*)(void*);
    if (auto cancel = Lookup<Cancel>("webkit_download_cancel")) cancel(download);
}

}  // namespace

void SetDefaultCharset(wxWebView& view, const char* charset) {
    using GetSettings = void* (*)(void*);
    using SetCharset = void (*)(void*, const char*);
    const auto getSettings = Lookup<GetSettings>("webkit_web_view_get_settings");
    const auto setCharset = Lookup<SetCharset>("webkit_settings_set_default_charset");
    void* native = NativeView(view);
    if (getSettings == nullptr || setCharset == nullptr || native == nullptr) return;
    setCharset(getSettings(native), charset);
}

void AddScriptToAllFrames(wxWebView& view, const char* source) {
    using GetManager = void* (*)(void*);
    using NewScript = void* (*)(const char*, int, int, const char* const*, const char* const*);
    using AddScript = void (*)(void*, void*);
    using Unref = void (*)(void*);
    const auto getManager = Lookup<GetManager>("webkit_web_view_get_user_content_manager");
    const auto newScript = Lookup<NewScript>("webkit_user_script_new");
    const auto addScript = Lookup<AddScript>("webkit_user_content_manager_add_script");
    const auto unref = Lookup<Unref>("webkit_user_script_unref");
    void* native = NativeView(view);
    if (getManager == nullptr || newScript == nullptr || addScript == nullptr || native == nullptr) return;
    void* script = newScript(source, kInjectAllFrames, kInjectAtDocumentEnd, nullptr, nullptr);
    addScript(getManager(native), script);
    if (unref != nullptr) unref(script);
}

void DisconnectEngineSignals(wxWebView& view) {
    using DisconnectMatched = unsigned (*)(void*, int, unsigned, unsigned, void*, void*, void*);
    using GetObject = void* (*)(void*);
    constexpr int kMatchData = 1 << 4;  // G_SIGNAL_MATCH_DATA
    const auto disconnect = Lookup<DisconnectMatched>("g_signal_handlers_disconnect_matched");
    void* native = NativeView(view);
    if (disconnect == nullptr || native == nullptr) return;
    disconnect(native, kMatchData, 0, 0, nullptr, nullptr, &view);
    // The control also listens to objects the engine shares between views.
    for (const char* getter : {"webkit_web_view_get_context", "webkit_web_view_get_user_content_manager",
                               "webkit_web_view_get_find_controller", "webkit_web_view_get_settings"}) {
        if (const auto get = Lookup<GetObject>(getter)) {
            if (void* object = get(native)) disconnect(object, kMatchData, 0, 0, nullptr, nullptr, &view);
        }
    }
}

void RefuseDownloads(wxWebView& view) {
    using GetContext = void* (*)(void*);
    using Callback = void (*)(void*, void*, void*);
    using Connect = unsigned long (*)(void*, const char*, Callback, void*, void*, int);
    const auto getContext = Lookup<GetContext>("webkit_web_view_get_context");
    const auto connect = Lookup<Connect>("g_signal_connect_data");
    void* native = NativeView(view);
    if (getContext == nullptr || connect == nullptr || native == nullptr) return;
    connect(getContext(native), "download-started", &CancelDownload, nullptr, nullptr, 0);
}

}  // namespace kelmio
