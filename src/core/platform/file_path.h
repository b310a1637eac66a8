#pragma once
// A file's name as the file system knows it.
//
// Kelmio's texts are Shift-JIS, but a file system names files in bytes of
// its own (UTF-8 here, or anything at all: a name may hold bytes that are no
// UTF-8). A CFilePath keeps those bytes, so every name the file system
// allows can be opened and saved, and only turns them into Shift-JIS for
// what is shown or stored in Shift-JIS.
//
// A Shift-JIS string converts to a CFilePath implicitly: it names the file
// whose name is its UTF-8 form, which is what every Shift-JIS path inside
// the program means. The other direction is always explicit: Sjis() when the
// name must be exact, Display() for a message, never for opening a file.

#include <compare>
#include <optional>
#include <string>
#include <string_view>

namespace kelmio {

class CFilePath {
public:
    CFilePath() = default;
    CFilePath(std::string_view sjis);  // NOLINT: Shift-JIS paths name files
    CFilePath(const std::string& sjis) : CFilePath(std::string_view(sjis)) {}
    CFilePath(const char* sjis) : CFilePath(std::string_view(sjis)) {}

    // The name from the file system's own bytes (command line, choosers).
    static CFilePath FromNative(std::string_view bytes);
    // The name from UTF-16, as the wide form of the project file holds it:
    // the inverse of Wide().
    static CFilePath FromWide(std::u16string_view wide);

    const std::string& Native() const { return m_strNative; }
    bool empty() const { return m_strNative.empty(); }

    // The Shift-JIS form naming exactly this file, or nullopt when the name
    // has a character outside Shift-JIS or bytes that are not UTF-8.
    std::optional<std::string> Sjis() const;
    // Shift-JIS for messages and captions; characters without a form shown
    // as "?". Never used to name a file.
    std::string Display() const;
    // UTF-16, with each byte that is not part of a UTF-8 character kept as
    // the lone surrogate U+DC00 + byte, so that FromWide gives back the
    // same bytes.
    std::u16string Wide() const;

    // The last component (after the last "/"), and the path with `name`
    // appended below it.
    CFilePath FileName() const;
    CFilePath Join(const CFilePath& name) const;

    friend bool operator==(const CFilePath&, const CFilePath&) = default;
    friend std::strong_ordering operator<=>(const CFilePath&, const CFilePath&) = default;

private:
    std::string m_strNative;
};

// True when the two name the same file as the recent lists and the source
// history compare: without regard to case where both have a Shift-JIS
// form, byte for byte otherwise.
bool SameFileName(const CFilePath& a, const CFilePath& b);

}  // namespace kelmio
