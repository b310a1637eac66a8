#pragma once
// The key dialogs' host in the running program: the bindable commands,
// the main window's menu captions and the binding dialog on the screen.

#include <functional>
#include <vector>

#include "keys/key_dialog_host.h"

class wxFrame;
class wxWindow;

namespace kelmio {

class CWxKeyDialogHost final : public CKeyDialogHost {
public:
    // `frame` carries the menu bar; `showHelp` opens the binding dialog's
    // help topic.
    CWxKeyDialogHost(wxFrame& frame, std::function<void()> showHelp);

    // The window the binding dialog belongs to (the frame until set).
    void SetDialogParent(wxWindow* parent) { m_pParent = parent; }

    const std::vector<KeyCommand>& GetCommands() const override { return m_commands; }
    void SetMenuKeyText(std::optional<std::string_view> keyText, unsigned int command) override;
    int RunKeycustDialog(CKeycustDlg& form) override;

private:
    wxFrame& m_frame;
    wxWindow* m_pParent;
    std::function<void()> m_showHelp;
    std::vector<KeyCommand> m_commands;
};

// The bindable commands in the order the key dialogs list them.
std::vector<KeyCommand> BindableCommands();

}  // namespace kelmio
