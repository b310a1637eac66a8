#include "project/kelmio_data.h"

#include <algorithm>


namespace kelmio {

void CKelmioData::SetSource(const CFilePath& path) {
    const CFilePath source = path;  // `path` may be an entry of the history itself
    m_strSrcFile = source;
    const auto same = std::find_if(m_arrSrcHistory.begin(), m_arrSrcHistory.end(),
                                   [&](const CFilePath& entry) { return SameFileName(entry, source); });
    if (same != m_arrSrcHistory.end()) m_arrSrcHistory.erase(same);
    m_arrSrcHistory.insert(m_arrSrcHistory.begin(), source);
}

CKelmioMemo& CKelmioData::AppendMemo(CKelmioMemo memo) {
    m_arrMemo.push_back(std::make_unique<CKelmioMemo>(std::move(memo)));
    return *m_arrMemo.back();
}

void CKelmioData::RemoveMemo(std::size_t index) {
    if (index >= m_arrMemo.size()) return;
    m_arrMemo.erase(m_arrMemo.begin() + static_cast<std::ptrdiff_t>(index));
}

void CKelmioData::Clear() {
    m_strEditFile = {};
    m_strSrcFile = {};
    m_nReserved = 0;
    m_nDicKind = 0;
    m_strDicPath.clear();
    m_strDicParam.clear();
    m_arrMemo.clear();
    m_arrSrcHistory.clear();
    m_pos = CKelmioPosData();
}

bool CKelmioData::operator==(const CKelmioData& other) const {
    const auto sameMemo = [](const std::unique_ptr<CKelmioMemo>& a, const std::unique_ptr<CKelmioMemo>& b) {
        return *a == *b;
    };
    return m_strEditFile == other.m_strEditFile && m_strSrcFile == other.m_strSrcFile &&
           m_nReserved == other.m_nReserved && m_nDicKind == other.m_nDicKind &&
           m_strDicPath == other.m_strDicPath && m_strDicParam == other.m_strDicParam &&
           std::equal(m_arrMemo.begin(), m_arrMemo.end(), other.m_arrMemo.begin(), other.m_arrMemo.end(),
                      sameMemo) &&
           m_arrSrcHistory == other.m_arrSrcHistory && m_pos == other.m_pos;
}

}  // namespace kelmio
