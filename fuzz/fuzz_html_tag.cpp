// The preview page's tag reader over arbitrary bytes, then the writer and
// the attribute changes on what it read.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "viewer/html_tag.h"
#include "viewer/source_display.h"
#include "viewer/text_search.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    kelmio::CHtmlTag tag(text);
    const std::string written = tag.ToString();
    kelmio::CHtmlTag again(written);
    tag.SetAttribute(text.substr(0, size / 3), text.substr(size / 3));
    (void)tag.ToString();
    (void)again.FindAttribute(text.substr(0, size / 2));
    (void)kelmio::ClassifySource(text, size % 2 == 0);
    (void)kelmio::InfoText(text, {});
    (void)kelmio::ReplaceAllMatches(text, size / 4, text.substr(size / 2, 3));
    return 0;
}
