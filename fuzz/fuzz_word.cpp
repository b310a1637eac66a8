// Word extraction and the CP932 converter over arbitrary bytes.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "text/compare.h"
#include "text/cp932.h"
#include "text/sjis.h"
#include "text/word.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const std::size_t pos = size == 0 ? 0 : data[0] % (size + 2);
    (void)kelmio::GetWordAt(text, pos);
    (void)kelmio::IsLeadByteAt(text, pos);
    (void)kelmio::FindLastPathSeparator(text);
    (void)kelmio::CompareNoCaseMb(text.substr(0, size / 2), text.substr(size / 2));
    const std::string utf8 = kelmio::Cp932ToUtf8(text);
    (void)kelmio::Utf8ToCp932(utf8);
    (void)kelmio::Utf8ToCp932(text);
    (void)kelmio::Utf16ToCp932(kelmio::Utf16FromLeBytes(text));
    return 0;
}
