#include "text/word.h"

#include <array>
#include <cstdint>

#include "text/char_kind.h"
#include "text/sjis.h"

namespace kelmio {
namespace {

// The class of every one- and two-byte code, worked out once: word lookups
// run over whole texts, one class per character.
int KindOf(unsigned int code) {
    static const std::array<std::uint8_t, 0x10000> kinds = [] {
        std::array<std::uint8_t, 0x10000> table{};
        for (unsigned int c = 0; c < table.size(); ++c) table[c] = static_cast<std::uint8_t>(GetCharKind(c));
        return table;
    }();
    return kinds[code & 0xFFFF];
}

// Length in bytes of the run that starts at `start` (< text.size()). A lead
// byte whose trail byte is missing is not a character of a run: it ends the
// run before it, or stands alone when it comes first.
std::size_t RunEnd(std::string_view text, std::size_t start) {
    const auto* bytes = reinterpret_cast<const unsigned char*>(text.data());
    const std::size_t size = text.size();
    std::size_t i = start;
    unsigned int code = bytes[i];
    if (IsSjisLeadByte(bytes[i]) && i + 1 < size) {
        code = code << 8 | bytes[i + 1];
        i += 2;
    } else {
        i += 1;
    }
    const int kind = KindOf(code);
    while (i < size) {
        if (IsSjisLeadByte(bytes[i])) {
            if (i + 1 >= size || KindOf(bytes[i] << 8 | bytes[i + 1]) != kind) break;
            i += 2;
        } else {
            if (KindOf(bytes[i]) != kind) break;
            i += 1;
        }
    }
    return i;
}

}  // namespace

std::string GetLeadingRun(std::string_view text) {
    if (text.empty()) return {};
    return std::string(text.substr(0, RunEnd(text, 0)));
}

std::string GetWordAt(std::string_view text, std::size_t pos) {
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t end = RunEnd(text, start);
        if (end >= pos) return std::string(text.substr(start, end - start));
        start = end;
    }
    return {};
}

}  // namespace kelmio
