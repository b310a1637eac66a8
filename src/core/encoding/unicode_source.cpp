#include "encoding/unicode_source.h"
#include "text/utf8.h"

#include <algorithm>

namespace kelmio {
namespace {

constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";
constexpr std::string_view kUtf16LeBom = "\xFF\xFE";
constexpr std::string_view kUtf16BeBom = "\xFE\xFF";

// Strict UTF-8 (no overlong forms, no surrogates, nothing above U+10FFFF),
// fed one byte at a time.
class CUtf8Validator {
public:
    // False once a byte breaks the form.
    bool Feed(unsigned char byte) {
        if (m_nNeed == 0) {
            if (byte < 0x80) return true;
            m_bMultiByte = true;
            m_low = 0x80;
            m_high = 0xBF;
            if (byte >= 0xC2 && byte <= 0xDF) m_nNeed = 1;
            else if (byte == 0xE0) Expect(2, 0xA0, 0xBF);
            else if (byte == 0xED) Expect(2, 0x80, 0x9F);
            else if (byte >= 0xE1 && byte <= 0xEF) m_nNeed = 2;
            else if (byte == 0xF0) Expect(3, 0x90, 0xBF);
            else if (byte >= 0xF1 && byte <= 0xF3) m_nNeed = 3;
            else if (byte == 0xF4) Expect(3, 0x80, 0x8F);
            else return false;
            return true;
        }
        if (byte < m_low || byte > m_high) return false;
        --m_nNeed;
        m_low = 0x80;
        m_high = 0xBF;
        return true;
    }
    bool Complete() const { return m_nNeed == 0; }
    bool SawMultiByte() const { return m_bMultiByte; }

private:
    void Expect(int need, unsigned char low, unsigned char high) {
        m_nNeed = need;
        m_low = low;
        m_high = high;
    }

