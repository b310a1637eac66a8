#pragma once
// Conversion of one line between Shift-JIS and the two other Japanese
// encodings of text sources, JIS (ISO-2022-JP) and EUC-JP.
//
// All four use the arithmetic mapping between JIS X 0208 rows and cells and
// Shift-JIS, so they agree with each other byte for byte. For speed the
// arithmetic is laid out once, on first use, as whole-pair look-up tables
// (about 512 KiB), so each double-byte character costs one look-up.
// A line is taken as bytes without its line end; NUL and other control
// bytes are data like any other, never a terminator. Output is appended to
// `out`, so a caller can build a whole file in one string.

#include <cstddef>
#include <string>
#include <string_view>

namespace kelmio {

// JIS shift state. A file starts in ASCII mode (both flags off) and the
// state carries from line to line, since a JIS writer may leave kanji mode
// open across a line end.
struct CJisState {
    bool m_bKanji = false;
    bool m_bKana = false;
};

struct LineConversion {
    std::size_t converted = 0;  // double-byte characters mapped
    std::size_t unmapped = 0;   // double-byte characters copied because they have no mapping
};

LineConversion JisToSjis(std::string_view line, CJisState& state, std::string& out);
LineConversion EucToSjis(std::string_view line, std::string& out);
// Ends every line in ASCII mode, so `state` is ASCII again on return.
LineConversion SjisToJis(std::string_view line, CJisState& state, std::string& out);
LineConversion SjisToEuc(std::string_view line, std::string& out);

// The JIS X 0208 row/cell pair (each 0x21-0x7E) as a Shift-JIS lead and
// trail byte; false when the pair is outside the 94 x 94 square.
bool JisPairToSjis(unsigned char first, unsigned char second, unsigned char& lead, unsigned char& trail);
// The reverse; false for a lead or trail byte with no JIS X 0208 position
// (the user-defined and vendor rows from 0xF0 up, bad trail bytes).
bool SjisPairToJis(unsigned char lead, unsigned char trail, unsigned char& first, unsigned char& second);

}  // namespace kelmio
