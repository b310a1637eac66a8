#pragma once
// Shift-JIS strings to and from wxString, at the widget boundary only.

#include <wx/string.h>

#include <string>
#include <string_view>

#include "text/cp932.h"

namespace kelmio {

inline wxString ToWx(std::string_view sjis) { return wxString::FromUTF8(Cp932ToUtf8(sjis)); }

inline std::string FromWx(const wxString& text) {
    const wxScopedCharBuffer utf8 = text.utf8_str();
    return Utf8ToCp932(std::string_view(utf8.data(), utf8.length()));
}

// A product text written in UTF-8 in the sources.
inline wxString WxText(const char* utf8) { return wxString::FromUTF8(utf8); }

}  // namespace kelmio
