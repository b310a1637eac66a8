#include "gui/platform/file_chooser_type.h"

#include <wx/filedlg.h>

#include "gui/platform/toolkit_symbol.h"

namespace kelmio {

#ifdef __WXGTK__
namespace {

using NotifyCallback = void (*)(void*, void*, void*);
using SignalConnectData = unsigned long (*)(void* instance, const char* signal, NotifyCallback handler, void* data,
                                            void* destroy, int flags);
using SignalHandlerDisconnect = void (*)(void* instance, unsigned long handler);
using GetCurrentName = char* (*)(void* chooser);
using SetCurrentName = void (*)(void* chooser, const char* name);
using Free = void (*)(void* memory);

}  // namespace

CFileChooserTypeWatch::CFileChooserTypeWatch(wxFileDialog& dialog, std::function<void()> changed)
    : m_dialog(dialog), m_changed(std::move(changed)) {
    const auto connect = ToolkitFunction<SignalConnectData>("g_signal_connect_data");
    if (connect == nullptr || dialog.GetHandle() == nullptr) return;
    m_nHandler = connect(dialog.GetHandle(), "notify::filter", &CFileChooserTypeWatch::OnNotify, this, nullptr, 0);
}

CFileChooserTypeWatch::~CFileChooserTypeWatch() {
    const auto disconnect = ToolkitFunction<SignalHandlerDisconnect>("g_signal_handler_disconnect");
    if (m_nHandler != 0 && disconnect != nullptr && m_dialog.GetHandle() != nullptr) {
        disconnect(m_dialog.GetHandle(), m_nHandler);
    }
}

void CFileChooserTypeWatch::OnNotify(void*, void*, void* self) {
    auto* watch = static_cast<CFileChooserTypeWatch*>(self);
    if (watch->m_changed) watch->m_changed();
}

std::string FileChooserName(const wxFileDialog& dialog) {
    const auto get = ToolkitFunction<GetCurrentName>("gtk_file_chooser_get_current_name");
    const auto free = ToolkitFunction<Free>("g_free");
    if (get == nullptr || free == nullptr || dialog.GetHandle() == nullptr) return {};
    char* name = get(dialog.GetHandle());
    if (name == nullptr) return {};
    std::string text(name);
    free(name);
    return text;
}

void SetFileChooserName(wxFileDialog& dialog, const std::string& utf8) {
    const auto set = ToolkitFunction<SetCurrentName>("gtk_file_chooser_set_current_name");
    if (set != nullptr && dialog.GetHandle() != nullptr) set(dialog.GetHandle(), utf8.c_str());
}

#else

CFileChooserTypeWatch::CFileChooserTypeWatch(wxFileDialog& dialog, std::function<void()> changed)
    : m_dialog(dialog), m_changed(std::move(changed)) {}
CFileChooserTypeWatch::~CFileChooserTypeWatch() = default;
void CFileChooserTypeWatch::OnNotify(void*, void*, void*) {}
std::string FileChooserName(const wxFileDialog&) { return {}; }
void SetFileChooserName(wxFileDialog&, const std::string&) {}

#endif

int FileChooserTypeIndex(const wxFileDialog& dialog) {
#ifdef __WXGTK__
    // GTK's chooser is asked for the type it shows; wx's copy of it follows
    // only the selection.
    return dialog.GetFilterIndex();
#else
    const int current = dialog.GetCurrentlySelectedFilterIndex();
    return current == wxNOT_FOUND ? dialog.GetFilterIndex() : current;
#endif
}

}  // namespace kelmio
