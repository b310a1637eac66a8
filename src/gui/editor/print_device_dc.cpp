#include "gui/editor/print_device_dc.h"

#include <wx/dc.h>

#include <string>

#include "gui/platform/wx_text.h"
#include "text/sjis.h"

namespace kelmio {
namespace {

// Default tab stops are eight average characters apart.
constexpr int kDefaultTabChars = 8;

// Calls `run` for each stretch between tabs with the x it starts at, and
// returns the x after the last one. A tab byte is never part of a
// double-byte character, so splitting at it is safe.
template <typename RunFn, typename WidthFn>
int WalkTabbedText(std::string_view text, int nTabStop, WidthFn width, RunFn run) {
    int x = 0;
    std::size_t start = 0;
    for (std::size_t i = 0; i <= text.size(); ++i) {
        if (i < text.size() && text[i] != '\t') continue;
        const std::string_view piece = text.substr(start, i - start);
        if (!piece.empty()) {
            run(x, piece);
            x += width(piece);
        }
        if (i < text.size()) x = (x / nTabStop + 1) * nTabStop;
        start = i + 1;
    }
    return x;
}

}  // namespace

int CDcPrintDevice::RunWidth(std::string_view run) const {
    wxCoord width = 0;
    wxCoord height = 0;
    m_dc.GetTextExtent(ToWx(run), &width, &height);
    return width;
}

CPrintTextMetrics CDcPrintDevice::GetTextMetrics() const {
    wxCoord width = 0;
    wxCoord height = 0;
    wxCoord descent = 0;
    wxCoord leading = 0;
    m_dc.GetTextExtent(WxText("Xy"), &width, &height, &descent, &leading);
    return {height, leading, m_dc.GetCharWidth()};
}

std::array<int, 256> CDcPrintDevice::GetCharWidths() const {
    if (!m_widths) {
        std::array<int, 256> widths{};
        for (int byte = 0x20; byte < 0x100; ++byte) {
            // Lead bytes only start a pair, which is measured as a whole.
            if (IsSjisLeadByte(static_cast<unsigned char>(byte)) || byte == 0x7F) continue;
            widths[static_cast<std::size_t>(byte)] = RunWidth(std::string(1, static_cast<char>(byte)));
        }
        m_widths = widths;
    }
    return *m_widths;
}

int CDcPrintDevice::GetDefaultTabWidth() const { return kDefaultTabChars * m_dc.GetCharWidth(); }

int CDcPrintDevice::GetTabbedTextWidth(std::string_view text, int nTabStop) const {
    return WalkTabbedText(
        text, nTabStop, [this](std::string_view piece) { return RunWidth(piece); }, [](int, std::string_view) {});
}

void CDcPrintDevice::DrawTabbedText(int x, int y, std::string_view text, int nTabStop) {
    m_dc.SetBackgroundMode(wxBRUSHSTYLE_TRANSPARENT);
    WalkTabbedText(
        text, nTabStop, [this](std::string_view piece) { return RunWidth(piece); },
        [this, x, y](int offset, std::string_view piece) { m_dc.DrawText(ToWx(piece), x + offset, y); });
}

void CDcPrintDevice::SetClip(const CPrintRect& rect) {
    m_dc.DestroyClippingRegion();
    m_dc.SetClippingRegion(rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top);
}

void CDcPrintDevice::ClearClip() { m_dc.DestroyClippingRegion(); }

}  // namespace kelmio
