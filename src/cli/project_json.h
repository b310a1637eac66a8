#pragma once
// The JSON that `kelmio-cli project write` reads on stdin, into a project
// record. Missing keys (and null) leave the record's values empty or zero.

#include <cstddef>
#include <nlohmann/json.hpp>
#include <string>

#include "project/kelmio_data.h"

namespace kelmio::cli {

// A JSON value that does not fit the project record; the text says where.
struct BadInput {
    std::string what;
};

// Fills `data` from `json`; throws BadInput for a value of the wrong kind
// or range. Returns how many characters had no Shift-JIS form and were
// written as "?".
std::size_t ProjectFromJson(const nlohmann::ordered_json& json, CKelmioData& data);

}  // namespace kelmio::cli
