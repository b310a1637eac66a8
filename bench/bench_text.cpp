#include "bench_text.h"

#include <map>

namespace kelmio::bench {
namespace {

// One paragraph in Shift-JIS: 日本語の文章です。カタカナ Kelmio 123 ﾊﾝｶｸ and so on.
const std::string kParagraph =
    "\x93\xFA\x96\x7B\x8C\xEA\x82\xCC\x95\xB6\x8F\xCD\x82\xC5\x82\xB7\x81\x42"
    "\x83\x4A\x83\x5E\x83\x4A\x83\x69 Kelmio 123 \xCA\xDD\xB6\xB8 "
    "\x96\x7C\x96\xF3\x82\xF0\x8F\x91\x82\xAB\x82\xDC\x82\xB7\x81\x42"
    "\x95\x5C\x8E\xA6\x82\xB7\x82\xE9 \x83\x5C\x81\x5B\x83\x58 (source)\r\n";

}  // namespace

const std::string& JapaneseText(std::size_t size) {
    static std::map<std::size_t, std::string> cache;
    std::string& text = cache[size];
    if (text.size() == size) return text;
    text.clear();
    text.reserve(size);
    while (text.size() + kParagraph.size() <= size) text += kParagraph;
    text.append(size - text.size(), 'x');
    return text;
}

}  // namespace kelmio::bench
