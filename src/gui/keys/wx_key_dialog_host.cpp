#include "gui/keys/wx_key_dialog_host.h"

#include <wx/frame.h>
#include <wx/menu.h>

#include "gui/app/wx_command_ids.h"
#include "gui/keys/keycust_dialog.h"
#include "gui/platform/wx_text.h"
#include "keys/command_list.h"
#include "keys/menu_model.h"
#include "platform/prompter.h"

namespace kelmio {

std::vector<KeyCommand> BindableCommands() {
    std::vector<KeyCommand> commands;
    for (const CommandListEntry& entry : GetCommandList()) commands.push_back({entry.name, entry.id});
    return commands;
}

CWxKeyDialogHost::CWxKeyDialogHost(wxFrame& frame, std::function<void()> showHelp)
    : m_frame(frame), m_pParent(&frame), m_showHelp(std::move(showHelp)), m_commands(BindableCommands()) {}

// Command IDs are unique in the main menu, so the item is found by its ID;
// the caption rule itself is the core's.
void CWxKeyDialogHost::SetMenuKeyText(std::optional<std::string_view> keyText, unsigned int command) {
    wxMenuBar* bar = m_frame.GetMenuBar();
    if (bar == nullptr) return;
    const std::optional<CommandId> id = ToCommandId(static_cast<int>(command));
    if (!id) return;
    wxMenuItem* item = bar->FindItem(ToWxId(*id));
    if (item == nullptr || item->IsSubMenu()) return;
    const std::string caption = CaptionWithKeyText(FromWx(item->GetItemLabel()), keyText);
    if (caption != FromWx(item->GetItemLabel())) item->SetItemLabel(ToWx(caption));
}

int CWxKeyDialogHost::RunKeycustDialog(CKeycustDlg& form) {
    CKeycustDialog dialog(m_pParent, form, m_showHelp);
    return dialog.ShowModal() == wxID_OK ? kIdOk : kIdCancel;
}

}  // namespace kelmio
