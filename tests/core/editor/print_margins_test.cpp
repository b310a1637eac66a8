#include "editor/print_margins.h"

#include <climits>

#include <gtest/gtest.h>

#include "editor/printer_font.h"
#include "support/sjis_literal.h"

namespace kelmio {
namespace {

using test::Sj;

TEST(CPrintMargins, TenMillimetresUntilSavedThenReadBack) {
    CMemorySettings settings;
    CPrintMargins margins;
    margins.Load(settings);
    EXPECT_EQ(margins, CPrintMargins{});
    EXPECT_EQ(margins.m_nLeft, 1000);
    EXPECT_EQ(margins.m_strSection, "PrintSet");

    margins.m_nLeft = 1;
    margins.m_nTop = 2;
    margins.m_nRight = 3;
    margins.m_nBottom = 4;
    margins.Save(settings);
    EXPECT_EQ(settings.GetInt("PrintSet", "PrintMarginLeft", 0), 1);
    EXPECT_EQ(settings.GetInt("PrintSet", "PrintMarginTop", 0), 2);
    EXPECT_EQ(settings.GetInt("PrintSet", "PrintMarginRight", 0), 3);
    EXPECT_EQ(settings.GetInt("PrintSet", "PrintMarginBottom", 0), 4);

    CPrintMargins reread;
    reread.Load(settings);
    EXPECT_EQ(reread, margins);

    CPrintMargins other;
    other.m_strSection = "OtherPrint";
    other.Load(settings);
    EXPECT_EQ(other.m_nTop, 1000);
}

TEST(ApplyPrintMargins, ConvertsHundredthsOfAMillimetreToPixelsLessTheOffset) {
    CPrintMargins margins;  // 10 mm
    margins.m_nRight = 100;  // 1 mm, inside the offset
    // A4 at 600 dpi: 4.2272... hundredths of a millimetre per pixel.
    const CPrintDeviceCaps caps{200, 279, 4724, 6600, 12, 20};
    const CPrintRect page{0, 0, 4724, 6600};
    const CPrintRect rect = ApplyPrintMargins(page, margins, caps);
    EXPECT_EQ(rect.top, 216);      // 236.56 - 20
    EXPECT_EQ(rect.bottom, 6383);  // 6600 - 216.56
    EXPECT_EQ(rect.left, 224);     // 236.2 - 12
    EXPECT_EQ(rect.right, 4712);   // a margin is never narrower than the offset

    const CPrintRect moved = ApplyPrintMargins({100, 100, 4824, 6700}, margins, caps);
    EXPECT_EQ(moved.top, 316);
    EXPECT_EQ(moved.right, 4812);
}

TEST(ApplyPrintMargins, OddDevicesAndMarginsStayInRange) {
    CPrintMargins margins;
    const CPrintRect page{0, 0, 1000, 1000};
    // No size reported: only the offset is kept clear.
    EXPECT_EQ(ApplyPrintMargins(page, margins, {0, 0, 0, 0, 5, 7}), (CPrintRect{5, 7, 995, 993}));
    // Finer than 2540 dpi: less than a hundredth of a millimetre per pixel.
    EXPECT_EQ(ApplyPrintMargins(page, margins, {10, 10, 4000, 4000, 0, 0}).top, 4000);

    margins.m_nTop = INT_MAX;
    margins.m_nBottom = INT_MIN;
    const CPrintRect rect = ApplyPrintMargins(page, margins, {1, 1, 1000, 1000, 0, 0});
    EXPECT_EQ(rect.top, 1000000000);
    EXPECT_EQ(rect.bottom, 1000);
    EXPECT_TRUE(rect.IsEmpty());
}

TEST(ChoosePrinterFont, ScalesTheEditorFontToThePrinterUnlessItIsTheSystemFont) {
    const auto font = ChoosePrinterFont(10.5, "IPAGothic", "Sans", 96, 600);
    ASSERT_TRUE(font.has_value());
    EXPECT_EQ(font->m_strFace, "IPAGothic");
    EXPECT_EQ(font->m_nPointTenths, 105);
    EXPECT_EQ(font->m_nHeight, -88);  // 14 screen pixels, 87.5 on the printer

    EXPECT_FALSE(ChoosePrinterFont(10.5, "sans", "Sans", 96, 600).has_value());
    EXPECT_FALSE(ChoosePrinterFont(0.0, "IPAGothic", "Sans", 96, 600).has_value());
    EXPECT_FALSE(ChoosePrinterFont(10.5, "IPAGothic", "Sans", 0, 600).has_value());
    EXPECT_TRUE(ChoosePrinterFont(9, Sj("ＭＳ ゴシック"), Sj("ＭＳ Ｐゴシック"), 96, 96).has_value());
}

}  // namespace
}  // namespace kelmio
