// The source viewer as the user meets it: real main window, real browser
// and text pane, the project document behind them, dialogs answered by a
// script or by hand.

#include "gui/viewer/text_view.h"

#include <gtest/gtest.h>
#include <wx/button.h>
#include <wx/combobox.h>
#include <wx/filename.h>
#include <wx/listctrl.h>
#include <wx/menu.h>
#include <wx/modalhook.h>
#include <wx/richtext/richtextctrl.h>
#include <wx/splitter.h>
#include <wx/timer.h>
#include <wx/uiaction.h>
#include <wx/stc/stc.h>
#include <wx/webview.h>

#include <algorithm>
#include <chrono>
#include <deque>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>

#include "commands/command_ids.h"
#include "gui_support.h"
#include "source_view_fixture.h"
#include "shell_test.h"
#include "gui/editor/kel_edit_view.h"
#include "gui/memo/kel_form_view.h"
#include "gui/app/main_frame.h"
#include "gui/imaging/image_mode.h"
#include "imaging/image_kit.h"
#include "platform/file_io.h"
#include "project/project_file.h"
#include "project/source_history_dlg.h"
#include "gui/project/source_history_dialog.h"
#include "support/file_bytes.h"
#include "support/scripted_prompter.h"
#include "support/sjis_literal.h"
#include "support/temp_dir.h"
#include "gui/viewer/plain_edit_ctrl.h"
#include "gui/viewer/rich_edit_ctrl.h"
#include "gui/viewer/web_browser.h"
#include "gui/app/wx_command_ids.h"

namespace kelmio {
namespace {

using test::Pump;
using test::Sj;

// Acts on the modal dialogs as they open, one step each, once their
// loop runs.
class CModalScript final : public wxModalDialogHook {
public:
    using Step = std::function<void(wxDialog&)>;
    explicit CModalScript(std::initializer_list<Step> steps) : m_steps(steps) { Register(); }
    ~CModalScript() override { Unregister(); }

