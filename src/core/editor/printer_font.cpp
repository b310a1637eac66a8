#include "editor/printer_font.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>

#include "text/compare.h"

namespace kelmio {
namespace {

// value * numerator / denominator, rounded half away from zero.
std::int64_t MulDivRounded(std::int64_t value, std::int64_t numerator, std::int64_t denominator) {
    const std::int64_t product = value * numerator;
    const std::int64_t half = denominator / 2;
    return product >= 0 ? (product + half) / denominator : (product - half) / denominator;
}

}  // namespace

std::optional<CPrinterFont> ChoosePrinterFont(double dPointSize, std::string_view face, std::string_view systemFace,
                                              int nScreenDpi, int nPrinterDpi) {
    if (EqualsNoCaseMb(face, systemFace)) return std::nullopt;
    if (!(dPointSize >= 0.1 && dPointSize < 10000.0) || nScreenDpi <= 0 || nPrinterDpi <= 0) return std::nullopt;

    CPrinterFont font;
    font.m_strFace = std::string(face);
    font.m_nPointTenths = static_cast<int>(std::trunc(dPointSize * 10.0));
    // The height the size has on the screen (72 points to the inch), then
    // scaled to the printer as whole pixels.
    const std::int64_t screenHeight = std::llabs(MulDivRounded(font.m_nPointTenths, nScreenDpi, 720));
    font.m_nHeight = -static_cast<int>(MulDivRounded(screenHeight, nPrinterDpi, nScreenDpi));
    return font;
}

}  // namespace kelmio
