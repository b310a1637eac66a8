#pragma once
// The binding dialog's behaviour, without widgets: one key with its Ctrl,
// Shift and Alt state, and the command it runs. The window copies its
// controls into the members before each operation and shows them again
// afterwards.

#include <optional>
#include <string>
#include <vector>

#include "keys/key_dialog_host.h"
#include "keys/keycust.h"

namespace kelmio {

class CKeycustArray;
class CPrompter;

// What the OK button leads to.
enum class KeycustOk {
    kStore,     // close with OK: the edited binding holds the dialog's values
    kCancel,    // "（なし）" was chosen: close as if cancelled
    kStayOpen,  // the user declined to replace another binding
};

class CKeycustDlg {
public:
    static constexpr int kAddMode = -1;

    // `binding` is the binding to edit (all zero for a new one); `mode` is
    // kAddMode or, when changing, the key code of the binding changed.
    CKeycustDlg(const CKeycustArray& table, const std::vector<KeyCommand>& commands, CPrompter& prompter,
                CKeycust binding, int mode);

    // Controls' values.
    int m_nKeyIndex = 0;      // the key list's selection
    int m_nCommandIndex = 0;  // the command list's selection; 0 is "（なし）"
    bool m_bCtrl = false;
    bool m_bShift = false;
    bool m_bAlt = false;

    // Ticks the boxes from the binding and selects its key and command.
    void OnInitDialog();

    // "キーカスタマイズの追加" or "キーカスタマイズの変更".
    std::string GetCaption() const;

    // The key names, each after the prefixes of the ticked boxes.
    std::vector<std::string> GetKeyTexts() const;

    // "（なし）" followed by the command names.
    std::vector<std::string> GetCommandTexts() const;

    // "OK" until another key is chosen, then "変更" when that key already
    // runs a command and "追加" when not.
    const std::string& GetOkText() const { return m_strOkText; }

    // A box was ticked or cleared: the key list is rebuilt (the window
    // refills it from GetKeyTexts) and the command chosen again.
    void OnModifierChanged();

    // Another key was selected.
    void OnKeySelected();

    KeycustOk OnOK();

    // After kStore: the binding with the dialog's values.
    const CKeycust& GetBinding() const { return m_binding; }
    // After kStore: the table index of the binding the user agreed to
    // replace, which the caller removes from the table.
    std::optional<int> GetReplacedIndex() const { return m_nReplacedIndex; }

    bool IsAddMode() const { return m_nMode == kAddMode; }

private:
    unsigned int SelectedKeyCode() const;
    void SelectCommand();
    std::optional<int> FindBoundElsewhere(unsigned int key) const;

    const CKeycustArray& m_table;
    const std::vector<KeyCommand>& m_commands;
    CPrompter& m_prompter;
    CKeycust m_binding;
    CKeycust m_original;
    int m_nMode;
    std::string m_strOkText;
    std::optional<int> m_nReplacedIndex;
};

}  // namespace kelmio
