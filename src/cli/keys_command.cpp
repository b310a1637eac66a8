// kelmio-cli keys show FILE: a key file's bindings as JSON, in table order.
// kelmio-cli keys write FILE: a key file from a JSON array on stdin, written
// exactly as Kelmio saves its key table.

#include <nlohmann/json.hpp>

#include <iostream>
#include <vector>

#include "cli/commands.h"
#include "keys/command_list.h"
#include "keys/key_file.h"
#include "keys/key_names.h"
#include "platform/file_io.h"
#include "text/cp932.h"

namespace kelmio::cli {
namespace {

using nlohmann::json;

int ShowKeys(const std::string& path) {
    const FileReadResult file = ReadWholeFile(FromNativePath(path), kLargestKeyFile);
    const std::optional<std::vector<CKeycust>> bindings =
        file.ok() ? ReadKeyFile(file.bytes) : std::nullopt;
    if (!bindings) {
        PrintError(SjisText("読み込めません"));
        return 1;
    }
    nlohmann::ordered_json out = nlohmann::ordered_json::array();
    for (const CKeycust& binding : *bindings) {
        out.push_back({
            {"key", binding.m_nKey},
            {"alt", binding.m_bAlt ? 1 : 0},
            {"shift", binding.m_bShift ? 1 : 0},
            {"ctrl", binding.m_bCtrl ? 1 : 0},
            {"command", binding.m_nCommand},
            {"text", Cp932ToUtf8(MakeKeyText(binding))},
            {"name", Cp932ToUtf8(GetCommandName(binding.m_nCommand))},
        });
    }
    WriteStdout(out.dump(2) + "\n");
    return 0;
}

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

int WriteKeys(const std::string& path) {
    const json input = json::parse(ReadStdin(), nullptr, false);
    if (input.is_discarded() || !input.is_array()) {
        std::cerr << "kelmio-cli: keys write needs a JSON array of bindings on stdin\n";
        return 1;
    }
    std::vector<CKeycust> bindings;
    for (const json& row : input) {
        std::string problem;
        const std::optional<CKeycust> binding = BindingFromJson(row, problem);
        if (!binding) {
            std::cerr << "kelmio-cli: binding " << bindings.size() + 1 << ": " << problem << '\n';
            return 1;
        }
        bindings.push_back(*binding);
    }
    if (const std::optional<FileError> error = SaveFileAtomically(FromNativePath(path), WriteKeyFile(bindings))) {
        PrintError(FileErrorMessage(*error));
        return 1;
    }
    return 0;
}

}  // namespace

int RunKeysCommand(const Args& args) {
    if (args.size() != 2 || (args[0] != "show" && args[0] != "write")) {
        return UsageError("keys needs 'show FILE' or 'write FILE'");
    }
    return args[0] == "show" ? ShowKeys(args[1]) : WriteKeys(args[1]);
}

}  // namespace kelmio::cli
