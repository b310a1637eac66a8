#pragma once
// Realistic Shift-JIS text for benchmarks: Japanese prose of kanji and kana
// with some ASCII words, numbers and half-width katakana, in lines of one to
// four sentences ending in CR LF. About three quarters of its bytes are
// above 0x7F, as in real Japanese text.

#include <string>
#include <string_view>

namespace kelmio::bench {

// A cached text of exactly `size` bytes (whole lines, padded with ASCII).
const std::string& JapaneseText(std::size_t size);

// The share of bytes above 0x7F, for the benchmarks to report beside their
// figures.
double HighByteShare(std::string_view text);

}  // namespace kelmio::bench
