#include "gui/app/recent_menu.h"

#include <wx/menu.h>

#include "commands/command_ids.h"
#include "commands/command_texts.h"
#include "commands/menu_table.h"
#include "gui/app/wx_command_ids.h"
#include "gui/platform/wx_text.h"
#include "project/recent_projects.h"

namespace kelmio {
namespace {

bool IsRecentItem(const wxMenuItem& item) {
    const std::optional<CommandId> id = FromWxId(item.GetId());
    const int first = CommandNumber(ID_FILE_MRU_FILE1);
    return id && CommandNumber(*id) >= first && CommandNumber(*id) < first + static_cast<int>(CRecentProjects::kSize);
}

// "&1 path"; an "&" in the path is shown, not taken for a mnemonic.
wxString RecentLabel(std::size_t index, const CFilePath& path) {
    wxString shown = ToWxPath(path);
    shown.Replace("&", "&&");
    return wxString::Format("&%zu ", index + 1) + shown;
}

}  // namespace

void ShowRecentProjects(wxMenuBar& bar, const std::vector<CFilePath>& entries) {
    wxMenu* menu = nullptr;
    for (std::size_t i = 0; i < CRecentProjects::kSize && menu == nullptr; ++i) {
        bar.FindItem(ToWxId(CommandAfter(ID_FILE_MRU_FILE1, static_cast<int>(i))), &menu);
    }
    if (menu == nullptr) return;

    std::size_t place = 0;
    bool found = false;
    for (std::size_t pos = 0; pos < menu->GetMenuItemCount();) {
        wxMenuItem* item = menu->FindItemByPosition(pos);
        if (!IsRecentItem(*item)) {
            ++pos;
            continue;
        }
        if (!found) place = pos;
        found = true;
        menu->Destroy(item);
    }

    if (entries.empty()) {
        const CMenuItem* placeholder = FindMenuCommand(MainMenu(), ID_FILE_MRU_FILE1);
        menu->Insert(place, ToWxId(ID_FILE_MRU_FILE1), placeholder ? ToWx(placeholder->strCaption) : wxString(),
                     ToWx(CommandPrompt(ID_FILE_MRU_FILE1)));
        return;
    }
    for (std::size_t i = 0; i < entries.size() && i < CRecentProjects::kSize; ++i) {
        const CommandId id = CommandAfter(ID_FILE_MRU_FILE1, static_cast<int>(i));
        menu->Insert(place + i, ToWxId(id), RecentLabel(i, entries[i]), ToWx(CommandPrompt(id)));
    }
}

}  // namespace kelmio
