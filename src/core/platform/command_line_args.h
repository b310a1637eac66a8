#pragma once
// A parameter string split into arguments the way a Windows program's
// start-up code splits its command line, so that parameters written for a
// Windows dictionary program mean the same here.

#include <string>
#include <string_view>
#include <vector>

namespace kelmio {

// Spaces and tabs separate arguments outside double quotes. A quote opens or
// closes a quoted part; "" inside quotes is a literal quote. Backslashes are
// literal unless they precede a quote: 2n of them then give n backslashes
// and the quote keeps its meaning, 2n+1 give n backslashes and a literal
// quote. Bytes are passed through unchanged otherwise, so Shift-JIS trail
// bytes 0x5C are never taken for escapes unless a quote follows.
std::vector<std::string> SplitCommandLine(std::string_view parameters);

}  // namespace kelmio
