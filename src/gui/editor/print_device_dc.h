#pragma once
// The print device the page layout of the translation text measures and
// draws on, over a toolkit device context: Shift-JIS runs are converted
// for the toolkit here and nowhere else.
//
// Text is measured as a printer measures it, character by character: the
// width of a run is the sum of its characters' advance widths. Each
// distinct character is measured once on this device context and its font
// and kept, so laying out thousands of pages costs table look-ups, not a
// toolkit text layout per line. A character's advance is taken from a run
// of kCharSamples copies of it and kept in 1/kCharSamples units, so the
// fractions the toolkit keeps between glyphs are not rounded away one
// character at a time.

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

#include "editor/print_device.h"

class wxDC;

namespace kelmio {

class CDcPrintDevice final : public CPrintDevice {
public:
    // `dc` has the font the text prints in selected; `caps` describes its
    // page in the dc's logical units.
    CDcPrintDevice(wxDC& dc, const CPrintDeviceCaps& caps) : m_dc(dc), m_caps(caps) {}

    // Copies of a character measured together for its advance width.
    static constexpr int kCharSamples = 32;

    CPrintTextMetrics GetTextMetrics() const override;
    std::array<int, 256> GetCharWidths() const override;
    int GetDoubleByteWidth(unsigned char lead, unsigned char trail) const override;
    int GetDefaultTabWidth() const override;
    int GetTabbedTextWidth(std::string_view text, int nTabStop) const override;
    void DrawTabbedText(int x, int y, std::string_view text, int nTabStop) override;
    void SetClip(const CPrintRect& rect) override;
    void ClearClip() override;
    CPrintDeviceCaps GetDeviceCaps() const override { return m_caps; }

private:
    // The advance of one character (one byte, or a lead and trail byte) in
    // 1/kCharSamples units, measured on first use.
    std::int32_t CharAdvance(std::string_view character) const;
    int RunWidth(std::string_view run) const;
    int MeasuredWidth(std::string_view text) const;

    wxDC& m_dc;
    CPrintDeviceCaps m_caps;
    mutable std::optional<CPrintTextMetrics> m_metrics;
    mutable std::optional<std::array<int, 256>> m_widths;
    // Indexed by the byte, or lead * 256 + trail; -1 until measured.
    mutable std::vector<std::int32_t> m_arrAdvances;
};

}  // namespace kelmio
