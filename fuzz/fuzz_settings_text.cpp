// The settings file as it comes from disk: cleaning must take any bytes,
// give valid UTF-8, and be stable when done twice.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "platform/settings_text.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    const std::string clean = kelmio::CleanSettingsText(bytes);
    if (kelmio::ValidUtf8(clean) != clean) std::abort();
    if (kelmio::CleanSettingsText(clean) != clean) std::abort();
    return 0;
}
