#include "dictd/dictd_index.h"

#include <algorithm>

namespace kelmio::dictd {
namespace {

int DigitValue(char ch) {
    if (ch >= 'A' && ch <= 'Z') return ch - 'A';
    if (ch >= 'a' && ch <= 'z') return ch - 'a' + 26;
    if (ch >= '0' && ch <= '9') return ch - '0' + 52;
    if (ch == '+') return 62;
    if (ch == '/') return 63;
    return -1;
}

bool HeadwordLess(const IndexEntry& a, const IndexEntry& b) { return a.headword < b.headword; }

}  // namespace

std::optional<std::uint64_t> DecodeNumber(std::string_view digits) {
    // Ten digits carry 60 bits: more than any database needs, and no overflow.
    if (digits.empty() || digits.size() > 10) return std::nullopt;
    std::uint64_t value = 0;
    for (const char ch : digits) {
        const int digit = DigitValue(ch);
        if (digit < 0) return std::nullopt;
        value = value * 64 + static_cast<std::uint64_t>(digit);
    }
    return value;
}

CDictdIndex::CDictdIndex(std::string bytes) : m_pBytes(std::make_unique<const std::string>(std::move(bytes))) {
    Parse();
}

void CDictdIndex::Parse() {
    const std::string_view text(*m_pBytes);
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string_view::npos) end = text.size();
        std::string_view line = text.substr(start, end - start);
        start = end + 1;
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        if (line.empty()) continue;
        const std::size_t lengthTab = line.rfind('\t');
        const std::size_t offsetTab = lengthTab == std::string_view::npos || lengthTab == 0
                                          ? std::string_view::npos
                                          : line.rfind('\t', lengthTab - 1);
        if (offsetTab == std::string_view::npos) {
            ++m_nSkipped;
            continue;
        }
        const auto offset = DecodeNumber(line.substr(offsetTab + 1, lengthTab - offsetTab - 1));
        const auto length = DecodeNumber(line.substr(lengthTab + 1));
        if (!offset || !length) {
            ++m_nSkipped;
            continue;
        }
        m_entries.push_back(IndexEntry{line.substr(0, offsetTab), *offset, *length});
    }
    std::stable_sort(m_entries.begin(), m_entries.end(), HeadwordLess);
}

std::vector<IndexEntry> CDictdIndex::Find(std::string_view word) const {
    const IndexEntry probe{word, 0, 0};
    const auto [first, last] = std::equal_range(m_entries.begin(), m_entries.end(), probe, HeadwordLess);
    return std::vector<IndexEntry>(first, last);
}

}  // namespace kelmio::dictd
