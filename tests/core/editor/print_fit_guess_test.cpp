// The line fitter's first guess may use the device's width of each
// double-byte character instead of the average width; where lines and
// pages end must not change. Every page of random and hostile texts is
// laid out and printed with the old guess (the average width) and with
// exact, too wide and too narrow per-character guesses, on the fixed-pitch
// fake device and on a proportional one, and must come out the same.

#include <gtest/gtest.h>

#include <functional>
#include <limits>
#include <random>
#include <string>
#include <vector>

#include "core/editor/fake_print_device.h"
#include "editor/text_print_job.h"
#include "text/sjis.h"

namespace kelmio {
namespace {

// Every character a different width, as in a proportional font; the width
// of a run is the sum of its characters' widths, tabs at the stops.
int ProportionalWidth(std::string_view character) {
    const auto a = static_cast<unsigned char>(character[0]);
    if (character.size() == 1) return 3 + (a * 7) % 11;
    const auto b = static_cast<unsigned char>(character[1]);
    return 12 + ((a + b) * 5) % 13;
}

// A device over another that records what it draws and answers the
// double-byte guess with `guess` (0: no guess).
class CGuessingDevice final : public CPrintDevice {
public:
    using Guess = std::function<int(unsigned char, unsigned char)>;

    CGuessingDevice(bool proportional, Guess guess) : m_bProportional(proportional), m_guess(std::move(guess)) {}

    CPrintTextMetrics GetTextMetrics() const override { return m_fixed.GetTextMetrics(); }
    std::array<int, 256> GetCharWidths() const override {
        if (!m_bProportional) return m_fixed.GetCharWidths();
        std::array<int, 256> widths{};
        for (int byte = 0; byte < 256; ++byte) {
            const char c = static_cast<char>(byte);
            widths[static_cast<std::size_t>(byte)] = ProportionalWidth(std::string_view(&c, 1));
        }
        return widths;
    }
    int GetDoubleByteWidth(unsigned char lead, unsigned char trail) const override {
        return m_guess ? m_guess(lead, trail) : 0;
    }
    int GetDefaultTabWidth() const override { return m_fixed.GetDefaultTabWidth(); }
    int GetTabbedTextWidth(std::string_view text, int nTabStop) const override {
        if (!m_bProportional) return m_fixed.GetTabbedTextWidth(text, nTabStop);
        int x = 0;
        for (std::size_t i = 0; i < text.size(); i += CharLengthAt(text, i)) {
            x = text[i] == '\t' ? (x / nTabStop + 1) * nTabStop : x + ProportionalWidth(text.substr(i, CharLengthAt(text, i)));
        }
        return x;
    }
    void DrawTabbedText(int x, int y, std::string_view text, int nTabStop) override {
        m_fixed.DrawTabbedText(x, y, text, nTabStop);
    }
    void SetClip(const CPrintRect& rect) override { m_fixed.SetClip(rect); }
    void ClearClip() override { m_fixed.ClearClip(); }
    CPrintDeviceCaps GetDeviceCaps() const override { return m_fixed.GetDeviceCaps(); }

    const std::vector<test::CDrawnLine>& Drawn() const { return m_fixed.m_arrDrawn; }

private:
    test::CFakePrintDevice m_fixed;
    bool m_bProportional;
    Guess m_guess;
};

struct CLayout {
    std::vector<std::size_t> pageStarts;
    std::vector<test::CDrawnLine> drawn;
    bool operator==(const CLayout&) const = default;
};

CLayout LayOut(CGuessingDevice& device, const std::string& text, const CPrintMargins& margins, int tabSize) {
    CTextPrintJob job(margins, tabSize);
    job.Start();
    job.PreparePage(device, text, std::numeric_limits<int>::max());
    for (int page = 1; page <= job.KnownPageCount(); ++page) job.PrintPage(device, text, page);
    return {job.PageStarts(), device.Drawn()};
}

// Japanese-like text with everything a line fitter can trip on.
std::string HostileText(std::mt19937& random, std::size_t size) {
    static const std::string_view pieces[] = {
        "\x93\xFA\x96\x7B\x8C\xEA", "\x82\xCC", "\x81\x42", " ", "  ", "\t", "\r\n", "\r", "\n", "\r\r\n",
        "word ", "averyveryverylongwordwithoutanyspaceatall", "\x81", "\x81\r\n", "\xB1\xB2\xB3",
        std::string_view("\0", 1), "\x83\x5C", "\x5C", "\v", "\f", "\xFF", "\xE0\x40",
    };
    std::string text;
    while (text.size() < size) text += pieces[random() % std::size(pieces)];
    return text;
}

TEST(PrintFitGuessTest, PagesAndLinesDoNotDependOnTheGuess) {
    std::mt19937 random(1234);
    const std::vector<CGuessingDevice::Guess> guesses = {
        nullptr,  // the average width: the straightforward fitter
        [](unsigned char a, unsigned char b) { const char p[2] = {static_cast<char>(a), static_cast<char>(b)}; return ProportionalWidth(std::string_view(p, 2)); },
        [](unsigned char, unsigned char) { return 2 * test::CFakePrintDevice::kCharWidth; },
        [](unsigned char, unsigned char) { return 1; },
        [](unsigned char, unsigned char) { return 500; },
    };
    for (int round = 0; round < 60; ++round) {
        const std::string text = HostileText(random, 200 + random() % 6000);
        CPrintMargins margins;
        // Narrow and wide columns, down to narrower than one character.
        margins.m_nLeft = margins.m_nRight = static_cast<int>(random() % 4800);
        margins.m_nTop = margins.m_nBottom = static_cast<int>(random() % 4000);
        const int tabSize = 1 + static_cast<int>(random() % 8);
        for (const bool proportional : {false, true}) {
            CGuessingDevice plain(proportional, nullptr);
            const CLayout expected = LayOut(plain, text, margins, tabSize);
            for (const auto& guess : guesses) {
                CGuessingDevice device(proportional, guess);
                ASSERT_EQ(LayOut(device, text, margins, tabSize), expected) << "round " << round;
            }
        }
    }
}

}  // namespace
}  // namespace kelmio
