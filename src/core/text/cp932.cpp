#include "text/cp932.h"

#include <algorithm>
#include <cerrno>
#include <iconv.h>

#include "text/cp932_table.h"
#include "text/sjis.h"

namespace kelmio {
namespace {

// An open iconv descriptor, closed when it goes out of scope.
class IconvHandle {
public:
    IconvHandle(const char* to, const char* from) : m_cd(iconv_open(to, from)) {}
    ~IconvHandle() {
        if (Valid()) iconv_close(m_cd);
    }
    IconvHandle(const IconvHandle&) = delete;
    IconvHandle& operator=(const IconvHandle&) = delete;

    bool Valid() const { return m_cd != reinterpret_cast<iconv_t>(-1); }
    iconv_t Get() const { return m_cd; }

private:
    iconv_t m_cd;
};

// How many input bytes make up the character that failed to convert, so the
// conversion can step over exactly that character.
using SkipLength = std::size_t (*)(const unsigned char* in, std::size_t left);

std::size_t SkipCp932(const unsigned char* in, std::size_t left) {
    return left >= 2 && IsSjisLeadByte(in[0]) && IsSjisTrailByte(in[1]) ? 2 : 1;
}

std::size_t SkipUtf8(const unsigned char* in, std::size_t left) {
    std::size_t length = 1;
    if (in[0] >= 0xF0 && in[0] <= 0xF4) length = 4;
    else if (in[0] >= 0xE0 && in[0] <= 0xEF) length = 3;
    else if (in[0] >= 0xC2 && in[0] <= 0xDF) length = 2;
    // Only swallow continuation bytes that are really there.
    std::size_t taken = 1;
    while (taken < length && taken < left && (in[taken] & 0xC0) == 0x80) ++taken;
    return taken;
}

std::size_t SkipUtf16Le(const unsigned char* in, std::size_t left) {
    if (left < 2) return left;
    const unsigned unit = in[0] | (in[1] << 8);
    if (unit >= 0xD800 && unit <= 0xDBFF && left >= 4) {
        const unsigned next = in[2] | (in[3] << 8);
        if (next >= 0xDC00 && next <= 0xDFFF) return 4;
    }
    return 2;
}

// Runs iconv over the whole input, putting `replacement` in place of every
// character that cannot be converted and carrying on after it.
ConversionResult Convert(const char* to, const char* from, std::string_view input, SkipLength skip,
                         std::string_view replacement, std::vector<Utf8Span>* failures = nullptr) {
    ConversionResult result;
    IconvHandle cd(to, from);
    if (!cd.Valid()) {
        // No converter at all: keep what is plain ASCII, replace the rest.
        for (const char c : input) {
            if (static_cast<unsigned char>(c) < 0x80) result.text += c;
            else {
                if (failures != nullptr) failures->push_back({static_cast<std::size_t>(&c - input.data()), 1});
                result.text += replacement;
                ++result.unconvertible;
            }
        }
        return result;
    }

    auto* in = const_cast<char*>(input.data());
    std::size_t inLeft = input.size();
    std::string& out = result.text;
    out.resize(input.size() * 2 + 16);
    std::size_t used = 0;

    while (inLeft > 0) {
        char* outPtr = out.data() + used;
        std::size_t outLeft = out.size() - used;
        const std::size_t rc = iconv(cd.Get(), &in, &inLeft, &outPtr, &outLeft);
        used = out.size() - outLeft;
        if (rc != static_cast<std::size_t>(-1)) break;
        if (errno == E2BIG) {
            out.resize(out.size() * 2);
            continue;
        }
        // EILSEQ or EINVAL: step over the offending character.
        const std::size_t n = skip(reinterpret_cast<const unsigned char*>(in), inLeft);
        if (failures != nullptr) failures->push_back({static_cast<std::size_t>(in - input.data()), n});
        in += n;
        inLeft -= n;
        if (used + replacement.size() > out.size()) out.resize(out.size() * 2 + replacement.size());
        out.replace(used, replacement.size(), replacement);
        used += replacement.size();
        ++result.unconvertible;
        iconv(cd.Get(), nullptr, nullptr, nullptr, nullptr);
    }
    out.resize(used);
    return result;
}

std::u16string Utf16FromNativeBytes(const std::string& bytes) {
    std::u16string text(bytes.size() / 2, u'\0');
    for (std::size_t i = 0; i < text.size(); ++i) {
        text[i] = static_cast<char16_t>(static_cast<unsigned char>(bytes[2 * i]) |
                                        static_cast<unsigned char>(bytes[2 * i + 1]) << 8);
    }
    return text;
}

std::string ToLeBytes(std::u16string_view text) {
    std::string bytes(text.size() * 2, '\0');
    for (std::size_t i = 0; i < text.size(); ++i) {
        bytes[2 * i] = static_cast<char>(text[i] & 0xFF);
        bytes[2 * i + 1] = static_cast<char>(text[i] >> 8);
    }
    return bytes;
}

constexpr std::string_view kUtf8Replacement = "\xEF\xBF\xBD";   // U+FFFD
constexpr std::string_view kUtf16LeReplacement{"\xFD\xFF", 2};  // U+FFFD

}  // namespace

std::string Cp932ToUtf8(std::string_view sjis) {
    return Convert("UTF-8", "CP932", sjis, SkipCp932, kUtf8Replacement).text;
}

std::u16string Cp932ToUtf16(std::string_view sjis) {
    return Utf16FromNativeBytes(Convert("UTF-16LE", "CP932", sjis, SkipCp932, kUtf16LeReplacement).text);
}

ConversionResult Utf8ToCp932ByIconv(std::string_view utf8) { return Convert("CP932", "UTF-8", utf8, SkipUtf8, "?"); }

ConversionResult Utf8ToCp932Checked(std::string_view utf8) {
    ConversionResult result;
    if (Utf8ToCp932ByTable(utf8, result.text, result.unconvertible)) return result;
    return Utf8ToCp932ByIconv(utf8);
}

ConversionResult Utf16ToCp932Checked(std::u16string_view utf16) {
    return Convert("CP932", "UTF-16LE", ToLeBytes(utf16), SkipUtf16Le, "?");
}

std::string Utf8ToCp932(std::string_view utf8) { return Utf8ToCp932Checked(utf8).text; }

std::vector<Utf8Span> FindCharsWithoutCp932Form(std::string_view utf8) {
    std::vector<Utf8Span> found;
    Convert("CP932", "UTF-8", utf8, SkipUtf8, "?", &found);
    return found;
}

namespace {

constexpr std::size_t kCountChunk = std::size_t{1} << 20;

// The end of the piece of `text` that starts at `pos` and is about `chunk`
// bytes long, moved on past continuation bytes so no character is cut.
std::size_t Utf8PieceEnd(std::string_view text, std::size_t pos, std::size_t chunk) {
    std::size_t end = std::min(text.size(), pos + std::max<std::size_t>(chunk, 4));
    while (end < text.size() && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80) ++end;
    return end;
}

// The same for Shift-JIS: whole characters from `pos`, so a piece never
// ends on a lead byte whose trail byte follows.
std::size_t SjisPieceEnd(std::string_view text, std::size_t pos, std::size_t chunk) {
    const std::size_t target = std::min(text.size(), pos + std::max<std::size_t>(chunk, 4));
    std::size_t end = pos;
    while (end < target) end += CharLengthAt(text, end);
    return std::min(end, text.size());
}

}  // namespace

void Cp932ToUtf8Pieces(std::string_view sjis, std::size_t chunk,
                       const std::function<void(std::string_view utf8)>& append) {
    for (std::size_t pos = 0; pos < sjis.size();) {
        const std::size_t end = SjisPieceEnd(sjis, pos, chunk);
        append(Cp932ToUtf8(sjis.substr(pos, end - pos)));
        pos = end;
    }
}

bool Utf8ToCp932Pieces(std::string_view utf8, std::size_t chunk,
                       const std::function<bool(std::string_view sjis)>& take) {
    const std::size_t step = std::max<std::size_t>(chunk, 1);
    for (std::size_t pos = 0; pos < utf8.size();) {
        std::size_t end = pos + std::min(step, utf8.size() - pos);
        while (end < utf8.size() && (static_cast<unsigned char>(utf8[end]) & 0xC0) == 0x80) ++end;
        if (!take(Utf8ToCp932(utf8.substr(pos, end - pos)))) return false;
        pos = end;
    }
    return true;
}

// ASCII stays one byte; every other character, single or double byte,
// becomes 3 (2 for a few symbols).
std::size_t Cp932ToUtf8SizeEstimate(std::string_view sjis) {
    std::size_t size = 0;
    for (std::size_t pos = 0; pos < sjis.size();) {
        if (static_cast<unsigned char>(sjis[pos]) < 0x80) {
            ++size;
            ++pos;
        } else {
            size += 3;
            pos += CharLengthAt(sjis, pos);
        }
    }
    return size;
}

std::size_t CountCharsWithoutCp932Form(std::string_view utf8) {
    std::size_t count = 0;
    if (CountWithoutCp932FormByTable(utf8, count)) return count;
    for (std::size_t pos = 0; pos < utf8.size();) {
        const std::size_t end = Utf8PieceEnd(utf8, pos, kCountChunk);
        count += FindCharsWithoutCp932Form(utf8.substr(pos, end - pos)).size();
        pos = end;
    }
    return count;
}

std::string Utf16ToCp932(std::u16string_view utf16) { return Utf16ToCp932Checked(utf16).text; }

std::u16string Utf16FromLeBytes(std::string_view bytes) { return Utf16FromNativeBytes(std::string(bytes)); }

}  // namespace kelmio
