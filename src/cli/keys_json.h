#pragma once
// The JSON that `kelmio-cli keys write` reads on stdin: an array of
// {"key","alt","shift","ctrl","command"} objects, into key bindings.

#include <nlohmann/json.hpp>
#include <optional>
#include <string>
#include <vector>

#include "keys/keycust.h"

namespace kelmio::cli {

// The bindings of a JSON array, in order; nullopt with `problem` saying
// which binding is wrong and why (each field a number 0-65535 or a boolean,
// a missing one is 0).
std::optional<std::vector<CKeycust>> BindingsFromJson(const nlohmann::json& input, std::string& problem);

}  // namespace kelmio::cli
