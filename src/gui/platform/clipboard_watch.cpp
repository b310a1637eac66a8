#include "gui/platform/clipboard_watch.h"

#include <wx/clipbrd.h>

#include <utility>

#ifdef __WXGTK3__
#include "gui/platform/toolkit_symbol.h"
#endif

namespace kelmio {

namespace {

// The text format the editor pastes.
bool ClipboardHasTextNow() {
    const wxClipboardLocker locker;
    if (!locker) return false;
    return wxTheClipboard->IsSupported(wxDF_UNICODETEXT);
}

#ifdef __WXGTK3__
using ClipboardGet = void* (*)(void* selection);
using SignalConnect = unsigned long (*)(void* instance, const char* signal, void (*handler)(), void* data,
                                        void* destroyData, int flags);
using SignalDisconnect = void (*)(void* instance, unsigned long handler);

void* const kClipboardSelection = reinterpret_cast<void*>(69);  // GDK_SELECTION_CLIPBOARD

void* Clipboard() {
    const auto get = ToolkitFunction<ClipboardGet>("gtk_clipboard_get");
    return get != nullptr ? get(kClipboardSelection) : nullptr;
}

void OnOwnerChange(void* /*clipboard*/, void* /*event*/, void* watch) {
    static_cast<CClipboardWatch*>(watch)->Ask();
}
#endif

}  // namespace

namespace {
constexpr int kRetryMs = 50;
}  // namespace

CClipboardWatch::CClipboardWatch() : m_retry(this) {
    Bind(wxEVT_CLIPBOARD_CHANGED, &CClipboardWatch::OnAnswer, this);
    Bind(wxEVT_TIMER, [this](wxTimerEvent&) { Ask(); });
#ifdef __WXGTK3__
    const auto connect = ToolkitFunction<SignalConnect>("g_signal_connect_data");
    void* clipboard = Clipboard();
    if (connect == nullptr || clipboard == nullptr) return;
    m_nHandler = connect(clipboard, "owner-change", reinterpret_cast<void (*)()>(&OnOwnerChange), this, nullptr, 0);
    m_bWatching = m_nHandler != 0;
    if (m_bWatching) Ask();
#endif
}

CClipboardWatch::~CClipboardWatch() {
#ifdef __WXGTK3__
    const auto disconnect = ToolkitFunction<SignalDisconnect>("g_signal_handler_disconnect");
    void* clipboard = Clipboard();
    if (m_nHandler != 0 && disconnect != nullptr && clipboard != nullptr) disconnect(clipboard, m_nHandler);
#endif
}

bool CClipboardWatch::HasText() const { return m_bWatching ? m_bHasText : ClipboardHasTextNow(); }

void CClipboardWatch::Ask() {
    if (m_bAsking) {
        m_bAskAgain = true;
        return;
    }
    wxTheClipboard->UsePrimarySelection(false);
    m_bAsking = wxTheClipboard->IsSupportedAsync(this);
    if (!m_bAsking) m_retry.StartOnce(kRetryMs);
}

void CClipboardWatch::OnAnswer(wxClipboardEvent& event) {
    m_bAsking = false;
    m_bHasText = event.SupportsFormat(wxDF_UNICODETEXT);
    if (std::exchange(m_bAskAgain, false)) Ask();
}

}  // namespace kelmio
