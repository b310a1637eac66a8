#pragma once
// A key-dialog host for tests: the real list of bindable commands, the
// shortcut texts the dialogs wrote into the menu, and binding dialogs
// answered by script steps that work the form as a user would.

#include <gtest/gtest.h>

#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "keys/command_list.h"
#include "keys/key_dialog_host.h"
#include "keys/keycust_form.h"
#include "platform/prompter.h"

namespace kelmio::test {

class CScriptedKeyHost final : public CKeyDialogHost {
public:
    CScriptedKeyHost() {
        for (const CommandListEntry& entry : GetCommandList()) m_commands.push_back({entry.name, entry.id});
    }

    // The next binding dialog: `run` works the form and returns kIdOk or kIdCancel.
    void ExpectDialog(std::function<int(CKeycustDlg&)> run) { m_script.push_back(std::move(run)); }
    bool ScriptDone() const { return m_script.empty(); }
    std::vector<std::string>& Captions() { return m_dialogCaptions; }

    // The key text last written for a command: nullopt when it was cleared,
    // "<untouched>" when nothing was written.
    std::optional<std::string> MenuKeyText(unsigned int command) const {
        const auto it = m_menuKeyTexts.find(command);
        return it == m_menuKeyTexts.end() ? std::optional<std::string>("<untouched>") : it->second;
    }

    const std::vector<KeyCommand>& GetCommands() const override { return m_commands; }
    void SetMenuKeyText(std::optional<std::string_view> keyText, unsigned int command) override {
        m_menuKeyTexts[command] = keyText ? std::optional<std::string>(std::string(*keyText)) : std::nullopt;
    }
    int RunKeycustDialog(CKeycustDlg& form) override {
        m_dialogCaptions.push_back(form.GetCaption());
        if (m_script.empty()) {
            ADD_FAILURE() << "unexpected binding dialog";
            return kIdCancel;
        }
        const std::function<int(CKeycustDlg&)> run = std::move(m_script.front());
        m_script.pop_front();
        return run(form);
    }

private:
    std::vector<KeyCommand> m_commands;
    std::map<unsigned int, std::optional<std::string>> m_menuKeyTexts;
    std::deque<std::function<int(CKeycustDlg&)>> m_script;
    std::vector<std::string> m_dialogCaptions;
};

// Picks a key by name with the given modifiers and a command by ID (0 for
// "（なし）"), then presses OK as the window does: a declined replacement
// keeps the dialog open, which the script reports as Cancel.
inline std::function<int(CKeycustDlg&)> Choose(std::string keyName, bool ctrl, bool shift, bool alt,
                                               unsigned int command, const std::vector<KeyCommand>& commands) {
    return [=, &commands](CKeycustDlg& form) {
        form.m_bCtrl = ctrl;
        form.m_bShift = shift;
        form.m_bAlt = alt;
        form.OnModifierChanged();
        const std::vector<std::string> texts = form.GetKeyTexts();
        std::string prefix = std::string(alt ? "Alt+" : "") + (shift ? "Shift+" : "") + (ctrl ? "Ctrl+" : "");
        for (std::size_t i = 0; i < texts.size(); ++i) {
            if (texts[i] == prefix + keyName) form.m_nKeyIndex = static_cast<int>(i);
        }
        form.OnKeySelected();
        form.m_nCommandIndex = FindKeyCommand(commands, command) + 1;
        switch (form.OnOK()) {
            case KeycustOk::kStore: return kIdOk;
            case KeycustOk::kCancel:
            case KeycustOk::kStayOpen: return kIdCancel;
        }
        return kIdCancel;
    };
}

}  // namespace kelmio::test
