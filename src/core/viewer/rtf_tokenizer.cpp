#include "viewer/rtf_tokenizer.h"

#include <climits>

#include "viewer/rtf_codepage.h"

namespace kelmio {
namespace {

bool IsLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

int HexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

bool IsPlainTextByte(char c) { return c != '\\' && c != '{' && c != '}' && c != '\r' && c != '\n'; }

}  // namespace

CRtfToken CRtfTokenizer::Next() {
    // Line ends in RTF are only for looking at; they carry nothing.
    while (m_pos < m_input.size() && (m_input[m_pos] == '\r' || m_input[m_pos] == '\n')) ++m_pos;
    CRtfToken token;
    if (m_pos >= m_input.size()) return token;
    const std::size_t start = m_pos;
    const char c = m_input[m_pos];
    if (c == '{' || c == '}') {
        ++m_pos;
        token.m_kind = c == '{' ? ERtfToken::GroupOpen : ERtfToken::GroupClose;
        token.m_raw = m_input.substr(start, 1);
        return token;
    }
    if (c == '\\') return ReadControl();
    while (m_pos < m_input.size() && IsPlainTextByte(m_input[m_pos])) ++m_pos;
    token.m_kind = ERtfToken::Text;
    token.m_name = token.m_raw = m_input.substr(start, m_pos - start);
    return token;
}

CRtfToken CRtfTokenizer::ReadControl() {
    CRtfToken token;
    const std::size_t start = m_pos++;
    if (m_pos >= m_input.size()) {
        // A lone "\" at the very end: nothing more to read.
        return token;
    }
    const char c = m_input[m_pos];
    if (c == '\'' && m_pos + 2 < m_input.size() && HexValue(m_input[m_pos + 1]) >= 0 &&
        HexValue(m_input[m_pos + 2]) >= 0) {
        token.m_kind = ERtfToken::HexByte;
        token.m_byte = static_cast<unsigned char>(HexValue(m_input[m_pos + 1]) * 16 + HexValue(m_input[m_pos + 2]));
        m_pos += 3;
        token.m_raw = m_input.substr(start, m_pos - start);
        return token;
    }
    if (!IsLetter(c)) {
        token.m_kind = ERtfToken::Symbol;
        token.m_chSymbol = c;
        ++m_pos;
        token.m_raw = m_input.substr(start, m_pos - start);
        return token;
    }
    const std::size_t nameStart = m_pos;
    while (m_pos < m_input.size() && IsLetter(m_input[m_pos])) ++m_pos;
    token.m_kind = ERtfToken::Word;
    token.m_name = m_input.substr(nameStart, m_pos - nameStart);
    const bool negative = m_pos + 1 < m_input.size() && m_input[m_pos] == '-' && IsDigit(m_input[m_pos + 1]);
    if (negative) ++m_pos;
    if (m_pos < m_input.size() && IsDigit(m_input[m_pos])) {
        long long value = 0;
        while (m_pos < m_input.size() && IsDigit(m_input[m_pos])) {
            if (value <= INT_MAX) value = value * 10 + (m_input[m_pos] - '0');
            ++m_pos;
        }
        if (negative) value = -value;
        token.m_bHasParam = true;
        token.m_nParam = static_cast<int>(value > INT_MAX ? INT_MAX : value < INT_MIN ? INT_MIN : value);
    }
    token.m_raw = m_input.substr(start, m_pos - start);
    if (m_pos < m_input.size() && m_input[m_pos] == ' ') ++m_pos;
    return token;
}

bool CRtfTokenizer::TakeTrailByte(unsigned char& trail, int codePage) {
    if (m_pos >= m_input.size()) return false;
    const auto byte = static_cast<unsigned char>(m_input[m_pos]);
    if (!IsTrailByteIn(codePage, byte)) return false;
    trail = byte;
    ++m_pos;
    return true;
}

std::string_view CRtfTokenizer::TakeBinary(long long count) {
    const std::size_t left = m_input.size() - m_pos;
    const std::size_t size = count <= 0 ? 0 : static_cast<unsigned long long>(count) > left ? left
                                                                                              : static_cast<std::size_t>(count);
    const std::string_view data = m_input.substr(m_pos, size);
    m_pos += size;
    return data;
}

bool CRtfTokenizer::SkipGroup() {
    std::size_t depth = 1;
    while (true) {
        const CRtfToken token = Next();
        switch (token.m_kind) {
        case ERtfToken::End: return false;
        case ERtfToken::GroupOpen: ++depth; break;
        case ERtfToken::GroupClose:
            if (--depth == 0) return true;
            break;
        case ERtfToken::Word:
            if (token.m_name == "bin" && token.m_bHasParam) TakeBinary(token.m_nParam);
            break;
        default: break;
        }
    }
}

bool EndsInLeadByte(std::string_view bytes, int codePage) {
    if (bytes.empty() || !IsLeadByteIn(codePage, static_cast<unsigned char>(bytes.back()))) return false;
    // An earlier lead byte's trail may itself look like a lead byte, so walk
    // the bytes as characters.
    std::size_t i = 0;
    while (i + 1 < bytes.size()) i += IsLeadByteIn(codePage, static_cast<unsigned char>(bytes[i])) ? 2 : 1;
    return i + 1 == bytes.size();
}

}  // namespace kelmio
