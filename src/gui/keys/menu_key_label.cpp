#include "gui/keys/menu_key_label.h"

#include <wx/menuitem.h>

#ifdef __WXGTK__
#include "gui/platform/toolkit_symbol.h"
#endif

namespace kelmio {

#ifdef __WXGTK__
namespace {

// The menu item's child is a GtkAccelLabel that draws the accelerator's
// name; with a key text it is put into a box beside a label of our own,
// and no longer draws it. The pieces are found again through these.
constexpr const char* kCaptionData = "kelmio-caption-label";
constexpr const char* kKeyTextData = "kelmio-key-text-label";
constexpr int kHorizontal = 0;        // GTK_ORIENTATION_HORIZONTAL
constexpr int kKeyTextGap = 24;       // pixels between caption and key text
constexpr const char* kDimLabel = "dim-label";

struct Gtk {
    using Widget = void*;
    Widget (*binGetChild)(Widget) = ToolkitFunction<Widget (*)(Widget)>("gtk_bin_get_child");
    void (*containerAdd)(Widget, Widget) = ToolkitFunction<void (*)(Widget, Widget)>("gtk_container_add");
    void (*containerRemove)(Widget, Widget) = ToolkitFunction<void (*)(Widget, Widget)>("gtk_container_remove");
    Widget (*boxNew)(int, int) = ToolkitFunction<Widget (*)(int, int)>("gtk_box_new");
    void (*boxPackStart)(Widget, Widget, int, int, unsigned) =
        ToolkitFunction<void (*)(Widget, Widget, int, int, unsigned)>("gtk_box_pack_start");
    void (*boxPackEnd)(Widget, Widget, int, int, unsigned) =
        ToolkitFunction<void (*)(Widget, Widget, int, int, unsigned)>("gtk_box_pack_end");
    Widget (*labelNew)(const char*) = ToolkitFunction<Widget (*)(const char*)>("gtk_label_new");
    const char* (*labelGetText)(Widget) = ToolkitFunction<const char* (*)(Widget)>("gtk_label_get_text");
    void (*setAccelWidget)(Widget, Widget) =
        ToolkitFunction<void (*)(Widget, Widget)>("gtk_accel_label_set_accel_widget");
    // The accelerators the toolkit put on the item, as its label finds them.
    struct AccelKey {
        unsigned key;
        unsigned modifiers;
        unsigned flags;
    };
    using FindFunction = int (*)(AccelKey*, void* closure, void* data);
    struct List {
        void* data;
        List* next;
        List* prev;
    };
    List* (*listClosures)(Widget) = ToolkitFunction<List* (*)(Widget)>("gtk_widget_list_accel_closures");
    Widget (*groupOfClosure)(void*) = ToolkitFunction<Widget (*)(void*)>("gtk_accel_group_from_accel_closure");
    AccelKey* (*groupFind)(Widget, FindFunction, void*) =
        ToolkitFunction<AccelKey* (*)(Widget, FindFunction, void*)>("gtk_accel_group_find");
    void (*listFree)(List*) = ToolkitFunction<void (*)(List*)>("g_list_free");
    char* (*acceleratorLabel)(unsigned, unsigned) =
        ToolkitFunction<char* (*)(unsigned, unsigned)>("gtk_accelerator_get_label");
    void (*setMarginStart)(Widget, int) = ToolkitFunction<void (*)(Widget, int)>("gtk_widget_set_margin_start");
    void (*showAll)(Widget) = ToolkitFunction<void (*)(Widget)>("gtk_widget_show_all");
    Widget (*styleContext)(Widget) = ToolkitFunction<Widget (*)(Widget)>("gtk_widget_get_style_context");
    void (*addClass)(Widget, const char*) = ToolkitFunction<void (*)(Widget, const char*)>("gtk_style_context_add_class");
    Widget (*ref)(Widget) = ToolkitFunction<Widget (*)(Widget)>("g_object_ref");
    void (*unref)(Widget) = ToolkitFunction<void (*)(Widget)>("g_object_unref");
    void (*setData)(Widget, const char*, Widget) = ToolkitFunction<void (*)(Widget, const char*, Widget)>("g_object_set_data");
    Widget (*getData)(Widget, const char*) = ToolkitFunction<Widget (*)(Widget, const char*)>("g_object_get_data");
    void (*free)(void*) = ToolkitFunction<void (*)(void*)>("g_free");

