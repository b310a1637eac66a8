// kelmio-cli keys show FILE: a key file's bindings as JSON, in table order.
// kelmio-cli keys write FILE: a key file from a JSON array on stdin, written
// exactly as Kelmio saves its key table.

#include <nlohmann/json.hpp>

#include <iostream>
#include <vector>

#include "cli/commands.h"
#include "cli/keys_json.h"
#include "keys/command_list.h"
#include "keys/key_file.h"
#include "keys/key_names.h"
#include "platform/file_io.h"
#include "text/cp932.h"

namespace kelmio::cli {
namespace {

using nlohmann::json;

int ShowKeys(const std::string& path) {
    const FileReadResult file = ReadWholeFile(CFilePath::FromNative(path), kLargestKeyFile);
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

int WriteKeys(const std::string& path) {
    const json input = json::parse(ReadStdin(), nullptr, false);
    if (input.is_discarded() || !input.is_array()) {
        std::cerr << "kelmio-cli: keys write needs a JSON array of bindings on stdin\n";
        return 1;
    }
    std::string problem;
    const std::optional<std::vector<CKeycust>> bindings = BindingsFromJson(input, problem);
    if (!bindings) {
        std::cerr << "kelmio-cli: " << problem << '\n';
        return 1;
    }
    const CFilePath file = CFilePath::FromNative(path);
    if (const std::optional<FileError> error = SaveFileAtomically(file, WriteKeyFile(*bindings))) {
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
