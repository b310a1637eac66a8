#include "encoding/utf16_detection.h"

#include <cstddef>

namespace kelmio {
namespace {

constexpr std::size_t kZeroSample = std::size_t{64} << 10;  // a file without a zero byte here is no UTF-16
constexpr std::size_t kFewestUnits = 4;
// A text without a line end needs this many ASCII characters: a few units of
// binary data fall as ASCII in UTF-16 all too easily.
constexpr std::size_t kFewestAsciiUnits = 8;

bool IsHighSurrogate(char16_t unit) { return unit >= 0xD800 && unit <= 0xDBFF; }
bool IsLowSurrogate(char16_t unit) { return unit >= 0xDC00 && unit <= 0xDFFF; }

// A unit (not a surrogate) that a text holds.
bool IsTextUnit(char16_t unit) {
    if (unit < 0x20) return unit == '\t' || unit == '\n' || unit == '\f' || unit == '\r';
    if (unit >= 0x7F && unit <= 0x9F) return false;
    const int high = unit >> 8;
    if (high == '\n' || high == '\r') return false;  // an 8-bit text's line end read as UTF-16
    return unit != 0xFFFE && unit != 0xFFFF;
}

// The file read as UTF-16 units of one byte order, and what speaks for it.
class CUtf16Reading {
public:
    explicit CUtf16Reading(bool bigEndian) : m_bBigEndian(bigEndian) {}

    void Feed(unsigned char first, unsigned char second) {
        const auto unit = static_cast<char16_t>(m_bBigEndian ? (first << 8 | second) : (second << 8 | first));
        if (m_bHighPending) {
            m_bHighPending = false;
            if (IsLowSurrogate(unit)) return;
            m_bText = false;
        }
        if (IsHighSurrogate(unit)) {
            m_bHighPending = true;
        } else if (IsLowSurrogate(unit) || !IsTextUnit(unit)) {
            m_bText = false;
        } else if (unit < 0x80) {
            ++m_nAscii;
            if (unit == '\n' || unit == '\r') m_bLineEnd = true;
        }
    }

    // True when the units so far (the whole file) are UTF-16 text.
    bool Confirms(std::size_t units) const {
        const bool lines = m_bLineEnd && m_nAscii >= 2;
        const bool mostlyAscii = m_nAscii >= kFewestAsciiUnits && 2 * m_nAscii >= units;
        return m_bText && !m_bHighPending && (lines || mostlyAscii);
    }

private:
    bool m_bBigEndian;
    bool m_bText = true;
    bool m_bHighPending = false;
    bool m_bLineEnd = false;
    std::size_t m_nAscii = 0;  // ASCII units: a zero high byte
};

// Zero bytes on the high side of one byte order, four times as many as on
// the other, and enough of them to mean something.
bool ZerosLeanTo(std::size_t side, std::size_t other, std::size_t units) {
    return side >= kFewestAsciiUnits && side >= 4 * other && 16 * side >= units;
}

}  // namespace

std::optional<TextEncoding> DetectUtf16WithoutMark(CByteReader& reader) {
    CUtf16Reading little(false);
    CUtf16Reading big(true);
    std::size_t zeros[2] = {0, 0};  // at even and at odd offsets
    std::size_t size = 0;
    int first = 0;
    for (int c = reader.Next(); c >= 0; c = reader.Next()) {
        const std::size_t parity = size % 2;
        if (c == 0) ++zeros[parity];
        if (parity == 0) {
            first = c;
        } else {
            little.Feed(static_cast<unsigned char>(first), static_cast<unsigned char>(c));
            big.Feed(static_cast<unsigned char>(first), static_cast<unsigned char>(c));
        }
        if (++size == kZeroSample && zeros[0] + zeros[1] == 0) return std::nullopt;
    }
    const std::size_t units = size / 2;
    if (zeros[0] + zeros[1] == 0 || size % 2 != 0 || units < kFewestUnits) return std::nullopt;
    const bool isLittle = little.Confirms(units);
    const bool isBig = big.Confirms(units);
    if (isLittle != isBig) return isLittle ? TextEncoding::kUtf16Le : TextEncoding::kUtf16Be;
    // A little-endian unit's high byte is at an odd offset, a big-endian one's at an even one.
    if (ZerosLeanTo(zeros[1], zeros[0], units)) return TextEncoding::kUtf16LeUnsure;
    if (ZerosLeanTo(zeros[0], zeros[1], units)) return TextEncoding::kUtf16BeUnsure;
    return std::nullopt;
}

std::optional<TextEncoding> DetectUtf16WithoutMark(std::string_view bytes) {
    CByteReader reader(bytes);
    return DetectUtf16WithoutMark(reader);
}

}  // namespace kelmio