    bool Complete() const {
        return binGetChild && containerAdd && containerRemove && boxNew && boxPackStart && boxPackEnd && labelNew &&
               labelGetText && setAccelWidget && listClosures && groupOfClosure && groupFind && listFree && acceleratorLabel && setMarginStart && showAll &&
               styleContext && addClass && ref && unref && setData && getData && free;
    }
};

const Gtk& Toolkit() {
    static const Gtk gtk;
    return gtk;
}

// Puts the caption label back as the item's only child, as the toolkit
// made it, so that the toolkit can relabel it.
void Unwrap(const Gtk& gtk, void* menuItem) {
    void* caption = gtk.getData(menuItem, kCaptionData);
    if (caption == nullptr) return;
    void* box = gtk.binGetChild(menuItem);
    gtk.ref(caption);
    gtk.containerRemove(box, caption);
    gtk.containerRemove(menuItem, box);  // takes the key text's label with it
    gtk.containerAdd(menuItem, caption);
    gtk.setAccelWidget(caption, menuItem);
    gtk.unref(caption);
    gtk.setData(menuItem, kCaptionData, nullptr);
    gtk.setData(menuItem, kKeyTextData, nullptr);
}

void Wrap(const Gtk& gtk, void* menuItem, const wxString& keyText) {
    void* caption = gtk.binGetChild(menuItem);
    if (caption == nullptr) return;
    gtk.ref(caption);
    gtk.containerRemove(menuItem, caption);
    gtk.setAccelWidget(caption, nullptr);  // it would draw the toolkit's name
    void* box = gtk.boxNew(kHorizontal, 0);
    gtk.boxPackStart(box, caption, 1, 1, 0);
    gtk.unref(caption);
    void* key = gtk.labelNew(keyText.utf8_str());
    gtk.setMarginStart(key, kKeyTextGap);
    gtk.addClass(gtk.styleContext(key), kDimLabel);
    gtk.boxPackEnd(box, key, 0, 0, 0);
    gtk.containerAdd(menuItem, box);
    gtk.showAll(box);
    gtk.setData(menuItem, kCaptionData, caption);
    gtk.setData(menuItem, kKeyTextData, key);
}

}  // namespace
#endif

void SetMenuItemKeyText(wxMenuItem& item, const wxString& caption, const wxString& keyText) {
#ifdef __WXGTK__
    const Gtk& gtk = Toolkit();
    void* menuItem = item.GetMenuItem();
    const bool own = gtk.Complete() && menuItem != nullptr;
    if (own) Unwrap(gtk, menuItem);
#endif
    item.SetItemLabel(keyText.empty() ? caption : caption + '\t' + keyText);
#ifdef __WXGTK__
    if (own && !keyText.empty()) Wrap(gtk, menuItem, keyText);
#endif
}

wxString ShownMenuKeyText(const wxMenuItem& item) {
#ifdef __WXGTK__
    const Gtk& gtk = Toolkit();
    void* menuItem = item.GetMenuItem();
    if (!gtk.Complete() || menuItem == nullptr) return {};
    if (void* key = gtk.getData(menuItem, kKeyTextData)) return wxString::FromUTF8(gtk.labelGetText(key));
    // The toolkit's own accelerator label, which names the first visible
    // accelerator of the item.
    wxString shown;
    Gtk::List* closures = gtk.listClosures(menuItem);
    for (Gtk::List* entry = closures; entry != nullptr && shown.empty(); entry = entry->next) {
        void* group = gtk.groupOfClosure(entry->data);
        if (group == nullptr) continue;
        const Gtk::FindFunction sameClosure = [](Gtk::AccelKey*, void* closure, void* data) {
            return closure == data ? 1 : 0;
        };
        const Gtk::AccelKey* key = gtk.groupFind(group, sameClosure, entry->data);
        if (key == nullptr) continue;
        char* label = gtk.acceleratorLabel(key->key, key->modifiers);
        shown = wxString::FromUTF8(label);
        gtk.free(label);
    }
    gtk.listFree(closures);
    return shown;
#else
    // Elsewhere the menu shows the text after the tab as it is.
    const wxString label = item.GetItemLabel();
    return label.Find('\t') == wxNOT_FOUND ? wxString() : label.AfterFirst('\t');
#endif
}

}  // namespace kelmio
