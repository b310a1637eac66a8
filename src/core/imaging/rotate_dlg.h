#pragma once
// CRotateDlg: the arbitrary rotation dialog's form: a direction list
// ("時計回り(右回り)", "反時計回り(左回り)", nothing selected at first) and an
// angle in degrees whose arrows step by whole degrees from -360 to 360.

#include <string>
#include <string_view>
#include <vector>

namespace kelmio {

class CRotateDlg {
public:
    static constexpr int kClockwise = 0;
    static constexpr int kCounterClockwise = 1;
    static constexpr int kArrowMin = -360;
    static constexpr int kArrowMax = 360;

    static std::vector<std::string> DirectionTexts();  // Shift-JIS, list order

    int m_nDirection = -1;  // list selection; -1 when none
    double m_dAngle = 0.0;

    // Takes the angle field's text; false (and the angle unchanged) when it
    // is not a number.
    bool SetAngleText(std::string_view text);

    // The angle to turn by on OK, in hundredths of a degree, positive
    // turning left: a negative angle is first taken once round the circle,
    // and a clockwise turn is the rest of the circle to the left.
    int RotationAngle() const;
};

}  // namespace kelmio
