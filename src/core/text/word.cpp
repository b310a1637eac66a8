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

// Length in bytes of the leading run of `text`, which must not be empty.
std::size_t LeadingRunLength(std::string_view text) {
    const std::size_t firstLength = CharLengthAt(text, 0);
    const int kind = KindOf(CharCodeAt(text, 0));
    std::size_t end = firstLength;
    while (end < text.size()) {
        const std::size_t length = CharLengthAt(text, end);
        // A lead byte whose trail byte is missing is not a character of the run.
        if (length == 1 && IsSjisLeadByte(static_cast<unsigned char>(text[end]))) break;
        if (KindOf(CharCodeAt(text, end)) != kind) break;
        end += length;
    }
    return end;
}

}  // namespace

std::string GetLeadingRun(std::string_view text) {
    if (text.empty()) return {};
    return std::string(text.substr(0, LeadingRunLength(text)));
}

std::string GetWordAt(std::string_view text, std::size_t pos) {
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t end = start + LeadingRunLength(text.substr(start));
        if (end >= pos) return std::string(text.substr(start, end - start));
        start = end;
    }
    return {};
}

}  // namespace kelmio
