#include "viewer/text_search.h"

#include <cstdint>

namespace kelmio {
namespace {

bool IsContinuation(unsigned char byte) { return (byte & 0xC0) == 0x80; }

std::size_t CharLength(std::string_view text, std::size_t pos) {
    const auto lead = static_cast<unsigned char>(text[pos]);
    std::size_t length = lead < 0xC0 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
    if (pos + length > text.size()) return 1;
    for (std::size_t i = 1; i < length; ++i) {
        if (!IsContinuation(static_cast<unsigned char>(text[pos + i]))) return 1;
    }
    return length;
}

// The code point at `pos` folded to lower case for ASCII and full-width
// Latin letters; a byte that starts no valid sequence stands for itself.
std::uint32_t FoldedAt(std::string_view text, std::size_t pos, std::size_t& length) {
    length = CharLength(text, pos);
    const auto byte = [&](std::size_t i) { return static_cast<std::uint32_t>(static_cast<unsigned char>(text[pos + i])); };
    std::uint32_t code = byte(0);
    if (length == 1) {
        if (code >= 0x80) return 0x80000000u | code;
        return code >= 'A' && code <= 'Z' ? code + 0x20 : code;
    }
    code &= length == 2 ? 0x1F : length == 3 ? 0x0F : 0x07;
    for (std::size_t i = 1; i < length; ++i) code = (code << 6) | (byte(i) & 0x3F);
    if (code >= 0xFF21 && code <= 0xFF3A) code += 0x20;  // Ａ-Ｚ
    return code;
}

bool MatchesAt(std::string_view text, std::size_t pos, std::string_view needle) {
    std::size_t i = 0;
    while (i < needle.size()) {
        if (pos >= text.size()) return false;
        std::size_t textLength = 0;
        std::size_t needleLength = 0;
        if (FoldedAt(text, pos, textLength) != FoldedAt(needle, i, needleLength)) return false;
        pos += textLength;
        i += needleLength;
    }
    return true;
}

}  // namespace

std::size_t SearchStart(std::string_view text, std::size_t selectionEnd) {
    if (selectionEnd >= text.size()) return text.size();
    return selectionEnd + CharLength(text, selectionEnd);
}

std::optional<std::size_t> FindNoCase(std::string_view text, std::size_t from, std::string_view needle) {
    if (needle.empty()) return std::nullopt;
    // Candidates are found by the first byte of the first character, in
    // either case for a letter. That byte is ASCII or a lead byte, never a
    // continuation byte, so a candidate always starts a character.
    const char first = needle.front();
    char candidates[3] = {first, first, '\0'};
    if (first >= 'a' && first <= 'z') candidates[1] = static_cast<char>(first - 0x20);
    if (first >= 'A' && first <= 'Z') candidates[1] = static_cast<char>(first + 0x20);
    const bool oneByte = candidates[0] == candidates[1];
    const std::string_view set(candidates, 2);
    const auto next = [&](std::size_t at) { return oneByte ? text.find(first, at) : text.find_first_of(set, at); };
    for (std::size_t pos = next(from); pos != std::string_view::npos; pos = next(pos + 1)) {
        if (IsContinuation(static_cast<unsigned char>(text[pos]))) continue;  // inside a character
        if (MatchesAt(text, pos, needle)) return pos;
    }
    return std::nullopt;
}

std::vector<std::size_t> ReplaceAllMatches(std::string_view text, std::size_t selectionEnd, std::string_view needle) {
    std::vector<std::size_t> matches;
    std::size_t from = SearchStart(text, selectionEnd);
    while (const std::optional<std::size_t> hit = FindNoCase(text, from, needle)) {
        matches.push_back(*hit);
        std::size_t end = *hit;
        for (std::size_t i = 0; i < needle.size(); i += CharLength(needle, i)) end += CharLength(text, end);
        from = end;
    }
    return matches;
}

std::size_t Utf8CharIndex(std::string_view text, std::size_t offset) {
    std::size_t index = 0;
    for (std::size_t pos = 0; pos < offset && pos < text.size(); pos += CharLength(text, pos)) ++index;
    return index;
}

std::size_t Utf8ByteOffset(std::string_view text, std::size_t index) {
    std::size_t pos = 0;
    for (std::size_t i = 0; i < index && pos < text.size(); ++i) pos += CharLength(text, pos);
    return pos;
}

}  // namespace kelmio
