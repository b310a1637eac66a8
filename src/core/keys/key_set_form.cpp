#include "keys/key_set_form.h"

#include <algorithm>
#include <set>
#include <utility>

#include "keys/key_names.h"
#include "keys/key_settings.h"
#include "keys/keycust_array.h"
#include "keys/keycust_form.h"
#include "platform/prompter.h"
#include "text/cp932.h"
#include "text/sjis.h"

namespace kelmio {
namespace {

CFileDialogEx KeyFileDialog(bool open, const CFilePath& programFolder, std::string_view initialName) {
    CFileDialogEx dialog;
    dialog.m_bOpen = open;
    dialog.m_strDefExt = "KEY";
    dialog.m_strFileName = programFolder.Join(CFilePath(initialName));
    dialog.m_nFlags = open ? kNoChangeDir : (kOverwritePrompt | kPathMustExist | kNoChangeDir);
    dialog.m_strFilter = SjisText("KEYﾌｧｲﾙ(*.KEY) |*.KEY| 全てのﾌｧｲﾙ(*.*) |*.*||");
    dialog.m_owner = DialogOwner::kCurrentDialog;
    dialog.m_strTitle = SjisText("ｷｰ定義ﾌｧｲﾙ");
    return dialog;
}

}  // namespace

int CompareKeyBindings(const CKeycust& first, const CKeycust& second) {
    const int difference = ((((int{first.m_bCtrl} - int{second.m_bCtrl}) * 2 + int{first.m_bShift} -
                              int{second.m_bShift}) * 2 + int{first.m_bAlt} - int{second.m_bAlt}) * 256) +
                           static_cast<int>(first.m_nKey) - static_cast<int>(second.m_nKey);
    if (difference != 0) return difference;
    return static_cast<int>(first.m_nCommand) - static_cast<int>(second.m_nCommand);
}

int KeyColumnLineOffset(int averageCharWidth, int keyColumnWidth) {
    return (averageCharWidth + averageCharWidth / 4) * (keyColumnWidth + 2);
}

CKeySetDlg::CKeySetDlg(CKeycustArray& table, CKeyDialogHost& host, CSettings& settings, CPrompter& prompter,
                       CFilePath programFolder)
    : m_table(table),
      m_host(host),
      m_settings(settings),
      m_prompter(prompter),
      m_strProgramFolder(std::move(programFolder)) {}

void CKeySetDlg::OnInitDialog() {
    m_nTopIndex = 0;
    FillList(0);
    m_bEditorKeysFirst = ReadEditorKeysFirst(m_settings);
}

// Bindings of commands the dialogs do not list stay in the table, and so
// in the dispatch and the file, but are not shown.
void CKeySetDlg::FillList(int select) {
    if (select < 0) select = m_nSelected;
    const std::vector<KeyCommand>& commands = m_host.GetCommands();
    const std::vector<CKeycust>& bindings = m_table.GetBindings();
    m_rows.clear();
    m_nKeyColumnWidth = kMinKeyColumnWidth;
    for (std::size_t i = 0; i < bindings.size(); ++i) {
        if (FindKeyCommand(commands, bindings[i].m_nCommand) < 0) continue;
        KeyListRow row{static_cast<int>(i), MakeKeyText(bindings[i]), KeyCommandName(commands, bindings[i].m_nCommand)};
        m_nKeyColumnWidth = std::max(m_nKeyColumnWidth, static_cast<int>(row.strKeyText.size()));
        m_rows.push_back(std::move(row));
    }
    std::stable_sort(m_rows.begin(), m_rows.end(), [&bindings](const KeyListRow& a, const KeyListRow& b) {
        return CompareKeyBindings(bindings[static_cast<std::size_t>(a.nIndex)],
                                  bindings[static_cast<std::size_t>(b.nIndex)]) < 0;
    });
    const int last = static_cast<int>(m_rows.size()) - 1;
    m_nTopIndex = std::clamp(m_nTopIndex, 0, std::max(last, 0));
    m_nSelected = last < 0 ? -1 : std::min(select, last);
}

int CKeySetDlg::SelectedTableIndex() const {
    if (m_nSelected < 0 || static_cast<std::size_t>(m_nSelected) >= m_rows.size()) return -1;
    return m_rows[static_cast<std::size_t>(m_nSelected)].nIndex;
}

// The shortcut shown for a command follows its first remaining binding.
void CKeySetDlg::RefreshCaption(unsigned int command) {
    const int index = m_table.FindCommand(command);
    if (index < 0) {
        m_host.SetMenuKeyText(std::nullopt, command);
    } else {
        m_host.SetMenuKeyText(m_table.GetKeyText(index), command);
    }
}

// The binding whose combination the user gave to another command goes, and
// its command's caption no longer shows a key that now runs something else.
void CKeySetDlg::RemoveReplaced(int index) {
    const unsigned int command = m_table.GetAt(index).m_nCommand;
    m_table.RemoveAt(index);
    RefreshCaption(command);
}

void CKeySetDlg::OnAdd() {
    CKeycustDlg dialog(m_table, m_host.GetCommands(), m_prompter, CKeycust{}, CKeycustDlg::kAddMode);
    dialog.OnInitDialog();
    if (m_host.RunKeycustDialog(dialog) != kIdOk) return;
    if (const std::optional<int> replaced = dialog.GetReplacedIndex()) RemoveReplaced(*replaced);
    const CKeycust& binding = dialog.GetBinding();
    m_table.Add(binding);
    m_host.SetMenuKeyText(MakeKeyText(binding), binding.m_nCommand);
    FillList(0);
}

void CKeySetDlg::OnChange() {
    int index = SelectedTableIndex();
    if (index < 0) return;
    const CKeycust original = m_table.GetAt(index);
    CKeycustDlg dialog(m_table, m_host.GetCommands(), m_prompter, original, static_cast<int>(original.m_nKey));
    dialog.OnInitDialog();
    if (m_host.RunKeycustDialog(dialog) != kIdOk) return;
    if (const std::optional<int> replaced = dialog.GetReplacedIndex()) {
        RemoveReplaced(*replaced);
        if (*replaced < index) --index;
    }
    const CKeycust& binding = dialog.GetBinding();
    m_table.SetAt(index, binding);
    if (original.m_nCommand != binding.m_nCommand) RefreshCaption(original.m_nCommand);
    m_host.SetMenuKeyText(MakeKeyText(binding), binding.m_nCommand);
    FillList(-1);
}

void CKeySetDlg::OnDelete() {
    const int index = SelectedTableIndex();
    if (index < 0) return;
    if (m_prompter.Message(SjisText("削除しますか？"), MessageButtons::kOkCancel, MessageIcon::kQuestion) !=
        Answer::kOk) {
        return;
    }
    RemoveReplaced(index);
    FillList(-1);
}

void CKeySetDlg::OnRead() {
    const FileDialogResult chosen = m_prompter.ChooseFile(KeyFileDialog(true, m_strProgramFolder, "*.KEY"));
    if (chosen.nResult != kIdOk) return;
    std::set<unsigned int> formerCommands;
    for (const CKeycust& binding : m_table.GetBindings()) formerCommands.insert(binding.m_nCommand);
    if (!m_table.Load(chosen.strPath)) {
        m_prompter.Message(SjisText("読み込めません"), MessageButtons::kOk, MessageIcon::kExclamation);
        return;
    }
    // The menu shows the keys of the table just read, and none of the old.
    for (const unsigned int command : formerCommands) {
        if (m_table.FindCommand(command) < 0) m_host.SetMenuKeyText(std::nullopt, command);
    }
    for (const CKeycust& binding : m_table.GetBindings()) m_host.SetMenuKeyText(MakeKeyText(binding), binding.m_nCommand);
    m_nTopIndex = 0;
    FillList(0);
}

void CKeySetDlg::OnSaveAs() {
    const FileDialogResult chosen = m_prompter.ChooseFile(KeyFileDialog(false, m_strProgramFolder, "Sprigbox.key"));
    if (chosen.nResult != kIdOk) return;
    if (!m_table.SaveAs(chosen.strPath)) {
        m_prompter.Message(SjisText("保存できません"), MessageButtons::kOk, MessageIcon::kExclamation);
    }
}

void CKeySetDlg::OnSaveAndClose() {
    WriteEditorKeysFirst(m_settings, m_bEditorKeysFirst);
    if (!m_table.Save()) {
        m_prompter.Message(SjisText("保存できません"), MessageButtons::kOk, MessageIcon::kExclamation);
    }
}

}  // namespace kelmio
