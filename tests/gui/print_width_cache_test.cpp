// The print device keeps each character's width after measuring it once.
// Pages laid out with it must be exactly those of a device that measures
// every character afresh each time it is asked, on the toolkit's own device
// context, in a fixed-pitch and a proportional font, at two scales, on
// random and hostile text (lone lead bytes, a lead byte before a tab, NUL,
// CR-only lines, tabs, very long words); and on plain Japanese text in the
// print font, a line's width stays what the toolkit measures for the whole
// line.

#include <gtest/gtest.h>
#include <wx/dcmemory.h>
#include <wx/font.h>

#include <limits>
#include <random>
#include <string>
#include <vector>

#include "editor/text_print_job.h"
#include "gui/editor/print_device_dc.h"
#include "gui/platform/wx_text.h"
#include "support/sjis_literal.h"
#include "text/sjis.h"

namespace kelmio {
namespace {

using test::Sj;

constexpr CPrintDeviceCaps kCaps{210, 297, 794, 1123, 0, 0};

// The straightforward device: every width measured on the toolkit each time.
class CFreshlyMeasuringDevice final : public CPrintDevice {
public:
    explicit CFreshlyMeasuringDevice(wxDC& dc) : m_dc(dc), m_cached(dc, kCaps) {}

    CPrintTextMetrics GetTextMetrics() const override { return m_cached.GetTextMetrics(); }
    std::array<int, 256> GetCharWidths() const override { return m_cached.GetCharWidths(); }
    int GetDefaultTabWidth() const override { return m_cached.GetDefaultTabWidth(); }
    // Runs between tab bytes, each the rounded sum of its characters'
    // advances, each advance measured from kCharSamples copies (a lone
    // lead byte, which copies would pair up, alone).
    int GetTabbedTextWidth(std::string_view text, int nTabStop) const override {
        int x = 0;
        std::size_t start = 0;
        for (std::size_t i = 0; i <= text.size(); ++i) {
            if (i < text.size() && text[i] != '\t') continue;
            const std::string_view run = text.substr(start, i - start);
            std::int64_t total = 0;
            for (std::size_t k = 0; k < run.size(); k += CharLengthAt(run, k)) {
                const std::string_view character = run.substr(k, CharLengthAt(run, k));
                const bool loneLead = character.size() == 1 && IsSjisLeadByte(static_cast<unsigned char>(character[0]));
                std::string copies;
                for (int n = 0; n < (loneLead ? 1 : CDcPrintDevice::kCharSamples); ++n) copies.append(character);
                wxCoord width = 0;
                wxCoord height = 0;
                m_dc.GetTextExtent(ToWx(copies), &width, &height);
                total += std::int64_t{std::max(width, 0)} * (loneLead ? CDcPrintDevice::kCharSamples : 1);
            }
            x += static_cast<int>((total + CDcPrintDevice::kCharSamples / 2) / CDcPrintDevice::kCharSamples);
            if (i < text.size()) x = (x / nTabStop + 1) * nTabStop;
            start = i + 1;
        }
        return x;
    }
    void DrawTabbedText(int, int, std::string_view, int) override {}
    void SetClip(const CPrintRect&) override {}
    void ClearClip() override {}
    CPrintDeviceCaps GetDeviceCaps() const override { return kCaps; }

private:
    wxDC& m_dc;
    CDcPrintDevice m_cached;  // only for the metrics, which are not cached
};

std::vector<std::size_t> PageStarts(CPrintDevice& device, const std::string& text, const CPrintMargins& margins) {
    CTextPrintJob job(margins, 4);
    job.Start();
    job.PreparePage(device, text, std::numeric_limits<int>::max());
    return job.PageStarts();
}

std::string HostileText(std::mt19937& random, std::size_t size) {
    static const std::string_view pieces[] = {
        "日本語の文章", "、", "。", "カタカナ", "ｶﾀｶﾅ", " ", "\t", "\r\n", "\r", "\n", "word ", "AVAWAY ",
        "averyveryverylongwordwithoutanyspaceatallthatneverends", "fi ffl ", "\\",
    };
    std::string text;
    while (text.size() < size) {
        switch (random() % 12) {
        case 0: text += '\x81'; break;               // a lead byte pairing with what follows
        case 3: text += "\x81\t"; break;             // a lead byte before a tab
        case 1: text += std::string(1, '\0'); break;  // NUL
        case 2: text += "\x81\r\n"; break;           // a lead byte before the line end
        default: text += Sj(std::string(pieces[random() % std::size(pieces)])); break;
        }
    }
    return text;
}

class PrintWidthCache : public testing::TestWithParam<std::tuple<const char*, double>> {};

TEST_P(PrintWidthCache, PagesAreThoseOfFreshMeasuring) {
    const auto [face, scale] = GetParam();
    wxBitmap bitmap(kCaps.nHorzRes, kCaps.nVertRes);
    wxMemoryDC dc(bitmap);
    dc.SetFont(wxFont(wxFontInfo(10.5).FaceName(face)));
    dc.SetUserScale(scale, scale);
    std::mt19937 random(77);
    for (int round = 0; round < 3; ++round) {
        const std::string text = HostileText(random, 1500);
        CPrintMargins margins;
        margins.m_nLeft = margins.m_nRight = 2000 + static_cast<int>(random() % 6000);
        margins.m_nTop = margins.m_nBottom = 9000;
        CDcPrintDevice cached(dc, kCaps);
        CFreshlyMeasuringDevice fresh(dc);
        ASSERT_EQ(PageStarts(cached, text, margins), PageStarts(fresh, text, margins)) << face << " round " << round;
    }
}

INSTANTIATE_TEST_SUITE_P(FontsAndScales, PrintWidthCache,
                         testing::Combine(testing::Values("Noto Sans Mono CJK JP", "Noto Serif CJK JP"),
                                          testing::Values(1.0, 0.37)));

TEST(PrintWidthCacheTest, JapaneseLinesMeasureAsTheToolkitMeasuresThem) {
    wxBitmap bitmap(kCaps.nHorzRes, kCaps.nVertRes);
    wxMemoryDC dc(bitmap);
    dc.SetFont(wxFont(wxFontInfo(10.5).FaceName("Noto Sans Mono CJK JP")));
    CDcPrintDevice device(dc, kCaps);
    const std::string lines[] = {
        Sj("翻訳メモリを使うと、以前に訳した文章を再利用できるので作業が速くなります。"),
        Sj("この機能は Version 2.1 以降で利用できます。"),
        Sj("ﾃｷｽﾄﾌｧｲﾙ の文字コードは、自動的に判定されます。"),
    };
    for (const std::string& line : lines) {
        wxCoord width = 0;
        wxCoord height = 0;
        dc.GetTextExtent(ToWx(line), &width, &height);
        EXPECT_NEAR(device.GetTabbedTextWidth(line, 80), width, 1) << FromWx(ToWx(line));
    }
}

}  // namespace
}  // namespace kelmio
