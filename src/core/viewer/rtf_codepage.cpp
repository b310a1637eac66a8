#include "viewer/rtf_codepage.h"

#include <cerrno>
#include <iconv.h>

#include "text/sjis.h"
#include "text/utf8.h"

namespace kelmio {
namespace {

constexpr char32_t kReplacement = 0xFFFD;
constexpr unsigned short kUnknown = 0;
constexpr unsigned short kNoSjis = 0xFFFF;

// Code page 1252 differs from Latin-1 only in 0x80-0x9F.
constexpr char16_t kCp1252High[32] = {
    0x20AC, 0xFFFD, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0xFFFD, 0x017D, 0xFFFD, 0xFFFD, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0xFFFD, 0x017E, 0x0178,
};

std::string IconvName(int codePage) {
    switch (codePage) {
    case 10000: return "MACINTOSH";
    case 950: return "BIG5";
    case 1361: return "JOHAB";
    default: return "CP" + std::to_string(codePage);
    }
}

}  // namespace

int CodePageOfCharset(int charset, int documentCodePage) {
    switch (charset) {
    case 0: return kCodePageWestern;
    case 2: return kCodePageSymbol;
    case 77: return 10000;
    case 128: return kCodePageSjis;
    case 129: return 949;
    case 130: return 1361;
    case 134: return 936;
    case 136: return 950;
    case 161: return 1253;
    case 162: return 1254;
    case 163: return 1258;
    case 177: return 1255;
    case 178: return 1256;
    case 186: return 1257;
    case 204: return 1251;
    case 222: return 874;
    case 238: return 1250;
    case 254: return 437;
    case 255: return 850;
    default: return documentCodePage;
    }
}

bool IsKnownCodePage(int codePage) {
    switch (codePage) {
    case 437: case 850: case 852: case 855: case 857: case 860: case 861: case 862: case 863: case 864:
    case 865: case 866: case 869: case 874: case 932: case 936: case 949: case 950: case 1250: case 1251:
    case 1252: case 1253: case 1254: case 1255: case 1256: case 1257: case 1258: case 1361: case 10000:
        return true;
    default:
        return false;
    }
}

bool IsDoubleByteCodePage(int codePage) {
    return codePage == 932 || codePage == 936 || codePage == 949 || codePage == 950 || codePage == 1361;
}

bool IsLeadByteIn(int codePage, unsigned char byte) {
    if (codePage == kCodePageSjis) return IsSjisLeadByte(byte);
    if (IsDoubleByteCodePage(codePage)) return byte >= 0x81 && byte <= 0xFE;
    return false;
}

bool IsTrailByteIn(int codePage, unsigned char byte) {
    if (codePage == kCodePageSjis) return IsSjisTrailByte(byte);
    return IsDoubleByteCodePage(codePage) && byte >= 0x40 && byte <= 0xFE;
}

void AppendValidUtf8(std::string& out, char32_t ch) {
    if (ch > 0x10FFFF || (ch >= 0xD800 && ch <= 0xDFFF)) ch = kReplacement;
    AppendUtf8(out, ch);
}

char32_t NextUtf8(std::string_view text, std::size_t& pos) {
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned char lead = byte(pos);
    std::size_t length = 0;
    char32_t ch = 0;
    if (lead < 0x80) {
        ++pos;
        return lead;
    }
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
        ch = lead & 0x1F;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        ch = lead & 0x0F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        ch = lead & 0x07;
    } else {
        ++pos;
        return kReplacement;
    }
    if (pos + length > text.size()) {
        ++pos;
        return kReplacement;
    }
    for (std::size_t k = 1; k < length; ++k) {
        if ((byte(pos + k) & 0xC0) != 0x80) {
            ++pos;
            return kReplacement;
        }
        ch = (ch << 6) | (byte(pos + k) & 0x3F);
    }
    pos += length;
    return ch;
}

std::size_t Utf8Length(std::string_view text) {
    std::size_t count = 0;
    for (std::size_t pos = 0; pos < text.size(); ++count) NextUtf8(text, pos);
    return count;
}

std::size_t Utf8Offset(std::string_view text, std::size_t index) {
    std::size_t pos = 0;
    for (std::size_t i = 0; i < index && pos < text.size(); ++i) NextUtf8(text, pos);
    return pos;
}

// One open iconv descriptor; an invalid one when iconv does not know the
// code page, in which case every byte above ASCII becomes U+FFFD.
class CRtfCodePages::CConverter {
public:
    CConverter(const std::string& to, const std::string& from)
        : m_cd(iconv_open(to.c_str(), from.c_str())) {}
    ~CConverter() {
        if (Valid()) iconv_close(m_cd);
    }
    CConverter(const CConverter&) = delete;
    CConverter& operator=(const CConverter&) = delete;

    bool Valid() const { return m_cd != reinterpret_cast<iconv_t>(-1); }

