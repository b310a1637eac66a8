#include "recovery/local_time.h"

#include <ctime>

namespace kelmio {

std::optional<std::string> LocalTimeText(std::int64_t milliseconds, const char* format) {
    const std::time_t seconds = static_cast<std::time_t>(milliseconds / 1000);
    std::tm local{};
    if (::localtime_r(&seconds, &local) == nullptr) return std::nullopt;
    char text[64];
    const std::size_t length = std::strftime(text, sizeof text, format, &local);
    if (length == 0) return std::nullopt;
    return std::string(text, length);
}

}  // namespace kelmio
