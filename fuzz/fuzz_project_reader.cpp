// The project file reader over arbitrary bytes. Whatever it accepts must
// survive a write and a second read unchanged, and the second write must
// give the same bytes as the first.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "project/project_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    kelmio::CKelmioData record;
    if (!kelmio::ReadProject(bytes, record)) {
        if (!(record == kelmio::CKelmioData())) std::abort();  // a failed read leaves nothing behind
        return 0;
    }
    const std::string written = kelmio::WriteProject(record);
    kelmio::CKelmioData again;
    if (kelmio::ReadProject(written, again) != kelmio::kPosDataVersion) std::abort();
    if (!(again == record)) std::abort();
    if (kelmio::WriteProject(again) != written) std::abort();
    return 0;
}