    bool Done() const { return m_steps.empty(); }

protected:
    int Enter(wxDialog* dialog) override {
        if (!m_steps.empty()) {
            Step step = std::move(m_steps.front());
            m_steps.pop_front();
            dialog->CallAfter([step, dialog] { step(*dialog); });
        }
        return wxID_NONE;
    }
    void Exit(wxDialog*) override {}

private:
    std::deque<Step> m_steps;
};

// A w x h picture of one grey.
CImageKit PlainPicture(int w, int h, unsigned char grey) {
    RgbPixels pixels;
    pixels.cx = w;
    pixels.cy = h;
    pixels.bytes.assign(static_cast<std::size_t>(w) * h * 3, grey);
    CImageKit picture;
    EXPECT_TRUE(picture.LoadRgb(pixels));
    return picture;
}

void Click(wxDialog& dialog, int id) {
    wxCommandEvent event(wxEVT_BUTTON, id);
    event.SetEventObject(dialog.FindWindow(id));
    dialog.ProcessWindowEvent(event);
}

void SetCombo(wxDialog& dialog, int id, const char* utf8) {
    auto* combo = wxDynamicCast(dialog.FindWindow(id), wxComboBox);
    ASSERT_NE(combo, nullptr);
    combo->SetValue(wxString::FromUTF8(utf8));
}

TEST_F(SourceViewTest, PageScrollPositionSurvivesSavingAndReopeningTheProject) {
    StartWithNewProject("page");
    std::string html = "<html><body>";
    for (int i = 0; i < 400; ++i) html += "<p>" + std::to_string(i) + "</p>";
    const std::string page = Write("long.html", html + "</body></html>");
    m_pSettings->WriteInt("View", "BrowserMode", 0);
    ChooseSource(page);
    // HTML goes to the browser only in browser mode; as text otherwise.
    EXPECT_EQ(View().Mode(), ViewMode::kText);
    // Browser mode is the viewer's own command: it acts while the viewer is active.
    Frame().SetActiveView(View());
    Send(ID_VIEW_BROWSER_MODE);
    ASSERT_TRUE(WaitForPage(page));
    EXPECT_EQ(View().Mode(), ViewMode::kBrowser);

    Send(ID_SOURCE_PAGE_DOWN);
    Send(ID_SOURCE_PAGE_DOWN);
    Send(ID_SOURCE_SCROLL_DOWN);
    const auto [x, y] = View().Browser().GetBrowserScroll();
    EXPECT_GT(y, 200);
    Send(ID_FILE_SAVE);
    const std::string project = m_folder.File("work/page.kmp");
    CKelmioData saved;
    ASSERT_TRUE(ReadProject(test::ReadFileBytes(project), saved));
    EXPECT_EQ(saved.m_pos.m_nScrollY, y);
    EXPECT_EQ(saved.m_pos.m_bBrowserMode, 1);

    Stop();
    Start({project});
    ASSERT_TRUE(WaitForPage(page));
    EXPECT_TRUE(WaitFor([&] { return View().Browser().GetBrowserScroll().second == y; }, 5000));
    EXPECT_TRUE(View().IsBrowserMode());
}

TEST_F(SourceViewTest, ImageSourceIsZoomedByTheCommandAndItsZoomComesBackWithTheProject) {
    StartWithNewProject("picture");
    const CImageKit picture = PlainPicture(1200, 900, 200);
    const std::string png = m_folder.File("work/scan.png");
    ASSERT_TRUE(picture.SavePng(png, {}));
    m_pSettings->WriteInt("View", "BrowserMode", 0);
    ChooseSource(png);
    ASSERT_EQ(View().Mode(), ViewMode::kImage);
    CImageCanvas& canvas = View().Image().Canvas();
    EXPECT_TRUE(canvas.IsShown());
    EXPECT_EQ(canvas.GetDisplaySize(), (ImageSize{1200, 900}));

    // The image commands reach image mode through the frame while the viewer is active.
    Frame().SetActiveView(View());
    EXPECT_TRUE(View().QueryCommand(ID_IMAGE_ENLARGE_2)->bEnabled);
    Send(ID_IMAGE_ENLARGE_2);
    EXPECT_EQ(View().Image().Canvas().GetDisplaySize(), (ImageSize{2400, 1800}));
    EXPECT_TRUE(View().QueryCommand(ID_IMAGE_ENLARGE_2)->bChecked);
    Send(ID_SOURCE_PAGE_DOWN);
    Send(ID_SOURCE_SCROLL_RIGHT);
    const ScrollPoint scrolled = View().Image().Canvas().GetScrollPoint();
    EXPECT_GT(scrolled.y, 0);
    EXPECT_GT(scrolled.x, 0);

    Send(ID_FILE_SAVE);
    const std::string project = m_folder.File("work/picture.kmp");
    CKelmioData saved;
    ASSERT_TRUE(ReadProject(test::ReadFileBytes(project), saved));
    EXPECT_EQ(saved.m_pos.m_bEnlarge, 1);
    EXPECT_EQ(saved.m_pos.m_nEnlarge, 20);
    EXPECT_EQ(saved.m_pos.m_nScrollY, scrolled.y);

    Stop();
    Start({project});
    ASSERT_EQ(View().Mode(), ViewMode::kImage);
    EXPECT_EQ(View().Image().Canvas().GetDisplaySize(), (ImageSize{2400, 1800}));
    EXPECT_EQ(View().Image().Canvas().GetScrollPoint(), scrolled);
    EXPECT_TRUE(View().QueryCommand(ID_IMAGE_ENLARGE_2)->bChecked);

    // An image whose name has no Shift-JIS form is shown from its own name.
    const CFilePath odd = CFilePath::FromNative(m_folder.File("work/\xFF\u00e9.png"));
    ASSERT_TRUE(picture.SavePng(odd, {}));
    const std::size_t messages = m_prompter.Messages().size();
    m_prompter.ExpectFile(odd);
    Send(ID_FILE_SRC);
    ASSERT_EQ(View().Mode(), ViewMode::kImage);
    EXPECT_EQ(Doc().m_data.m_strSrcFile, odd);
    EXPECT_EQ(View().Image().Display().GetPath(), odd);
    EXPECT_TRUE(View().Image().Display().HasImage());
    EXPECT_EQ(m_prompter.Messages().size(), messages);

    // Another kind of source leaves image mode: the canvas goes, the image commands are off.
    ChooseSource(Write("notes.txt", "abc\r\n"));
    EXPECT_EQ(View().Mode(), ViewMode::kText);
    EXPECT_FALSE(View().Image().Canvas().IsShown());
    EXPECT_FALSE(View().QueryCommand(ID_IMAGE_ENLARGE_2)->bEnabled);
}

// The main window closed by a handler of the very "page loaded" event the
// browser then reads the page for: the window goes at the next idle time,
// not inside the browser's wait for the page's answer, which would leave
// the toolkit working on a freed control.
TEST_F(SourceViewTest, MainWindowClosedAsAPageFinishesLoadingGoesAfterTheEvent) {
    StartWithNewProject("closing");
    const std::string page = Write("closing.html", "<html><body><p>one</p></body></html>");
    bool closed = false;
    View().Browser().Window().Bind(wxEVT_WEBVIEW_LOADED, [this, &closed](wxWebViewEvent& event) {
        event.Skip();
        if (closed) return;
        closed = true;
        Frame().Close(true);
        // Running a script inside the event must not delete the window yet.
        EXPECT_TRUE(wxTheApp->IsScheduledForDestruction(&Frame()));
        View().Browser().GetBrowserScroll();
        EXPECT_TRUE(wxTheApp->IsScheduledForDestruction(&Frame()));
    });
    View().Browser().Navigate(page);
    ASSERT_TRUE(WaitFor([this] { return m_pShell->MainFrame() == nullptr; }));
    EXPECT_TRUE(closed);
}

// Scripts run while another one waits (a timer during a scroll request)
// each get their own answer, and events queued meanwhile wait for them.
TEST_F(SourceViewTest, NestedPageScriptsGetTheirOwnAnswersAndQueuedEventsWait) {
    StartWithNewProject("nested");
    std::string html = "<html><body>";
    for (int i = 0; i < 300; ++i) html += "<p>" + std::to_string(i) + "</p>";
    const std::string page = Write("nested.html", html + "</body></html>");
    View().Browser().Navigate(page);
    View().Browser().Show(true);
    ASSERT_TRUE(WaitForPage(page));
    ASSERT_EQ(View().Browser().LoadedKind(), CWebBrowser::DocumentKind::kHtml);
    View().Browser().SetBrowserScroll(0, 120);

    bool queuedRan = false;
    Frame().CallAfter([&queuedRan] { queuedRan = true; });
    std::string inner;
    wxTimer timer;
    timer.Bind(wxEVT_TIMER, [this, &inner](wxTimerEvent&) {
        inner = View().Browser().GetBrowserSelection();
    });
    timer.StartOnce(1);
    wxMilliSleep(5);  // the timer is due while the next script waits
    EXPECT_EQ(View().Browser().GetBrowserScroll(), std::make_pair(0, 120));
    EXPECT_FALSE(queuedRan);
    EXPECT_TRUE(WaitFor([&queuedRan] { return queuedRan; }));
    // The selection script answered for itself, not with the scroll offsets.
    EXPECT_EQ(inner.find(','), std::string::npos);
}

TEST_F(SourceViewTest, PdfIsShownAndScrolledDownByTheScrollCommand) {
    StartWithNewProject("pdf");
    const std::string pdf = Write("pages.pdf", MakePdf(4));
    ChooseSource(pdf);
    ASSERT_TRUE(WaitForPage(pdf));
    // The engine puts its PDF viewer into the page it loaded.
    EXPECT_TRUE(WaitFor([&] { return View().Browser().Kind() == CWebBrowser::DocumentKind::kPdf; }, 5000));
    // The viewer lays its pages out after loading.
    ASSERT_TRUE(WaitFor([&] {
        Send(ID_SOURCE_SCROLL_DOWN);
        return View().Browser().GetBrowserScroll().second > 0;
    }));
    const int before = View().Browser().GetBrowserScroll().second;
    // With the editor active the command is relayed to the viewer.
    Frame().SetActiveView(Frame().EditView());
    Send(ID_SOURCE_PAGE_DOWN);
    EXPECT_TRUE(WaitFor([&] { return View().Browser().GetBrowserScroll().second > before; }, 5000));
}

// The scanner commands of the File menu serve whichever pane is active.
TEST_F(SourceViewTest, ScannerCommandsAreEnabledWhileTheTranslationIsEdited) {
    StartWithNewProject("scanner");
    Frame().SetActiveView(Frame().EditView());
    for (const CommandId id : {ID_FILE_SCAN, ID_FILE_SAVE_SCAN, ID_FILE_SELECT_SCANNER}) {
        const std::optional<CommandState> state = Frame().RouteQuery(id);
        ASSERT_TRUE(state.has_value()) << CommandNumber(id);
        EXPECT_TRUE(state->bEnabled) << CommandNumber(id);
    }
}

// ブラウザモード is offered while the translation is typed: it turns the
// viewer's mode, shows its tick, and the typing goes on in the editor.
TEST_F(SourceViewTest, BrowserModeIsTurnedFromTheTranslationEditor) {
    StartWithNewProject("browser");
    Frame().SetActiveView(Frame().EditView());
    Pump();
    const std::optional<CommandState> before = Frame().RouteQuery(ID_VIEW_BROWSER_MODE);
    ASSERT_TRUE(before.has_value());
    EXPECT_TRUE(before->bEnabled);
    const bool wasOn = before->bChecked;

    EXPECT_TRUE(Frame().RouteCommand(ID_VIEW_BROWSER_MODE));
    Pump();
    const std::optional<CommandState> after = Frame().RouteQuery(ID_VIEW_BROWSER_MODE);
    ASSERT_TRUE(after.has_value());
    EXPECT_NE(after->bChecked, wasOn);
    EXPECT_EQ(View().QueryCommand(ID_VIEW_BROWSER_MODE)->bChecked, after->bChecked);
    EXPECT_EQ(Frame().ActiveView(), static_cast<CPaneView*>(&Frame().EditView()));
}

// A right click on the image opens the viewer's menu for the viewer: its
// browser-mode item is enabled even when a memo had the focus.
TEST_F(SourceViewTest, RightClickOnTheImageMakesTheViewerActiveForItsMenu) {
    StartWithNewProject("menu");
    const CImageKit picture = PlainPicture(300, 200, 100);
    const std::string png = m_folder.File("work/page.png");
    ASSERT_TRUE(picture.SavePng(png, {}));
    ChooseSource(png);
    ASSERT_EQ(View().Mode(), ViewMode::kImage);
    // From the memo pane the command is not offered (the editor offers it).
    Frame().SetActiveView(Frame().FormView());
    Pump();
    ASSERT_FALSE(Frame().RouteQuery(ID_VIEW_BROWSER_MODE).has_value());

    std::optional<CommandState> whileOpen;
    Frame().Bind(wxEVT_MENU_OPEN, [&](wxMenuEvent& event) {
        event.Skip();
        if (whileOpen) return;
        whileOpen = Frame().RouteQuery(ID_VIEW_BROWSER_MODE).value_or(CommandState{false, false});
        wxTheApp->CallAfter([] { wxUIActionSimulator().Char(WXK_ESCAPE); });
    });
    wxUIActionSimulator mouse;
    mouse.MouseMove(View().Image().Canvas().ClientToScreen(wxPoint(50, 50)));
    Pump();
    mouse.MouseClick(wxMOUSE_BTN_RIGHT);
    EXPECT_TRUE(WaitFor([&] { return whileOpen.has_value(); }, 5000));
    Pump();
    ASSERT_TRUE(whileOpen.has_value());
    EXPECT_TRUE(whileOpen->bEnabled);
}

TEST_F(SourceViewTest, ProgramInBrowserModeShowsItsInformationPageInJapanese) {
    StartWithNewProject("exe");
    const std::string program = Write("tool.exe", "MZ\x90");
    Frame().SetActiveView(View());
    Send(ID_VIEW_BROWSER_MODE);
    ChooseSource(program);
    const std::string preview = m_folder.File("runtime/kelmio/MorvaHtmlPreview.html");
    ASSERT_TRUE(WaitForPage(preview));
    const std::string text = PageText();
    EXPECT_NE(text.find("バイナリーファイル"), std::string::npos) << text;
    EXPECT_NE(text.find("ファイル名：" + program), std::string::npos) << text;
    EXPECT_NE(text.find("サイズ：3バイト"), std::string::npos) << text;

    // Browser mode off: the four placeholder lines in the pane, read-only.
    Send(ID_VIEW_BROWSER_MODE);
    EXPECT_EQ(View().Mode(), ViewMode::kText);
    EXPECT_EQ(PaneUtf8(), "■通常モードで表示できないファイルです\r\nファイルタイプ：exeファイル\r\nファイル名：tool.exe\r\n"
                          "フォルダ名：" + m_folder.File("work") + "\r\n");
    EXPECT_TRUE(Pane().GetReadOnly());
}

TEST_F(SourceViewTest, BrowserModeToggledTwiceReturnsToTheSameDisplay) {
    StartWithNewProject("toggle");
    const std::string text = Write("notes.txt", "plain notes\r\n");
    ChooseSource(text);
    EXPECT_EQ(View().Mode(), ViewMode::kText);
    EXPECT_EQ(PaneUtf8(), "plain notes\r\n");
    Frame().SetActiveView(View());
    Frame().GetMenuBar()->UpdateMenus();
    EXPECT_FALSE(Frame().GetMenuBar()->IsChecked(ToWxId(ID_VIEW_BROWSER_MODE)));

    Send(ID_VIEW_BROWSER_MODE);
    EXPECT_EQ(View().Mode(), ViewMode::kBrowser);
    EXPECT_EQ(m_pSettings->GetInt("View", "BrowserMode", -1), 1);
    Frame().GetMenuBar()->UpdateMenus();
    EXPECT_TRUE(Frame().GetMenuBar()->IsChecked(ToWxId(ID_VIEW_BROWSER_MODE)));
    EXPECT_TRUE(WaitForPage(text));

    Send(ID_VIEW_BROWSER_MODE);
    EXPECT_EQ(View().Mode(), ViewMode::kText);
    EXPECT_EQ(m_pSettings->GetInt("View", "BrowserMode", -1), 0);
    EXPECT_EQ(PaneUtf8(), "plain notes\r\n");
    EXPECT_FALSE(View().Browser().IsShown());
}

struct EncodedText {
    const char* name;
    std::string bytes;        // the file as written
    const char* shown;        // what the pane shows, UTF-8
    std::string savedBytes;   // the file after "追記" was typed at the end of line 1
};

TEST_F(SourceViewTest, JapaneseTextsAreShownEditedAndSavedInTheirOwnEncodingAndLineEnds) {
    StartWithNewProject("texts");
    const EncodedText texts[] = {
        {"sjis.txt", Sj("日本語\r\nabc\r\n"), "日本語\r\nabc\r\n", Sj("日本語追記\r\nabc\r\n")},
        // 日本語 in EUC-JP, LF line ends.
        {"euc.txt", "\xC6\xFC\xCB\xDC\xB8\xEC\nabc\n", "日本語\r\nabc\r\n",
         "\xC6\xFC\xCB\xDC\xB8\xEC\xC4\xC9\xB5\xAD\nabc\n"},
        // 日本 in JIS, CR line ends.
        {"jis.txt", "\x1B$B\x46\x7C\x4B\x5C\x1B(B\rabc\r", "日本\r\nabc\r\n",
         "\x1B$B\x46\x7C\x4B\x5C\x44\x49\x35\x2D\x1B(B\rabc\r"},
    };
    for (const EncodedText& text : texts) {
        const std::string path = Write(text.name, text.bytes);
        ChooseSource(path);
        ASSERT_EQ(View().Mode(), ViewMode::kText) << text.name;
        EXPECT_EQ(PaneUtf8(), text.shown) << text.name;
        EXPECT_FALSE(Pane().GetReadOnly());
        Pane().GotoPos(Pane().GetLineEndPosition(0));
        Pane().AddText(wxString::FromUTF8("追記"));
        // Leaving the text asks, and Yes saves it.
        m_prompter.ExpectMessage(Answer::kYes);
        Frame().SetActiveView(View());
        Send(ID_VIEW_SHOW);
        EXPECT_EQ(m_prompter.Messages().back().text, Sj("変更されています。保存しますか？")) << text.name;
        EXPECT_EQ(test::ReadFileBytes(path), text.savedBytes) << text.name;
    }
    EXPECT_TRUE(m_prompter.ScriptDone());
}

// Closing the window must not lose an edited source that could not be
// saved: declining to drop characters the file cannot hold, or a file that
// cannot be written, asks again, and Yes keeps the window open with the
// text as it was typed; No lets it go.
TEST_F(SourceViewTest, ClosingKeepsTheWindowWhenTheEditedSourceIsNotSaved) {
    StartWithNewProject("unsaved");
    const std::string path = Write("plain.txt", Sj("原文\r\n"));
    ChooseSource(path);
    ASSERT_EQ(View().Mode(), ViewMode::kText);
    Pane().GotoPos(Pane().GetLineEndPosition(0));
    Pane().AddText(wxString::FromUTF8("\xF0\x9F\x98\x80"));  // no Shift-JIS form
    const std::string typed = PaneUtf8();
    const std::string question = Sj("変更されています。保存しますか？");

    const std::size_t before = m_prompter.Messages().size();
    m_prompter.ExpectMessage(Answer::kYes);  // save the changes?
    m_prompter.ExpectMessage(Answer::kNo);   // and lose the character? No
    m_prompter.ExpectMessage(Answer::kYes);  // asked again: keep it
    Frame().Close(false);
    Pump();
    ASSERT_NE(m_pShell->MainFrame(), nullptr);
    EXPECT_TRUE(m_prompter.ScriptDone());
    ASSERT_EQ(m_prompter.Messages().size(), before + 3);
    EXPECT_EQ(m_prompter.Messages()[before + 2].text, question);
    EXPECT_EQ(PaneUtf8(), typed);
    EXPECT_EQ(test::ReadFileBytes(path), Sj("原文\r\n"));

    // A file that cannot be written (its folder is gone): the error is shown,
    // and the window stays on Yes.
    std::filesystem::create_directories(m_folder.File("work/sub"));
    const std::string moved = Write("sub/moved.txt", Sj("原文\r\n"));
    m_prompter.ExpectFile(FromNativePath(moved));
    m_prompter.ExpectMessage(Answer::kYes);  // the edit above, saved with the loss
    m_prompter.ExpectMessage(Answer::kYes);
    Send(ID_FILE_SRC);
    ASSERT_EQ(View().Mode(), ViewMode::kText);
    EXPECT_NE(test::ReadFileBytes(path), Sj("原文\r\n"));
    Pane().SetText(wxString::FromUTF8("訳した原文\r\n"));
    std::filesystem::remove_all(m_folder.File("work/sub"));
    m_prompter.ExpectMessage(Answer::kYes);
    m_prompter.ExpectMessage(Answer::kOk);
    m_prompter.ExpectMessage(Answer::kYes);
    Frame().Close(false);
    Pump();
    ASSERT_NE(m_pShell->MainFrame(), nullptr);
    EXPECT_TRUE(m_prompter.ScriptDone());
    EXPECT_EQ(PaneUtf8(), "訳した原文\r\n");

    // Saved without asking ("System"/"Save" 0): a failed save still asks, so
    // the window can be closed by letting the text go.
    m_pSettings->WriteInt("System", "Save", 0);
    m_prompter.ExpectMessage(Answer::kOk);  // the file error
    m_prompter.ExpectMessage(Answer::kNo);  // let it go
    Frame().Close(false);
    Pump();
    EXPECT_TRUE(m_prompter.ScriptDone());
    EXPECT_EQ(m_pShell->MainFrame(), nullptr);
}

// Choosing another source after an edit that could not be saved asks
// again: the edit goes only on an explicit No, or is saved on a second Yes.
TEST_F(SourceViewTest, AnotherSourceAsksAgainWhenTheEditedSourceWasNotSaved) {
    StartWithNewProject("switch");
    const std::string first = Write("first.txt", Sj("一\r\n"));
    const std::string second = Write("second.txt", Sj("二\r\n"));
    const auto edit = [this] {
        Pane().GotoPos(Pane().GetLineEndPosition(0));
        Pane().AddText(wxString::FromUTF8("\xF0\x9F\x98\x80"));  // no Shift-JIS form
    };
    const std::string question = Sj("変更されています。保存しますか？");
    ChooseSource(first);
    edit();
    const std::size_t before = m_prompter.Messages().size();
    m_prompter.ExpectFile(FromNativePath(second));
    m_prompter.ExpectMessage(Answer::kYes);  // save?
    m_prompter.ExpectMessage(Answer::kNo);   // lose the character? No
    m_prompter.ExpectMessage(Answer::kNo);   // asked again: drop the edit
    Send(ID_FILE_SRC);
    EXPECT_TRUE(m_prompter.ScriptDone());
    ASSERT_EQ(m_prompter.Messages().size(), before + 3);
    EXPECT_EQ(m_prompter.Messages()[before + 2].text, question);
    EXPECT_EQ(PaneUtf8(), "二\r\n");
    EXPECT_EQ(test::ReadFileBytes(first), Sj("一\r\n"));

    edit();
    m_prompter.ExpectFile(FromNativePath(first));
    m_prompter.ExpectMessage(Answer::kYes);
    m_prompter.ExpectMessage(Answer::kNo);
    m_prompter.ExpectMessage(Answer::kYes);  // asked again: save after all
    m_prompter.ExpectMessage(Answer::kYes);  // and lose the character
    Send(ID_FILE_SRC);
    EXPECT_TRUE(m_prompter.ScriptDone());
    EXPECT_EQ(m_prompter.Messages().size(), before + 7);
    EXPECT_EQ(PaneUtf8(), "一\r\n");
    EXPECT_NE(test::ReadFileBytes(second), Sj("二\r\n"));
}

TEST_F(SourceViewTest, FindAndReplaceOnAJapaneseWord) {
    StartWithNewProject("find");
    const std::string path = Write("find.txt", Sj("訳語と訳語、訳語、訳語。\r\n"));
    ChooseSource(path);
    Frame().SetActiveView(View());
    Pane().GotoPos(0);

    {
        CModalScript script{[](wxDialog& dialog) {
            SetCombo(dialog, 109, "訳語");
            Click(dialog, wxID_OK);
        }};
        Send(ID_EDIT_FIND);
        EXPECT_TRUE(script.Done());
    }
    // The search starts one character after the caret: the match at 0 is skipped.
    EXPECT_EQ(Pane().GetSelectedText().utf8_string(), "訳語");
    EXPECT_EQ(Pane().GetSelectionStart(), 9);
    EXPECT_EQ(m_pSettings->GetString("Find", "Str00", ""), Sj("訳語"));
    Send(ID_EDIT_REPEAT);
    EXPECT_EQ(Pane().GetSelectionStart(), 18);
    Send(ID_EDIT_REPEAT);
    EXPECT_EQ(Pane().GetSelectionStart(), 27);
    m_prompter.ExpectMessage(Answer::kOk);
    Send(ID_EDIT_REPEAT);
    EXPECT_EQ(m_prompter.Messages().back().text, Sj("見つかりません"));

    // Replace from the start: the second match is selected; "置換して次へ"
    // replaces it and selects the third; "全て置換" replaces what follows.
    Pane().GotoPos(0);
    m_prompter.ExpectMessage(Answer::kOk);
    CModalScript script{
        [](wxDialog& dialog) {
            SetCombo(dialog, 109, "訳語");
            SetCombo(dialog, 110, "用語");
            Click(dialog, wxID_OK);
        },
        [](wxDialog& dialog) {
            Click(dialog, 110);
            dialog.CallAfter([&dialog] { Click(dialog, wxID_OK); });
        },
    };
    Send(ID_EDIT_REPLACE);
    EXPECT_TRUE(WaitFor([&] { return m_prompter.ScriptDone(); }, 5000));
    EXPECT_EQ(PaneUtf8(), "訳語と用語、訳語、用語。\r\n");
    EXPECT_EQ(m_prompter.Messages().back().text, Sj("1個置換しました"));
    EXPECT_EQ(m_prompter.Messages().back().icon, MessageIcon::kQuestion);
    EXPECT_EQ(m_pSettings->GetString("Replace", "Str00", ""), Sj("用語"));
    // Saved back in Shift-JIS when the text is left.
    m_prompter.ExpectMessage(Answer::kYes);
    Frame().SetActiveView(View());
    Send(ID_VIEW_SHOW);
    EXPECT_EQ(test::ReadFileBytes(path), Sj("訳語と用語、訳語、用語。\r\n"));
}

TEST_F(SourceViewTest, ArrowKeysScrollTheTextByLinesAndTheLineComesBackWithTheProject) {
    StartWithNewProject("keys");
    std::string lines;
    for (int i = 0; i < 300; ++i) lines += "line " + std::to_string(i) + "\r\n";
    ChooseSource(Write("lines.txt", lines));
    Pane().GotoPos(0);
    const auto press = [this](int key) {
        wxKeyEvent event(wxEVT_CHAR_HOOK);
        event.m_keyCode = key;
        event.SetEventObject(&Pane());
        Pane().ProcessWindowEvent(event);
        Pump();
    };
    press(WXK_DOWN);
    press(WXK_DOWN);
    press(WXK_DOWN);
    press(WXK_UP);
    EXPECT_EQ(Pane().GetFirstVisibleLine(), 2);
    press(WXK_RIGHT);
    press(WXK_LEFT);
    EXPECT_EQ(Pane().GetFirstVisibleLine(), 2);
    EXPECT_EQ(Pane().GetCurrentPos(), 0);  // the caret stays where it was
    press(WXK_PAGEDOWN);
    const int line = Pane().GetFirstVisibleLine();
    EXPECT_GT(line, 2);

    Send(ID_FILE_SAVE);
    const std::string project = m_folder.File("work/keys.kmp");
    CKelmioData saved;
    ASSERT_TRUE(ReadProject(test::ReadFileBytes(project), saved));
    EXPECT_EQ(saved.m_pos.m_nScrollX, 0);
    EXPECT_EQ(saved.m_pos.m_nScrollY, line);
    Stop();
    Start({project});
    EXPECT_TRUE(WaitFor([&] { return View().TextPane() != nullptr && Pane().GetFirstVisibleLine() == line; }, 5000));
}

TEST_F(SourceViewTest, LookupTakesThePageSelectionAsShiftJis) {
    StartWithNewProject("lookup");
    std::vector<std::string> words;
    View().SetLookupHandler([&words](const std::string& word) { words.push_back(word); });
    const std::string page = Write("word.html", Sj("<html><body>翻訳</body></html>"));
    Frame().SetActiveView(View());
    Send(ID_VIEW_BROWSER_MODE);
    ChooseSource(page);
    ASSERT_TRUE(WaitForPage(page));
    Frame().SetActiveView(View());
    ASSERT_TRUE(Frame().RouteQuery(ID_DIC_LOOKUP)->bEnabled);
    View().Browser().Window().RunScript("window.getSelection().selectAllChildren(document.body)");
    Send(ID_DIC_LOOKUP);
    ASSERT_EQ(words.size(), 1u);
    EXPECT_EQ(words[0], Sj("翻訳"));

    // Without a handler the lookups are disabled.
    View().SetLookupHandler({});
    EXPECT_FALSE(Frame().RouteQuery(ID_DIC_LOOKUP)->bEnabled);
    EXPECT_FALSE(Frame().RouteQuery(ID_DIC_LOOKUP_CLIPBOARD)->bEnabled);
}

TEST_F(SourceViewTest, RtfRunsKeepTheirFormatsThroughAnItalicChangeAndASave) {
    StartWithNewProject("rtf");
    const std::string path = Write(
        "styled.rtf",
        "{\\rtf1\\ansi\\ansicpg932\\deff0{\\fonttbl{\\f0\\fnil\\fcharset128 Gothic;}}"
        "{\\colortbl;\\red255\\green0\\blue0;}"
        "\\pard Plain {\\b Bold} {\\cf1 Red} \\'93\\'fa\\'96\\'7b\\par}");
    ChooseSource(path);
    ASSERT_EQ(View().Mode(), ViewMode::kRichText);
    auto* pane = dynamic_cast<CRichEditCtrl*>(View().TextPane());
    ASSERT_NE(pane, nullptr);
    wxRichTextCtrl& rich = pane->Control();
    EXPECT_EQ(rich.GetValue().utf8_string(), "Plain Bold Red 日本\n");
    const auto styleAt = [&rich](long pos) {
        wxTextAttr style;
        rich.GetStyle(pos, style);
        return style;
    };
    EXPECT_EQ(styleAt(7).GetFontWeight(), wxFONTWEIGHT_BOLD);
    EXPECT_EQ(styleAt(12).GetTextColour(), *wxRED);

    // The first word made italic through the command.
    Frame().SetActiveView(View());
    EXPECT_TRUE(Frame().RouteQuery(ID_FORMAT_ITALIC)->bEnabled);
    rich.SetSelection(0, 5);
    Send(ID_FORMAT_ITALIC);
    EXPECT_EQ(styleAt(2).GetFontStyle(), wxFONTSTYLE_ITALIC);
    // Typed text is kept too.
    rich.SetInsertionPointEnd();
    rich.SetInsertionPoint(rich.GetLastPosition() - 1);
    rich.WriteText(wxString::FromUTF8("語"));
    m_prompter.ExpectMessage(Answer::kYes);
    Send(ID_VIEW_SHOW);
    EXPECT_EQ(m_prompter.Messages().back().text, Sj("変更されています。保存しますか？"));

    // Reopened: every run as it was, the first one italic.
    ASSERT_EQ(View().Mode(), ViewMode::kRichText);
    wxRichTextCtrl& again = dynamic_cast<CRichEditCtrl*>(View().TextPane())->Control();
    EXPECT_EQ(again.GetValue().utf8_string(), "Plain Bold Red 日本語\n");
    wxTextAttr style;
    again.GetStyle(2, style);
    EXPECT_EQ(style.GetFontStyle(), wxFONTSTYLE_ITALIC);
    again.GetStyle(7, style);
    EXPECT_EQ(style.GetFontWeight(), wxFONTWEIGHT_BOLD);
    EXPECT_NE(style.GetFontStyle(), wxFONTSTYLE_ITALIC);
    again.GetStyle(12, style);
    EXPECT_EQ(style.GetTextColour(), *wxRED);
    const std::string saved = test::ReadFileBytes(path);
    EXPECT_NE(saved.find("\\fcharset128"), std::string::npos) << saved;
    EXPECT_NE(saved.find("\\red255\\green0\\blue0"), std::string::npos) << saved;
}

// A line break inside a paragraph (\\line, Shift+Enter in a word processor)
// breaks the line on screen, so the next paragraph comes below it rather
// than over it, and it is written back as a line break.
TEST_F(SourceViewTest, RtfLineBreaksAreLaidOutAsLinesAndSavedBack) {
    StartWithNewProject("linebreak");
    const std::string path = Write(
        "breaks.rtf",
        "{\\rtf1\\ansi\\ansicpg932\\deff0{\\fonttbl{\\f0\\fnil\\fcharset128 Gothic;}}"
        "\\pard first\\line second\\par third\\par}");
    ChooseSource(path);
    ASSERT_EQ(View().Mode(), ViewMode::kRichText);
    auto* pane = dynamic_cast<CRichEditCtrl*>(View().TextPane());
    ASSERT_NE(pane, nullptr);
    wxRichTextCtrl& rich = pane->Control();
    rich.LayoutContent();
    const long third = static_cast<long>(std::string("first.second.").size());
    wxRichTextParagraph* first = rich.GetBuffer().GetParagraphAtPosition(0);
    wxRichTextParagraph* next = rich.GetBuffer().GetParagraphAtPosition(third);
    ASSERT_NE(first, nullptr);
    ASSERT_NE(next, nullptr);
    ASSERT_NE(first, next);
    EXPECT_EQ(first->GetLines().size(), 2u);
    // The next paragraph (one line high) starts two lines below the first.
    EXPECT_GE(next->GetPosition().y, first->GetPosition().y + 2 * next->GetCachedSize().y - 1);

    // Typed text elsewhere, then saved: the break is still a \\line.
    rich.SetInsertionPoint(third);
    rich.WriteText("3 ");
    m_prompter.ExpectMessage(Answer::kYes);
    Frame().SetActiveView(View());
    Send(ID_VIEW_SHOW);
    const std::string saved = test::ReadFileBytes(path);
    EXPECT_NE(saved.find("first\\line"), std::string::npos) << saved;
    EXPECT_EQ(saved.find('\x1D'), std::string::npos) << saved;
    EXPECT_NE(saved.find("3 third"), std::string::npos) << saved;
}

TEST_F(SourceViewTest, SourceHistoryDialogReselectsAnOlderSource) {
    StartWithNewProject("history");
    const std::string first = Write("first.txt", "first\r\n");
    const std::string second = Write("second.txt", "second\r\n");
    ChooseSource(first);
    ChooseSource(second);
    EXPECT_EQ(PaneUtf8(), "second\r\n");

    std::vector<CFilePath> history = Doc().m_data.m_arrSrcHistory;
    CSrcHistoryDlg form(history);
    CSourceHistoryDialog dialog(&Frame(), form);
    wxListCtrl& list = dialog.List();
    ASSERT_EQ(list.GetItemCount(), 2);
    EXPECT_EQ(list.GetItemText(0, 0), "second.txt");
    EXPECT_EQ(list.GetItemText(1, 0), "first.txt");
    EXPECT_EQ(list.GetItemText(1, 1).utf8_string(), m_folder.File("work"));
    EXPECT_EQ(list.GetNextItem(-1, wxLIST_NEXT_ALL, wxLIST_STATE_SELECTED), 0);

    // Through the command: the user picks the older row and presses OK.
    m_prompter.ExpectSourceHistoryDialog([](CSrcHistoryDlg& chosen) { return chosen.OnOK(1) ? kIdOk : kIdCancel; });
    Send(ID_FILE_SRC_HISTORY);
    EXPECT_EQ(Doc().m_data.m_strSrcFile, FromNativePath(first));
    EXPECT_EQ(PaneUtf8(), "first\r\n");
    EXPECT_TRUE(Doc().IsModified());
}

}  // namespace
}  // namespace kelmio

