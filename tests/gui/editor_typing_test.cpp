// What typing in the translation editor does: undo in small units, marks on
// characters that Shift-JIS cannot hold, the line-number margin.

#include <gtest/gtest.h>
#include <wx/frame.h>
#include <wx/stc/stc.h>

#include <string>

#include "editor/line_breaking.h"
#include "gui/editor/edit_x_ctrl.h"
#include "gui_support.h"
#include "support/sjis_literal.h"
#include "support/temp_dir.h"

namespace kelmio {
namespace {

using test::Sj;

constexpr wxUint32 kReturnKeySymbol = 0xff0d;

class EditorTypingTest : public testing::Test {
protected:
    EditorTypingTest() : m_pFrame(new wxFrame(nullptr, wxID_ANY, "typing")), m_ctrl(m_pFrame) {
        m_pFrame->SetSize(500, 300);
        m_pFrame->Show();
        m_ctrl.Widget().SetFocus();
        test::Pump();
    }
    ~EditorTypingTest() override {
        m_pFrame->Destroy();
        test::Pump();
    }
    wxStyledTextCtrl& Widget() { return m_ctrl.Widget(); }

    void Send(wxEventType type, wxChar32 ch, int keyCode, wxUint32 raw) {
        wxKeyEvent event(type);
        event.m_uniChar = ch;
        event.m_keyCode = keyCode;
        event.m_rawCode = raw;
        event.SetTimestamp(m_nTime);
        event.SetEventObject(&Widget());
        Widget().GetEventHandler()->ProcessEvent(event);
    }
    // Types `utf8` key by key, `stepMs` apart, as a keyboard without an input method does.
    void Type(const char* utf8, long stepMs = 100) {
        for (const wxUniChar c : wxString::FromUTF8(utf8)) {
            m_nTime += stepMs;
            const wxChar32 ch = c.GetValue();
            if (ch == '\n') {
                Send(wxEVT_KEY_DOWN, WXK_NONE, WXK_RETURN, kReturnKeySymbol);
                continue;
            }
            const int keyCode = ch < 0x80 ? static_cast<int>(wxToupper(ch)) : WXK_NONE;
            const wxUint32 raw = ch < 0x100 ? ch : 0x01000000u + ch;
            Send(wxEVT_KEY_DOWN, ch, keyCode, raw);
            Send(wxEVT_CHAR, ch, ch < 0x100 ? static_cast<int>(ch) : WXK_NONE, raw);
        }
    }
    // The input method commits a conversion with the Enter key.
    void Commit(const char* utf8) {
        m_nTime += 1500;
        for (const wxUniChar c : wxString::FromUTF8(utf8)) Send(wxEVT_CHAR, c.GetValue(), WXK_NONE, kReturnKeySymbol);
    }
    std::string Text() { return Widget().GetText().utf8_string(); }
    void Undo() { m_ctrl.ExecCommand(EditorOperation::kUndo); }

    wxFrame* m_pFrame;
    CEditXCtrl m_ctrl;
    long m_nTime = 1000000;
};

TEST_F(EditorTypingTest, UndoTakesBackAWordALineBreakOrAConversionAtATime) {
    Type("one two\nthree");
    ASSERT_EQ(Text(), "one two\r\nthree");
    Undo();
    EXPECT_EQ(Text(), "one two\r\n");
    Undo();
    EXPECT_EQ(Text(), "one two");
    Undo();
    EXPECT_EQ(Text(), "one ");
    m_ctrl.ExecCommand(EditorOperation::kRedo);
    EXPECT_EQ(Text(), "one two");

    Commit("日本語");
    Commit("です");
    ASSERT_EQ(Text(), "one two日本語です");
    Undo();
    EXPECT_EQ(Text(), "one two日本語");
    Undo();
    EXPECT_EQ(Text(), "one two");
}

TEST_F(EditorTypingTest, APauseAndASaveEachEndTheUnit) {
    test::TempDir folder;
    Type("ab");
    Type("cd", 1200);
    ASSERT_EQ(Text(), "abcd");
    Undo();
    EXPECT_EQ(Text(), "abc");
    Type("x");
    ASSERT_TRUE(m_ctrl.SaveFile(folder.File("t.txt")).ok());
    Type("yz");
    ASSERT_EQ(Text(), "abcxyz");
    Undo();
    EXPECT_EQ(Text(), "abcx");
}

}  // namespace
}  // namespace kelmio

