#pragma once
// Where the editor may wrap a line on the screen: Latin text at word
// boundaries (after white space), Japanese text between any two characters,
// except that closing brackets, the punctuation "、。" and its kin, small
// kana and the prolonged sound mark never start a line, and opening brackets
// never end one (kinsoku). Printing keeps its own rules.

#include <cstddef>
#include <string_view>
#include <vector>

namespace kelmio {

// Characters that must not begin a line: ）」』】〕〉》］｝、。，．・：；？！ー…
// small kana, iteration marks and their ASCII and half-width forms.
bool IsNoLineStartChar(char32_t ch);
// Characters that must not end a line: （「『【〔〈《［｛ and their ASCII forms.
bool IsNoLineEndChar(char32_t ch);

// Whether a line may be wrapped between `before` and `after`.
bool CanBreakBetween(char32_t before, char32_t after);

// The indexes i of `line` (code points) at which it may wrap, between
// line[i - 1] and line[i], in order.
std::vector<std::size_t> LineBreakOpportunities(std::u32string_view line);

}  // namespace kelmio
