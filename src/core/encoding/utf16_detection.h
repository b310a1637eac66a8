#pragma once
// UTF-16 without a byte-order mark, told from where its zero bytes fall.
//
// No text in Shift-JIS, EUC-JP or JIS holds a zero byte; UTF-16 holds one
// in every ASCII character (CR and LF among them), on the high side of the
// code unit: at odd offsets in little-endian, even ones in big-endian. So a
// file whose first 64 KiB hold no zero byte is left to the other rules at
// once. Otherwise the whole file is read twice over in one pass, as
// little-endian and as big-endian units, and a reading confirms UTF-16 when
//   - the file has an even number of bytes, at least 8 (four units);
//   - every unit is text: no NUL or other C0 control but TAB, LF, FF and
//     CR, no DEL or C1 control, no U+FFFE or U+FFFF, surrogates in pairs,
//     and no unit whose high byte is a CR or LF byte (U+0A00-U+0AFF,
//     U+0D00-U+0DFF): that is where the line ends of an 8-bit text land
//     when it is read as UTF-16;
//   - it holds a CR or LF unit and another ASCII one (a lone "CR NUL" is
//     as likely a stray NUL), or at least eight units and half of them are
//     ASCII (a text without a line end).
// Exactly one reading must confirm. A file that no reading confirms, but
// whose zero bytes fall four times as often on one side as on the other and
// are at least eight and one unit in sixteen, looks like UTF-16 without
// being it throughout: it is shown as UTF-16 of that side, read-only. Anything
// else (Shift-JIS with a stray NUL, binary data, a short or odd-sized file)
// is not UTF-16.

#include <optional>

#include "encoding/detection.h"
#include "encoding/text_encoding.h"

namespace kelmio {

// kUtf16Le, kUtf16Be, kUtf16LeUnsure, kUtf16BeUnsure, or nullopt. Reads the
// first 64 KiB, and all of a file with a zero byte in them.
std::optional<TextEncoding> DetectUtf16WithoutMark(CByteReader& reader);
std::optional<TextEncoding> DetectUtf16WithoutMark(std::string_view bytes);

}  // namespace kelmio
