#pragma once
// A text source's encoding and line-end kind, as detection finds them and
// loading and saving use them. The numbers are those kelmio-cli prints and
// takes; nothing else sees them.

#include <optional>

namespace kelmio {

enum class TextEncoding {
    kShiftJis = 0,
    kJis = 1,
    kEucJp = 2,
    kAscii = 4,        // nothing but 7-bit bytes seen
    kSjisOrEuc = 5,    // undecided between the two
    kUtf8 = 6,
    kUtf8Bom = 7,
    kUtf16LeBom = 8,
    kUtf16BeBom = 9,
    // UTF-16 without a byte-order mark, told by where its zero bytes fall.
    kUtf16Le = 10,
    kUtf16Be = 11,
    // Zero bytes that fall as in UTF-16, in a file that is not UTF-16 text
    // throughout: shown as UTF-16 but read-only, never saved in a guess.
    kUtf16LeUnsure = 12,
    kUtf16BeUnsure = 13,
};

enum class LineEnd {
    kNone = -1,  // the file holds no line end
    kCrLf = 0,
    kLf = 1,
    kCr = 2,
};

constexpr bool IsUtf16Encoding(TextEncoding encoding) {
    return encoding == TextEncoding::kUtf16LeBom || encoding == TextEncoding::kUtf16BeBom ||
           encoding == TextEncoding::kUtf16Le || encoding == TextEncoding::kUtf16Be ||
           encoding == TextEncoding::kUtf16LeUnsure || encoding == TextEncoding::kUtf16BeUnsure;
}

constexpr bool IsUnicodeEncoding(TextEncoding encoding) {
    return encoding == TextEncoding::kUtf8 || encoding == TextEncoding::kUtf8Bom || IsUtf16Encoding(encoding);
}

// A file whose encoding is a guess: it is shown, but the pane is read-only
// and nothing is ever saved as it.
constexpr bool IsReadOnlyEncoding(TextEncoding encoding) {
    return encoding == TextEncoding::kUtf16LeUnsure || encoding == TextEncoding::kUtf16BeUnsure;
}

constexpr int EncodingNumber(TextEncoding encoding) { return static_cast<int>(encoding); }
constexpr int LineEndNumber(LineEnd lineEnd) { return static_cast<int>(lineEnd); }

// nullopt for a number that names no encoding (or line end).
std::optional<TextEncoding> EncodingFromNumber(int number);
std::optional<LineEnd> LineEndFromNumber(int number);

}  // namespace kelmio
