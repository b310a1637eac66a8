// UTF-8 to Shift-JIS over arbitrary bytes: the table-driven conversion must
// give iconv's bytes and counts, and the piecewise conversions the
// whole-text ones, whatever the bytes.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "text/cp932.h"
#include "text/cp932_table.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const kelmio::ConversionResult reference = kelmio::Utf8ToCp932ByIconv(bytes);
    std::string table;
    std::size_t unconvertible = 0;
    if (!kelmio::Utf8ToCp932ByTable(bytes, table, unconvertible)) return 0;
    if (table != reference.text || unconvertible != reference.unconvertible) std::abort();

    // Pieces cut before any byte that is no continuation byte, small so
    // that they end in awkward places.
    const std::size_t chunk = size == 0 ? 1 : 1 + data[0] % 16;
    std::string joined;
    for (std::size_t start = 0; start < size;) {
        std::size_t end = start + chunk < size ? start + chunk : size;
        while (end < size && (data[end] & 0xC0) == 0x80) ++end;
        joined += kelmio::Utf8ToCp932Checked(bytes.substr(start, end - start)).text;
        start = end;
    }
    if (joined != reference.text) std::abort();
    joined.clear();
    kelmio::Cp932ToUtf8Pieces(bytes, chunk, [&joined](std::string_view piece) { joined.append(piece); });
    if (joined != kelmio::Cp932ToUtf8(bytes)) std::abort();
    (void)kelmio::Cp932ToUtf8SizeEstimate(bytes);
    return 0;
}
