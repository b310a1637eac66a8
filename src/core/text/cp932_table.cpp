#include "text/cp932_table.h"

#include <iconv.h>

#include <array>
#include <cstdint>
#include <memory>

namespace kelmio {
namespace {

constexpr std::uint16_t kNoForm = 0xFFFF;  // no Shift-JIS code is this

using UnicodeTable = std::array<std::uint16_t, 0x10000>;

std::string Utf8Of(char32_t cp) {
    std::string s;
    if (cp < 0x80) {
        s += static_cast<char>(cp);
    } else if (cp < 0x800) {
        s += static_cast<char>(0xC0 | (cp >> 6));
        s += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        s += static_cast<char>(0xE0 | (cp >> 12));
        s += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        s += static_cast<char>(0x80 | (cp & 0x3F));
    }
    return s;
}

// Asks iconv for each character of the Basic Multilingual Plane on its
// own; code page 932 has nothing outside it.
std::unique_ptr<UnicodeTable> BuildTable() {
    iconv_t cd = iconv_open("CP932", "UTF-8");
    if (cd == reinterpret_cast<iconv_t>(-1)) return nullptr;
    auto table = std::make_unique<UnicodeTable>();
    table->fill(kNoForm);
    for (char32_t cp = 0; cp < 0x10000; ++cp) {
        if (cp >= 0xD800 && cp <= 0xDFFF) continue;
        std::string in = Utf8Of(cp);
        char out[8];
        char* inPtr = in.data();
        std::size_t inLeft = in.size();
        char* outPtr = out;
        std::size_t outLeft = sizeof out;
        iconv(cd, nullptr, nullptr, nullptr, nullptr);
        if (iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft) == static_cast<std::size_t>(-1) || inLeft != 0) continue;
        const std::size_t length = sizeof out - outLeft;
        const auto b0 = static_cast<unsigned char>(out[0]);
        // ASCII must stay one byte, or the output could outgrow its room.
        if (cp < 0x80 && length != 1) {
            iconv_close(cd);
            return nullptr;
        }
        if (length == 1) (*table)[cp] = b0;
        if (length == 2) (*table)[cp] = static_cast<std::uint16_t>(b0 << 8 | static_cast<unsigned char>(out[1]));
    }
    iconv_close(cd);
    return table;
}

const UnicodeTable* Table() {
    static const std::unique_ptr<UnicodeTable> table = BuildTable();
    return table.get();
}

bool IsContinuation(unsigned char byte) { return (byte & 0xC0) == 0x80; }

// How many bytes iconv steps over at a sequence it refuses: the lead and
// the continuation bytes its length calls for, as far as they are there.
std::size_t RefusedLength(const unsigned char* in, std::size_t left) {
    std::size_t length = 1;
    if (in[0] >= 0xF0 && in[0] <= 0xF4) length = 4;
    else if (in[0] >= 0xE0 && in[0] <= 0xEF) length = 3;
    else if (in[0] >= 0xC2 && in[0] <= 0xDF) length = 2;
    std::size_t taken = 1;
    while (taken < length && taken < left && IsContinuation(in[taken])) ++taken;
    return taken;
}

// One character of well-formed UTF-8 (no overlong forms, no surrogates,
// nothing above U+10FFFF): its length, or 0 when the bytes are no such
// character.
std::size_t DecodeOne(const unsigned char* in, std::size_t left, char32_t& cp) {
    const unsigned char b0 = in[0];
    if (b0 < 0x80) {
        cp = b0;
        return 1;
    }
    if (b0 >= 0xC2 && b0 <= 0xDF) {
        if (left < 2 || !IsContinuation(in[1])) return 0;
        cp = (b0 & 0x1Fu) << 6 | (in[1] & 0x3Fu);
        return 2;
    }
    if (b0 >= 0xE0 && b0 <= 0xEF) {
        if (left < 3 || !IsContinuation(in[1]) || !IsContinuation(in[2])) return 0;
        if (b0 == 0xE0 && in[1] < 0xA0) return 0;
        if (b0 == 0xED && in[1] >= 0xA0) return 0;
        cp = (b0 & 0x0Fu) << 12 | (in[1] & 0x3Fu) << 6 | (in[2] & 0x3Fu);
        return 3;
    }
    if (b0 >= 0xF0 && b0 <= 0xF4) {
        if (left < 4 || !IsContinuation(in[1]) || !IsContinuation(in[2]) || !IsContinuation(in[3])) return 0;
        if (b0 == 0xF0 && in[1] < 0x90) return 0;
        if (b0 == 0xF4 && in[1] >= 0x90) return 0;
        cp = (b0 & 0x07u) << 18 | (in[1] & 0x3Fu) << 12 | (in[2] & 0x3Fu) << 6 | (in[3] & 0x3Fu);
        return 4;
    }
    return 0;
}

bool IsTagCharacter(char32_t cp) { return cp >= 0xE0000 && cp <= 0xE007F; }

// Walks `utf8`, calling `form(code)` for each character with a Shift-JIS
// form and `refused()` for each character or sequence that becomes "?".
template <typename Form, typename Refused>
void Walk(const UnicodeTable& table, std::string_view utf8, Form form, Refused refused) {
    const auto* in = reinterpret_cast<const unsigned char*>(utf8.data());
    std::size_t left = utf8.size();
    while (left > 0) {
        char32_t cp = 0;
        std::size_t length = DecodeOne(in, left, cp);
        if (length != 0 && IsTagCharacter(cp)) {
            // Tags carry no text of their own: dropped, as the platform's converter does.
        } else if (length != 0 && cp < 0x10000 && table[cp] != kNoForm) {
            form(table[cp]);
        } else {
            if (length == 0) length = RefusedLength(in, left);
            refused();
        }
        in += length;
        left -= length;
    }
}

}  // namespace

bool Utf8ToCp932ByTable(std::string_view utf8, std::string& out, std::size_t& unconvertible) {
    const UnicodeTable* table = Table();
    if (table == nullptr) return false;
    const std::size_t start = out.size();
    out.resize(start + utf8.size());  // never more bytes than the UTF-8 has
    char* put = out.data() + start;
    std::size_t refused = 0;
    Walk(
        *table, utf8,
        [&put](std::uint16_t code) {
            if (code > 0xFF) *put++ = static_cast<char>(code >> 8);
            *put++ = static_cast<char>(code & 0xFF);
        },
        [&put, &refused] {
            *put++ = '?';
            ++refused;
        });
    out.resize(static_cast<std::size_t>(put - out.data()));
    unconvertible = refused;
    return true;
}

bool CountWithoutCp932FormByTable(std::string_view utf8, std::size_t& count) {
    const UnicodeTable* table = Table();
    if (table == nullptr) return false;
    std::size_t refused = 0;
    Walk(*table, utf8, [](std::uint16_t) {}, [&refused] { ++refused; });
    count = refused;
    return true;
}

}  // namespace kelmio