namespace kelmio {
namespace {

// A one-page PDF with a Japanese heading (a standard Japanese font by
// name, which the viewer supplies) and an English line.
std::string MakeTextPdf() {
    const std::string content =
        "BT /F2 28 Tf 72 760 Td <3042308a304c30683046305430563044307e3059> Tj ET\n"
        "BT /F1 16 Tf 72 720 Td (Kelmio shows PDF sources in the browser's own viewer.) Tj ET\n";
    const std::vector<std::string> objects = {
        "<< /Type /Catalog /Pages 2 0 R >>",
        "<< /Type /Pages /Kids [3 0 R] /Count 1 >>",
        "<< /Type /Page /Parent 2 0 R /MediaBox [0 0 595 842] /Contents 4 0 R "
        "/Resources << /Font << /F1 5 0 R /F2 6 0 R >> >> >>",
        "<< /Length " + std::to_string(content.size()) + " >>\nstream\n" + content + "endstream",
        "<< /Type /Font /Subtype /Type1 /BaseFont /Helvetica >>",
        "<< /Type /Font /Subtype /Type0 /BaseFont /HeiseiKakuGo-W5 /Encoding /UniJIS-UCS2-H "
        "/DescendantFonts [7 0 R] >>",
        "<< /Type /Font /Subtype /CIDFontType0 /BaseFont /HeiseiKakuGo-W5 "
        "/CIDSystemInfo << /Registry (Adobe) /Ordering (Japan1) /Supplement 2 >> /FontDescriptor 8 0 R >>",
        "<< /Type /FontDescriptor /FontName /HeiseiKakuGo-W5 /Flags 4 /FontBBox [0 -200 1000 900] /ItalicAngle 0 "
        "/Ascent 880 /Descent -120 /CapHeight 700 /StemV 80 >>",
    };
    return PdfFromObjects(objects);
}

// Pictures of the three kinds of display into $KELMIO_SCREENSHOT_DIR, for
// looking at what users see; does nothing without it.
TEST_F(SourceViewTest, ScreenshotsWhenAsked) {
    const char* folder = std::getenv("KELMIO_SCREENSHOT_DIR");
    if (folder == nullptr) GTEST_SKIP() << "KELMIO_SCREENSHOT_DIR not set";
    StartWithNewProject("shots");
    Frame().SetSize(1100, 860);
    Frame().OuterSplitter().SetSashPosition(520);
    const auto shoot = [&](const char* name) {
        Frame().Raise();
        WaitFor([] { return false; }, 1500);
        const std::string command = "import -window root '" + std::string(folder) + "/" + name + "'";
        EXPECT_EQ(std::system(command.c_str()), 0);
    };

    // An old Japanese page without a character-set declaration.
    const std::string page = Write(
        "page.html", Sj("<html><head><title>取扱説明書</title></head><body><h1>取扱説明書</h1>"
                        "<p>本製品をお買い上げいただき、誠にありがとうございます。ご使用の前に必ずこの説明書をお読みください。</p>"
                        "<h2>第１章　安全上のご注意</h2><p>警告：分解や改造をしないでください。火災・感電の原因となります。</p>"
                        "<ul><li>電源コードを傷つけないでください。</li><li>濡れた手で触らないでください。</li></ul></body></html>"));
    Frame().SetActiveView(View());
    Send(ID_VIEW_BROWSER_MODE);
    ChooseSource(page);
    ASSERT_TRUE(WaitForPage(page));
    shoot("viewer-page.png");

    const std::string pdf = Write("manual.pdf", MakeTextPdf());
    ChooseSource(pdf);
    ASSERT_TRUE(WaitForPage(pdf));
    shoot("viewer-pdf.png");

    Frame().SetActiveView(View());
    Send(ID_VIEW_BROWSER_MODE);
    const std::string text = Write(
        "source.txt", Sj("第１章　はじめに\r\n\r\n本書は、翻訳作業の手順を説明するものです。原文を上の窓で読み、"
                         "訳文を左下の窓に入力してください。\r\n半角ｶﾀｶﾅ、ＡＢＣ（全角英字）、English words も混在できます。\r\n"
                         "\r\n第２章　用語集\r\n\r\n訳語の統一には、メモ欄に用語集を作っておくと便利です。\r\n"));
    ChooseSource(text);
    ASSERT_EQ(View().Mode(), ViewMode::kText);
    shoot("viewer-text.png");
}

}  // namespace
}  // namespace kelmio
