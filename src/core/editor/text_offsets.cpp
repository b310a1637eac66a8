#include "editor/text_offsets.h"

#include <algorithm>

#include "text/cp932.h"

namespace kelmio {
namespace {

bool IsContinuationByte(char byte) { return (static_cast<unsigned char>(byte) & 0xC0) == 0x80; }

std::size_t CharacterStart(std::string_view text, std::size_t offset) {
    while (offset > 0 && offset < text.size() && IsContinuationByte(text[offset])) --offset;
    return offset;
}

}  // namespace

std::size_t SjisOffsetFromUtf8(std::string_view utf8Text, std::size_t utf8Offset) {
    const std::size_t end = CharacterStart(utf8Text, std::min(utf8Offset, utf8Text.size()));
    return Utf8ToCp932(utf8Text.substr(0, end)).size();
}

std::size_t Utf8OffsetFromSjis(std::string_view utf8Text, std::size_t sjisOffset) {
    // The Shift-JIS offset grows with the UTF-8 offset, so a binary search
    // over whole-prefix conversions finds the last character starting at or
    // before `sjisOffset` with a handful of conversions even in long texts.
    std::size_t low = 0;
    std::size_t high = utf8Text.size();
    while (low < high) {
        const std::size_t middle = low + (high - low + 1) / 2;
        if (SjisOffsetFromUtf8(utf8Text, middle) <= sjisOffset) {
            low = middle;
        } else {
            high = middle - 1;
        }
    }
    return CharacterStart(utf8Text, low);
}

}  // namespace kelmio
