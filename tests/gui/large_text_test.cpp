// Texts larger than one of the pieces the widgets are filled and saved in:
// the editor and the source pane hold exactly what the whole-text
// conversions give, and the editor saves exactly iconv's bytes.
#include <gtest/gtest.h>
#include <wx/frame.h>
#include <wx/stc/stc.h>

#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "gui/editor/kel_edit_view.h"
#include "gui/editor/sjis_marks.h"
#include "gui/viewer/plain_edit_ctrl.h"
#include "gui_support.h"
#include "platform/settings.h"
#include "support/file_bytes.h"
#include "support/sjis_literal.h"
#include "support/temp_dir.h"
#include "text/cp932.h"
#include "text/cp932_table.h"

namespace kelmio {
namespace {

using test::Sj;

// About 3 MiB of Shift-JIS lines with half-width kana, a few bytes that
// are no character and lead bytes at the ends of lines.
std::string LargeSjisText() {
    std::mt19937 random(17);
    const std::string sentence = Sj("翻訳メモリを使うと、以前に訳した文章を再利用できます。ﾃｷｽﾄ ABC ①\r\n");
    std::string text;
    while (text.size() < (std::size_t{3} << 20)) {
        text += sentence;
        if (random() % 97 == 0) text += "\x80\xFD\x82\r\n";
    }
    return text;
}

std::string WidgetUtf8(wxStyledTextCtrl& widget) {
    return std::string(widget.GetCharacterPointer(), static_cast<std::size_t>(widget.GetLength()));
}

class LargeTextTest : public testing::Test {
protected:
    LargeTextTest() : m_pFrame(new wxFrame(nullptr, wxID_ANY, "large")) {
        m_pFrame->SetSize(400, 300);
        m_pFrame->Show();
    }
    ~LargeTextTest() override {
        m_pFrame->Destroy();
        test::Pump();
    }

    // A new editor view in the window, shown.
    CKelEditView* NewEditView() {
        auto* view = new CKelEditView(m_pFrame, m_settings, m_prompter);
        test::Pump();
        return view;
    }
    // A new editor view that has loaded `sjis` from a file.
    CKelEditView* EditViewLoading(const std::string& sjis) {
        CKelEditView* view = NewEditView();
        const std::string path = m_folder.File("large.txt");
        std::ofstream(path, std::ios::binary) << sjis;
        view->LoadFile(path);
        return view;
    }

    CMemorySettings m_settings;
    test::CRecordingPrompter m_prompter;
    test::TempDir m_folder;
    wxFrame* m_pFrame;
};

TEST_F(LargeTextTest, EditorHoldsAndSavesWhatTheWholeTextConversionsGive) {
    const std::string sjis = LargeSjisText();
    CKelEditView* view = EditViewLoading(sjis);
    wxStyledTextCtrl& widget = view->Editor().Widget();
    const std::string utf8 = Cp932ToUtf8(sjis);
    ASSERT_EQ(WidgetUtf8(widget), utf8);
    EXPECT_FALSE(view->GetModified());
    EXPECT_FALSE(widget.CanUndo());  // a load is nothing to undo
    EXPECT_EQ(view->CharsWithoutSjisForm(), FindCharsWithoutCp932Form(utf8).size());

    // Typed at both ends, then saved: iconv's bytes of the widget's text.
    widget.DocumentEnd();
    widget.AddText(wxString::FromUTF8("末尾\xF0\x9F\x98\x80"));
    widget.GotoPos(0);
    widget.AddText(wxString::FromUTF8("先頭"));
    EXPECT_TRUE(widget.CanUndo());
    const std::string copy = m_folder.File("copy.txt");
    const EditSaveResult saved = view->SaveFile(copy);
    ASSERT_TRUE(saved.ok());
    const ConversionResult reference = Utf8ToCp932ByIconv(WidgetUtf8(widget));
    EXPECT_EQ(test::ReadFileBytes(copy), reference.text);
    EXPECT_EQ(saved.unconvertible, reference.unconvertible);
    EXPECT_GT(saved.unconvertible, 0u);
}

// The first keystroke must not have to move the whole text out of the way.
TEST_F(LargeTextTest, AfterALoadTheWidgetsGapWaitsAtTheCaretAndNothingChanged) {
    const std::string sjis = LargeSjisText();
    CKelEditView* view = EditViewLoading(sjis);
    view->SetCaret(static_cast<int>(sjis.size() / 3));
    test::Pump();

    wxStyledTextCtrl& widget = view->Editor().Widget();
    EXPECT_EQ(widget.GetGapPosition(), widget.GetCurrentPos());
    EXPECT_FALSE(view->GetModified());
    EXPECT_FALSE(widget.GetModify());
    EXPECT_FALSE(widget.CanUndo());
    EXPECT_EQ(WidgetUtf8(widget), Cp932ToUtf8(sjis));
}

// While a long wrapped text is laid out, the editor's scroll bars stay put:
// a bar that came and went would change the room the lines wrap in, and the
// widget would start its layout again each time.
TEST_F(LargeTextTest, LayingOutALongWrappedTextKeepsTheEditorsWidth) {
    CKelEditView* view = NewEditView();
    wxStyledTextCtrl& widget = view->Editor().Widget();
    std::string sjis;
    while (sjis.size() < (std::size_t{1} << 20)) {
        sjis += Sj("長い段落は画面の幅で折り返され、禁則の規則に従って行頭と行末の文字が調整されます。");
        sjis += Sj("訳文の編集中も折り返しは保たれます。\r\n");
    }
    std::vector<int> widths;
    widget.Bind(wxEVT_SIZE, [&widget, &widths](wxSizeEvent& event) {
        event.Skip();
        widths.push_back(widget.GetClientSize().x);
    });
    const int width = widget.GetClientSize().x;
    view->Editor().SetText(sjis);
    for (int round = 0; round < 40; ++round) test::Pump();
    for (const int seen : widths) EXPECT_EQ(seen, width);
    EXPECT_LE(widths.size(), 2u);
}

TEST_F(LargeTextTest, SourcePaneHoldsEveryPieceInOrder) {
    CPlainEditCtrl pane(m_pFrame, wxID_ANY);
    const std::string sjis = LargeSjisText();
    const std::string utf8 = Cp932ToUtf8(sjis);
    pane.BeginLoad();
    pane.ReserveLoad(Cp932ToUtf8SizeEstimate(sjis));
    Cp932ToUtf8Pieces(sjis, 1 << 20, [&pane](std::string_view piece) { pane.AppendLoaded(piece); });
    pane.EndLoad();
    EXPECT_EQ(pane.TextUtf8(), utf8);
    EXPECT_FALSE(pane.IsModified());
    EXPECT_FALSE(pane.CanUndo());
}

}  // namespace
}  // namespace kelmio
