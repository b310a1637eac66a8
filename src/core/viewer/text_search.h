#pragma once
// Searching the source pane's text: forward only, without regard to case
// (ASCII and full-width Latin letters), never whole-word. The pane holds
// UTF-8, so positions here are byte offsets into UTF-8 text, which are
// the pane's own positions.
//
// A search starts one character after the end of the selection, so with
// the caret at the very start a match at position 0 is not found.

#include <cstddef>
#include <optional>
#include <string_view>
#include <vector>

namespace kelmio {

// Where a search after a selection ending at `selectionEnd` starts.
std::size_t SearchStart(std::string_view text, std::size_t selectionEnd);

// The first match of `needle` starting at or after `from`.
std::optional<std::size_t> FindNoCase(std::string_view text, std::size_t from, std::string_view needle);

// The matches replace-all replaces when the selection ends at
// `selectionEnd`: from the search start on, each next search continuing
// after the previous match, so a replacement that contains the search
// text never makes it run forever. Positions in `text` as it is before
// anything is replaced; replacing them from the last one back keeps the
// earlier positions valid.
std::vector<std::size_t> ReplaceAllMatches(std::string_view text, std::size_t selectionEnd, std::string_view needle);

// The number of characters before byte `offset` (a widget that counts
// characters rather than bytes needs it).
std::size_t Utf8CharIndex(std::string_view text, std::size_t offset);
// The byte offset of the character at `index`.
std::size_t Utf8ByteOffset(std::string_view text, std::size_t index);

}  // namespace kelmio
