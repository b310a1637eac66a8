#include "platform/ini_text.h"

#include <cctype>

#include "platform/settings_text.h"

namespace kelmio {
namespace {

std::string Trim(std::string_view text) {
    const std::size_t first = text.find_first_not_of(" \t\r");
    if (first == std::string_view::npos) return {};
    const std::size_t last = text.find_last_not_of(" \t\r");
    return std::string(text.substr(first, last - first + 1));
}

std::string Folded(std::string_view text) {
    std::string folded = Trim(text);
    for (char& ch : folded) {
        if (static_cast<unsigned char>(ch) < 0x80) ch = static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
    }
    return folded;
}

}  // namespace

CIniText::CIniText(std::string_view text) {
    const std::string clean = CleanSettingsText(text);
    std::string section;
    std::size_t start = 0;
    while (start < clean.size()) {
        std::size_t end = clean.find('\n', start);
        if (end == std::string::npos) end = clean.size();
        const std::string line = Trim(std::string_view(clean).substr(start, end - start));
        start = end + 1;
        if (line.empty() || line[0] == ';' || line[0] == '#') continue;
        if (line.front() == '[' && line.back() == ']') {
            section = Folded(line.substr(1, line.size() - 2));
            continue;
        }
        const std::size_t equals = line.find('=');
        if (equals == std::string::npos) continue;
        m_values[{section, Folded(line.substr(0, equals))}] = Trim(std::string_view(line).substr(equals + 1));
    }
}

std::string CIniText::Value(std::string_view section, std::string_view name) const {
    const auto found = m_values.find({Folded(section), Folded(name)});
    return found == m_values.end() ? std::string() : found->second;
}

}  // namespace kelmio
