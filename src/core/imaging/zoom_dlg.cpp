#include "imaging/zoom_dlg.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "text/cp932.h"

namespace kelmio {
namespace {

constexpr double kFactorMin = 1.0;
constexpr double kFactorMax = 10.0;

double ClampFactor(double value) { return std::clamp(value, kFactorMin, kFactorMax); }

}  // namespace

std::optional<double> ParseRealNumber(std::string_view text) {
    const std::size_t first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos) return std::nullopt;
    const std::size_t last = text.find_last_not_of(" \t");
    const std::string trimmed(text.substr(first, last - first + 1));
    char* end = nullptr;
    const double value = std::strtod(trimmed.c_str(), &end);
    if (end != trimmed.c_str() + trimmed.size() || !std::isfinite(value)) return std::nullopt;
    return value;
}

std::string FormatRealNumber(double value) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.10g", value);
    return buffer;
}

CZoomDlg CZoomDlg::ForReduce(const CImageZoom& zoom) {
    return CZoomDlg(true, zoom.m_bReduce ? zoom.m_nReduce / 10.0 : 1.0);
}

CZoomDlg CZoomDlg::ForEnlarge(const CImageZoom& zoom) {
    return CZoomDlg(false, zoom.m_bEnlarge ? zoom.m_nEnlarge / 10.0 : 1.0);
}

std::string CZoomDlg::GetTitle() const { return SjisText(m_bReduce ? "縮小" : "拡大"); }

std::string CZoomDlg::GetUnitText() const { return SjisText(m_bReduce ? "分の１" : "倍"); }

std::string CZoomDlg::GetPrompt() { return SjisText("倍率を設定してください(&B)"); }

std::string CZoomDlg::GetFactorText() const { return FormatRealNumber(m_dFactor); }

int CZoomDlg::GetScrollPos() const {
    // A tiny margin so that 1.1 read back from its text is 11, not 10.999...
    const int pos = static_cast<int>(m_dFactor * 10.0 + 1e-9);
    return std::clamp(pos, kScrollMin, kScrollMax);
}

void CZoomDlg::OnScroll(ScrollEvent event, int thumbPos, std::string_view editText) {
    double value = ParseRealNumber(editText).value_or(m_dFactor);
    switch (event) {
        case ScrollEvent::kLineLeft: value -= 0.1; break;
        case ScrollEvent::kLineRight: value += 0.1; break;
        case ScrollEvent::kPageLeft: value -= 0.5; break;
        case ScrollEvent::kPageRight: value += 0.5; break;
        case ScrollEvent::kThumb: value = thumbPos * 0.1; break;
        case ScrollEvent::kLeftEnd: value = kFactorMin; break;
        case ScrollEvent::kRightEnd: value = kFactorMax; break;
    }
    // Steps of a tenth accumulate binary error; the factor is shown and used
    // in tenths, so keep it on them where it is that close.
    const double tenths = std::round(value * 10.0);
    if (std::fabs(value * 10.0 - tenths) < 1e-6) value = tenths / 10.0;
    m_dFactor = ClampFactor(value);
}

int CZoomDlg::AcceptedTenths(std::string_view editText) const {
    const double value = ClampFactor(ParseRealNumber(editText).value_or(m_dFactor));
    return std::clamp(static_cast<int>(value * 10.0 + 1e-9), kScrollMin, kScrollMax);
}

}  // namespace kelmio
