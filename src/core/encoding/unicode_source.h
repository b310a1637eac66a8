#pragma once
// Unicode text sources: UTF-8 and UTF-16, each with or without a byte-order
// mark. They are edited as UTF-8 and saved back in their own encoding without
// passing through Shift-JIS, so no character is lost; only a word sent to
// a dictionary needs code page 932.
//
// A file is a Unicode source when it starts with a UTF-8 or UTF-16
// byte-order mark, or when it is valid UTF-8 holding at least one
// multi-byte sequence and no JIS kanji escape (ESC $ B, ESC $ @) before
// the first one, or when its zero bytes fall as in UTF-16
// (encoding/utf16_detection.h). Every other file is left to the Japanese
// detection.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "encoding/detection.h"
#include "encoding/text_encoding.h"

namespace kelmio {

// The Unicode encoding of the bytes from `reader`, or nullopt. Reads up to
// the first byte that is not valid UTF-8 or the end of a JIS kanji escape
// in 7-bit text, whichever comes first (all of a valid file).
std::optional<TextEncoding> DetectUnicode(CByteReader& reader);
std::optional<TextEncoding> DetectUnicode(std::string_view bytes);

// The line-end kind of a Unicode source: the first CR or LF character, in
// UTF-16 code units for the UTF-16 encodings (after the mark, when the
// encoding has one).
LineEnd DetectUnicodeLineEnd(CByteReader& reader, TextEncoding encoding);
LineEnd DetectUnicodeLineEnd(std::string_view bytes, TextEncoding encoding);

// The file's text as UTF-8 without the byte-order mark, its own line ends
// (LF or CR) turned into CR LF like every text the pane holds. UTF-16
// units that are not valid (lone surrogates) are kept in the generalised
// UTF-8 form, so saving gives them back.
std::string DecodeUnicodeSource(std::string_view bytes, TextEncoding encoding, LineEnd lineEnd);

// The reverse: CR LF becomes the file's line end, the text is encoded and
// the byte-order mark put in front (for the encodings that have one). `unmapped` counts bytes of `utf8` that
// were not UTF-8 and had to be written as U+FFFD in UTF-16.
std::string EncodeUnicodeSource(std::string_view utf8, TextEncoding encoding, LineEnd lineEnd,
                                std::size_t* unmapped = nullptr);

}  // namespace kelmio
