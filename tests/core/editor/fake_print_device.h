#pragma once
// A print device with round numbers: every single-byte character is 10
// units wide, a double-byte one 20, a line 12 high (10 + 2 leading); it
// records what is drawn and where drawing was clipped.

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "editor/print_device.h"
#include "text/sjis.h"

namespace kelmio::test {

struct CDrawnLine {
    int x;
    int y;
    std::string text;
    int tabStop;
    bool operator==(const CDrawnLine&) const = default;
};

class CFakePrintDevice final : public CPrintDevice {
public:
    static constexpr int kCharWidth = 10;
    static constexpr int kLineHeight = 12;

    CPrintTextMetrics GetTextMetrics() const override { return {10, 2, kCharWidth}; }

    std::array<int, 256> GetCharWidths() const override {
        std::array<int, 256> widths{};
        widths.fill(kCharWidth);
        return widths;
    }

    int GetDefaultTabWidth() const override { return 8 * kCharWidth; }

    int GetTabbedTextWidth(std::string_view text, int nTabStop) const override {
        ++m_nMeasures;
        int x = 0;
        for (std::size_t i = 0; i < text.size(); i += CharLengthAt(text, i)) {
            if (text[i] == '\t') {
                x = (x / nTabStop + 1) * nTabStop;
            } else {
                x += CharLengthAt(text, i) == 2 ? 2 * kCharWidth : kCharWidth;
            }
        }
        return x;
    }

    void DrawTabbedText(int x, int y, std::string_view text, int nTabStop) override {
        m_arrDrawn.push_back({x, y, std::string(text), nTabStop});
    }

    void SetClip(const CPrintRect& rect) override { m_arrClips.push_back(rect); }
    void ClearClip() override { ++m_nClearedClips; }

    CPrintDeviceCaps GetDeviceCaps() const override { return m_caps; }

    // Only the text of each line drawn, in order.
    std::vector<std::string> DrawnTexts() const {
        std::vector<std::string> texts;
        for (const CDrawnLine& line : m_arrDrawn) texts.push_back(line.text);
        return texts;
    }

    CPrintDeviceCaps m_caps{100, 100, 1000, 1000, 0, 0};  // 10 hundredths of a mm per pixel
    std::vector<CDrawnLine> m_arrDrawn;
    std::vector<CPrintRect> m_arrClips;
    int m_nClearedClips = 0;
    mutable int m_nMeasures = 0;
};

}  // namespace kelmio::test
