// Where the translation editor's view is after the program or the user
// changed its text: the caret stays in sight after a long paste, an undo,
// a redo or a replacement, and a project opened again shows the first
// visible line it was saved with, wherever its caret is.

#include <gtest/gtest.h>
#include <wx/clipbrd.h>
#include <wx/dataobj.h>
#include <wx/frame.h>
#include <wx/stc/stc.h>

#include <fstream>
#include <string>

#include "commands/editor_operation.h"
#include "gui/editor/edit_x_ctrl.h"
#include "gui/editor/kel_edit_view.h"
#include "gui_support.h"
#include "platform/settings.h"
#include "support/sjis_literal.h"
#include "support/temp_dir.h"

namespace kelmio {
namespace {

using test::Pump;
using test::Sj;

// One paragraph, no line break: many screen lines once wrapped.
std::string LongParagraph() {
    std::string text;
    for (int i = 0; i < 120; ++i) text += "吾輩は猫である。名前はまだ無い。";
    return text;
}

std::string ShortLines(int count) {
    std::string text;
    for (int i = 0; i < count; ++i) text += "line " + std::to_string(i) + "\r\n";
    return text;
}

class EditViewScrollTest : public testing::Test {
protected:
    EditViewScrollTest() : m_pFrame(new wxFrame(nullptr, wxID_ANY, "edit")) {
        m_pView = new CKelEditView(m_pFrame, m_settings, m_prompter);
        m_pFrame->SetSize(400, 300);
        m_pFrame->Show();
        Pump();
    }
    ~EditViewScrollTest() override {
        m_pFrame->Destroy();
        Pump();
    }
    CEditXCtrl& Editor() { return m_pView->Editor(); }
    wxStyledTextCtrl& Widget() { return Editor().Widget(); }
    // The caret's whole line is inside the window.
    bool CaretShown() {
        Pump();
        const int caretY = Widget().PointFromPosition(Widget().GetCurrentPos()).y;
        const int lineHeight = Widget().TextHeight(Widget().GetCurrentLine());
        return caretY >= 0 && caretY + lineHeight <= Widget().GetClientSize().y;
    }
    // Scrolled to the top with the caret at the end of the short text.
    void StartAtTheTop(const std::string& sjis) {
        Editor().SetText(sjis);
        Widget().SetEmptySelection(Widget().GetLength());
        Editor().ScrollTo(0);
        Pump();
        ASSERT_TRUE(CaretShown());
    }

    CMemorySettings m_settings;
    test::CRecordingPrompter m_prompter;
    test::TempDir m_folder;
    wxFrame* m_pFrame;
    CKelEditView* m_pView;
};

TEST_F(EditViewScrollTest, ALongParagraphPastedAtTheEndScrollsToTheCaret) {
    StartAtTheTop(ShortLines(3));
    {
        wxClipboardLocker lock;
        ASSERT_TRUE(!!lock);
        wxTheClipboard->SetData(new wxTextDataObject(wxString::FromUTF8(LongParagraph())));
    }
    Editor().ExecCommand(EditorOperation::kPaste);
    EXPECT_EQ(Widget().GetCurrentPos(), Widget().GetLength());
    EXPECT_TRUE(CaretShown());
}

TEST_F(EditViewScrollTest, UndoRedoAndReplacingALongTextScrollToTheCaret) {
    StartAtTheTop(ShortLines(3));
    Editor().SetSelText(Sj(LongParagraph()));
    EXPECT_EQ(Widget().GetCurrentPos(), Widget().GetLength());
    EXPECT_TRUE(CaretShown()) << "replacing the selection";

    // Undo puts back a long text that was deleted: the caret ends after it.
    Widget().SetSelection(Widget().PositionFromLine(3), Widget().GetLength());
    Editor().SetSelText("");
    Editor().ScrollTo(0);
    Widget().SetEmptySelection(0);
    Pump();
    Editor().ExecCommand(EditorOperation::kUndo);
    EXPECT_EQ(Widget().GetCurrentPos(), Widget().GetLength());
    EXPECT_TRUE(CaretShown()) << "undo";

    Editor().ExecCommand(EditorOperation::kRedo);
    Editor().ExecCommand(EditorOperation::kUndo);
    Editor().ScrollTo(0);
    Widget().SetEmptySelection(0);
    Pump();
    Editor().ExecCommand(EditorOperation::kUndo);  // the paragraph goes again
    Editor().ExecCommand(EditorOperation::kRedo);  // and comes back
    EXPECT_TRUE(CaretShown()) << "redo";
}

TEST_F(EditViewScrollTest, OpeningRestoresTheFirstVisibleLineAndTheCaretAsStored) {
    const std::string path = m_folder.File("translation.txt");
    std::ofstream(path, std::ios::binary) << ShortLines(200);
    // As the project opens it: scroll down by the stored line, then the caret.
    m_pView->LoadFile(path);
    m_pView->ScrollDown(120);
    const int caret = static_cast<int>(ShortLines(5).size());  // start of line 5
    m_pView->SetCaret(caret);
    Pump();
    EXPECT_EQ(m_pView->SelStart(), caret);
    EXPECT_EQ(m_pView->FirstVisibleLine(), 120);

    // A caret below the stored view.
    m_pView->LoadFile(path);
    m_pView->ScrollDown(10);
    const int below = static_cast<int>(ShortLines(150).size());
    m_pView->SetCaret(below);
    Pump();
    EXPECT_EQ(m_pView->SelStart(), below);
    EXPECT_EQ(m_pView->FirstVisibleLine(), 10);
}

}  // namespace
}  // namespace kelmio
