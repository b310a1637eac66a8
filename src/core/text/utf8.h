#pragma once
// Writing Unicode code points as UTF-8.

#include <string>

namespace kelmio {

// Appends the UTF-8 form of `code` (at most U+10FFFF). A surrogate code is
// written in its three-byte form, so that a lone surrogate read from UTF-16
// survives the way back; callers that must produce strict UTF-8 replace
// surrogates first.
void AppendUtf8(std::string& out, char32_t code);

}  // namespace kelmio
