// The page in the source viewer as the user works with it: the focus a
// click puts into the page, the word a lookup takes from it, and the
// preview pages Kelmio writes, which run no script whatever a file's name.

#include <gtest/gtest.h>
#include <wx/webview.h>

#include <string>
#include <vector>

#include "commands/command_ids.h"
#include "gui/memo/kel_form_view.h"
#include "source_view_fixture.h"
#include "support/sjis_literal.h"
#include "platform/private_folder.h"
#include "viewer/preview_page.h"

namespace kelmio {
namespace {

using test::Pump;
using test::Sj;

// A click into the page makes the viewer the active pane: its commands are
// offered with their state, the memo pane's are not.
TEST_F(SourceViewTest, ClickIntoAPageOrPdfMakesTheViewerActive) {
    StartWithNewProject("focus");
    const std::string page = Write("page.html", "<html><body style='font-size:40px'>words to read</body></html>");
    const std::string pdf = Write("manual.pdf", MakePdf(2));
    for (const std::string& source : {page, pdf}) {
        ShowPageFromTheMemoPane(source);
        ClickInPage(wxPoint(60, 30));
        EXPECT_EQ(Frame().ActiveView(), static_cast<CPaneView*>(&View())) << source;
        const std::optional<CommandState> mode = Frame().RouteQuery(ID_VIEW_BROWSER_MODE);
        ASSERT_TRUE(mode.has_value()) << source;
        EXPECT_TRUE(mode->bEnabled && mode->bChecked) << source;
        for (const CommandId id : {ID_VIEW_FONT, ID_VIEW_SOURCE_SETTINGS, ID_DIC_LOOKUP_CLIPBOARD}) {
            EXPECT_TRUE(Frame().RouteQuery(id).value_or(CommandState{false, false}).bEnabled)
                << CommandNumber(id) << " " << source;
        }
        for (const CommandId id : {ID_MEMO_RENAME, ID_MEMO_DELETE}) {
            EXPECT_FALSE(Frame().RouteQuery(id).value_or(CommandState{false, false}).bEnabled)
                << CommandNumber(id) << " " << source;
        }
    }
}

// The word the user picked in the page reaches the dictionary: a word
// double-clicked in a frame of the page, a word clicked into (the caret)
// and a word selected in a text field.
TEST_F(SourceViewTest, LookupTakesTheWordPickedInAFrameAtTheCaretOrInAField) {
    StartWithNewProject("pick");
    std::vector<std::string> words;
    View().SetLookupHandler([&words](const std::string& word) { words.push_back(word); });
    Write("inner.html", Sj("<html><body style='margin:0;font-size:40px'>翻訳 words</body></html>"));
    const std::string page = Write(
        "framed.html", Sj("<html><body style='margin:0;font-size:40px'>"
                          "<iframe src='inner.html' style='width:600px;height:80px;border:0;display:block'></iframe>"
                          "<div style='height:60px'>caret here</div>"
                          "<textarea style='font-size:30px;display:block'>field 原文</textarea></body></html>"));
    ShowPageFromTheMemoPane(page);

    ClickInPage(wxPoint(20, 30), true);  // on 翻訳 in the frame
    Send(ID_DIC_LOOKUP);
    ClickInPage(wxPoint(140, 110));  // into "here"
    Send(ID_DIC_LOOKUP);
    ClickInPage(wxPoint(20, 165), true);  // on "field"
    Send(ID_DIC_LOOKUP);
    EXPECT_EQ(words, (std::vector<std::string>{Sj("翻訳"), "here", "field"}));
}

// A file whose name is markup: the information page shows the name as it
// is, and nothing in it runs.
TEST_F(SourceViewTest, HostileFileNameIsShownAndRunsNoScript) {
    StartWithNewProject("hostile");
    const std::string name = "<img src=x onerror=\"document.title='ran'\">.exe";
    const std::string program = Write(name, "MZ");
    Frame().SetActiveView(View());
    Send(ID_VIEW_BROWSER_MODE);
    ChooseSource(program);
    ASSERT_TRUE(WaitForPage(m_folder.File("runtime/kelmio/MorvaHtmlPreview.html")));
    WaitFor([] { return false; }, 500);
    EXPECT_NE(PageTitle(), "ran");
    EXPECT_NE(PageText().find(name), std::string::npos) << PageText();
}

// Kelmio's own pages run no page script; the user's pages keep theirs.
TEST_F(SourceViewTest, GeneratedPagesRunNoPageScriptsTheUsersPagesDo) {
    StartWithNewProject("scripts");
    const std::string body = "<script>document.title = 'ran';</script><p>text</p>";
    const std::string generated =
        WritePreviewPage(m_prompter, GetPrivateTempFolder(), body);
    View().Browser().Show(true);
    View().Browser().ShowGeneratedPage(generated);
    ASSERT_TRUE(WaitForPage(ToNativePath(generated)));
    EXPECT_NE(PageTitle(), "ran");
    EXPECT_EQ(PageText(), "text");  // the program's own scripts still run

    const std::string users = Write("users.html", "<html><body>" + body + "</body></html>");
    View().Browser().Navigate(users);
    ASSERT_TRUE(WaitForPage(users));
    EXPECT_EQ(PageTitle(), "ran");
}

}  // namespace
}  // namespace kelmio
