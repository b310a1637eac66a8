#include "imaging/rotate_dlg.h"

#include <algorithm>
#include <cmath>

#include "imaging/zoom_dlg.h"
#include "text/cp932.h"

namespace kelmio {

std::vector<std::string> CRotateDlg::DirectionTexts() {
    return {SjisText("時計回り(右回り)"), SjisText("反時計回り(左回り)")};
}

bool CRotateDlg::SetAngleText(std::string_view text) {
    const std::optional<double> value = ParseRealNumber(text);
    if (!value) return false;
    m_dAngle = *value;
    return true;
}

int CRotateDlg::RotationAngle() const {
    double x = m_dAngle;
    if (x < 0) x += 360.0;
    if (m_nDirection == kClockwise) x = 360.0 - x;
    // Typed angles such as 45.3 are not exact in binary; truncating them
    // must not lose the last hundredth.
    const double hundredths = x * 100.0;
    const double nudged = hundredths + (hundredths >= 0 ? 1e-6 : -1e-6);
    const double limited = std::clamp(nudged, -1e9, 1e9);
    return static_cast<int>(std::trunc(limited));
}

}  // namespace kelmio
