#pragma once
// The key list dialog's behaviour, without widgets: every binding with its
// key text and command name in a fixed order, and the add, change, delete,
// read, save-as and save-and-close operations. All edits act on the
// application's key table at once, so the key dispatch follows them; the
// file is written only by "保存して閉じる" and "別名保存".

#include <string>
#include <vector>

#include "keys/key_dialog_host.h"
#include "keys/keycust.h"
#include "platform/file_path.h"

namespace kelmio {

class CKeycustArray;
class CPrompter;
class CSettings;

// One line of the list.
struct KeyListRow {
    int nIndex = 0;              // the binding's index in the key table
    std::string strKeyText;      // "Shift+Ctrl+F5"
    std::string strCommandName;  // Shift-JIS; "" when the list has no name for it
};

// The list's order: by Ctrl, then Shift, then Alt (without before with),
// then key code, then command ID. Negative, zero or positive.
int CompareKeyBindings(const CKeycust& first, const CKeycust& second);

// The x offset of the line between the two columns, for a font whose
// average character is `averageCharWidth` pixels wide.
int KeyColumnLineOffset(int averageCharWidth, int keyColumnWidth);

class CKeySetDlg {
public:
    // The narrowest key column, in characters.
    static constexpr int kMinKeyColumnWidth = 10;

    CKeySetDlg(CKeycustArray& table, CKeyDialogHost& host, CSettings& settings, CPrompter& prompter,
               CFilePath programFolder);

    // Controls' values.
    int m_nSelected = -1;         // the list's selection, -1 for none
    int m_nTopIndex = 0;          // the first visible line
    bool m_bEditorKeysFirst = false;  // "[テキストエリアの設定]のキーカスタマイズを優先する"

    // Fills the list selecting its first line and sets the check box from
    // the settings.
    void OnInitDialog();

    const std::vector<KeyListRow>& GetRows() const { return m_rows; }
    // The longest key text listed, in characters, at least 10.
    int GetKeyColumnWidth() const { return m_nKeyColumnWidth; }

    void OnAdd();
    // Also a double click on a line.
    void OnChange();
    void OnDelete();
    void OnRead();
    void OnSaveAs();
    // Stores the preference and writes the table to its file; the dialog
    // closes whatever the outcome.
    void OnSaveAndClose();

private:
    void FillList(int select);
    int SelectedTableIndex() const;
    void RemoveReplaced(int index);
    void RefreshCaption(unsigned int command);

    CKeycustArray& m_table;
    CKeyDialogHost& m_host;
    CSettings& m_settings;
    CPrompter& m_prompter;
    CFilePath m_strProgramFolder;
    std::vector<KeyListRow> m_rows;
    int m_nKeyColumnWidth = kMinKeyColumnWidth;
};

}  // namespace kelmio
