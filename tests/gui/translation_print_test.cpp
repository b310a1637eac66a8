#include "gui/editor/translation_printout.h"

#include <gtest/gtest.h>
#include <wx/dcmemory.h>
#include <wx/display.h>
#include <wx/statusbr.h>
#include <wx/weakref.h>
#include <wx/frame.h>
#include <wx/image.h>
#include <wx/print.h>

#include <string>

#include "gui/editor/translation_preview.h"
#include "gui_support.h"
#include "support/sjis_literal.h"

namespace kelmio {
namespace {

using test::Sj;

constexpr int kPageWidth = 794;  // A4 at 96 pixels to the inch
constexpr int kPageHeight = 1123;

CPrintSource Lines(int count) {
    CPrintSource source;
    source.strFontFace = "Noto Sans Mono CJK JP";
    source.dFontPoints = 11.0;
    for (int i = 1; i <= count; ++i) source.strText += Sj("訳文の行 ") + std::to_string(i) + "\r\n";
    return source;
}

// Rows of the page that hold any dark pixel.
std::vector<int> InkedRows(const wxBitmap& bitmap) {
    const wxImage image = bitmap.ConvertToImage();
    std::vector<int> rows;
    for (int y = 0; y < image.GetHeight(); ++y) {
        for (int x = 0; x < image.GetWidth(); ++x) {
            if (image.GetRed(x, y) < 128) {
                rows.push_back(y);
                break;
            }
        }
    }
    return rows;
}

// A page of paper as a bitmap, set up as the printing loop sets up a printer.
struct Page {
    Page() : bitmap(kPageWidth, kPageHeight), dc(bitmap) {
        dc.SetBackground(*wxWHITE_BRUSH);
        dc.Clear();
    }
    wxBitmap bitmap;
    wxMemoryDC dc;
};

void PrepareOn(CTranslationPrintout& printout, Page& page) {
    ASSERT_TRUE(printout.SetUp(page.dc));
    printout.SetPPIScreen(96, 96);
    printout.SetPPIPrinter(96, 96);
    printout.SetPageSizePixels(kPageWidth, kPageHeight);
    printout.SetPageSizeMM(210, 297);
    printout.SetPaperRectPixels(wxRect(0, 0, kPageWidth, kPageHeight));
}

// The number of lines of the test text one page holds.
int LinesPerPage() {
    CTranslationPrintout printout("lines", Lines(400), CPrintMargins{});
    Page page;
    PrepareOn(printout, page);
    printout.OnPreparePrinting();
    const std::string text = Lines(400).strText;
    int lines = 0;
    for (std::size_t i = 0; i < printout.PageStarts().at(1); ++i) lines += text[i] == '\n';
    return lines;
}

TEST(TranslationPrintout, CountsPagesAndDrawsOnlyInsideTheMargins) {
    const int perPage = LinesPerPage();
    ASSERT_GT(perPage, 10);
    CTranslationPrintout printout("three", Lines(2 * perPage + perPage / 2), CPrintMargins{});
    Page first;
    PrepareOn(printout, first);
    printout.OnPreparePrinting();
    EXPECT_EQ(printout.PageCount(), 3);
    int minPage = 0, maxPage = 0, from = 0, to = 0;
    printout.GetPageInfo(&minPage, &maxPage, &from, &to);
    EXPECT_EQ(maxPage, 3);
    EXPECT_TRUE(printout.HasPage(3));
    EXPECT_FALSE(printout.HasPage(4));

    printout.OnBeginPrinting();
    ASSERT_TRUE(printout.OnPrintPage(1));
    const std::vector<int> rows = InkedRows(first.bitmap);
    ASSERT_FALSE(rows.empty());
    // 10 mm at 96 pixels to the inch is 37 pixels.
    EXPECT_GE(rows.front(), 37);
    EXPECT_LT(rows.back(), kPageHeight - 37);
    printout.OnEndPrinting();
    printout.SetDC(nullptr);
}

TEST(TranslationPrintout, AJumpToTheThirdPageLaysOutTheFirstTwoWithoutDrawing) {
    const int perPage = LinesPerPage();
    const CPrintSource source = Lines(2 * perPage + 3);
    CTranslationPrintout printout("jump", source, CPrintMargins{});
    Page third;
    PrepareOn(printout, third);
    printout.OnBeginPrinting();
    ASSERT_TRUE(printout.OnPrintPage(3));
    ASSERT_EQ(printout.PageStarts().size(), 3u);
    // Page 3 begins with the line after the first two pages' lines.
    EXPECT_EQ(source.strText.substr(printout.PageStarts()[2]).rfind(Sj("訳文の行 ") + std::to_string(2 * perPage + 1), 0),
              0u);
    const std::vector<int> rows = InkedRows(third.bitmap);
    ASSERT_FALSE(rows.empty());
    // Three short lines only.
    EXPECT_LT(rows.back(), kPageHeight / 4);
    printout.SetDC(nullptr);
}

TEST(TranslationPrintout, EmptyTextIsOneEmptyPage) {
    CTranslationPrintout printout("empty", CPrintSource{}, CPrintMargins{});
    Page page;
    PrepareOn(printout, page);
    printout.OnPreparePrinting();
    EXPECT_EQ(printout.PageCount(), 1);
    printout.OnBeginPrinting();
    EXPECT_TRUE(printout.OnPrintPage(1));
    EXPECT_TRUE(InkedRows(page.bitmap).empty());
    printout.SetDC(nullptr);
}

TEST(TranslationPrintout, ADeviceTheLoopDidNotDescribeIsTakenAsAScreenPage) {
    CTranslationPrintout printout("bare", Lines(5), CPrintMargins{});
    Page page;
    printout.SetDC(&page.dc);
    printout.OnPreparePrinting();
    EXPECT_EQ(printout.PageCount(), 1);
    printout.OnBeginPrinting();
    EXPECT_TRUE(printout.OnPrintPage(1));
    EXPECT_FALSE(InkedRows(page.bitmap).empty());
    printout.SetDC(nullptr);
}

// Lines of `text` before `offset`.
int LinesBefore(const std::string& text, std::size_t offset) {
    int lines = 0;
    for (std::size_t i = 0; i < offset && i < text.size(); ++i) lines += text[i] == '\n';
    return lines;
}

void ExpectJapanese(const wxWindow& window) {
    for (const wxString& text : test::ShownTexts(window)) {
        EXPECT_FALSE(test::LooksEnglish(text)) << text.utf8_string();
    }
}

// A long text shows its first page at once, with only the next page laid
// out, and the rest is counted while the window is idle.
TEST(TranslationPreview, ShowsPageOneFirstAndCountsTheRestLazily) {
    const int lineCount = 1500;
    const CPrintSource source = Lines(lineCount);
    auto* shown = new CTranslationPrintout("preview", source, CPrintMargins{});
    auto* preview = new CTranslationPreview(shown, new CTranslationPrintout("print", source, CPrintMargins{}),
                                            wxPrintDialogData());
    ASSERT_TRUE(preview->IsOk());
    auto* frame = new CPreviewFrame(preview, nullptr, wxString::FromUTF8("印刷ﾌﾟﾚﾋﾞｭｰ"));
    frame->Initialize();
    ASSERT_TRUE(preview->RenderPage(1));
    EXPECT_EQ(shown->PageStarts().size(), 2u);
    EXPECT_FALSE(preview->AllPagesCounted());
    EXPECT_EQ(preview->GetMaxPage(), 2);
    const int perPage = LinesBefore(source.strText, shown->PageStarts()[1]);
    ASSERT_GT(perPage, 10);

    frame->Show();
    for (int round = 0; round < 200 && !preview->AllPagesCounted(); ++round) {
        wxTheApp->ProcessIdle();
        test::Pump();
    }
    ASSERT_TRUE(preview->AllPagesCounted());
    const int pages = (lineCount + perPage - 1) / perPage;
    EXPECT_EQ(preview->GetMaxPage(), pages);
    EXPECT_EQ(frame->GetStatusBar()->GetStatusText(),
              wxString::Format(wxString::FromUTF8("%dページ (%dページ中)"), 1, pages));
    EXPECT_TRUE(preview->SetCurrentPage(pages));
    test::Pump();
    EXPECT_EQ(preview->GetCurrentPage(), pages);
    ExpectJapanese(*frame);
    EXPECT_TRUE(preview->SetCurrentPage(1));
    test::Pump();
    test::SaveScreenshot(*frame, "print-preview.png");

    // Esc closes the preview.
    wxWeakRef<wxFrame> open(frame);
    wxKeyEvent escape(wxEVT_CHAR_HOOK);
    escape.m_keyCode = WXK_ESCAPE;
    escape.SetEventObject(frame);
    frame->GetEventHandler()->ProcessEvent(escape);
    test::Pump();
    EXPECT_FALSE(open);
}

TEST(TranslationPreview, OpensOnTheScreenWhereverItsOwnerIs) {
    auto* owner = new wxFrame(nullptr, wxID_ANY, "owner", wxPoint(-3000, -2000), wxSize(4000, 3000));
    const wxRect area = wxDisplay(0u).GetClientArea();
    const wxRect rect = PreviewRectFor(owner);
    EXPECT_TRUE(area.Contains(rect)) << rect.x << "," << rect.y << " " << rect.width << "x" << rect.height;
    owner->SetSize(wxRect(100, 80, 600, 500));
    EXPECT_EQ(PreviewRectFor(owner), wxRect(100, 80, 600, 500));
    owner->Destroy();
    test::Pump();
}

}  // namespace
}  // namespace kelmio
