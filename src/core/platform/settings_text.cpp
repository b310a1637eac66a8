#include "platform/settings_text.h"

#include <string_view>
#include <unordered_map>
#include <unordered_set>
#include <utility>
#include <vector>

namespace kelmio {
namespace {

std::string_view Trim(std::string_view text) {
    const std::size_t first = text.find_first_not_of(" \t\r");
    if (first == std::string_view::npos) return {};
    return text.substr(first, text.find_last_not_of(" \t\r") - first + 1);
}

// The length of the well-formed UTF-8 character at `i`, or 0: no overlong
// forms, no surrogates, nothing past U+10FFFF, no NUL.
std::size_t Utf8SequenceLength(std::string_view bytes, std::size_t i) {
    const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(bytes[i + k]); };
    const unsigned char lead = byte(0);
    if (lead == 0) return 0;
    if (lead < 0x80) return 1;
    std::size_t length = 0;
    unsigned char low = 0x80;
    unsigned char high = 0xBF;  // the range of the byte after the lead
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        if (lead == 0xE0) low = 0xA0;
        if (lead == 0xED) high = 0x9F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        if (lead == 0xF0) low = 0x90;
        if (lead == 0xF4) high = 0x8F;
    } else {
        return 0;
    }
    if (i + length > bytes.size()) return 0;
    if (byte(1) < low || byte(1) > high) return 0;
    for (std::size_t k = 2; k < length; ++k) {
        if ((byte(k) & 0xC0) != 0x80) return 0;
    }
    return length;
}

}  // namespace

std::string ValidUtf8(std::string_view bytes) {
    std::string text;
    text.reserve(bytes.size());
    std::size_t i = 0;
    while (i < bytes.size()) {
        const std::size_t length = Utf8SequenceLength(bytes, i);
        if (length == 0) {
            text += '?';
            ++i;
            continue;
        }
        text.append(bytes.substr(i, length));
        i += length;
    }
    return text;
}

std::string WellFormedIni(std::string_view text) {
    // Views into `text` and hashed look-ups: time and memory stay in step
    // with the file's size however many values or sections it has.
    struct Section {
        std::string_view name;
        std::vector<std::string_view> lines;
        std::unordered_set<std::string_view> names;
    };
    std::vector<Section> sections(1);  // the unnamed section before the first header
    std::unordered_map<std::string_view, std::size_t> sectionIndex;
    std::size_t current = 0;
    bool valid = true;
    std::size_t start = 0;
    while (start < text.size()) {
        // A lone CR ends a line too, as it does for the toolkit's parser.
        std::size_t end = text.find_first_of("\r\n", start);
        if (end == std::string_view::npos) end = text.size();
        const std::string_view line = Trim(text.substr(start, end - start));
        start = end + 1;
        if (line.empty() || line[0] == ';' || line[0] == '#') continue;
        if (line[0] == '[') {
            const std::string_view name = line.back() == ']' ? Trim(line.substr(1, line.size() - 2)) : "";
            valid = !name.empty() && name.find_first_of("[]/") == std::string_view::npos;
            if (!valid) continue;
            const auto [it, added] = sectionIndex.try_emplace(name, sections.size());
            if (added) sections.push_back(Section{name, {}, {}});
            current = it->second;
            continue;
        }
        const std::size_t equals = line.find('=');
        if (!valid || equals == std::string_view::npos) continue;
        const std::string_view name = Trim(line.substr(0, equals));
        if (name.empty() || name.find_first_of("[]/") != std::string_view::npos) continue;
        if (!sections[current].names.insert(name).second) continue;
        sections[current].lines.push_back(line);
    }
    std::string result;
    result.reserve(text.size() + 2);
    for (const Section& section : sections) {
        if (!section.name.empty()) {
            result += '[';
            result += section.name;
            result += "]\n";
        }
        for (const std::string_view line : section.lines) {
            result += line;
            result += '\n';
        }
    }
    return result;
}

}  // namespace kelmio
