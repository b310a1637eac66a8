#include "editor/print_margins.h"

#include <algorithm>
#include <cmath>

namespace kelmio {
namespace {

constexpr std::string_view kTopValue = "PrintMarginTop";
constexpr std::string_view kBottomValue = "PrintMarginBottom";
constexpr std::string_view kRightValue = "PrintMarginRight";
constexpr std::string_view kLeftValue = "PrintMarginLeft";

// Device pixels a margin of `hundredthsMm` covers beyond the printing
// offset, but at least the offset. A device that reports no size cannot
// convert millimetres; it gets the offset alone.
double MarginInset(int hundredthsMm, int sizeMm, int resolution, int offset) {
    if (sizeMm <= 0 || resolution <= 0) return offset;
    const double hundredthsPerPixel = sizeMm * 100.0 / resolution;
    return std::max(hundredthsMm / hundredthsPerPixel - offset, static_cast<double>(offset));
}

// Truncates like an assignment to an integer coordinate, kept inside the
// range of one so that absurd margins cannot overflow.
int ToCoordinate(double value) {
    constexpr double kLimit = 1.0e9;
    return static_cast<int>(std::trunc(std::clamp(value, -kLimit, kLimit)));
}

}  // namespace

void CPrintMargins::Load(const CSettings& settings) {
    m_nTop = settings.GetInt(m_strSection, kTopValue, kDefaultPrintMargin);
    m_nBottom = settings.GetInt(m_strSection, kBottomValue, kDefaultPrintMargin);
    m_nRight = settings.GetInt(m_strSection, kRightValue, kDefaultPrintMargin);
    m_nLeft = settings.GetInt(m_strSection, kLeftValue, kDefaultPrintMargin);
}

void CPrintMargins::Save(CSettings& settings) const {
    settings.WriteInt(m_strSection, kTopValue, m_nTop);
    settings.WriteInt(m_strSection, kBottomValue, m_nBottom);
    settings.WriteInt(m_strSection, kRightValue, m_nRight);
    settings.WriteInt(m_strSection, kLeftValue, m_nLeft);
}

CPrintRect ApplyPrintMargins(const CPrintRect& page, const CPrintMargins& margins, const CPrintDeviceCaps& caps) {
    const double top = MarginInset(margins.m_nTop, caps.nVertSizeMm, caps.nVertRes, caps.nOffsetY);
    const double bottom = MarginInset(margins.m_nBottom, caps.nVertSizeMm, caps.nVertRes, caps.nOffsetY);
    const double left = MarginInset(margins.m_nLeft, caps.nHorzSizeMm, caps.nHorzRes, caps.nOffsetX);
    const double right = MarginInset(margins.m_nRight, caps.nHorzSizeMm, caps.nHorzRes, caps.nOffsetX);
    return {ToCoordinate(page.left + left), ToCoordinate(page.top + top), ToCoordinate(page.right - right),
            ToCoordinate(page.bottom - bottom)};
}

}  // namespace kelmio
