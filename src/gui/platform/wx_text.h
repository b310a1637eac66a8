#pragma once
// Shift-JIS strings to and from wxString, at the widget boundary only.

#include <wx/string.h>

#include <string>
#include <string_view>

#include "platform/file_io.h"
#include "text/cp932.h"

namespace kelmio {

inline wxString ToWx(std::string_view sjis) { return wxString::FromUTF8(Cp932ToUtf8(sjis)); }

inline std::string FromWx(const wxString& text) {
    const wxScopedCharBuffer utf8 = text.utf8_str();
    return Utf8ToCp932(std::string_view(utf8.data(), utf8.length()));
}

// Paths: the file system's own bytes and the name the toolkit shows or
// hands back. The toolkit's file-name conversion keeps bytes that are not
// UTF-8 (as private-use characters), so a name survives the round trip.
inline wxString ToWxPath(const CFilePath& path) { return wxString(path.Native().c_str(), *wxConvFileName); }

inline CFilePath FromWxPath(const wxString& nativePath) {
    const auto bytes = nativePath.fn_str();
    return CFilePath::FromNative(std::string_view(bytes.data(), bytes.length()));
}

// A product text written in UTF-8 in the sources.
inline wxString WxText(const char* utf8) { return wxString::FromUTF8(utf8); }

}  // namespace kelmio
