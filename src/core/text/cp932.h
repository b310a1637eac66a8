#pragma once
// The one conversion between code page 932 (Shift-JIS) and Unicode.
//
// Used at every widget boundary and wherever a file carries UTF-16 text.
// Conversions never fail: a character with no code page 932 form becomes
// "?", an invalid or truncated byte sequence becomes U+FFFD on the way to
// Unicode, and the conversion goes on after it.

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace kelmio {

struct ConversionResult {
    std::string text;
    std::size_t unconvertible = 0;  // characters replaced along the way
};

std::string Cp932ToUtf8(std::string_view sjis);
std::u16string Cp932ToUtf16(std::string_view sjis);

std::string Utf8ToCp932(std::string_view utf8);
std::string Utf16ToCp932(std::u16string_view utf16);

// As above, also telling how many characters had to be replaced, so that a
// caller about to write a file can warn the user before anything is lost.
ConversionResult Utf8ToCp932Checked(std::string_view utf8);
ConversionResult Utf16ToCp932Checked(std::u16string_view utf16);

// A run of bytes of a UTF-8 text.
struct Utf8Span {
    std::size_t offset = 0;
    std::size_t length = 0;
    bool operator==(const Utf8Span&) const = default;
};

// The characters of `utf8` that have no code page 932 form, in order: a
// save in Shift-JIS writes each of them as "?". Bytes that are not UTF-8
// count as such characters too.
std::vector<Utf8Span> FindCharsWithoutCp932Form(std::string_view utf8);

// Cp932ToUtf8 for texts too large to be held twice: the text is cut into
// pieces of about `chunk` bytes, never inside a character, and each piece
// is converted and handed on in order. The pieces joined are exactly what
// the whole-text conversion gives. (Utf8ToCp932Checked needs no such
// help: UTF-8 cut before any byte that is no continuation byte converts
// piece by piece to the same bytes and counts.)
void Cp932ToUtf8Pieces(std::string_view sjis, std::size_t chunk,
                       const std::function<void(std::string_view utf8)>& append);
// Utf8ToCp932 of a text too large to be converted whole: pieces of about
// `chunk` bytes, cut before bytes that are no continuation bytes, are
// converted and handed on in order. Stops, returning false, when `take`
// returns false.
bool Utf8ToCp932Pieces(std::string_view utf8, std::size_t chunk,
                       const std::function<bool(std::string_view sjis)>& take);
// The size of Cp932ToUtf8(sjis), found without converting, as room to
// reserve beforehand: exact for Japanese text but for the few symbols that
// take 2 bytes in UTF-8 (counted as 3), and short only where double-byte
// characters have no Unicode form.
std::size_t Cp932ToUtf8SizeEstimate(std::string_view sjis);
// FindCharsWithoutCp932Form(utf8).size(), with only a piece at a time in
// memory.
std::size_t CountCharsWithoutCp932Form(std::string_view utf8);

// UTF-16LE bytes as stored in files (2 bytes per code unit, low byte first).
std::u16string Utf16FromLeBytes(std::string_view bytes);

}  // namespace kelmio

namespace kelmio {

// A product text written in UTF-8 in the sources, as the Shift-JIS bytes the
// rest of the program works with. Keep the result in a function-local static
// where it is used often.
inline std::string SjisText(std::string_view utf8) { return Utf8ToCp932(utf8); }

}  // namespace kelmio
