#include "editor/text_wrap.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <limits>
#include <vector>

#include "text/sjis.h"

namespace kelmio {
namespace {

// The white space a line may break at. None of these bytes can be the trail
// byte of a double-byte character, so byte-wise scans for them are safe.
bool IsBreakSpace(char ch) {
    return ch == ' ' || ch == '\t' || ch == '\r' || ch == '\n' || ch == '\v' || ch == '\f';
}

bool IsLineEnd(char ch) { return ch == '\r' || ch == '\n'; }

class CLineFitter {
public:
    CLineFitter(const CPrintDevice& device, int nTabStop, int nWidth)
        : m_device(device),
          m_arrWidths(device.GetCharWidths()),
          m_nAveWidth(device.GetTextMetrics().nAveCharWidth),
          m_nTabStop(nTabStop),
          m_nWidth(nWidth) {}

    // End of the longest run of whole characters of `paragraph` from
    // `nStart` whose drawn width fits the rectangle. `paragraph` ends where
    // the paragraph ends, so a lead byte before the line end stands alone.
    std::size_t FitEnd(std::string_view paragraph, std::size_t nStart) {
        // Estimate from the width table, remembering character boundaries
        // for the exact correction.
        m_arrBounds.assign(1, nStart);
        m_bCloseGuess = true;
        std::int64_t x = 0;
        std::size_t i = nStart;
        while (i < paragraph.size()) {
            // CharLengthAt, inline: this loop runs over every byte printed.
            const auto byte = static_cast<unsigned char>(paragraph[i]);
            const std::size_t length = IsSjisLeadByte(byte) && i + 1 < paragraph.size() ? 2 : 1;
            if (byte == '\t') {
                x = (x / m_nTabStop + 1) * m_nTabStop;
            } else if (length == 2) {
                x += DoubleByteWidth(byte, static_cast<unsigned char>(paragraph[i + 1]));
            } else {
                x += m_arrWidths[byte];
            }
            if (x > m_nWidth) break;
            i += length;
            m_arrBounds.push_back(i);
        }

        if (Fits(paragraph, nStart, i)) {
            // Step forward while the next whole character still fits.
            while (i < paragraph.size()) {
                const std::size_t next = i + CharLengthAt(paragraph, i);
                if (!Fits(paragraph, nStart, next)) break;
                i = next;
            }
            return i;
        }
        // Step back to the last boundary that fits. Widths only grow as
        // characters are added, so a search finds the same boundary as
        // stepping back one character at a time, with far fewer measures:
        // back from a close estimate in growing steps (it is off by a
        // character or two), then halving the range that is left.
        std::size_t low = 0;                        // m_arrBounds[0] == nStart always fits
        std::size_t high = m_arrBounds.size() - 1;  // the estimate itself did not fit
        if (m_arrBounds[high] == i) --high;
        for (std::size_t step = 1; m_bCloseGuess && low < high; step *= 2) {
            const std::size_t probe = high - std::min(step - 1, high - low);
            if (Fits(paragraph, nStart, m_arrBounds[probe])) {
                low = probe;
                break;
            }
            high = probe - 1;
        }
        while (low < high) {
            const std::size_t mid = (low + high + 1) / 2;
            if (Fits(paragraph, nStart, m_arrBounds[mid])) {
                low = mid;
            } else {
                high = mid - 1;
            }
        }
        return m_arrBounds[low];
    }

private:
    // The device's width of a double-byte character where it knows one (a
    // close first guess saves most exact measures), else the average.
    int DoubleByteWidth(unsigned char lead, unsigned char trail) {
        const int width = m_device.GetDoubleByteWidth(lead, trail);
        if (width > 0) return width;
        m_bCloseGuess = false;  // the average is far off for most text
        return m_nAveWidth;
    }

    bool Fits(std::string_view paragraph, std::size_t nStart, std::size_t nEnd) const {
        if (nEnd == nStart) return true;
        return m_device.GetTabbedTextWidth(paragraph.substr(nStart, nEnd - nStart), m_nTabStop) <= m_nWidth;
    }

    const CPrintDevice& m_device;
    const std::array<int, 256> m_arrWidths;
    const int m_nAveWidth;
    const int m_nTabStop;
    const int m_nWidth;
    std::vector<std::size_t> m_arrBounds;
    bool m_bCloseGuess = true;  // the estimate took every width from the device
};

// Where the line from `nStart` ends when the paragraph does not fit: before
// the last white space from the byte after the line start up to the fit
// point, else at the fit point. A line holds at least one character, so a
// rectangle narrower than any character still makes progress.
std::size_t BreakLine(std::string_view paragraph, std::size_t nStart, std::size_t nFit) {
    for (std::size_t i = nFit; i > nStart; --i) {
        if (IsBreakSpace(paragraph[i])) return i;
    }
    return nFit > nStart ? nFit : nStart + CharLengthAt(paragraph, nStart);
}

int ClampToInt(std::int64_t value) {
    return static_cast<int>(std::clamp<std::int64_t>(value, std::numeric_limits<int>::min(),
                                                     std::numeric_limits<int>::max()));
}

}  // namespace

int PrintTabStop(int nDefaultTabWidth, int nTabSize) {
    const std::int64_t stop = std::int64_t{nDefaultTabWidth} * nTabSize / 8 / 4;
    return static_cast<int>(std::clamp<std::int64_t>(stop, 1, std::numeric_limits<int>::max()));
}

CWrapResult WrapTextIntoRect(CPrintDevice& device, std::string_view text, std::size_t nStart,
                             const CPrintRect& rect, int nTabSize, CWrapMode mode) {
    const std::size_t end = text.size();
    if (nStart >= end) return {end, rect.bottom};

    const CPrintTextMetrics metrics = device.GetTextMetrics();
    // A device that claims no line height would stack every line on one spot.
    const std::int64_t lineHeight = std::max<std::int64_t>(std::int64_t{metrics.nHeight} + metrics.nExternalLeading, 1);
    const int tabStop = PrintTabStop(device.GetDefaultTabWidth(), nTabSize);
    const int width = ClampToInt(std::int64_t{rect.right} - rect.left);
    CLineFitter fitter(device, tabStop, width);

    const bool draw = mode == CWrapMode::kDraw && !rect.IsEmpty();
    if (draw) device.SetClip(rect);

    std::int64_t y = rect.top;
    std::size_t pos = nStart;
    do {
        std::size_t paraEnd = pos;
        while (paraEnd < end && !IsLineEnd(text[paraEnd])) ++paraEnd;
        const std::string_view paragraph = text.substr(0, paraEnd);

        if (pos == paraEnd) y += lineHeight;
        while (pos < paraEnd) {
            const std::size_t fit = fitter.FitEnd(paragraph, pos);
            const std::size_t lineEnd = fit >= paraEnd ? paraEnd : BreakLine(paragraph, pos, fit);
            if (draw && y < rect.bottom && y + lineHeight > rect.top) {
                device.DrawTabbedText(rect.left, ClampToInt(y), paragraph.substr(pos, lineEnd - pos), tabStop);
            }
            y += lineHeight;
            pos = lineEnd;
            while (pos < paraEnd && IsBreakSpace(text[pos])) ++pos;
            if (y + lineHeight > rect.bottom) break;
        }

        // One line end: CR LF, or a CR or an LF on its own.
        if (pos == paraEnd && pos < end) {
            if (text[pos] == '\r') ++pos;
            if (pos < end && text[pos] == '\n') ++pos;
        }
    } while (pos < end && y + lineHeight <= rect.bottom);

    if (draw) device.ClearClip();
    return {pos, ClampToInt(y)};
}

}  // namespace kelmio
