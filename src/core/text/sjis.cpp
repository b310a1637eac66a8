#include "text/sjis.h"

namespace kelmio {

std::size_t CharLengthAt(std::string_view text, std::size_t index) {
    return IsSjisLeadByte(static_cast<unsigned char>(text[index])) && index + 1 < text.size() ? 2 : 1;
}

int IsLeadByteAt(std::string_view text, std::size_t index) {
    std::size_t i = 0;
    while (i < text.size() && text[i] != '\0') {
        const std::size_t length = CharLengthAt(text, i);
        if (index < i + length) return index == i && length == 2 ? 1 : 0;
        i += length;
    }
    return -1;
}

unsigned int CharCodeAt(std::string_view text, std::size_t index) {
    const auto lead = static_cast<unsigned char>(text[index]);
    if (CharLengthAt(text, index) == 1) return lead;
    return lead * 256u + static_cast<unsigned char>(text[index + 1]);
}

std::size_t FindLastChar(std::string_view text, char ch) {
    std::size_t found = std::string_view::npos;
    for (std::size_t i = 0; i < text.size(); i += CharLengthAt(text, i)) {
        if (text[i] == ch) found = i;
    }
    return found;
}

std::size_t FindLastPathSeparator(std::string_view path) {
    std::size_t found = std::string_view::npos;
    for (std::size_t i = 0; i < path.size(); i += CharLengthAt(path, i)) {
#ifdef _WIN32
        if (path[i] == '\\' || path[i] == '/') found = i;
#else
        if (path[i] == kPathSeparator) found = i;
#endif
    }
    return found;
}

std::size_t FindLastDot(std::string_view text) { return FindLastChar(text, '.'); }

std::string JoinPath(std::string_view folder, std::string_view name) {
    std::string path(folder);
    const std::size_t last = FindLastPathSeparator(path);
    const bool endsWithSeparator = !path.empty() && last == path.size() - 1;
    if (!path.empty() && !endsWithSeparator) path += kPathSeparator;
    path += name;
    return path;
}

}  // namespace kelmio
