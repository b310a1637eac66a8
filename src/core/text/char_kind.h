#pragma once
// Character classes of code page 932 text, as the word-at-caret lookup cuts
// Japanese text into runs: punctuation, letters, digits, half-width kana,
// symbols, full-width letters and digits, katakana, hiragana, and the rest
// (kanji, spaces, control characters).

#include <optional>

namespace kelmio {

enum CharKind : int {
    kKindPunct = 0,           // single-byte punctuation
    kKindAlpha = 1,           // single-byte letter
    kKindDigit = 2,           // single-byte digit
    kKindHalfKana = 3,        // half-width katakana and Japanese punctuation
    kKindSymbol = 4,          // double-byte symbol, full-width space
    kKindWideAlpha = 5,       // full-width Latin letter
    kKindWideDigit = 6,       // full-width digit
    kKindKatakana = 7,
    kKindHiragana = 8,
    kKindOther = 9,           // kanji, spaces, line breaks, everything else
};

// `code` is a byte (0-255) or lead * 256 + trail.
int GetCharKind(unsigned int code);

// True when `code` is a valid double-byte code of code page 932.
bool IsDoubleByteCode(unsigned int code);

// The code page's full-width to half-width mapping: the single-byte
// equivalent of a double-byte character, if it has one (full-width ASCII,
// the ideographic space and punctuation, kana without voicing marks).
std::optional<unsigned char> ToHalfWidth(unsigned int code);

// Upper case of a character code: a-z, and double-byte full-width Latin,
// Greek and Cyrillic small letters. Anything else is returned unchanged.
unsigned int ToUpperMb(unsigned int code);

}  // namespace kelmio
