#pragma once
// The application's own commands: key customisation, the help entries, the
// home page and the about box. They answer whichever pane is active.

#include <functional>
#include <string>

#include "commands/command_target.h"

class wxFrame;

namespace kelmio {

class CHelpViewer;
class CKeycustArray;
class CPrompter;
class CSettings;

class CAppCommands final : public CCommandTarget {
public:
    // Opens a web address with the desktop's browser; true on success.
    using Browser = std::function<bool(const std::string& address)>;

    struct Services {
        CKeycustArray& keyTable;
        CSettings& settings;
        CPrompter& prompter;
        CHelpViewer& help;
        // Told the editor-keys-first preference after the key dialog saved it.
        std::function<void(bool)> setEditorKeysFirst;
        Browser browser;
    };

    // Drops the toolkit's help requests over the frame's menus and
    // controls, and closes the help window with the frame.
    CAppCommands(wxFrame& frame, Services services);

    std::optional<CommandState> QueryCommand(CommandId id) const override;
    bool OnCommand(CommandId id) override;

    static Browser DesktopBrowser();

private:
    void RunKeyDialog();
    void OpenHomePage();

    wxFrame& m_frame;
    Services m_services;
};

}  // namespace kelmio
