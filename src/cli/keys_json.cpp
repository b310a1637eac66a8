#include "cli/keys_json.h"

namespace kelmio::cli {
namespace {

using nlohmann::json;

// A 16-bit field of a binding: a missing key reads as 0.
std::optional<unsigned int> FieldValue(const json& row, const char* name, std::string& problem) {
    if (!row.contains(name) || row[name].is_null()) return 0u;
    const json& value = row[name];
    if (value.is_boolean()) return value.get<bool>() ? 1u : 0u;
    if (value.is_number_unsigned() && value.get<unsigned long long>() <= 0xFFFF) {
        return static_cast<unsigned int>(value.get<unsigned long long>());
    }
    problem = std::string("\"") + name + "\" must be a number from 0 to 65535";
    return std::nullopt;
}

std::optional<CKeycust> BindingFromJson(const json& row, std::string& problem) {
    if (!row.is_object()) {
        problem = "each binding must be an object";
        return std::nullopt;
    }
    const auto key = FieldValue(row, "key", problem);
    const auto alt = FieldValue(row, "alt", problem);
    const auto shift = FieldValue(row, "shift", problem);
    const auto ctrl = FieldValue(row, "ctrl", problem);
    const auto command = FieldValue(row, "command", problem);
    if (!key || !alt || !shift || !ctrl || !command) return std::nullopt;
    CKeycust binding;
    binding.m_nKey = *key;
    binding.m_bAlt = *alt != 0;
    binding.m_bShift = *shift != 0;
    binding.m_bCtrl = *ctrl != 0;
    binding.m_nCommand = *command;
    return binding;
}

}  // namespace

std::optional<std::vector<CKeycust>> BindingsFromJson(const json& input, std::string& problem) {
    if (!input.is_array()) {
        problem = "keys write needs a JSON array of bindings";
        return std::nullopt;
    }
    std::vector<CKeycust> bindings;
    for (const json& row : input) {
        std::string why;
        const std::optional<CKeycust> binding = BindingFromJson(row, why);
        if (!binding) {
            problem = "binding " + std::to_string(bindings.size() + 1) + ": " + why;
            return std::nullopt;
        }
        bindings.push_back(*binding);
    }
    return bindings;
}

}  // namespace kelmio::cli
