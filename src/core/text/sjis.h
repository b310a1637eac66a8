#pragma once
// Shift-JIS (code page 932) byte classification and scanning.
//
// A double-byte character is a lead byte (0x81-0x9F, 0xE0-0xFC) followed by
// a trail byte (0x40-0x7E, 0x80-0xFC). Trail bytes overlap ASCII: 0x5C "\"
// and the letters can be the second half of a kanji, so every scan here
// walks from a known character boundary instead of looking at bytes alone.

#include <cstddef>
#include <string>
#include <string_view>

namespace kelmio {

constexpr bool IsSjisLeadByte(unsigned char byte) {
    return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

constexpr bool IsSjisTrailByte(unsigned char byte) {
    return (byte >= 0x40 && byte <= 0x7E) || (byte >= 0x80 && byte <= 0xFC);
}

// Length in bytes of the character that starts at `index`: 2 for a lead
// byte with a byte after it, else 1. A lead byte at the very end counts as 1.
std::size_t CharLengthAt(std::string_view text, std::size_t index);

// Walks `text` from its start as characters and returns 1 when the byte at
// `index` is the lead byte of a double-byte character, 0 for a single byte or
// a trail byte, and -1 when the text ends (end of view or NUL) at or before
// `index`.
int IsLeadByteAt(std::string_view text, std::size_t index);

// The character code at `index`: the byte, or lead * 256 + trail.
unsigned int CharCodeAt(std::string_view text, std::size_t index);

// Position of the last path separator ("/" here; "\" too on Windows), found
// double-byte aware so that a trail byte 0x5C is never taken for one.
// npos when there is none.
std::size_t FindLastPathSeparator(std::string_view path);

// Position of the last "." that is a character of its own, npos when none.
std::size_t FindLastDot(std::string_view text);

// Position of the last occurrence of the single-byte character `ch`,
// double-byte aware. npos when there is none.
std::size_t FindLastChar(std::string_view text, char ch);

// The platform's path separator, and joining a folder and a name with it.
constexpr char kPathSeparator = '/';
std::string JoinPath(std::string_view folder, std::string_view name);

}  // namespace kelmio
