#include "gui/platform/gtk_style.h"

#include <wx/window.h>

#include <cstdlib>

#ifdef __WXGTK3__
#include "gui/platform/toolkit_symbol.h"
#endif

namespace kelmio {

namespace {
constexpr const char* kGdkGl = "GDK_GL";
// Where the desktop cannot be asked: the toolkit's own defaults.
constexpr CaretBlinkSettings kDefaultCaretBlink{600, 10};
}  // namespace

CDisplayWithoutOpenGl::CDisplayWithoutOpenGl() {
#ifdef __WXGTK3__
    if (std::getenv(kGdkGl) == nullptr) m_bSet = setenv(kGdkGl, "disable", 0) == 0;
#endif
}

CDisplayWithoutOpenGl::~CDisplayWithoutOpenGl() {
    if (m_bSet) unsetenv(kGdkGl);
}

#ifdef __WXGTK3__
namespace {

using CssProviderNew = void* (*)();
using CssProviderLoad = int (*)(void* provider, const char* data, long length, void** error);
using ScreenDefault = void* (*)();
using AddProviderForScreen = void (*)(void* screen, void* provider, unsigned priority);

constexpr unsigned kApplicationPriority = 600;  // GTK_STYLE_PROVIDER_PRIORITY_APPLICATION

constexpr const char* kCompactToolbarCss =
    "toolbar { padding: 1px 2px; }"
    "toolbar button { padding: 2px; min-width: 0; min-height: 0; }"
    "toolbar separator { margin: 0 2px; }";

// The theme fades scroll bars and toolbar buttons from one state to the
// next; every frame of a fade redraws the whole window around them, so a
// text editor whose scroll bars are set up after it is shown is painted a
// dozen times over, and the first keystroke (which enables Undo and Save)
// waits behind the repaints.
constexpr const char* kStillBarsCss = "scrollbar, scrollbar *, toolbar button { transition: none; }";

// Adds style rules for the whole program; false when GTK cannot take them.
bool AddApplicationCss(const char* css) {
    const auto providerNew = ToolkitFunction<CssProviderNew>("gtk_css_provider_new");
    const auto load = ToolkitFunction<CssProviderLoad>("gtk_css_provider_load_from_data");
    const auto screenDefault = ToolkitFunction<ScreenDefault>("gdk_screen_get_default");
    const auto addProvider = ToolkitFunction<AddProviderForScreen>("gtk_style_context_add_provider_for_screen");
    if (providerNew == nullptr || load == nullptr || screenDefault == nullptr || addProvider == nullptr) return false;
    void* screen = screenDefault();
    if (screen == nullptr) return false;
    // The screen keeps the provider for the rest of the program.
    void* provider = providerNew();
    if (provider == nullptr || !load(provider, css, -1, nullptr)) return false;
    addProvider(screen, provider, kApplicationPriority);
    return true;
}

}  // namespace

void UseCompactToolbarButtons() {
    static bool applied = false;
    if (!applied) applied = AddApplicationCss(kCompactToolbarCss);
}

void KeepBarsStill() {
    static bool applied = false;
    if (!applied) applied = AddApplicationCss(kStillBarsCss);
}

namespace {

using TypeGetter = unsigned long (*)();
using InstanceIsA = int (*)(void* instance, unsigned long type);
using SetOverlayScrolling = void (*)(void* scrolledWindow, int overlay);
using SetPolicy = void (*)(void* scrolledWindow, int horizontal, int vertical);

constexpr int kPolicyAlways = 0;     // GTK_POLICY_ALWAYS
constexpr int kPolicyAutomatic = 1;  // GTK_POLICY_AUTOMATIC
constexpr int kPolicyNever = 2;      // GTK_POLICY_NEVER

// The toolkit's scrolled window that holds the wx window, if it is one.
void* ScrolledWindowOf(wxWindow& window) {
    const auto scrolledType = ToolkitFunction<TypeGetter>("gtk_scrolled_window_get_type");
    const auto isA = ToolkitFunction<InstanceIsA>("g_type_check_instance_is_a");
    void* handle = window.GetHandle();
    if (scrolledType == nullptr || isA == nullptr || handle == nullptr) return nullptr;
    return isA(handle, scrolledType()) ? handle : nullptr;
}

}  // namespace

void UseClassicScrollBars(wxWindow& textWindow, bool wrapsLines) {
    const auto setOverlay = ToolkitFunction<SetOverlayScrolling>("gtk_scrolled_window_set_overlay_scrolling");
    const auto setPolicy = ToolkitFunction<SetPolicy>("gtk_scrolled_window_set_policy");
    void* scrolled = ScrolledWindowOf(textWindow);
    if (setOverlay == nullptr || setPolicy == nullptr || scrolled == nullptr) return;
    setOverlay(scrolled, 0);
    setPolicy(scrolled, wrapsLines ? kPolicyNever : kPolicyAutomatic, kPolicyAlways);
}

namespace {

using SettingsDefault = void* (*)();
using ObjectGet = void (*)(void* object, const char* firstProperty, ...);

}  // namespace

CaretBlinkSettings DesktopCaretBlink() {
    const auto settingsDefault = ToolkitFunction<SettingsDefault>("gtk_settings_get_default");
    const auto get = ToolkitFunction<ObjectGet>("g_object_get");
    void* settings = settingsDefault != nullptr ? settingsDefault() : nullptr;
    if (get == nullptr || settings == nullptr) return kDefaultCaretBlink;
    int blinks = 1;                                // gboolean
    int cycle = 2 * kDefaultCaretBlink.nPeriod;    // shown and hidden, in milliseconds; GTK takes no less than 100
    int timeout = kDefaultCaretBlink.nTimeoutSeconds;
    get(settings, "gtk-cursor-blink", &blinks, "gtk-cursor-blink-time", &cycle, "gtk-cursor-blink-timeout", &timeout,
        nullptr);
    return {blinks ? cycle / 2 : 0, timeout};
}

namespace {

constexpr int kResponseAccept = -3;  // GTK_RESPONSE_ACCEPT
constexpr int kResponseCancel = -6;  // GTK_RESPONSE_CANCEL

using WidgetForResponse = void* (*)(void* dialog, int response);
using ButtonSetLabel = void (*)(void* button, const char* label);
using ButtonGetLabel = const char* (*)(void* button);

void* ResponseButton(wxWindow& chooser, int response) {
    const auto widgetFor = ToolkitFunction<WidgetForResponse>("gtk_dialog_get_widget_for_response");
    if (widgetFor == nullptr || chooser.GetHandle() == nullptr) return nullptr;
    return widgetFor(chooser.GetHandle(), response);
}

}  // namespace

void LabelFileChooserButtons(wxWindow& chooser, bool open) {
    const auto setLabel = ToolkitFunction<ButtonSetLabel>("gtk_button_set_label");
    if (setLabel == nullptr) return;
    if (void* accept = ResponseButton(chooser, kResponseAccept)) setLabel(accept, open ? "開く(_O)" : "保存(_S)");
    if (void* cancel = ResponseButton(chooser, kResponseCancel)) setLabel(cancel, "キャンセル(_C)");
}

std::string FileChooserAcceptLabel(wxWindow& chooser) {
    const auto getLabel = ToolkitFunction<ButtonGetLabel>("gtk_button_get_label");
    void* accept = ResponseButton(chooser, kResponseAccept);
    if (getLabel == nullptr || accept == nullptr) return {};
    const char* label = getLabel(accept);
    return label != nullptr ? label : "";
}

#else

void UseCompactToolbarButtons() {}
void KeepBarsStill() {}
void UseClassicScrollBars(wxWindow&, bool) {}
CaretBlinkSettings DesktopCaretBlink() { return kDefaultCaretBlink; }
void LabelFileChooserButtons(wxWindow&, bool) {}
std::string FileChooserAcceptLabel(wxWindow&) { return {}; }

#endif

}  // namespace kelmio
