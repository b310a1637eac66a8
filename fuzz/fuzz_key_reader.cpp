// The key file reader over arbitrary bytes: whatever it accepts must write
// back and read again to the same table. The key-table text reader and the
// key-text parser get the same bytes.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "keys/key_file.h"
#include "keys/key_names.h"
#include "keys/key_table_text.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    if (const auto bindings = kelmio::ReadKeyFile(bytes)) {
        const auto again = kelmio::ReadKeyFile(kelmio::WriteKeyFile(*bindings));
        if (!again || *again != *bindings) std::abort();
        for (const kelmio::CKeycust& binding : *bindings) (void)kelmio::MakeKeyText(binding);
    }
    (void)kelmio::ParseKeyTableText(bytes);
    (void)kelmio::ParseKeyText(bytes);
    return 0;
}
