#pragma once
// The font the translation text prints in: the editor's font at the same
// point size, made for the printer's resolution instead of the screen's.

#include <optional>
#include <string>
#include <string_view>

namespace kelmio {

struct CPrinterFont {
    std::string m_strFace;
    int m_nPointTenths = 0;  // size in tenths of a point
    int m_nHeight = 0;       // character height in printer pixels, negative as font requests give it
};

// The printer font for the editor's font `face` of `dPointSize` points, or
// none when the editor shows the system font (the printer's own default font
// prints the text then) or no usable size is known. Dots per inch are
// vertical: the font's height is what gets scaled.
std::optional<CPrinterFont> ChoosePrinterFont(double dPointSize, std::string_view face, std::string_view systemFace,
                                              int nScreenDpi, int nPrinterDpi);

}  // namespace kelmio
