#include "text/utf8_piece_feed.h"

#include <algorithm>
#include <utility>

#include "text/cp932.h"
#include "text/sjis.h"

namespace kelmio {

CUtf8PieceFeed::CUtf8PieceFeed(std::size_t chunk, std::function<void(std::string_view utf8)> append)
    : m_nChunk(std::max<std::size_t>(chunk, 4)), m_append(std::move(append)) {}

void CUtf8PieceFeed::Take(std::string_view piece) {
    if (m_bUtf8) {
        TakeUtf8(piece);
        return;
    }
    if (m_strTail.empty()) {
        TakeSjis(piece);
        return;
    }
    std::string joined = std::move(m_strTail);
    m_strTail.clear();
    joined.append(piece);
    TakeSjis(joined);
}

void CUtf8PieceFeed::Finish() {
    if (!m_strTail.empty()) m_append(Cp932ToUtf8(m_strTail));
    m_strTail.clear();
}

void CUtf8PieceFeed::TakeUtf8(std::string_view text) {
    for (std::size_t pos = 0; pos < text.size();) {
        std::size_t end = std::min(text.size(), pos + m_nChunk);
        while (end < text.size() && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80) ++end;
        m_append(text.substr(pos, end - pos));
        pos = end;
    }
}

void CUtf8PieceFeed::TakeSjis(std::string_view text) {
    for (std::size_t pos = 0; pos < text.size();) {
        const std::size_t target = std::min(text.size(), pos + m_nChunk);
        std::size_t end = pos;
        std::size_t last = pos;
        while (end < target) {
            last = end;
            end += CharLengthAt(text, end);
        }
        if (end == text.size() && end - last == 1 && IsSjisLeadByte(static_cast<unsigned char>(text[last]))) {
            if (last > pos) m_append(Cp932ToUtf8(text.substr(pos, last - pos)));
            m_strTail.assign(text.substr(last));
            return;
        }
        m_append(Cp932ToUtf8(text.substr(pos, end - pos)));
        pos = end;
    }
}

}  // namespace kelmio