    int m_nNeed = 0;
    unsigned char m_low = 0x80;
    unsigned char m_high = 0xBF;
    bool m_bMultiByte = false;
};

// Watches a run of 7-bit bytes for the escape sequence that makes the
// Japanese detection decide JIS (ESC $ B or ESC $ @), reading the bytes as
// that detection reads them: a byte looked at as part of a sequence is
// used up, so "ESC ESC $ B" is not one.
class CJisKanjiEscapeWatch {
public:
    // True once the bytes so far hold the sequence.
    bool Feed(unsigned char byte) {
        switch (m_nSeen) {
        case 0: m_nSeen = byte == 0x1B ? 1 : 0; break;
        case 1: m_nSeen = byte == 0x24 ? 2 : 0; break;
        default: m_nSeen = byte == 0x42 || byte == 0x40 ? 3 : 0; break;
        }
        return m_nSeen == 3;
    }

private:
    int m_nSeen = 0;  // bytes of the sequence seen (3: all of it)
};

bool IsBigEndian(TextEncoding encoding) {
    return encoding == TextEncoding::kUtf16BeBom || encoding == TextEncoding::kUtf16Be ||
           encoding == TextEncoding::kUtf16BeUnsure;
}

std::string_view BomOf(TextEncoding encoding) {
    switch (encoding) {
    case TextEncoding::kUtf8Bom: return kUtf8Bom;
    case TextEncoding::kUtf16LeBom: return kUtf16LeBom;
    case TextEncoding::kUtf16BeBom: return kUtf16BeBom;
    default: return {};
    }
}

void AppendUtf16(std::string& out, char16_t unit, bool bigEndian) {
    const auto high = static_cast<char>(unit >> 8);
    const auto low = static_cast<char>(unit & 0xFF);
    out += bigEndian ? high : low;
    out += bigEndian ? low : high;
}

// UTF-16 bytes (after the mark) to UTF-8. A lone surrogate becomes its
// three-byte form so that it survives the way back; an odd last byte has
// no character to keep and becomes U+FFFD.
std::string Utf16ToUtf8(std::string_view bytes, bool bigEndian) {
    std::string out;
    out.reserve(bytes.size() / 2 * 3);
    const std::size_t units = bytes.size() / 2;
    auto unitAt = [&](std::size_t i) {
        const auto a = static_cast<unsigned char>(bytes[2 * i]);
        const auto b = static_cast<unsigned char>(bytes[2 * i + 1]);
        return static_cast<char16_t>(bigEndian ? (a << 8 | b) : (b << 8 | a));
    };
    for (std::size_t i = 0; i < units; ++i) {
        const char16_t unit = unitAt(i);
        if (unit >= 0xD800 && unit <= 0xDBFF && i + 1 < units) {
            const char16_t next = unitAt(i + 1);
            if (next >= 0xDC00 && next <= 0xDFFF) {
                AppendUtf8(out, 0x10000 + ((unit - 0xD800) << 10) + (next - 0xDC00));
                ++i;
                continue;
            }
        }
        AppendUtf8(out, unit);
    }
    if (bytes.size() % 2 != 0) AppendUtf8(out, 0xFFFD);
    return out;
}

// One character of UTF-8 at `p`, also taking the three-byte form of a lone
// surrogate. Returns its length, 0 when the bytes are not UTF-8.
std::size_t DecodeUtf8At(std::string_view text, std::size_t p, char32_t& cp) {
    const auto at = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned char b = at(p);
    std::size_t length = 0;
    unsigned char low = 0x80;
    unsigned char high = 0xBF;
    if (b < 0x80) {
        cp = b;
        return 1;
    }
    if (b >= 0xC2 && b <= 0xDF) {
        length = 2;
        cp = b & 0x1F;
    } else if (b >= 0xE0 && b <= 0xEF) {
        length = 3;
        cp = b & 0x0F;
        if (b == 0xE0) low = 0xA0;
    } else if (b >= 0xF0 && b <= 0xF4) {
        length = 4;
        cp = b & 0x07;
        if (b == 0xF0) low = 0x90;
        if (b == 0xF4) high = 0x8F;
    } else {
        return 0;
    }
    if (p + length > text.size()) return 0;
    for (std::size_t i = 1; i < length; ++i) {
        const unsigned char c = at(p + i);
        if (c < (i == 1 ? low : 0x80) || c > (i == 1 ? high : 0xBF)) return 0;
        cp = (cp << 6) | (c & 0x3F);
    }
    return length;
}

std::string Utf8ToUtf16(std::string_view text, bool bigEndian, std::size_t& unmapped) {
    std::string out;
    out.reserve(text.size() * 2);
    std::size_t p = 0;
    while (p < text.size()) {
        char32_t cp = 0;
        std::size_t length = DecodeUtf8At(text, p, cp);
        if (length == 0) {
            cp = 0xFFFD;
            length = 1;
            ++unmapped;
        }
        if (cp >= 0x10000) {
            AppendUtf16(out, static_cast<char16_t>(0xD800 + ((cp - 0x10000) >> 10)), bigEndian);
            AppendUtf16(out, static_cast<char16_t>(0xDC00 + ((cp - 0x10000) & 0x3FF)), bigEndian);
        } else {
            AppendUtf16(out, static_cast<char16_t>(cp), bigEndian);
        }
        p += length;
    }
    return out;
}

// Every `from` byte becomes CR LF.
std::string ExpandToCrLf(std::string_view text, char from) {
    std::string out;
    out.reserve(text.size() + static_cast<std::size_t>(std::count(text.begin(), text.end(), from)));
    for (const char c : text) {
        if (c == from) out += "\r\n";
        else out += c;
    }
    return out;
}

// Every CR LF becomes `to`.
std::string CollapseCrLf(std::string_view text, char to) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
            out += to;
            ++i;
        } else {
            out += text[i];
        }
    }
    return out;
}

}  // namespace

