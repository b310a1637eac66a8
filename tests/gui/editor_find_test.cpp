#include "gui/editor/editor_find.h"

#include <gtest/gtest.h>
#include <wx/frame.h>
#include <wx/stc/stc.h>

#include <string>
#include <vector>

#include "gui/editor/edit_x_ctrl.h"
#include "gui_support.h"
#include "support/sjis_literal.h"

namespace kelmio {
namespace {

using test::Sj;

class EditorFindTest : public testing::Test {
protected:
    EditorFindTest() : m_pFrame(new wxFrame(nullptr, wxID_ANY, "find")), m_ctrl(m_pFrame) {
        m_ctrl.Find().SetReportHandler(
            [this](std::string_view text, MessageIcon) { m_messages.emplace_back(text); });
        m_pFrame->Show();
        test::Pump();
    }
    ~EditorFindTest() override {
        m_pFrame->Destroy();
        test::Pump();
    }
    bool Highlighted(std::size_t sjisOffset) {
        // The indicator lies on the editor's own positions; find the one for the offset.
        m_ctrl.PutSelStart(sjisOffset);
        return m_ctrl.Widget().IndicatorValueAt(8, m_ctrl.Widget().GetCurrentPos()) != 0;
    }

    wxFrame* m_pFrame;
    CEditXCtrl m_ctrl;
    std::vector<std::string> m_messages;
};

TEST_F(EditorFindTest, FindNextAndPreviousSelectMatchesInShiftJisOffsets) {
    m_ctrl.SetText(Sj("訳文の訳文と訳文"));
    CEditorFind& find = m_ctrl.Find();
    EXPECT_EQ(m_ctrl.GetCommandState(EditorOperation::kFindNext), 0);
    find.SetSearch(wxString::FromUTF8("訳文"));
    EXPECT_EQ(m_ctrl.GetCommandState(EditorOperation::kFindNext), kCommandStateEnabled);
    EXPECT_EQ(m_ctrl.GetCommandState(EditorOperation::kFindPrevious), kCommandStateEnabled);

    m_ctrl.ExecCommand(EditorOperation::kFindNext);
    EXPECT_EQ(m_ctrl.SelStart(), 0u);
    EXPECT_EQ(m_ctrl.SelLength(), 4u);
    m_ctrl.ExecCommand(EditorOperation::kFindNext);
    EXPECT_EQ(m_ctrl.SelStart(), 6u);
    m_ctrl.ExecCommand(EditorOperation::kFindNext);
    EXPECT_EQ(m_ctrl.SelStart(), 12u);
    EXPECT_TRUE(m_messages.empty());
    EXPECT_FALSE(find.FindNext());
    ASSERT_EQ(m_messages.size(), 1u);
    EXPECT_EQ(m_messages[0], Sj("見つかりません"));
    EXPECT_EQ(m_ctrl.SelStart(), 12u);

    m_ctrl.ExecCommand(EditorOperation::kFindPrevious);
    EXPECT_EQ(m_ctrl.SelStart(), 6u);
    EXPECT_EQ(m_ctrl.SelLength(), 4u);
}

TEST_F(EditorFindTest, EveryMatchIsHighlightedUntilCleared) {
    m_ctrl.SetText("one two one two");
    m_ctrl.Find().SetSearch("two");
    EXPECT_EQ(m_ctrl.GetCommandState(EditorOperation::kClearHighlight), 0);
    ASSERT_TRUE(m_ctrl.Find().FindNext());
    EXPECT_EQ(m_ctrl.GetCommandState(EditorOperation::kClearHighlight), kCommandStateEnabled);
    EXPECT_TRUE(Highlighted(4));
    EXPECT_TRUE(Highlighted(12));
    EXPECT_FALSE(Highlighted(0));
    m_ctrl.ExecCommand(EditorOperation::kClearHighlight);
    EXPECT_FALSE(Highlighted(4));
    EXPECT_FALSE(Highlighted(12));
    EXPECT_EQ(m_ctrl.GetCommandState(EditorOperation::kClearHighlight), 0);
}

TEST_F(EditorFindTest, ReplaceTakesOnlyAMatchingSelectionAndReplaceAllCounts) {
    m_ctrl.SetText("Cat cat CAT");
    CEditorFind& find = m_ctrl.Find();
    find.SetSearch("cat", wxFR_DOWN | wxFR_MATCHCASE);
    find.SetReplacement("dog");
    // Nothing selected: the first press only finds.
    EXPECT_TRUE(find.ReplaceAndFindNext());
    EXPECT_EQ(m_ctrl.GetText(), "Cat cat CAT");
    EXPECT_EQ(m_ctrl.SelStart(), 4u);
    EXPECT_FALSE(find.ReplaceAndFindNext());
    EXPECT_EQ(m_ctrl.GetText(), "Cat dog CAT");
    EXPECT_TRUE(m_ctrl.GetModified());

    find.SetSearch("cat", wxFR_DOWN);
    EXPECT_EQ(find.ReplaceAll(), 2);
    EXPECT_EQ(m_ctrl.GetText(), "dog dog dog");
    // One undo step takes the whole replacement back.
    m_ctrl.ExecCommand(EditorOperation::kUndo);
    EXPECT_EQ(m_ctrl.GetText(), "Cat dog CAT");
}

}  // namespace
}  // namespace kelmio
