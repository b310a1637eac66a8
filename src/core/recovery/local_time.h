#pragma once
// Times of recovery copies as the user reads them: in local time.

#include <cstdint>
#include <optional>
#include <string>

namespace kelmio {

// `milliseconds` since 1970-01-01 UTC in local time, formatted by
// strftime's `format`; nullopt when the time cannot be represented.
std::optional<std::string> LocalTimeText(std::int64_t milliseconds, const char* format);

}  // namespace kelmio