std::optional<TextEncoding> DetectUnicode(CByteReader& reader) {
    unsigned char head[3] = {};
    std::size_t got = 0;
    for (; got < 3; ++got) {
        const int c = reader.Next();
        if (c < 0) break;
        head[got] = static_cast<unsigned char>(c);
    }
    const std::string_view start(reinterpret_cast<const char*>(head), got);
    if (start.substr(0, 3) == kUtf8Bom) return TextEncoding::kUtf8Bom;
    if (start.substr(0, 2) == kUtf16LeBom) return TextEncoding::kUtf16LeBom;
    if (start.substr(0, 2) == kUtf16BeBom) return TextEncoding::kUtf16BeBom;

    // A JIS file is 7-bit: once its kanji escape has come before any
    // multi-byte sequence, the file is JIS, and the rest of it (which may
    // be very long) need not be read.
    CUtf8Validator validator;
    CJisKanjiEscapeWatch jis;
    const auto decidesAgainst = [&](unsigned char byte) {
        if (!validator.Feed(byte)) return true;
        return !validator.SawMultiByte() && jis.Feed(byte);
    };
    for (std::size_t i = 0; i < got; ++i) {
        if (decidesAgainst(head[i])) return std::nullopt;
    }
    for (int c = reader.Next(); c >= 0; c = reader.Next()) {
        if (decidesAgainst(static_cast<unsigned char>(c))) return std::nullopt;
    }
    if (validator.Complete() && validator.SawMultiByte()) return TextEncoding::kUtf8;
    return std::nullopt;
}

std::optional<TextEncoding> DetectUnicode(std::string_view bytes) {
    CByteReader reader(bytes);
    return DetectUnicode(reader);
}

LineEnd DetectUnicodeLineEnd(CByteReader& reader, TextEncoding encoding) {
    if (!IsUtf16Encoding(encoding)) return DetectLineEnd(reader);
    const bool bigEndian = IsBigEndian(encoding);
    auto nextUnit = [&]() -> long {
        const int a = reader.Next();
        const int b = reader.Next();
        if (a < 0 || b < 0) return -1;
        return bigEndian ? (a << 8 | b) : (b << 8 | a);
    };
    if (!BomOf(encoding).empty()) nextUnit();  // the byte-order mark
    while (true) {
        const long unit = nextUnit();
        if (unit < 0) return LineEnd::kNone;
        if (unit == '\n') return LineEnd::kLf;
        if (unit == '\r') return nextUnit() == '\n' ? LineEnd::kCrLf : LineEnd::kCr;
    }
}

LineEnd DetectUnicodeLineEnd(std::string_view bytes, TextEncoding encoding) {
    CByteReader reader(bytes);
    return DetectUnicodeLineEnd(reader, encoding);
}

std::string DecodeUnicodeSource(std::string_view bytes, TextEncoding encoding, LineEnd lineEnd) {
    std::string text;
    const std::string_view body = bytes.substr(std::min(bytes.size(), BomOf(encoding).size()));
    if (IsUtf16Encoding(encoding)) text = Utf16ToUtf8(body, IsBigEndian(encoding));
    else text.assign(body);
    if (lineEnd == LineEnd::kLf) return ExpandToCrLf(text, '\n');
    if (lineEnd == LineEnd::kCr) return ExpandToCrLf(text, '\r');
    return text;
}

std::string EncodeUnicodeSource(std::string_view utf8, TextEncoding encoding, LineEnd lineEnd, std::size_t* unmapped) {
    std::string text;
    if (lineEnd == LineEnd::kLf) text = CollapseCrLf(utf8, '\n');
    else if (lineEnd == LineEnd::kCr) text = CollapseCrLf(utf8, '\r');
    else text.assign(utf8);

    std::size_t missing = 0;
    std::string bytes(BomOf(encoding));
    if (IsUtf16Encoding(encoding)) bytes += Utf8ToUtf16(text, IsBigEndian(encoding), missing);
    else bytes += text;
    if (unmapped != nullptr) *unmapped = missing;
    return bytes;
}

}  // namespace kelmio
