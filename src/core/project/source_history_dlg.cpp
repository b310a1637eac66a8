#include "project/source_history_dlg.h"

#include "text/cp932.h"

namespace kelmio {

SourceHistoryRow SplitHistoryEntry(const CFilePath& entry) {
    // The file system's own bytes: in them "/" is always a separator, never
    // the second byte of a double-byte character.
    const std::string_view native = entry.Native();
    // A URL is one name: its slashes are not the folders of this machine.
    if (native.find("://") != std::string_view::npos) return {entry, {}};
    const std::size_t separator = native.rfind('/');
    if (separator == std::string_view::npos) return {entry, {}};
    // A file in the root folder keeps the root as its folder, so the entry
    // is rebuilt as it was.
    const std::size_t folderEnd = separator == 0 ? 1 : separator;
    return {CFilePath::FromNative(native.substr(separator + 1)), CFilePath::FromNative(native.substr(0, folderEnd))};
}

CFilePath JoinHistoryRow(const SourceHistoryRow& row) {
    if (row.strFolder.empty()) return row.strFileName;
    return row.strFolder.Join(row.strFileName);
}

CSrcHistoryDlg::CSrcHistoryDlg(std::vector<CFilePath>& history) : m_history(history) {
    m_rows.reserve(history.size());
    for (const CFilePath& entry : history) m_rows.push_back(SplitHistoryEntry(entry));
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
