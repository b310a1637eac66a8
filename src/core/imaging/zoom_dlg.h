#pragma once
// CZoomDlg: the custom zoom dialog's form. The dialog shows a factor from
// 1.0 to 10.0 in an edit field beside a scroll bar; in reduce use the title
// reads "縮小" and the unit "分の１", in enlarge use "拡大" and "倍".

#include <optional>
#include <string>
#include <string_view>

#include "imaging/image_zoom.h"

namespace kelmio {

class CZoomDlg {
public:
    // Scroll-bar events, as the scroll bar reports them.
    enum class ScrollEvent { kLineLeft, kLineRight, kPageLeft, kPageRight, kThumb, kLeftEnd, kRightEnd };

    static constexpr int kScrollMin = 10;
    static constexpr int kScrollMax = 100;

    // The form for command 32817 (reduce) or 32818 (enlarge): the active
    // divisor or factor, else 1.0.
    static CZoomDlg ForReduce(const CImageZoom& zoom);
    static CZoomDlg ForEnlarge(const CImageZoom& zoom);

    bool IsReduce() const { return m_bReduce; }
    std::string GetTitle() const;      // Shift-JIS
    std::string GetUnitText() const;   // Shift-JIS
    static std::string GetPrompt();    // Shift-JIS

    double GetFactor() const { return m_dFactor; }
    // The edit field's text for the factor ("1.5").
    std::string GetFactorText() const;
    int GetScrollPos() const;

    // A scroll-bar event: the edit field's text is read first (`editText`,
    // Shift-JIS; text that is not a number counts as the current factor),
    // then changed by the event and kept within 1.0 ... 10.0.
    void OnScroll(ScrollEvent event, int thumbPos, std::string_view editText);

    // OK: the factor typed in the edit field, as the tenths the caller
    // applies, truncated and kept within 10 ... 100.
    int AcceptedTenths(std::string_view editText) const;

private:
    CZoomDlg(bool reduce, double factor) : m_bReduce(reduce), m_dFactor(factor) {}

    bool m_bReduce;
    double m_dFactor;
};

// A real number as typed in an edit field: leading and trailing blanks are
// ignored; anything else that is not a number gives nullopt.
std::optional<double> ParseRealNumber(std::string_view text);

// A real number for an edit field, without trailing zeros ("1.5", "2").
std::string FormatRealNumber(double value);

}  // namespace kelmio