    // Converts all of `input`, stepping over a character it cannot take
    // (`skip` bytes) and appending `replacement` for it. Returns the number
    // of replacements.
    std::size_t Convert(std::string_view input, std::string& out, std::string_view replacement,
                        int codePage) {
        std::size_t bad = 0;
        iconv(m_cd, nullptr, nullptr, nullptr, nullptr);
        auto* in = const_cast<char*>(input.data());
        std::size_t inLeft = input.size();
        char buffer[1024];
        while (inLeft > 0) {
            char* outPtr = buffer;
            std::size_t outLeft = sizeof buffer;
            const std::size_t rc = iconv(m_cd, &in, &inLeft, &outPtr, &outLeft);
            out.append(buffer, outPtr);
            if (rc != static_cast<std::size_t>(-1) || errno == E2BIG) continue;
            const auto first = static_cast<unsigned char>(*in);
            const std::size_t skip = IsLeadByteIn(codePage, first) && inLeft >= 2 ? 2 : 1;
            in += skip;
            inLeft -= skip;
            out += replacement;
            ++bad;
            iconv(m_cd, nullptr, nullptr, nullptr, nullptr);
        }
        return bad;
    }

private:
    iconv_t m_cd;
};

CRtfCodePages::CRtfCodePages() = default;
CRtfCodePages::~CRtfCodePages() = default;

CRtfCodePages::CConverter& CRtfCodePages::ConverterFor(int codePage) {
    auto& converter = m_converters[codePage];
    if (!converter) converter = std::make_unique<CConverter>("UTF-8", IconvName(codePage));
    return *converter;
}

std::size_t CRtfCodePages::Decode(int codePage, std::string_view bytes, std::string& out) {
    if (codePage == kCodePageWestern || codePage == kCodePageSymbol) {
        std::size_t bad = 0;
        for (const char c : bytes) {
            const auto byte = static_cast<unsigned char>(c);
            char32_t ch = byte;
            if (codePage == kCodePageSymbol && byte >= 0x20) ch = 0xF000 + byte;
            else if (byte >= 0x80 && byte < 0xA0) ch = kCp1252High[byte - 0x80];
            if (ch == kReplacement) ++bad;
            AppendValidUtf8(out, ch);
        }
        return bad;
    }
    CConverter& converter = ConverterFor(codePage);
    if (converter.Valid()) return converter.Convert(bytes, out, "\xEF\xBF\xBD", codePage);
    std::size_t bad = 0;
    for (const char c : bytes) {
        if (static_cast<unsigned char>(c) < 0x80) {
            out += c;
        } else {
            AppendValidUtf8(out, kReplacement);
            ++bad;
        }
    }
    return bad;
}

bool CRtfCodePages::KeepsAscii(int codePage, char ch) {
    const auto [kept, isNew] = m_asciiKept.try_emplace(codePage);
    if (isNew) {
        for (int byte = 0; byte < 0x80; ++byte) {
            std::string decoded;
            Decode(codePage, std::string(1, static_cast<char>(byte)), decoded);
            kept->second[static_cast<std::size_t>(byte)] = decoded.size() == 1 && decoded[0] == static_cast<char>(byte);
        }
    }
    return kept->second[static_cast<unsigned char>(ch) & 0x7F];
}

std::string_view CRtfCodePages::ToSjis(char32_t ch) {
    char* bytes = m_sjisBytes;
    if (ch < 0x80) {
        bytes[0] = static_cast<char>(ch);
        return {bytes, 1};
    }
    if (ch > 0xFFFF) return {};
    if (m_sjisOf.empty()) m_sjisOf.assign(0x10000, kUnknown);
    unsigned short& code = m_sjisOf[ch];
    if (code == kUnknown) {
        if (!m_toSjis) m_toSjis = std::make_unique<CConverter>("CP932", "UTF-8");
        std::string utf8;
        AppendValidUtf8(utf8, ch);
        std::string sjis;
        bool ok = m_toSjis->Valid() && m_toSjis->Convert(utf8, sjis, "", 0) == 0 && !sjis.empty() &&
                  sjis.size() <= 2;
        // Only a form that reads back as the same character: a reread must
        // give the same text.
        std::string back;
        ok = ok && Decode(kCodePageSjis, sjis, back) == 0 && back == utf8;
        if (!ok) code = kNoSjis;
        else if (sjis.size() == 1) code = static_cast<unsigned char>(sjis[0]);
        else code = static_cast<unsigned short>(static_cast<unsigned char>(sjis[0]) << 8 |
                                                static_cast<unsigned char>(sjis[1]));
    }
    if (code == kNoSjis) return {};
    if (code < 0x100) {
        bytes[0] = static_cast<char>(code);
        return {bytes, 1};
    }
    bytes[0] = static_cast<char>(code >> 8);
    bytes[1] = static_cast<char>(code & 0xFF);
    return {bytes, 2};
}

}  // namespace kelmio
