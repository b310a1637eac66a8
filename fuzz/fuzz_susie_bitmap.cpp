// Feeds arbitrary bitmap blocks to the reader of what an image plug-in
// hands back: the first bytes form the information block, the rest the
// pixel rows, split where the first byte says.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "imaging/spi_control.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    const std::size_t split = std::min<std::size_t>(size - 1, 40 + data[0] * 4u);
    const std::string_view bytes(reinterpret_cast<const char*>(data + 1), size - 1);
    kelmio::PixelsFromBitmap(bytes.substr(0, split), bytes.substr(split));
    return 0;
}
