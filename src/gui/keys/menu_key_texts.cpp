#include "gui/keys/menu_key_texts.h"

#include <wx/menu.h>

#include "gui/app/wx_command_ids.h"
#include "gui/platform/wx_text.h"
#include "keys/keycust_array.h"

namespace kelmio {
namespace {

std::vector<MenuItem> MirrorMenu(const wxMenu& menu) {
    std::vector<MenuItem> items;
    for (const wxMenuItem* item : menu.GetMenuItems()) {
        if (const wxMenu* sub = item->GetSubMenu()) {
            items.push_back(MenuItem::Popup(FromWx(item->GetItemLabel()), MirrorMenu(*sub)));
            continue;
        }
        const int nID = item->IsSeparator() ? 0 : FromWxId(item->GetId());
        items.push_back(nID == 0 ? MenuItem::Separator()
                                 : MenuItem::Command(static_cast<unsigned int>(nID), FromWx(item->GetItemLabel())));
    }
    return items;
}

void CopyCaptions(const std::vector<MenuItem>& mirror, wxMenu& menu) {
    const wxMenuItemList& items = menu.GetMenuItems();
    const std::size_t count = std::min(mirror.size(), items.GetCount());
    for (std::size_t i = 0; i < count; ++i) {
        const MenuItem& copy = mirror[i];
        wxMenuItem* item = items[i];
        if (copy.kind == MenuItem::Kind::kPopup && item->GetSubMenu() != nullptr) {
            CopyCaptions(copy.items, *item->GetSubMenu());
        } else if (copy.kind == MenuItem::Kind::kCommand && FromWx(item->GetItemLabel()) != copy.caption) {
            item->SetItemLabel(ToWx(copy.caption));
        }
    }
}

}  // namespace

MenuBar MirrorMenuBar(const wxMenuBar& bar) {
    MenuBar mirror;
    for (std::size_t i = 0; i < bar.GetMenuCount(); ++i) {
        mirror.push_back(MenuItem::Popup(FromWx(bar.GetMenuLabel(i)), MirrorMenu(*bar.GetMenu(i))));
    }
    return mirror;
}

void CopyCaptionsToMenuBar(const MenuBar& mirror, wxMenuBar& bar) {
    const std::size_t count = std::min(mirror.size(), bar.GetMenuCount());
    for (std::size_t i = 0; i < count; ++i) CopyCaptions(mirror[i].items, *bar.GetMenu(i));
}

void ApplyKeyTextsToMenuBar(const CKeycustArray& table, wxMenuBar& bar) {
    MenuBar mirror = MirrorMenuBar(bar);
    table.ApplyToMenu(mirror);
    CopyCaptionsToMenuBar(mirror, bar);
}

}  // namespace kelmio
