#pragma once
// The source history dialog's behaviour ("過去のソースファイル"): one row
// per source used in the project, file name and folder, the most recent
// first and selected; OK (or a double click) picks the selected row.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/file_path.h"

namespace kelmio {

struct SourceHistoryRow {
    CFilePath strFileName;
    CFilePath strFolder;  // empty for an entry without a separator, such as a URL

    bool operator==(const SourceHistoryRow&) const = default;
};

// Splits at the last path separator.
SourceHistoryRow SplitHistoryEntry(const CFilePath& entry);
// Folder, separator and file name, or the file name alone.
CFilePath JoinHistoryRow(const SourceHistoryRow& row);

class CSrcHistoryDlg {
public:
    // The history is handed in for one run; OK rewrites it from the rows.
    explicit CSrcHistoryDlg(std::vector<CFilePath>& history);

    static std::string Caption();
    static std::string FileNameColumn();
    static std::string FolderColumn();

    const std::vector<SourceHistoryRow>& Rows() const { return m_rows; }
    // Row 0 is selected when the dialog opens; -1 when there is none.
    int InitialSelection() const { return m_rows.empty() ? -1 : 0; }

    // OK with row `selected` (-1: none). False, and nothing changes, when
    // no row is selected: the dialog stays open, since the caller needs a
    // chosen source.
    bool OnOK(int selected);
    const CFilePath& Selected() const { return m_strSelected; }

private:
    std::vector<CFilePath>& m_history;
    std::vector<SourceHistoryRow> m_rows;
    CFilePath m_strSelected;
};

}  // namespace kelmio
