#pragma once
// What the key dialogs need from the program around them: the commands a
// key can be bound to, the main menu's shortcut texts, and the binding
// dialog itself. The application binds this to its command registry and
// its windows; tests bind it to plain data.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kelmio {

class CKeycustDlg;

// A bindable command as the key dialogs list it.
struct KeyCommand {
    std::string strName;  // Shift-JIS, "[menu]caption"
    unsigned int nID = 0;
};

class CKeyDialogHost {
public:
    virtual ~CKeyDialogHost() = default;

    // The bindable commands in the order the dialogs list them.
    virtual const std::vector<KeyCommand>& GetCommands() const = 0;

    // Sets (or, without a key text, clears) the shortcut text shown in the
    // caption of the command's main-menu item.
    virtual void SetMenuKeyText(std::optional<std::string_view> keyText, unsigned int command) = 0;

    // Shows the binding dialog over the initialised form; kIdOk or kIdCancel.
    virtual int RunKeycustDialog(CKeycustDlg& form) = 0;
};

// Position of `command` in `commands`, -1 when it is not there.
int FindKeyCommand(const std::vector<KeyCommand>& commands, unsigned int command);

// The name of the first entry with that command, "" when none has it.
std::string KeyCommandName(const std::vector<KeyCommand>& commands, unsigned int command);

}  // namespace kelmio
