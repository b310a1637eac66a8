// Printing any text: the pages must come to an end, each page starting
// after the one before and inside the text, whatever the bytes and the
// page geometry.
#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "editor/text_print_job.h"
#include "text/sjis.h"

namespace {

// A device whose widths come from the input: byte widths 0-15, double-byte
// characters 2-17, tabs to the given stop.
class CByteWidthDevice final : public kelmio::CPrintDevice {
public:
    CByteWidthDevice(std::uint8_t shape, kelmio::CPrintDeviceCaps caps) : m_nShape(shape), m_caps(caps) {}

    kelmio::CPrintTextMetrics GetTextMetrics() const override { return {m_nShape % 20, m_nShape % 3 - 1, 8}; }
    std::array<int, 256> GetCharWidths() const override {
        std::array<int, 256> widths{};
        for (std::size_t i = 0; i < widths.size(); ++i) widths[i] = Width(static_cast<unsigned char>(i));
        return widths;
    }
    int GetDefaultTabWidth() const override { return m_nShape; }
    int GetTabbedTextWidth(std::string_view text, int nTabStop) const override {
        if (nTabStop <= 0) std::abort();
        int x = 0;
        for (std::size_t i = 0; i < text.size(); i += kelmio::CharLengthAt(text, i)) {
            const auto byte = static_cast<unsigned char>(text[i]);
            if (byte == '\t') {
                x = (x / nTabStop + 1) * nTabStop;
            } else {
                x += kelmio::CharLengthAt(text, i) == 2 ? Width(byte) + 2 : Width(byte);
            }
        }
        return x;
    }
    void DrawTabbedText(int, int, std::string_view text, int) override {
        if (text.empty() || !m_bClipped) std::abort();
    }
    void SetClip(const kelmio::CPrintRect&) override { m_bClipped = true; }
    void ClearClip() override { m_bClipped = false; }
    kelmio::CPrintDeviceCaps GetDeviceCaps() const override { return m_caps; }

private:
    int Width(unsigned char byte) const { return (byte ^ m_nShape) % 16; }

    int m_nShape;
    kelmio::CPrintDeviceCaps m_caps;
    bool m_bClipped = false;
};

int Signed(std::uint8_t byte) { return static_cast<int>(byte) - 32; }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 10) return 0;
    const kelmio::CPrintDeviceCaps caps{Signed(data[0]), Signed(data[1]), Signed(data[2]) * 4,
                                        Signed(data[3]) * 4, Signed(data[4]), Signed(data[5])};
    CByteWidthDevice device(data[6], caps);
    kelmio::CPrintMargins margins;
    margins.m_nLeft = margins.m_nRight = data[7] * 10;
    margins.m_nTop = margins.m_nBottom = data[8] * 10;
    const std::string_view text(reinterpret_cast<const char*>(data + 10), size - 10);

    kelmio::CTextPrintJob job(margins, data[9] % 17);
    job.Start();
    for (int page = 1; job.PreparePage(device, text, page); ++page) {
        job.PrintPage(device, text, page);
        const auto& starts = job.PageStarts();
        if (starts.size() > text.size() + 1) std::abort();
        for (std::size_t i = 1; i < starts.size(); ++i) {
            if (starts[i] <= starts[i - 1] || starts[i] >= text.size()) std::abort();
        }
    }
    job.End();
    return 0;
}
