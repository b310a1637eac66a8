#pragma once
// The index of a dictd database: one line per headword,
//
//   headword TAB offset TAB length LF
//
// where offset and length locate the entry's text in the .dict data and are
// written in dictd's base64 digits (A-Z a-z 0-9 + /, most significant
// first, no padding). Headwords are UTF-8 in the databases we serve.
//
// The reader keeps the file's bytes and a sorted table of views into them,
// so a lookup is a binary search. It survives any input: a line that does
// not parse is skipped and counted, never trusted.

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kelmio::dictd {

struct IndexEntry {
    std::string_view headword;
    std::uint64_t offset = 0;
    std::uint64_t length = 0;
};

// A dictd base64 number; nullopt for an empty text, a foreign digit or a
// value past 2^60.
std::optional<std::uint64_t> DecodeNumber(std::string_view digits);

class CDictdIndex {
public:
    // Takes the index file's bytes.
    explicit CDictdIndex(std::string bytes);
    CDictdIndex(CDictdIndex&&) noexcept = default;
    CDictdIndex& operator=(CDictdIndex&&) noexcept = default;
    CDictdIndex(const CDictdIndex&) = delete;
    CDictdIndex& operator=(const CDictdIndex&) = delete;

    // Every entry whose headword is exactly `word`, in file order.
    std::vector<IndexEntry> Find(std::string_view word) const;

    std::size_t Size() const { return m_entries.size(); }
    std::size_t SkippedLines() const { return m_nSkipped; }

private:
    void Parse();

    // Held by pointer: the entries view into these bytes, and a short
    // string's bytes would move with it.
    std::unique_ptr<const std::string> m_pBytes;
    std::vector<IndexEntry> m_entries;  // sorted by headword bytes, stable
    std::size_t m_nSkipped = 0;
};

}  // namespace kelmio::dictd
