// The JSON that `kelmio-cli project write` and `keys write` read on stdin:
// any bytes are refused with a reason or give a record that the file
// format writes and reads back as the same record.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "cli/keys_json.h"
#include "cli/project_json.h"
#include "keys/key_file.h"
#include "project/project_file.h"

namespace {

void Project(std::string_view text) {
    const auto json = nlohmann::ordered_json::parse(text, nullptr, false);
    if (json.is_discarded()) return;
    kelmio::CKelmioData data;
    try {
        kelmio::cli::ProjectFromJson(json, data);
    } catch (const kelmio::cli::BadInput& bad) {
        if (bad.what.empty()) std::abort();
        return;
    }
    kelmio::CKelmioData again;
    if (!kelmio::ReadProject(kelmio::WriteProject(data), again) || !(again == data)) std::abort();
}

void Keys(std::string_view text) {
    const auto json = nlohmann::json::parse(text, nullptr, false);
    if (json.is_discarded()) return;
    std::string problem;
    const auto bindings = kelmio::cli::BindingsFromJson(json, problem);
    if (!bindings) {
        if (problem.empty()) std::abort();
        return;
    }
    const auto again = kelmio::ReadKeyFile(kelmio::WriteKeyFile(*bindings));
    if (!again || *again != *bindings) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    Project(text);
    Keys(text);
    return 0;
}
