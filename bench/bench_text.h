#pragma once
// Realistic Shift-JIS text for benchmarks: kanji, hiragana, katakana, ASCII
// words, half-width katakana and CR LF line ends, repeated to any size.

#include <string>

namespace kelmio::bench {

// A cached text of exactly `size` bytes (cut at a character boundary and
// padded with ASCII).
const std::string& JapaneseText(std::size_t size);

}  // namespace kelmio::bench
