#pragma once
// Lower and upper case of whole code page 932 texts, character by
// character: ASCII letters and the double-byte full-width Latin, Greek and
// Cyrillic letters change, everything else (kana, kanji, trail bytes that
// look like ASCII letters) stays as it is.

#include <string>
#include <string_view>

namespace kelmio {

unsigned int ToLowerMb(unsigned int code);

std::string MakeLowerMb(std::string_view text);
std::string MakeUpperMb(std::string_view text);

// True when `text` begins with `prefix`, compared without regard to case.
// An empty prefix matches nothing: the caller has no word to look for.
bool StartsWithNoCaseMb(std::string_view text, std::string_view prefix);

}  // namespace kelmio
