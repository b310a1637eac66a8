#pragma once
// UTF-8 to code page 932 through a table of every Unicode character's
// Shift-JIS form, built once from iconv's own answers, so that a large
// text is converted at memory speed with exactly iconv's bytes: the same
// forms, and the same "?" for each character without one and for each
// byte sequence that is no UTF-8 (cut as the iconv conversion cuts it).

#include <cstddef>
#include <string>
#include <string_view>

namespace kelmio {

// Appends the Shift-JIS of `utf8` to `out` and returns how many characters
// became "?"; false (nothing appended) when the table cannot be built.
bool Utf8ToCp932ByTable(std::string_view utf8, std::string& out, std::size_t& unconvertible);

// The number of characters of `utf8` that become "?"; false when the
// table cannot be built.
bool CountWithoutCp932FormByTable(std::string_view utf8, std::size_t& count);

// The iconv conversion itself, character by character, that the table
// stands in for.
struct ConversionResult;
ConversionResult Utf8ToCp932ByIconv(std::string_view utf8);

}  // namespace kelmio
