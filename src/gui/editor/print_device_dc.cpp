#include "gui/editor/print_device_dc.h"

#include <wx/dc.h>

#include <algorithm>
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

int CDcPrintDevice::MeasuredWidth(std::string_view text) const {
    wxCoord width = 0;
    wxCoord height = 0;
    m_dc.GetTextExtent(ToWx(text), &width, &height);
    return width;
}

std::int32_t CDcPrintDevice::CharAdvance(std::string_view character) const {
    const auto lead = static_cast<unsigned char>(character[0]);
    const unsigned code = character.size() == 2 ? lead << 8 | static_cast<unsigned char>(character[1]) : lead;
    if (m_arrAdvances.empty()) m_arrAdvances.assign(0x10000, -1);
    std::int32_t& advance = m_arrAdvances[code];
    if (advance < 0) {
        if (character.size() == 1 && IsSjisLeadByte(lead)) {
            // A lead byte alone (at the end of a run): copies of it would
            // pair up into other characters.
            advance = std::max(MeasuredWidth(character), 0) * kCharSamples;
        } else {
            std::string copies;
            copies.reserve(character.size() * kCharSamples);
            for (int i = 0; i < kCharSamples; ++i) copies.append(character);
            advance = std::max(MeasuredWidth(copies), 0);
        }
    }
    return advance;
}

int CDcPrintDevice::RunWidth(std::string_view run) const {
    if (m_arrAdvances.empty()) m_arrAdvances.assign(0x10000, -1);
    const std::int32_t* const known = m_arrAdvances.data();
    std::int64_t total = 0;
    for (std::size_t i = 0; i < run.size();) {
        // A lead byte with a byte after it is a double-byte character, as
        // CharLengthAt has it; the look-up is inline, the measure is not.
        const auto byte = static_cast<unsigned char>(run[i]);
        const std::size_t length = IsSjisLeadByte(byte) && i + 1 < run.size() ? 2 : 1;
        const unsigned code = length == 2 ? byte << 8 | static_cast<unsigned char>(run[i + 1]) : byte;
        const std::int32_t advance = known[code];
        total += advance >= 0 ? advance : CharAdvance(run.substr(i, length));
        i += length;
    }
    return static_cast<int>((total + kCharSamples / 2) / kCharSamples);
}

CPrintTextMetrics CDcPrintDevice::GetTextMetrics() const {
    // Asked for on every page; the font does not change under the device.
    if (!m_metrics) {
        wxCoord width = 0;
        wxCoord height = 0;
        wxCoord descent = 0;
        wxCoord leading = 0;
        m_dc.GetTextExtent(WxText("Xy"), &width, &height, &descent, &leading);
        m_metrics = CPrintTextMetrics{height, leading, m_dc.GetCharWidth()};
    }
    return *m_metrics;
}

std::array<int, 256> CDcPrintDevice::GetCharWidths() const {
    if (!m_widths) {
        std::array<int, 256> widths{};
        for (int byte = 0x20; byte < 0x100; ++byte) {
            // Lead bytes only start a pair, which is measured as a whole.
            if (IsSjisLeadByte(static_cast<unsigned char>(byte)) || byte == 0x7F) continue;
            widths[static_cast<std::size_t>(byte)] = MeasuredWidth(std::string(1, static_cast<char>(byte)));
        }
        m_widths = widths;
    }
    return *m_widths;
}

int CDcPrintDevice::GetDoubleByteWidth(unsigned char lead, unsigned char trail) const {
    std::int32_t advance = m_arrAdvances.empty() ? -1 : m_arrAdvances[static_cast<unsigned>(lead << 8 | trail)];
    if (advance < 0) {
        const char pair[2] = {static_cast<char>(lead), static_cast<char>(trail)};
        advance = CharAdvance(std::string_view(pair, 2));
    }
    return (advance + kCharSamples / 2) / kCharSamples;
}

int CDcPrintDevice::GetDefaultTabWidth() const { return kDefaultTabChars * GetTextMetrics().nAveCharWidth; }

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
