#include "platform/default_extension.h"

#include <vector>

#include "text/sjis.h"

namespace kelmio {
namespace {

// Splits at `separator`, stepping over double-byte characters: a "|" byte
// may be the second half of a character such as "ポ".
std::vector<std::string_view> SplitSjis(std::string_view text, char separator) {
    std::vector<std::string_view> parts;
    std::size_t start = 0;
    std::size_t i = 0;
    while (i < text.size()) {
        if (text[i] == separator) {
            parts.push_back(text.substr(start, i - start));
            start = i + 1;
        }
        i += CharLengthAt(text, i);
    }
    parts.push_back(text.substr(start));
    return parts;
}

// "*.txt" gives "txt"; patterns that do not name one plain extension
// ("*.*", "*", "a*.t?t") give none.
std::string ExtensionOfPattern(std::string_view pattern) {
    if (pattern.size() < 3 || pattern.substr(0, 2) != "*.") return {};
    const std::string_view extension = pattern.substr(2);
    if (extension.find_first_of("*?.") != std::string_view::npos) return {};
    return std::string(extension);
}

#ifdef _WIN32
constexpr std::string_view kPathSeparators = "\\/";
#else
constexpr std::string_view kPathSeparators = "/";
#endif

bool IsPattern(std::string_view extension) { return extension.find_first_of("*?") != std::string_view::npos; }

}  // namespace

std::string DefaultExtensionFor(std::string_view defaultExtension, std::string_view filter, int filterIndex) {
    if (!defaultExtension.empty() && defaultExtension.front() == '.') defaultExtension.remove_prefix(1);
    if (!IsPattern(defaultExtension)) return std::string(defaultExtension);

    const std::vector<std::string_view> parts = SplitSjis(filter, '|');
    const std::size_t chosen = static_cast<std::size_t>(filterIndex > 0 ? filterIndex - 1 : 0);
    const std::size_t patternsAt = chosen * 2 + 1;
    if (patternsAt >= parts.size()) return {};
    // The first pattern of the filter decides, as the chooser lists it first.
    const std::string_view first = SplitSjis(parts[patternsAt], ';').front();
    return ExtensionOfPattern(first);
}

std::string WithDefaultExtension(std::string_view path, std::string_view defaultExtension, std::string_view filter,
                                 int filterIndex) {
    // The chooser's path is in the file system's bytes (UTF-8): there, as in
    // Shift-JIS, a separator or a dot is never part of a longer character,
    // so they are found byte by byte. Stepping over UTF-8 as if it were
    // Shift-JIS would pair a "." with the byte before it ("訳文.txt").
    const std::size_t separator = path.find_last_of(kPathSeparators);
    const std::size_t nameStart = separator == std::string_view::npos ? 0 : separator + 1;
    const std::string_view name = path.substr(nameStart);
    std::string result(path);
    if (name.empty() || name.find('.') != std::string_view::npos) return result;
    const std::string extension = DefaultExtensionFor(defaultExtension, filter, filterIndex);
    if (!extension.empty()) result += "." + extension;
    return result;
}

}  // namespace kelmio
