#pragma once
// Case-insensitive comparison of code page 932 text, character by character,
// so that a trail byte is never folded as if it were an ASCII letter.

#include <string_view>

namespace kelmio {

// 0 when equal without regard to case, else the difference of the first
// differing pair of upper-cased character codes (a's minus b's).
int CompareNoCaseMb(std::string_view a, std::string_view b);

// Case-insensitive equality, as paths and names are compared.
inline bool EqualsNoCaseMb(std::string_view a, std::string_view b) { return CompareNoCaseMb(a, b) == 0; }

}  // namespace kelmio
