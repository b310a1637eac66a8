#pragma once
// The editor widget keeps its text in UTF-8 and counts positions in UTF-8
// bytes; Kelmio counts them in bytes of the Shift-JIS text it saves. These
// two functions convert between the two by converting the text before the
// position, so they are given one line at a time (editor/sjis_offset_map.h)
// rather than a whole long text.

#include <cstddef>
#include <string_view>

namespace kelmio {

// The Shift-JIS offset of the character at `utf8Offset` of `utf8Text`.
std::size_t SjisOffsetFromUtf8(std::string_view utf8Text, std::size_t utf8Offset);

// The UTF-8 offset of the character at `sjisOffset` of the same text saved
// as Shift-JIS. An offset inside a double-byte character means that
// character; one past the end means the end.
std::size_t Utf8OffsetFromSjis(std::string_view utf8Text, std::size_t sjisOffset);

}  // namespace kelmio
