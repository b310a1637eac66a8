#include "viewer/page_selection.h"

#include <charconv>

#include "text/cp932.h"
#include "text/word.h"

namespace kelmio {
namespace {

bool IsContinuation(char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; }

// The byte offset after `count` characters of `utf8` (its end when shorter).
std::size_t OffsetOfCharacters(std::string_view utf8, std::size_t count) {
    std::size_t pos = 0;
    for (std::size_t n = 0; n < count && pos < utf8.size(); ++n) {
        ++pos;
        while (pos < utf8.size() && IsContinuation(utf8[pos])) ++pos;
    }
    return pos;
}

std::string WordAtCaret(std::string_view answer) {
    const std::size_t colon = answer.find(':');
    if (colon == std::string_view::npos) return {};
    std::size_t count = 0;
    const auto [end, error] = std::from_chars(answer.data(), answer.data() + colon, count);
    if (error != std::errc() || end != answer.data() + colon) return {};
    const std::string_view text = answer.substr(colon + 1);
    const std::size_t caret = OffsetOfCharacters(text, count);
    // Converted in two parts, so the caret's Shift-JIS position is known.
    const std::string before = Utf8ToCp932(text.substr(0, caret));
    return GetWordAt(before + Utf8ToCp932(text.substr(caret)), before.size());
}

}  // namespace

std::string PageLookupWord(std::string_view answer) {
    if (answer.empty()) return {};
    const char kind = answer.front();
    answer.remove_prefix(1);
    if (kind == 'S') return Utf8ToCp932(answer);
    if (kind == 'C') return WordAtCaret(answer);
    return {};
}

}  // namespace kelmio
