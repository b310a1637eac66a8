#include "gui/app/app_commands.h"

#include <wx/frame.h>
#include <wx/log.h>
#include <wx/utils.h>

#include "app/about_info.h"
#include "commands/command_ids.h"
#include "gui/app/about_dlg.h"
#include "gui/app/help_viewer.h"
#include "gui/keys/key_set_dialog.h"
#include "gui/keys/wx_key_dialog_host.h"
#include "keys/key_set_form.h"
#include "keys/key_settings.h"
#include "platform/paths.h"

namespace kelmio {

CAppCommands::CAppCommands(wxFrame& frame, Services services) : m_frame(frame), m_services(std::move(services)) {
    // Help the toolkit asks for over a menu item or a control has no topic
    // in the book (only 使い方's does): it is dropped.
    m_frame.Bind(wxEVT_HELP, [](wxHelpEvent&) {});
    // An open help window would keep the program running after its main
    // window has gone.
    CHelpViewer* help = &m_services.help;
    m_frame.Bind(wxEVT_DESTROY, [help, frame = &m_frame](wxWindowDestroyEvent& event) {
        if (event.GetEventObject() == frame) help->Close();
        event.Skip();
    });
}

CAppCommands::Browser CAppCommands::DesktopBrowser() {
    return [](const std::string& address) {
        wxLogNull quiet;
        return wxLaunchDefaultBrowser(wxString::FromUTF8(address));
    };
}

std::optional<CommandState> CAppCommands::QueryCommand(CommandId id) const {
    switch (id) {
        case ID_KEY_CUSTOMIZE:
        case ID_HELP_FINDER:
        case ID_HELP:
        case ID_DEFAULT_HELP:
        case ID_HELP_HOWTO:
        case ID_HELP_KEYWORD:
        case ID_HELP_HOMEPAGE:
        case ID_APP_ABOUT:
            return CommandState{};
        default:
            return std::nullopt;
    }
}

bool CAppCommands::OnCommand(CommandId id) {
    switch (id) {
        case ID_KEY_CUSTOMIZE: RunKeyDialog(); return true;
        case ID_HELP_FINDER:
        case ID_HELP:
        case ID_DEFAULT_HELP: m_services.help.ShowHelp(HelpCommand::kFinder, 0); return true;
        case ID_HELP_HOWTO:
            if (IsHelpRequestShown(HelpCommand::kContext, kHelpTopicHowTo)) {
                m_services.help.ShowHelp(HelpCommand::kContext, kHelpTopicHowTo);
            }
            return true;
        case ID_HELP_KEYWORD: m_services.help.ShowIndex(); return true;
        case ID_HELP_HOMEPAGE: OpenHomePage(); return true;
        case ID_APP_ABOUT: {
            CAboutDlg about(&m_frame);
            about.ShowModal();
            return true;
        }
        default: return false;
    }
}

void CAppCommands::RunKeyDialog() {
    CHelpViewer& help = m_services.help;
    // The binding dialog's own F1 shows its topic; only the toolkit's
    // requests by context number are dropped.
    CWxKeyDialogHost host(m_frame, [&help] { help.ShowHelp(HelpCommand::kContext, kHelpTopicKeyDialog); });
    CKeySetDlg form(m_services.keyTable, host, m_services.settings, m_services.prompter, GetProgramFolder());
    CKeySetDialog dialog(&m_frame, form);
    host.SetDialogParent(&dialog);
    if (dialog.ShowModal() == wxID_OK && m_services.setEditorKeysFirst) {
        m_services.setEditorKeysFirst(ReadEditorKeysFirst(m_services.settings));
    }
}

void CAppCommands::OpenHomePage() {
    if (!m_services.browser(std::string(kMakerContact.webPage))) wxBell();
}

}  // namespace kelmio
