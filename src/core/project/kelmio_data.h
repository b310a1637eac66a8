#pragma once
// The project record: everything one translation job keeps in its project
// file. Plain data; the byte stream lives in project_file.h.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/file_path.h"

namespace kelmio {

// A titled note. Lines are separated by CR LF, as the memo pane's edit
// control produces them.
class CKelmioMemo {
public:
    std::string m_strTitle;
    std::string m_strText;

    bool operator==(const CKelmioMemo&) const = default;
};

// Where the user was when the project was last saved: source viewer scroll
// and zoom, browser mode, and the translation editor's caret and top line.
class CKelmioPosData {
public:
    std::int32_t m_nScrollX = 0;
    std::int32_t m_nScrollY = 0;
    std::int32_t m_bClientSize = 0;
    std::int32_t m_bEnlarge = 0;
    std::int32_t m_bReduce = 0;
    std::int32_t m_nEnlarge = 0;
    std::int32_t m_nReduce = 0;
    std::int32_t m_bFitWindow = 0;
    std::int32_t m_bBrowserMode = 0;
    std::int32_t m_nEditCaret = 0;
    std::int32_t m_nEditTopLine = 0;

    bool operator==(const CKelmioPosData&) const = default;
};

class CKelmioData {
public:
    CKelmioData() = default;
    CKelmioData(CKelmioData&&) noexcept = default;
    CKelmioData& operator=(CKelmioData&&) noexcept = default;
    // Memos are owned one by one; copying a record is never needed.
    CKelmioData(const CKelmioData&) = delete;
    CKelmioData& operator=(const CKelmioData&) = delete;

    CFilePath m_strEditFile;  // translation text file; empty when none
    CFilePath m_strSrcFile;   // current source: a path or a URL; empty when none
    std::int32_t m_nReserved = 0;  // kept as read, written back unchanged
    std::int32_t m_nDicKind = 0;
    std::string m_strDicPath;
    std::string m_strDicParam;
    std::vector<CFilePath> m_arrSrcHistory;  // most recent first
    CKelmioPosData m_pos;

    // Makes `path` the current source and moves it to the top of the
    // history, replacing an entry that differs from it only in letter case.
    void SetSource(const CFilePath& path);

    // Memos in display order. Each memo keeps its address until it is
    // removed, so a pane may hold a reference to the memo it edits.
    std::size_t GetMemoCount() const { return m_arrMemo.size(); }
    CKelmioMemo& GetMemo(std::size_t index) { return *m_arrMemo[index]; }
    const CKelmioMemo& GetMemo(std::size_t index) const { return *m_arrMemo[index]; }
    CKelmioMemo& AppendMemo(CKelmioMemo memo);
    // Destroys the memo at `index` and closes the gap; an index past the
    // end is ignored.
    void RemoveMemo(std::size_t index);

    // Back to the state of a newly constructed record.
    void Clear();

    bool operator==(const CKelmioData& other) const;

private:
    std::vector<std::unique_ptr<CKelmioMemo>> m_arrMemo;
};

}  // namespace kelmio
