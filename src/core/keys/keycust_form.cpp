#include "keys/keycust_form.h"

#include "keys/key_names.h"
#include "keys/keycust_array.h"
#include "platform/prompter.h"
#include "text/cp932.h"

namespace kelmio {

CKeycustDlg::CKeycustDlg(const CKeycustArray& table, const std::vector<KeyCommand>& commands, CPrompter& prompter,
                         CKeycust binding, int mode)
    : m_table(table),
      m_commands(commands),
      m_prompter(prompter),
      m_binding(binding),
      m_original(binding),
      m_nMode(mode),
      m_strOkText("OK") {}

void CKeycustDlg::OnInitDialog() {
    m_bCtrl = m_binding.m_bCtrl;
    m_bShift = m_binding.m_bShift;
    m_bAlt = m_binding.m_bAlt;
    m_nKeyIndex = 0;
    const std::vector<KeyName>& keys = GetKeyNameList();
    for (std::size_t i = 0; i < keys.size(); ++i) {
        if (keys[i].code == m_binding.m_nKey) {
            m_nKeyIndex = static_cast<int>(i);
            break;
        }
    }
    SelectCommand();
}

std::string CKeycustDlg::GetCaption() const {
    return SjisText(IsAddMode() ? "キーカスタマイズの追加" : "キーカスタマイズの変更");
}

std::vector<std::string> CKeycustDlg::GetKeyTexts() const {
    std::vector<std::string> texts;
    for (const KeyName& key : GetKeyNameList()) texts.push_back(MakeKeyText(key.code, m_bAlt, m_bShift, m_bCtrl));
    return texts;
}

std::vector<std::string> CKeycustDlg::GetCommandTexts() const {
    std::vector<std::string> texts{SjisText("（なし）")};
    for (const KeyCommand& command : m_commands) texts.push_back(command.strName);
    return texts;
}

void CKeycustDlg::OnModifierChanged() { OnKeySelected(); }

void CKeycustDlg::OnKeySelected() {
    SelectCommand();
    m_strOkText = SjisText(m_nCommandIndex > 0 ? "変更" : "追加");
}

unsigned int CKeycustDlg::SelectedKeyCode() const {
    const std::vector<KeyName>& keys = GetKeyNameList();
    if (m_nKeyIndex < 0 || static_cast<std::size_t>(m_nKeyIndex) >= keys.size()) return keys.front().code;
    return keys[static_cast<std::size_t>(m_nKeyIndex)].code;
}

// Changing keeps the binding's own command; adding shows what the chosen
// combination runs today, so the user sees what an OK would replace.
void CKeycustDlg::SelectCommand() {
    const unsigned int command =
        IsAddMode() ? m_table.LookupCommand(SelectedKeyCode(), m_bAlt, m_bShift, m_bCtrl) : m_binding.m_nCommand;
    m_nCommandIndex = FindKeyCommand(m_commands, command) + 1;
}

// The first other binding of the combination whose command the dialogs
// list; bindings of unlisted commands are left alone.
std::optional<int> CKeycustDlg::FindBoundElsewhere(unsigned int key) const {
    const std::vector<CKeycust>& bindings = m_table.GetBindings();
    for (std::size_t i = 0; i < bindings.size(); ++i) {
        const CKeycust& other = bindings[i];
        if (other.Matches(key, m_bAlt, m_bShift, m_bCtrl) && FindKeyCommand(m_commands, other.m_nCommand) >= 0) {
            return static_cast<int>(i);
        }
    }
    return std::nullopt;
}

KeycustOk CKeycustDlg::OnOK() {
    if (m_nCommandIndex <= 0 || static_cast<std::size_t>(m_nCommandIndex) > m_commands.size()) {
        return KeycustOk::kCancel;
    }
    const unsigned int key = SelectedKeyCode();
    m_nReplacedIndex.reset();
    const bool combinationChanged = key != m_original.m_nKey || m_bAlt != m_original.m_bAlt ||
                                    m_bShift != m_original.m_bShift || m_bCtrl != m_original.m_bCtrl;
    if (combinationChanged) {
        if (const std::optional<int> other = FindBoundElsewhere(key)) {
            const std::string name = KeyCommandName(m_commands, m_table.GetAt(*other).m_nCommand);
            const std::string question =
                SjisText("このキーは ") + name + SjisText(" に設定済みです。変更しますか？");
            if (m_prompter.Message(question, MessageButtons::kOkCancel, MessageIcon::kQuestion) != Answer::kOk) {
                return KeycustOk::kStayOpen;
            }
            m_nReplacedIndex = *other;
        }
    }
    m_binding.m_nKey = key;
    m_binding.m_bAlt = m_bAlt;
    m_binding.m_bShift = m_bShift;
    m_binding.m_bCtrl = m_bCtrl;
    m_binding.m_nCommand = m_commands[static_cast<std::size_t>(m_nCommandIndex - 1)].nID;
    return KeycustOk::kStore;
}

}  // namespace kelmio
