// The whole text of a styled text control, copied around its gap.

#include <gtest/gtest.h>
#include <wx/frame.h>
#include <wx/stc/stc.h>

#include "gui/platform/stc_copy.h"
#include "gui_support.h"

namespace kelmio {
namespace {

TEST(StcCopyTest, CopiesTheWholeTextWhereverTheGapIsWithoutMovingIt) {
    auto* frame = new wxFrame(nullptr, wxID_ANY, "copy");
    auto* control = new wxStyledTextCtrl(frame, wxID_ANY);
    control->SetCodePage(wxSTC_CP_UTF8);
    const std::string line = "翻訳の一行\r\n";
    std::string whole;
    for (int i = 0; i < 2000; ++i) whole += line;
    control->AppendTextRaw(whole.data(), static_cast<int>(whole.size()));

    // Typing in the middle leaves the gap there.
    const int middle = static_cast<int>(line.size()) * 1000;
    control->InsertTextRaw(middle, "x");
    whole.insert(static_cast<std::size_t>(middle), "x");
    const int gap = control->GetGapPosition();
    ASSERT_GT(gap, 0);
    ASSERT_LT(gap, control->GetLength());

    std::string copy = "storage from before, longer than nothing";
    CopyControlText(*control, copy);
    EXPECT_EQ(copy, whole);
    EXPECT_EQ(control->GetGapPosition(), gap);

    // An empty control gives an empty text, not the old one.
    control->ClearAll();
    CopyControlText(*control, copy);
    EXPECT_TRUE(copy.empty());
    frame->Destroy();
    test::Pump();
}

}  // namespace
}  // namespace kelmio
