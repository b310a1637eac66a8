#include "keys/key_names.h"

#include <array>

namespace kelmio {
namespace {

std::vector<KeyName> BuildKeyNameList() {
    std::vector<KeyName> list;
    list.reserve(78);
    for (unsigned int n = 1; n <= 12; ++n) list.push_back({"F" + std::to_string(n), 111 + n});
    list.push_back({"@", 192});
    for (char c = 'A'; c <= 'Z'; ++c) list.push_back({std::string(1, c), static_cast<unsigned int>(c)});
    static constexpr std::array<std::pair<const char*, unsigned int>, 19> kNamed = {{
        {"Insert", 45}, {"Delete", 46}, {"BackSpace", 8}, {"Enter", 13}, {"Space", 32},
        {"PageUp", 33}, {"PageDown", 34}, {"End", 35}, {"Home", 36}, {"*", 106},
        {"+", 107}, {"-", 109}, {"/", 111}, {"Up", 38}, {"Down", 40},
        {"Left", 37}, {"Right", 39}, {"Escape", 27}, {"Tab", 9},
    }};
    for (const auto& [name, code] : kNamed) list.push_back({name, code});
    for (char c = '0'; c <= '9'; ++c) list.push_back({std::string(1, c), static_cast<unsigned int>(c)});
    for (char c = '0'; c <= '9'; ++c) {
        list.push_back({std::string("NUM") + c, 96 + static_cast<unsigned int>(c - '0')});
    }
    return list;
}

bool ConsumePrefix(std::string_view& text, std::string_view prefix) {
    // "Ctrl++" is Ctrl with the "+" key: a prefix never takes the whole text.
    if (text.size() <= prefix.size() || text.substr(0, prefix.size()) != prefix) return false;
    text.remove_prefix(prefix.size());
    return true;
}

}  // namespace

const std::vector<KeyName>& GetKeyNameList() {
    static const std::vector<KeyName> list = BuildKeyNameList();
    return list;
}

std::string GetKeyName(unsigned int code) {
    for (const KeyName& entry : GetKeyNameList()) {
        if (entry.code == code) return entry.name;
    }
    return {};
}

std::string MakeKeyText(unsigned int key, bool alt, bool shift, bool ctrl) {
    std::string text;
    if (alt) text += "Alt+";
    if (shift) text += "Shift+";
    if (ctrl) text += "Ctrl+";
    return text + GetKeyName(key);
}

std::string MakeKeyText(const CKeycust& binding) {
    return MakeKeyText(binding.m_nKey, binding.m_bAlt, binding.m_bShift, binding.m_bCtrl);
}

std::optional<CKeycust> ParseKeyText(std::string_view text) {
    CKeycust binding;
    bool progress = true;
    while (progress) {
        progress = false;
        if (!binding.m_bAlt && ConsumePrefix(text, "Alt+")) progress = binding.m_bAlt = true;
        if (!binding.m_bShift && ConsumePrefix(text, "Shift+")) progress = binding.m_bShift = true;
        if (!binding.m_bCtrl && ConsumePrefix(text, "Ctrl+")) progress = binding.m_bCtrl = true;
    }
    for (const KeyName& entry : GetKeyNameList()) {
        if (entry.name == text) {
            binding.m_nKey = entry.code;
            return binding;
        }
    }
    return std::nullopt;
}

}  // namespace kelmio
