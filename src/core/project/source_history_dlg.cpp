#include "project/source_history_dlg.h"

#include "text/cp932.h"
#include "text/sjis.h"

namespace kelmio {

SourceHistoryRow SplitHistoryEntry(std::string_view entry) {
    // A URL is one name: its slashes are not the folders of this machine.
    if (entry.find("://") != std::string_view::npos) return {std::string(entry), {}};
    const std::size_t separator = FindLastPathSeparator(entry);
    if (separator == std::string_view::npos) return {std::string(entry), {}};
    // A file in the root folder keeps the root as its folder, so the entry
    // is rebuilt as it was.
    const std::size_t folderEnd = separator == 0 ? 1 : separator;
    return {std::string(entry.substr(separator + 1)), std::string(entry.substr(0, folderEnd))};
}

std::string JoinHistoryRow(const SourceHistoryRow& row) {
    if (row.strFolder.empty()) return row.strFileName;
    if (FindLastPathSeparator(row.strFolder) == row.strFolder.size() - 1) return row.strFolder + row.strFileName;
    return row.strFolder + kPathSeparator + row.strFileName;
}

CSrcHistoryDlg::CSrcHistoryDlg(std::vector<std::string>& history) : m_history(history) {
    m_rows.reserve(history.size());
    for (const std::string& entry : history) m_rows.push_back(SplitHistoryEntry(entry));
}

std::string CSrcHistoryDlg::Caption() { return SjisText("過去のソースファイル"); }
std::string CSrcHistoryDlg::FileNameColumn() { return SjisText("ファイル名"); }
std::string CSrcHistoryDlg::FolderColumn() { return SjisText("フォルダ名"); }

bool CSrcHistoryDlg::OnOK(int selected) {
    if (selected < 0 || static_cast<std::size_t>(selected) >= m_rows.size()) return false;
    m_history.clear();
    for (const SourceHistoryRow& row : m_rows) m_history.push_back(JoinHistoryRow(row));
    m_strSelected = m_history[static_cast<std::size_t>(selected)];
    return true;
}

}  // namespace kelmio
