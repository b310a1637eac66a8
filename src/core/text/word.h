#pragma once
// The word at a position, for dictionary lookups: Japanese has no spaces, so
// a word is a run of consecutive characters of the same class (char_kind.h).

#include <cstddef>
#include <string>
#include <string_view>

namespace kelmio {

// The leading run of `text`: from the start up to the first character of
// another class. A lone lead byte at the end ends the run before it, unless
// it is the first character.
std::string GetLeadingRun(std::string_view text);

// The run that ends at or after byte position `pos`: a caret inside a run
// picks that run, a caret between two runs picks the one before it. Empty
// for an empty text or a position past the end. Linear in the text.
std::string GetWordAt(std::string_view text, std::size_t pos);

}  // namespace kelmio
