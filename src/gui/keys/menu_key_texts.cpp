#include "gui/keys/menu_key_texts.h"

#include <wx/menu.h>

#include "commands/menu_table.h"
#include "gui/app/wx_command_ids.h"
#include "gui/keys/menu_key_label.h"
#include "gui/platform/wx_text.h"
#include "keys/keycust_array.h"

namespace kelmio {
namespace {

// Relabels the items of `bar` whose caption differs between the two trees,
// which have the same shape.
void Relabel(const std::vector<CMenuItem>& before, const std::vector<CMenuItem>& after, wxMenuBar& bar) {
    for (std::size_t i = 0; i < after.size() && i < before.size(); ++i) {
        const CMenuItem& item = after[i];
        if (item.kind == CMenuItem::Kind::kPopup) {
            Relabel(before[i].children, item.children, bar);
        } else if (item.kind == CMenuItem::Kind::kCommand && item.strCaption != before[i].strCaption) {
            if (wxMenuItem* widget = bar.FindItem(ToWxId(item.id))) {
                const wxString label = ToWx(item.strCaption);
                SetMenuItemKeyText(*widget, label.BeforeFirst('\t'), label.AfterFirst('\t'));
            }
        }
    }
}

}  // namespace

CMenuKeyTexts::CMenuKeyTexts() : m_captions(MainMenu()) {}

void CMenuKeyTexts::Apply(const CKeycustArray& table, wxMenuBar& bar) {
    const MenuBar before = m_captions;
    table.ApplyToMenu(m_captions);
    Relabel(before, m_captions, bar);
}

}  // namespace kelmio
