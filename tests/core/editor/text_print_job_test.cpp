#include "editor/text_print_job.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "core/editor/fake_print_device.h"
#include "support/sjis_literal.h"

namespace kelmio {
namespace {

using test::CFakePrintDevice;
using test::Sj;
using ::testing::ElementsAre;
using ::testing::IsEmpty;

CPrintMargins NoMargins() {
    CPrintMargins margins;
    margins.m_nLeft = margins.m_nTop = margins.m_nRight = margins.m_nBottom = 0;
    return margins;
}

// Pages of ten characters by three lines, with no margins.
CFakePrintDevice SmallPages() {
    CFakePrintDevice device;
    device.m_caps = {10, 36, 100, 36, 0, 0};
    return device;
}

// Line n of a text of `lines` numbered lines: "line 01" ...
std::string NumberedLines(int lines) {
    std::string text;
    for (int n = 1; n <= lines; ++n) {
        text += "line " + std::string(n < 10 ? "0" : "") + std::to_string(n);
        if (n < lines) text += "\r\n";
    }
    return text;
}

TEST(CTextPrintJob, EmptyTextPrintsOneEmptyPage) {
    CFakePrintDevice device = SmallPages();
    CTextPrintJob job(NoMargins(), 8);
    job.Start();
    EXPECT_TRUE(job.PreparePage(device, "", 1));
    EXPECT_TRUE(job.PrintPage(device, "", 1));
    EXPECT_THAT(device.m_arrDrawn, IsEmpty());
    EXPECT_FALSE(job.PreparePage(device, "", 2));
    EXPECT_THAT(job.PageStarts(), ElementsAre(0u));
}

TEST(CTextPrintJob, ParagraphLongerThanAPageGoesOnAtTheExactByte) {
    CFakePrintDevice device = SmallPages();
    const std::string text = Sj("あいうえおかきくけこさしすせそたちつてと");  // 20 characters, 4 lines of 5
    CTextPrintJob job(NoMargins(), 8);
    job.Start();
    ASSERT_TRUE(job.PrintPage(device, text, 1));
    EXPECT_THAT(device.DrawnTexts(), ElementsAre(Sj("あいうえお"), Sj("かきくけこ"), Sj("さしすせそ")));
    EXPECT_THAT(job.PageStarts(), ElementsAre(0u, 30u));

    device.m_arrDrawn.clear();
    ASSERT_TRUE(job.PreparePage(device, text, 2));
    ASSERT_TRUE(job.PrintPage(device, text, 2));
    EXPECT_THAT(device.m_arrDrawn, ElementsAre(test::CDrawnLine{0, 0, Sj("たちつてと"), 20}));
    EXPECT_FALSE(job.PreparePage(device, text, 3));
    EXPECT_THAT(job.PageStarts(), ElementsAre(0u, 30u));
}

TEST(CTextPrintJob, JumpToPageFiveLaysOutTheEarlierPagesWithoutDrawing) {
    CFakePrintDevice device = SmallPages();
    const std::string text = NumberedLines(17);  // pages of three lines: six pages
    CTextPrintJob job(NoMargins(), 8);
    job.Start();

    ASSERT_TRUE(job.PreparePage(device, text, 5));
    EXPECT_THAT(device.m_arrDrawn, IsEmpty());
    EXPECT_THAT(device.m_arrClips, IsEmpty());
    ASSERT_EQ(job.KnownPageCount(), 5);
    EXPECT_EQ(job.PageStarts()[4], text.find("line 13"));

    ASSERT_TRUE(job.PrintPage(device, text, 5));
    EXPECT_THAT(device.DrawnTexts(), ElementsAre("line 13", "line 14", "line 15"));
    EXPECT_EQ(job.KnownPageCount(), 6);

    // Going back needs no layout; going past the end stops on the last page.
    EXPECT_TRUE(job.PreparePage(device, text, 2));
    EXPECT_FALSE(job.PreparePage(device, text, 9));
    EXPECT_EQ(job.KnownPageCount(), 6);
    EXPECT_EQ(job.PageStarts()[5], text.find("line 16"));
    EXPECT_FALSE(job.PrintPage(device, text, 7));
}

TEST(CTextPrintJob, PrintsInsideTheMargins) {
    CFakePrintDevice device;  // 1000 pixels of a tenth of a millimetre each way
    device.m_caps.nOffsetX = 30;
    CPrintMargins margins;  // 10 mm all round
    margins.m_nTop = 2000;
    CTextPrintJob job(margins, 8);
    job.Start();
    ASSERT_TRUE(job.PrintPage(device, "text", 1));
    const CPrintRect inside{70, 200, 930, 900};
    EXPECT_THAT(device.m_arrClips, ElementsAre(inside));
    EXPECT_THAT(device.m_arrDrawn, ElementsAre(test::CDrawnLine{70, 200, "text", 20}));
}

TEST(CTextPrintJob, PagesAreKnownOnlyDuringAJob) {
    CFakePrintDevice device = SmallPages();
    CTextPrintJob job(NoMargins(), 8);
    EXPECT_FALSE(job.PreparePage(device, "text", 1));
    EXPECT_FALSE(job.PrintPage(device, "text", 1));

    job.Start();
    EXPECT_TRUE(job.PreparePage(device, NumberedLines(10), 3));
    job.End();
    EXPECT_FALSE(job.IsStarted());
    EXPECT_THAT(job.PageStarts(), IsEmpty());
    EXPECT_THAT(device.m_arrDrawn, IsEmpty());

    // A page shorter than a line still moves on by a line.
    device.m_caps = {10, 5, 100, 5, 0, 0};
    job.Start();
    EXPECT_TRUE(job.PreparePage(device, "ab\r\ncd", 2));
    EXPECT_FALSE(job.PreparePage(device, "ab\r\ncd", 3));
}

}  // namespace
}  // namespace kelmio
