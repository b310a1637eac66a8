#pragma once
// The settings file is read by the toolkit, whose parser drops the whole
// file on one byte that is not UTF-8 and stops on nameless values, odd
// group headers or a group that appears twice. Before it sees the file, the
// text is cleaned here, so that a damaged byte or line costs only itself.

#include <string>
#include <string_view>

namespace kelmio {

// Every byte that is not part of a well-formed UTF-8 character (and every
// NUL) becomes "?".
std::string ValidUtf8(std::string_view bytes);

// Keeps comments out and only well-formed lines in: sections with proper
// names (merged when a name appears twice), values with a name; the first
// of two equal names in a section wins.
std::string WellFormedIni(std::string_view text);

// Both of the above: what the toolkit is given to read.
inline std::string CleanSettingsText(std::string_view bytes) { return WellFormedIni(ValidUtf8(bytes)); }

}  // namespace kelmio