namespace kelmio {
namespace {

TEST_F(EditorTypingTest, LineNumberMarginFitsTheLineCountWithAGapBeforeTheText) {
    CEditorSettings settings = m_ctrl.GetEditorSettings();
    settings.m_bLineNumbers = true;
    m_ctrl.ApplySettings(settings);
    const auto digitsWidth = [&](const char* digits) { return Widget().TextWidth(wxSTC_STYLE_LINENUMBER, digits); };

    m_ctrl.SetText(Sj("一行だけ"));
    const int oneLine = Widget().GetMarginWidth(0);
    EXPECT_GT(oneLine, digitsWidth("9"));
    EXPECT_LT(oneLine, digitsWidth("999"));
    EXPECT_GE(Widget().GetMarginLeft(), 4);

    std::string lines;
    for (int i = 0; i < 12000; ++i) lines += "x\r\n";
    m_ctrl.SetText(lines);
    EXPECT_GT(Widget().GetMarginWidth(0), digitsWidth("99999"));
    m_ctrl.SetText("");
    EXPECT_EQ(Widget().GetMarginWidth(0), oneLine);
    Type("a\nb\nc\nd\ne\nf\ng\nh\ni\nj\n");
    EXPECT_GT(Widget().GetMarginWidth(0), digitsWidth("99"));
}

}  // namespace
}  // namespace kelmio

namespace kelmio {
namespace {

// The text of each row the widget shows for the first line of its text.
std::vector<wxString> ScreenRows(wxStyledTextCtrl& edit) {
    std::vector<wxString> rows;
    int rowStart = 0;
    int rowY = edit.PointFromPosition(0).y;
    const int end = edit.GetLineEndPosition(0);
    for (int pos = edit.PositionAfter(0); pos <= end; pos = edit.PositionAfter(pos)) {
        const int y = pos < end ? edit.PointFromPosition(pos).y : rowY + 1;
        if (y != rowY) {
            rows.push_back(edit.GetTextRange(rowStart, pos));
            rowStart = pos;
            rowY = y;
        }
        if (pos == end) break;
    }
    return rows;
}

TEST_F(EditorTypingTest, ScreenWrapKeepsWordsWholeAndFollowsKinsoku) {
    CEditorSettings settings = m_ctrl.GetEditorSettings();
    settings.m_bWordWrap = true;
    m_ctrl.ApplySettings(settings);
    m_pFrame->SetClientSize(230, 300);
    test::Pump();

    Widget().SetText(wxString::FromUTF8(
        "The translator reads the source carefully, word by word, and writes the translation below it."));
    Widget().Colourise(0, -1);
    test::Pump();
    const std::vector<wxString> latin = ScreenRows(Widget());
    ASSERT_GT(latin.size(), 2u);
    for (std::size_t i = 0; i + 1 < latin.size(); ++i) {
        EXPECT_TRUE(latin[i].EndsWith(" ")) << latin[i].utf8_string() << "|" << latin[i + 1].utf8_string();
    }

    const wxString japanese = wxString::FromUTF8(
        "「翻訳」は、原文を読み、訳文を書くことです。訳者は「原文」と「訳文」を、行ったり来たりします。"
        "ちょっと休憩、コーヒー。それから、また「仕事」に戻ります。");
    Widget().SetText(japanese);
    Widget().Colourise(0, -1);
    test::Pump();
    const std::vector<wxString> rows = ScreenRows(Widget());
    ASSERT_GT(rows.size(), 3u);
    wxString joined;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        joined += rows[i];
        if (i > 0) {
            EXPECT_FALSE(IsNoLineStartChar(rows[i].GetChar(0).GetValue())) << rows[i].utf8_string();
        }
        if (i + 1 < rows.size()) {
            EXPECT_FALSE(IsNoLineEndChar(rows[i].Last().GetValue())) << rows[i].utf8_string();
        }
    }
    EXPECT_EQ(joined, japanese);
}

}  // namespace
}  // namespace kelmio
