#pragma once
// Test texts are written in UTF-8 in the sources and turned into the
// Shift-JIS bytes the core works on.

#include <string>
#include <string_view>

#include "text/cp932.h"

namespace kelmio::test {

inline std::string Sj(std::string_view utf8) { return Utf8ToCp932(utf8); }

}  // namespace kelmio::test
