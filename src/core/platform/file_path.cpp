#include "platform/file_path.h"


#include "text/compare.h"
#include "text/cp932.h"
#include "text/utf8.h"

namespace kelmio {
namespace {

constexpr char32_t kEscapeBase = 0xDC00;  // lone surrogates U+DC80..U+DCFF carry stray bytes

bool IsContinuation(unsigned char byte) { return (byte & 0xC0) == 0x80; }

// The length of the well-formed UTF-8 character at `at` and its code point,
// or 0 when the bytes there are not one (overlong forms and encoded
// surrogates included, so each of their bytes is escaped instead).
std::size_t DecodeUtf8(std::string_view text, std::size_t at, char32_t& code) {
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[at + i]); };
    const unsigned char first = byte(0);
    if (first < 0x80) {
        code = first;
        return 1;
    }
    std::size_t length = 0;
    char32_t smallest = 0;
    if (first >= 0xC2 && first <= 0xDF) {
        length = 2;
        code = first & 0x1F;
        smallest = 0x80;
    } else if (first >= 0xE0 && first <= 0xEF) {
        length = 3;
        code = first & 0x0F;
        smallest = 0x800;
    } else if (first >= 0xF0 && first <= 0xF4) {
        length = 4;
        code = first & 0x07;
        smallest = 0x10000;
    } else {
        return 0;
    }
    if (text.size() - at < length) return 0;
    for (std::size_t i = 1; i < length; ++i) {
        if (!IsContinuation(byte(i))) return 0;
        code = (code << 6) | (byte(i) & 0x3F);
    }
    if (code < smallest || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) return 0;
    return length;
}

void AppendUtf16(std::u16string& out, char32_t code) {
    if (code < 0x10000) {
        out += static_cast<char16_t>(code);
        return;
    }
    code -= 0x10000;
    out += static_cast<char16_t>(0xD800 + (code >> 10));
    out += static_cast<char16_t>(0xDC00 + (code & 0x3FF));
}

std::size_t LastSlash(const std::string& native) { return native.rfind('/'); }

}  // namespace

CFilePath::CFilePath(std::string_view sjis) : m_strNative(Cp932ToUtf8(sjis)) {}

CFilePath CFilePath::FromNative(std::string_view bytes) {
    CFilePath path;
    path.m_strNative.assign(bytes);
    return path;
}

CFilePath CFilePath::FromWide(std::u16string_view wide) {
    CFilePath path;
    std::string& out = path.m_strNative;
    for (std::size_t i = 0; i < wide.size(); ++i) {
        const char16_t unit = wide[i];
        if (unit >= 0xD800 && unit <= 0xDBFF && i + 1 < wide.size() && wide[i + 1] >= 0xDC00 &&
            wide[i + 1] <= 0xDFFF) {
            AppendUtf8(out, 0x10000 + ((char32_t{unit} - 0xD800) << 10) + (char32_t{wide[i + 1]} - 0xDC00));
            ++i;
        } else if (unit >= kEscapeBase + 0x80 && unit <= kEscapeBase + 0xFF) {
            out += static_cast<char>(unit - kEscapeBase);
        } else {
            // Any other lone surrogate is kept as its three-byte form: an
            // odd name, but the same one each time it is read.
            AppendUtf8(out, unit);
        }
    }
    return path;
}

std::optional<std::string> CFilePath::Sjis() const {
    std::string sjis = Utf8ToCp932(m_strNative);
    if (Cp932ToUtf8(sjis) != m_strNative) return std::nullopt;
    return sjis;
}

std::string CFilePath::Display() const { return Utf8ToCp932(m_strNative); }

std::u16string CFilePath::Wide() const {
    std::u16string wide;
    wide.reserve(m_strNative.size());
    for (std::size_t at = 0; at < m_strNative.size();) {
        char32_t code = 0;
        const std::size_t length = DecodeUtf8(m_strNative, at, code);
        if (length == 0) {
            wide += static_cast<char16_t>(kEscapeBase + static_cast<unsigned char>(m_strNative[at]));
            ++at;
        } else {
            AppendUtf16(wide, code);
            at += length;
        }
    }
    return wide;
}

CFilePath CFilePath::FileName() const {
    const std::size_t slash = LastSlash(m_strNative);
    return slash == std::string::npos ? *this : FromNative(std::string_view(m_strNative).substr(slash + 1));
}

CFilePath CFilePath::Join(const CFilePath& name) const {
    if (m_strNative.empty()) return name;
    std::string joined = m_strNative;
    if (joined.back() != '/') joined += '/';
    joined += name.m_strNative;
    return FromNative(joined);
}

bool SameFileName(const CFilePath& a, const CFilePath& b) {
    if (a == b) return true;
    const std::optional<std::string> sjisA = a.Sjis();
    const std::optional<std::string> sjisB = sjisA ? b.Sjis() : std::nullopt;
    return sjisA && sjisB && EqualsNoCaseMb(*sjisA, *sjisB);
}

}  // namespace kelmio
