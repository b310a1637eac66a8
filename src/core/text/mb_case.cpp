#include "text/mb_case.h"

#include "text/char_kind.h"
#include "text/sjis.h"

namespace kelmio {
namespace {

bool InRange(unsigned int code, unsigned int low, unsigned int high) { return code >= low && code <= high; }

unsigned char AsciiUpper(unsigned char ch) { return ch >= 'a' && ch <= 'z' ? static_cast<unsigned char>(ch - 32) : ch; }

template <typename Convert>
std::string ConvertEach(std::string_view text, Convert convert) {
    std::string result;
    result.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        const std::size_t length = CharLengthAt(text, i);
        const unsigned int code = convert(CharCodeAt(text, i));
        if (length == 2) {
            result += static_cast<char>(code >> 8);
            result += static_cast<char>(code & 0xFF);
        } else {
            result += static_cast<char>(code);
        }
        i += length;
    }
    return result;
}

}  // namespace

unsigned int ToLowerMb(unsigned int code) {
    if (InRange(code, 'A', 'Z')) return code - 'A' + 'a';
    if (InRange(code, 0x8260, 0x8279)) return code - 0x8260 + 0x8281;  // full-width Latin
    if (InRange(code, 0x839F, 0x83B6)) return code - 0x839F + 0x83BF;  // Greek
    if (InRange(code, 0x8440, 0x8460)) {                               // Cyrillic; the lower row skips 0x847F
        const unsigned int lower = 0x8470 + (code - 0x8440);
        return lower >= 0x847F ? lower + 1 : lower;
    }
    return code;
}

std::string MakeLowerMb(std::string_view text) { return ConvertEach(text, ToLowerMb); }

std::string MakeUpperMb(std::string_view text) { return ConvertEach(text, ToUpperMb); }

bool StartsWithNoCaseMb(std::string_view text, std::string_view prefix) {
    if (prefix.empty()) return false;
    std::size_t i = 0;
    std::size_t j = 0;
    while (j < prefix.size()) {
        if (i >= text.size()) return false;
        // ASCII on both sides is the common case of a typed word: no table
        // lookups, and an ASCII byte is always a character of its own.
        const auto a = static_cast<unsigned char>(text[i]);
        const auto b = static_cast<unsigned char>(prefix[j]);
        if (a < 0x80 && b < 0x80) {
            if (AsciiUpper(a) != AsciiUpper(b)) return false;
            ++i;
            ++j;
            continue;
        }
        const std::size_t lengthA = CharLengthAt(text, i);
        const std::size_t lengthB = CharLengthAt(prefix, j);
        if (ToUpperMb(CharCodeAt(text, i)) != ToUpperMb(CharCodeAt(prefix, j))) return false;
        i += lengthA;
        j += lengthB;
    }
    return true;
}

}  // namespace kelmio
