#pragma once
// The print device the page layout of the translation text measures and
// draws on, over a toolkit device context: Shift-JIS runs are converted
// for the toolkit here and nowhere else.

#include <array>
#include <optional>

#include "editor/print_device.h"

class wxDC;

namespace kelmio {

class CDcPrintDevice final : public CPrintDevice {
public:
    // `dc` has the font the text prints in selected; `caps` describes its
    // page in the dc's logical units.
    CDcPrintDevice(wxDC& dc, const CPrintDeviceCaps& caps) : m_dc(dc), m_caps(caps) {}

    CPrintTextMetrics GetTextMetrics() const override;
    std::array<int, 256> GetCharWidths() const override;
    int GetDefaultTabWidth() const override;
    int GetTabbedTextWidth(std::string_view text, int nTabStop) const override;
    void DrawTabbedText(int x, int y, std::string_view text, int nTabStop) override;
    void SetClip(const CPrintRect& rect) override;
    void ClearClip() override;
    CPrintDeviceCaps GetDeviceCaps() const override { return m_caps; }

private:
    int RunWidth(std::string_view run) const;

    wxDC& m_dc;
    CPrintDeviceCaps m_caps;
    mutable std::optional<std::array<int, 256>> m_widths;
};

}  // namespace kelmio
