#include "encoding/text_encoding.h"

namespace kelmio {

std::optional<TextEncoding> EncodingFromNumber(int number) {
    if ((number >= 0 && number <= 2) || (number >= 4 && number <= 13)) return static_cast<TextEncoding>(number);
    return std::nullopt;
}

std::optional<LineEnd> LineEndFromNumber(int number) {
    if (number >= -1 && number <= 2) return static_cast<LineEnd>(number);
    return std::nullopt;
}

}  // namespace kelmio
