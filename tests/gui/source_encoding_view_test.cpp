// Text sources whose bytes were once lost or garbled in the source pane: a
// Ctrl-Z, which ended the text, and UTF-16 without a byte-order mark, which
// was shown as Shift-JIS. Each is shown as it is and an edit saved in the
// file's own form; a file that only looks like UTF-16 is shown read-only.

#include <gtest/gtest.h>
#include <wx/frame.h>
#include <wx/statusbr.h>
#include <wx/stc/stc.h>

#include <string>

#include "gui_support.h"
#include "shell_test.h"
#include "gui/viewer/plain_edit_ctrl.h"
#include "platform/file_io.h"
#include "support/file_bytes.h"
#include "support/iconv_convert.h"
#include "support/sjis_literal.h"

namespace kelmio {
namespace {

using namespace std::string_literals;
using test::Sj;

class SourceEncodingViewTest : public test::ShellTest {
protected:
    void SetUp() override {
        ExpectNewProject("encodings");
        StartShell();
        test::Pump();  // the new project is made once the loop runs
    }
    wxStyledTextCtrl& Pane() {
        auto* plain = dynamic_cast<CPlainEditCtrl*>(View().TextPane());
        EXPECT_NE(plain, nullptr);
        return plain->Control();
    }
    // The control's own bytes: a wxString would end at a NUL.
    std::string PaneUtf8() { return View().TextPane()->TextUtf8(); }
    void ChooseSource(const std::string& nativePath) {
        m_prompter.ExpectFile(FromNativePath(nativePath));
        Send(ID_FILE_SRC);
    }
    // Types at the end of the first line, then leaves the text, saying Yes to saving it.
    void EditAndSave(const char* utf8) {
        Pane().GotoPos(Pane().GetLineEndPosition(0));
        Pane().AddText(wxString::FromUTF8(utf8));
        m_prompter.ExpectMessage(Answer::kYes);
        Frame().SetActiveView(View());
        Send(ID_VIEW_SHOW);
    }
    static std::string Utf16(const char* order, const std::string& utf8) {
        return test::IconvConvert(order, "UTF-8", utf8).value_or("");
    }
};

TEST_F(SourceEncodingViewTest, Utf16WithoutMarkIsShownEditedAndSavedWithoutAMark) {
    for (const char* order : {"UTF-16LE", "UTF-16BE"}) {
        const std::string path = Write("utf16.txt", Utf16(order, "日本語\r\nabc\r\n"));
        ChooseSource(path);
        ASSERT_EQ(View().Mode(), ViewMode::kText) << order;
        EXPECT_EQ(PaneUtf8(), "日本語\r\nabc\r\n") << order;
        EXPECT_FALSE(Pane().GetReadOnly());
        const std::size_t before = m_prompter.Messages().size();
        EditAndSave("한");  // no Shift-JIS form: UTF-16 keeps it without a question
        ASSERT_EQ(m_prompter.Messages().size(), before + 1) << order;
        EXPECT_EQ(m_prompter.Messages().back().text, Sj("変更されています。保存しますか？"));
        EXPECT_EQ(test::ReadFileBytes(path), Utf16(order, "日本語한\r\nabc\r\n")) << order;
    }
    EXPECT_TRUE(m_prompter.ScriptDone());
}

TEST_F(SourceEncodingViewTest, FileThatOnlyLooksLikeUtf16IsShownReadOnly) {
    const std::string bytes = Utf16("UTF-16LE", "first line\r\nNUL: ") + "\0\0"s + Utf16("UTF-16LE", "\r\n");
    const std::string path = Write("unsure.txt", bytes);
    ChooseSource(path);
    ASSERT_EQ(View().Mode(), ViewMode::kText);
    EXPECT_EQ(PaneUtf8(), "first line\r\nNUL: "s + '\0' + "\r\n");
    EXPECT_TRUE(Pane().GetReadOnly());
    Pane().GotoPos(0);
    Pane().AddText(wxString::FromUTF8("typed "));
    EXPECT_EQ(PaneUtf8(), "first line\r\nNUL: "s + '\0' + "\r\n");
    EXPECT_FALSE(View().TextPane()->IsModified());
    const wxString status = Frame().GetStatusBar()->GetStatusText(0);
    EXPECT_NE(status.utf8_string().find("読み取り専用"), std::string::npos) << status.utf8_string();

    // Leaving it asks nothing and writes nothing; the next source is editable again.
    const std::size_t before = m_prompter.Messages().size();
    ChooseSource(Write("plain.txt", Sj("原文\r\n")));
    EXPECT_EQ(m_prompter.Messages().size(), before);
    EXPECT_EQ(test::ReadFileBytes(path), bytes);
    EXPECT_FALSE(Pane().GetReadOnly());
    EXPECT_TRUE(m_prompter.ScriptDone());
}

TEST_F(SourceEncodingViewTest, ControlZIsShownAndAnEditKeepsItAndTheRestOfTheFile) {
    const std::string path = Write("ctrl-z.txt", "\xB4\xC1\xBB\xFA\n\x1A and the rest\n");
    ChooseSource(path);
    ASSERT_EQ(View().Mode(), ViewMode::kText);
    EXPECT_EQ(PaneUtf8(), "漢字\r\n\x1A and the rest\r\n");
    EditAndSave("追記");
    EXPECT_EQ(test::ReadFileBytes(path), "\xB4\xC1\xBB\xFA\xC4\xC9\xB5\xAD\n\x1A and the rest\n");
    EXPECT_TRUE(m_prompter.ScriptDone());
}

}  // namespace
}  // namespace kelmio
