#pragma once
// Word-wrapped drawing of Shift-JIS text into a rectangle of a print device:
// the layout a printed page of the translation text gets.

#include <cstddef>
#include <string_view>

#include "editor/print_device.h"

namespace kelmio {

enum class CWrapMode {
    kDraw,     // draw the lines that fall inside the rectangle
    kMeasure,  // only lay the lines out (pages counted without printing)
};

struct CWrapResult {
    std::size_t nEnd = 0;  // offset where the next page would begin
    int nBottom = 0;       // y below the last line laid out
};

// Lays out `text` from byte `nStart` into `rect`, line by line, until the
// text ends or the next line would not fit. Lines end at CR LF, CR or LF and
// wrap before the last white space that fits (or, in a word wider than the
// rectangle, after the last character that fits; a double-byte character is
// never split). `nTabSize` is the editor's tab size in characters.
CWrapResult WrapTextIntoRect(CPrintDevice& device, std::string_view text, std::size_t nStart,
                             const CPrintRect& rect, int nTabSize, CWrapMode mode);

// The tab stop of printed text for the editor's tab size, from the width of
// a tab with the device's default stops. Never below 1.
int PrintTabStop(int nDefaultTabWidth, int nTabSize);

}  // namespace kelmio
