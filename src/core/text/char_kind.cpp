#include "text/char_kind.h"

#include <array>
#include <cctype>

#include "text/sjis.h"

namespace kelmio {
namespace {

// Half-width forms of 0x8140-0x8197 (ideographic space and punctuation);
// 0 where the character has no single-byte form. 0x817F is not a character.
constexpr std::array<unsigned char, 0x58> kPunctToHalf = {
    // 8140-814F
    0x20, 0xA4, 0xA1, 0x2C, 0x2E, 0xA5, 0x3A, 0x3B, 0x3F, 0x21, 0xDE, 0xDF, 0x00, 0x60, 0x00, 0x5E,
    // 8150-815F
    0x7E, 0x5F, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0xB0, 0x00, 0x2D, 0x2F, 0x5C,
    // 8160-816F
    0x7E, 0x00, 0x7C, 0x00, 0x00, 0x00, 0x27, 0x00, 0x22, 0x28, 0x29, 0x00, 0x00, 0x5B, 0x5D, 0x7B,
    // 8170-817F
    0x7D, 0x00, 0x00, 0x00, 0x00, 0xA2, 0xA3, 0x00, 0x00, 0x00, 0x00, 0x2B, 0x2D, 0x00, 0x00, 0x00,
    // 8180-818F
    0x00, 0x3D, 0x00, 0x3C, 0x3E, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x5C,
    // 8190-8197
    0x24, 0x00, 0x00, 0x25, 0x23, 0x26, 0x2A, 0x40,
};

// Half-width katakana for the kana in code order, hiragana 0x829F-0x82F1 and
// katakana 0x8340-0x8396 (without the gap at 0x837F) alike; 0 where the
// half-width form would need a separate voicing mark.
constexpr std::array<unsigned char, 86> kKanaToHalf = {
    0xA7, 0xB1, 0xA8, 0xB2, 0xA9, 0xB3, 0xAA, 0xB4, 0xAB, 0xB5,  // ァアィイゥウェエォオ
    0xB6, 0x00, 0xB7, 0x00, 0xB8, 0x00, 0xB9, 0x00, 0xBA, 0x00,  // カガキギクグケゲコゴ
    0xBB, 0x00, 0xBC, 0x00, 0xBD, 0x00, 0xBE, 0x00, 0xBF, 0x00,  // サザシジスズセゼソゾ
    0xC0, 0x00, 0xC1, 0x00, 0xAF, 0xC2, 0x00, 0xC3, 0x00, 0xC4,  // タダチヂッツヅテデト
    0x00, 0xC5, 0xC6, 0xC7, 0xC8, 0xC9,                          // ドナニヌネノ
    0xCA, 0x00, 0x00, 0xCB, 0x00, 0x00, 0xCC, 0x00, 0x00,        // ハバパヒビピフブプ
    0xCD, 0x00, 0x00, 0xCE, 0x00, 0x00,                          // ヘベペホボポ
    0xCF, 0xD0, 0xD1, 0xD2, 0xD3,                                // マミムメモ
    0xAC, 0xD4, 0xAD, 0xD5, 0xAE, 0xD6,                          // ャヤュユョヨ
    0xD7, 0xD8, 0xD9, 0xDA, 0xDB,                                // ラリルレロ
    0x00, 0xDC, 0x00, 0x00, 0xA6, 0xDD,                          // ヮワヰヱヲン
    0x00, 0x00, 0x00,                                            // ヴヵヶ
};

std::optional<unsigned char> HalfOrNone(unsigned char half) {
    if (half == 0) return std::nullopt;
    return half;
}

bool InRange(unsigned int code, unsigned int first, unsigned int last) { return code >= first && code <= last; }

}  // namespace

bool IsDoubleByteCode(unsigned int code) {
    return code > 0xFF && code <= 0xFFFF && IsSjisLeadByte(static_cast<unsigned char>(code >> 8)) &&
           IsSjisTrailByte(static_cast<unsigned char>(code & 0xFF));
}

std::optional<unsigned char> ToHalfWidth(unsigned int code) {
    if (InRange(code, 0x8140, 0x8197)) return HalfOrNone(kPunctToHalf[code - 0x8140]);
    if (InRange(code, 0x824F, 0x8258)) return static_cast<unsigned char>('0' + (code - 0x824F));
    if (InRange(code, 0x8260, 0x8279)) return static_cast<unsigned char>('A' + (code - 0x8260));
    if (InRange(code, 0x8281, 0x829A)) return static_cast<unsigned char>('a' + (code - 0x8281));
    if (InRange(code, 0x829F, 0x82F1)) return HalfOrNone(kKanaToHalf[code - 0x829F]);
    if (InRange(code, 0x8340, 0x8396) && code != 0x837F) {
        return HalfOrNone(kKanaToHalf[code - 0x8340 - (code > 0x837F ? 1 : 0)]);
    }
    return std::nullopt;
}

unsigned int ToUpperMb(unsigned int code) {
    if (InRange(code, 'a', 'z')) return code - 'a' + 'A';
    if (InRange(code, 0x8281, 0x829A)) return code - 0x8281 + 0x8260;  // full-width Latin
    if (InRange(code, 0x83BF, 0x83D6)) return code - 0x83BF + 0x839F;  // Greek
    if (InRange(code, 0x8470, 0x8491)) {                               // Cyrillic, with the gap at 0x847F
        const unsigned int index = code - 0x8470 - (code > 0x847F ? 1 : 0);
        if (code == 0x847F) return code;
        return 0x8440 + index;
    }
    return code;
}

int GetCharKind(unsigned int code) {
    const bool single = code <= 0xFF;
    if (single) {
        const auto byte = static_cast<unsigned char>(code);
        if (byte < 0x80 && std::ispunct(byte)) return kKindPunct;
        if (byte < 0x80 && std::isalpha(byte)) return kKindAlpha;
        if (byte < 0x80 && std::isdigit(byte)) return kKindDigit;
        if (byte >= 0xA1 && byte <= 0xDF) return kKindHalfKana;
        return kKindOther;  // no single-byte character has a full-width mapping to try
    }
    if (InRange(code, 0x8140, 0x817E) || InRange(code, 0x8180, 0x81AC)) return kKindSymbol;
    if (InRange(code, 0x8340, 0x837E) || InRange(code, 0x8380, 0x8396)) return kKindKatakana;
    if (InRange(code, 0x829F, 0x82F1)) return kKindHiragana;
    const std::optional<unsigned char> half = ToHalfWidth(code);
    if (!half) return kKindOther;
    if (*half < 0x80 && std::ispunct(*half)) return kKindSymbol;
    if (*half < 0x80 && std::isalpha(*half)) return kKindWideAlpha;
    if (*half < 0x80 && std::isdigit(*half)) return kKindWideDigit;
    return kKindOther;
}

}  // namespace kelmio
