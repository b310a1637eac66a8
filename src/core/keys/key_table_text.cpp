#include "keys/key_table_text.h"

#include <charconv>

#include "keys/command_list.h"
#include "keys/key_names.h"
#include "text/cp932.h"

namespace kelmio {
namespace {

std::vector<std::string_view> SplitTabs(std::string_view line) {
    std::vector<std::string_view> fields;
    while (true) {
        const std::size_t tab = line.find('\t');
        fields.push_back(line.substr(0, tab));
        if (tab == std::string_view::npos) return fields;
        line.remove_prefix(tab + 1);
    }
}

std::string ParseLine(std::string_view line, CKeycust& binding) {
    const std::vector<std::string_view> fields = SplitTabs(line);
    if (fields.size() != 3) return "expected key text, command ID and command name separated by tabs";
    const std::optional<CKeycust> key = ParseKeyText(Utf8ToCp932(fields[0]));
    if (!key) return "unknown key text '" + std::string(fields[0]) + "'";
    unsigned int command = 0;
    const auto [end, error] = std::from_chars(fields[1].data(), fields[1].data() + fields[1].size(), command);
    if (fields[1].empty() || error != std::errc() || end != fields[1].data() + fields[1].size() || command == 0 ||
        command > 0xFFFF) {
        return "command ID must be a number from 1 to 65535";
    }
    if (Cp932ToUtf8(GetCommandName(command)) != fields[2]) {
        return "command " + std::to_string(command) + " is not named '" + std::string(fields[2]) + "'";
    }
    binding = *key;
    binding.m_nCommand = command;
    return {};
}

}  // namespace

KeyTableTextResult ParseKeyTableText(std::string_view utf8) {
    KeyTableTextResult result;
    std::size_t lineNumber = 0;
    while (!utf8.empty()) {
        const std::size_t end = utf8.find('\n');
        std::string_view line = utf8.substr(0, end);
        utf8.remove_prefix(end == std::string_view::npos ? utf8.size() : end + 1);
        ++lineNumber;
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        if (line.empty() || line.front() == '#') continue;
        CKeycust binding;
        const std::string problem = ParseLine(line, binding);
        if (!problem.empty()) {
            result.bindings.clear();
            result.error = "line " + std::to_string(lineNumber) + ": " + problem;
            return result;
        }
        result.bindings.push_back(binding);
    }
    return result;
}

}  // namespace kelmio
