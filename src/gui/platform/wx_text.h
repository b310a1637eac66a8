#pragma once
// Shift-JIS strings to and from wxString, at the widget boundary only.

#include <wx/string.h>

#include <optional>
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

// Paths: Kelmio's Shift-JIS path and the name the toolkit shows or hands
// back, which is the system's own (UTF-8) name.
inline wxString ToWxPath(std::string_view sjisPath) { return wxString::FromUTF8(ToNativePath(sjisPath)); }

inline std::string FromWxPath(const wxString& nativePath) {
    const wxScopedCharBuffer utf8 = nativePath.utf8_str();
    return FromNativePath(std::string_view(utf8.data(), utf8.length()));
}

// The same, or nullopt when the name has no Shift-JIS form: such a name is
// refused (kBadPath) rather than turned into the name of another file.
inline std::optional<std::string> ExactFromWxPath(const wxString& nativePath) {
    const wxScopedCharBuffer utf8 = nativePath.utf8_str();
    return ExactSjisPath(std::string_view(utf8.data(), utf8.length()));
}

// The message for a name refused by ExactFromWxPath.
inline std::string BadNameMessage(const wxString& nativePath) {
    return FileErrorMessage(FileError{FileErrorCause::kBadPath, FromWxPath(nativePath)});
}

// A product text written in UTF-8 in the sources.
inline wxString WxText(const char* utf8) { return wxString::FromUTF8(utf8); }

}  // namespace kelmio
