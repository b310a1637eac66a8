// The application as users meet it: real main window, real command events,
// the project document behind them, dialogs answered by a script, settings
// and home folder in a temporary folder.

#include "gui/app/app_shell.h"

#include <gtest/gtest.h>
#include <wx/dialog.h>
#include <wx/dnd.h>
#include <wx/menu.h>
#include <wx/stc/stc.h>
#include <wx/uiaction.h>
#include <wx/utils.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <optional>

#include "app/command_line.h"
#include "commands/command_ids.h"
#include "gui/app/main_frame.h"
#include "gui/app/wx_command_ids.h"
#include "dictionary/dic_opt_dg.h"
#include "gui/editor/kel_edit_view.h"
#include "gui/memo/kel_form_view.h"
#include "gui/platform/wx_settings.h"
#include "gui_support.h"
#include "project/new_project_dlg.h"
#include "project/project_file.h"
#include "shell_test.h"
#include "support/file_bytes.h"
#include "support/scoped_env.h"
#include "support/scripted_prompter.h"
#include "support/sjis_literal.h"
#include "support/temp_dir.h"

namespace kelmio {
namespace {

using test::Pump;
using test::Sj;

wxString U(const char* utf8) { return wxString::FromUTF8(utf8); }

std::optional<CKelmioData> ReadProjectFile(const std::string& path) {
    CKelmioData data;
    if (!ReadProject(test::ReadFileBytes(path), data)) return std::nullopt;
    return data;
}

class AppShellTest : public test::ShellTest {
protected:
    // Before the members below go: the shell may hold the print start.
    ~AppShellTest() override { Stop(); }

    // Starts as the program does, with these arguments.
    bool Start(const std::vector<std::string>& args = {}) {
        m_pSettings = std::make_unique<CWxSettings>(m_folder.File("home/.config/Morva"));
        m_pShell = std::make_unique<CAppShell>(*m_pSettings, m_prompter);
        if (m_printStart) m_pShell->SetPrintStart(m_printStart);
        const bool running = m_pShell->Start(ParseCommandLine(args));
        m_bAskedDuringStart = m_prompter.NewProjectDialogs() > 0;
        Pump();
        return running;
    }

    CKelmioDoc& Doc() { return m_pShell->Document(); }
    wxStyledTextCtrl& Editor() { return Frame().EditView().Editor().Widget(); }

    // Asks the window to close as its close box does; true when it closed.
    bool CloseWindow() {
        Frame().Close();
        Pump();
        return m_pShell->MainFrame() == nullptr;
    }

    std::string ProjectPath(const std::string& name) { return m_folder.File("work/" + name + ".kmp"); }

    // A first start that creates the project `name`.
    void StartWithNewProject(const std::string& name) {
        ExpectNewProject(name);
        ASSERT_TRUE(Start());
        ASSERT_NE(m_pShell->MainFrame(), nullptr);
    }

    CAppShell::PrintStart m_printStart;  // set before Start to catch a print start
    bool m_bAskedDuringStart = false;
};

TEST_F(AppShellTest, FirstStartShowsTheWindowAndThenTheNewProjectDialogOverIt) {
    bool shownWhenAsked = false;
    m_prompter.ExpectNewProjectDialog([this, &shownWhenAsked](CNewProjectDlg& form) {
        shownWhenAsked = m_pShell->MainFrame() != nullptr && m_pShell->MainFrame()->IsShown();
        form.OnNameChanged("first");
        form.m_strFolder = m_folder.File("work");
        return form.OnOK() ? kIdOk : kIdCancel;
    });
    m_prompter.ExpectMessage(Answer::kOk);
    ASSERT_TRUE(Start());

    EXPECT_FALSE(m_bAskedDuringStart);
    EXPECT_TRUE(shownWhenAsked);
    EXPECT_TRUE(m_prompter.ScriptDone());
    // The project file is there at once, and the user is told what comes next.
    const std::string path = ProjectPath("first");
    ASSERT_TRUE(std::filesystem::exists(path));
    EXPECT_EQ(ReadProjectFile(path)->m_strEditFile, m_folder.File("work/first.txt"));
    ASSERT_EQ(m_prompter.Messages().size(), 1u);
    EXPECT_EQ(m_prompter.Messages()[0].text, Sj("まずは[ファイル]-[ソースファイルの指定]を行ってください。\n"
                                               "詳しい使い方は、ヘルプの「使い方」を見てください"));
    EXPECT_EQ(Frame().GetTitle(), U("first.kmp - Kelmio"));
    wxMenuItem* recent = Frame().GetMenuBar()->FindItem(ToWxId(ID_FILE_MRU_FILE1));
    ASSERT_NE(recent, nullptr);
    EXPECT_EQ(recent->GetItemLabel(), "&1 " + wxString::FromUTF8(path));
}

TEST_F(AppShellTest, CancellingTheFirstNewProjectDialogEndsTheProgram) {
    m_prompter.ExpectNewProjectDialog([](CNewProjectDlg&) { return kIdCancel; });
    ASSERT_TRUE(Start());
    EXPECT_EQ(m_pShell->MainFrame(), nullptr);
    EXPECT_TRUE(m_prompter.Messages().empty());
}

TEST_F(AppShellTest, WithoutRecentProjectsTheFileMenuShowsItsPlaceholderDisabled) {
    m_prompter.ExpectNewProjectDialog([this](CNewProjectDlg&) {
        wxMenuBar* bar = m_pShell->MainFrame()->GetMenuBar();
        bar->UpdateMenus();
        wxMenuItem* placeholder = bar->FindItem(ToWxId(ID_FILE_MRU_FILE1));
        EXPECT_NE(placeholder, nullptr);
        if (placeholder != nullptr) {
            EXPECT_EQ(placeholder->GetItemLabel(), U("最近使ったﾌｧｲﾙ"));
            EXPECT_FALSE(placeholder->IsEnabled());
        }
        EXPECT_TRUE(bar->FindItem(ToWxId(ID_FILE_SAVE))->IsEnabled());
        EXPECT_TRUE(bar->FindItem(ToWxId(ID_FILE_EDIT_SAVE_AS))->IsEnabled());
        return kIdCancel;
    });
    Start();
}

TEST_F(AppShellTest, TypingMarksTheProjectModifiedAndClosingAsksAboutTheText) {
    StartWithNewProject("typed");
    EXPECT_FALSE(Doc().IsModified());
    Editor().AddText("hello");
    EXPECT_TRUE(Doc().IsModified());

    // Cancel keeps the program running and writes nothing.
    const std::string before = test::ReadFileBytes(ProjectPath("typed"));
    m_prompter.ExpectMessage(Answer::kCancel);
    EXPECT_FALSE(CloseWindow());
    EXPECT_EQ(m_prompter.Messages().back().text, Sj("翻訳テキストを保存しますか？"));
    EXPECT_EQ(test::ReadFileBytes(ProjectPath("typed")), before);

    // Yes saves the text; the titled project is written without a question.
    m_prompter.ExpectMessage(Answer::kYes);
    EXPECT_TRUE(CloseWindow());
    EXPECT_TRUE(m_prompter.ScriptDone());
    EXPECT_EQ(test::ReadFileBytes(m_folder.File("work/typed.txt")), "hello");
    EXPECT_EQ(ReadProjectFile(ProjectPath("typed"))->m_pos.m_nEditCaret, 5);
}

TEST_F(AppShellTest, ClosingAnUnchangedProjectAsksNothingAndKeepsItsFile) {
    StartWithNewProject("quiet");
    const auto written = std::filesystem::last_write_time(ProjectPath("quiet"));
    EXPECT_TRUE(CloseWindow());
    EXPECT_EQ(std::filesystem::last_write_time(ProjectPath("quiet")), written);
    EXPECT_TRUE(m_prompter.ScriptDone());
}

TEST_F(AppShellTest, ASavedProjectReopensWithItsTextCaretAndFirstVisibleLine) {
    StartWithNewProject("story");
    std::string text;
    for (int line = 0; line < 300; ++line) text += "line " + std::to_string(line) + "\r\n";
    Editor().AddText(text);
    // The caret is on the screen, as it is where the user types.
    const int caret = Editor().PositionFromLine(123) + 3;
    Frame().EditView().SetCaret(caret);
    Editor().SetFirstVisibleLine(120);
    Send(ID_FILE_SAVE);
    EXPECT_TRUE(m_prompter.ScriptDone());
    EXPECT_FALSE(Doc().IsModified());
    EXPECT_TRUE(CloseWindow());
    Stop();

    // The next start opens the most recent project by itself.
    ASSERT_TRUE(Start());
    ASSERT_NE(m_pShell->MainFrame(), nullptr);
    EXPECT_TRUE(Frame().IsShown());
    EXPECT_EQ(Doc().GetPathName(), ProjectPath("story"));
    EXPECT_EQ(Frame().GetTitle(), U("story.kmp - Kelmio"));
    EXPECT_EQ(Editor().GetLineCount(), 301);
    EXPECT_EQ(Editor().GetLine(123), "line 123\r\n");
    EXPECT_EQ(Frame().EditView().SelStart(), caret);
    EXPECT_EQ(Frame().EditView().FirstVisibleLine(), 120);
    // Opening marks the project modified, so closing writes the position back.
    EXPECT_TRUE(Doc().IsModified());
}

// A project file with a translation text, written as the program would.
std::string WriteProjectWithText(const test::TempDir& folder, const std::string& name, const std::string& text) {
    CKelmioData data;
    data.m_strEditFile = folder.File("work/" + name + ".txt");
    std::ofstream(data.m_strEditFile.Native(), std::ios::binary) << text;
    const std::string path = folder.File("work/" + name + ".kmp");
    std::ofstream(path, std::ios::binary) << WriteProject(data);
    return path;
}

TEST_F(AppShellTest, AnOpenRequestOpensThatProjectAndOthersAreRefused) {
    const std::string first = WriteProjectWithText(m_folder, "first", "one");
    const std::string second = WriteProjectWithText(m_folder, "second", "two");
    ASSERT_TRUE(Start({first}));
    EXPECT_EQ(Frame().EditView().Editor().GetText(), "one");

    // The open project was marked modified by its opening: it is written
    // without a question before the next one comes.
    EXPECT_TRUE(m_pShell->HandleRequest(MakeOpenRequest(second)));
    EXPECT_EQ(Doc().GetPathName(), second);
    EXPECT_EQ(Frame().EditView().Editor().GetText(), "two");
    EXPECT_EQ(Frame().GetTitle(), U("second.kmp - Kelmio"));

    EXPECT_FALSE(m_pShell->HandleRequest("[shutdown()]"));
    EXPECT_FALSE(m_pShell->HandleRequest("open(\"" + first + "\")"));
    EXPECT_EQ(Doc().GetPathName(), second);
    EXPECT_TRUE(m_prompter.ScriptDone());
}

TEST_F(AppShellTest, AWaitingStartShowsNoWindowUntilARequestOpensAProject) {
    const std::string path = WriteProjectWithText(m_folder, "later", "text");
    ASSERT_TRUE(Start({"/dde"}));
    ASSERT_NE(m_pShell->MainFrame(), nullptr);
    EXPECT_FALSE(Frame().IsShown());
    EXPECT_TRUE(m_prompter.ScriptDone());

    EXPECT_TRUE(m_pShell->HandleRequest(MakeOpenRequest(path)));
    EXPECT_TRUE(Frame().IsShown());
    EXPECT_EQ(Frame().GetTitle(), U("later.kmp - Kelmio"));
}

TEST_F(AppShellTest, ARequestWaitsWhileTheUserAnswersADialog) {
    const std::string first = WriteProjectWithText(m_folder, "first", "one");
    const std::string second = WriteProjectWithText(m_folder, "second", "two");
    ASSERT_TRUE(Start({first}));
    wxDialog question(&Frame(), wxID_ANY, "question");
    bool handled = true;
    wxTheApp->CallAfter([&] {
        handled = m_pShell->HandleRequest(MakeOpenRequest(second));
        EXPECT_EQ(Doc().GetPathName(), first);
        question.EndModal(wxID_OK);
    });
    question.ShowModal();
    EXPECT_FALSE(handled);
    Pump();
    EXPECT_EQ(Doc().GetPathName(), second);
}

TEST_F(AppShellTest, AskedToEndWhileADialogIsOpenTheWindowClosesAfterIt) {
    const std::string path = WriteProjectWithText(m_folder, "open", "text");
    ASSERT_TRUE(Start({path}));
    wxDialog question(nullptr, wxID_ANY, "question");
    wxTheApp->CallAfter([&] {
        m_pShell->CloseWhenFree();
        Pump();
        EXPECT_NE(m_pShell->MainFrame(), nullptr);
        question.EndModal(wxID_OK);
    });
    question.ShowModal();
    Pump();
    EXPECT_EQ(m_pShell->MainFrame(), nullptr);
    // Closing went through the document: the opened project was written.
    EXPECT_EQ(ReadProjectFile(path)->m_strEditFile, m_folder.File("work/open.txt"));
}

// Writes settings as an earlier run of the program left them.
void WriteSettings(const test::TempDir& folder, const std::function<void(CSettings&)>& write) {
    CWxSettings settings(folder.File("home/.config/Morva"));
    write(settings);
}

TEST_F(AppShellTest, WithInitFileOffTheNewProjectDialogComesBeforeTheWindow) {
    const std::string recent = WriteProjectWithText(m_folder, "recent", "r");
    WriteSettings(m_folder, [&recent](CSettings& settings) {
        settings.WriteInt("System", "InitFile", 0);
        settings.WriteString("Recent File List", "File1", recent);
    });
    bool shownWhenAsked = true;
    m_prompter.ExpectNewProjectDialog([this, &shownWhenAsked](CNewProjectDlg&) {
        shownWhenAsked = m_pShell->MainFrame()->IsShown();
        return kIdCancel;
    });
    EXPECT_FALSE(Start());
    EXPECT_TRUE(m_bAskedDuringStart);
    EXPECT_FALSE(shownWhenAsked);
    EXPECT_EQ(m_pShell->MainFrame(), nullptr);
}

TEST_F(AppShellTest, ARecentProjectThatIsGoneStartsLikeAFirstStart) {
    WriteSettings(m_folder, [this](CSettings& settings) {
        settings.WriteString("Recent File List", "File1", m_folder.File("work/gone.kmp"));
    });
    m_prompter.ExpectNewProjectDialog([](CNewProjectDlg&) { return kIdCancel; });
    ASSERT_TRUE(Start());
    EXPECT_FALSE(m_bAskedDuringStart);
    EXPECT_EQ(m_prompter.NewProjectDialogs(), 1);
    EXPECT_TRUE(m_prompter.Messages().empty());
}

TEST_F(AppShellTest, APrintStartShowsNoWindowSavesNothingAndEnds) {
    const std::string path = WriteProjectWithText(m_folder, "print", "text");
    const std::string before = test::ReadFileBytes(path);
    std::vector<std::string> printed;
    std::string printer;
    m_printStart = [&](CKelEditView& editor, const CCommandLineInfo& commandLine) {
        printed.push_back(editor.PrintSource().strText);
        printer = commandLine.m_strPrinterName;
    };
    EXPECT_FALSE(Start({"/pt", path, "Laser", "drv", "lp0"}));
    EXPECT_EQ(printed, std::vector<std::string>{"text"});
    EXPECT_EQ(printer, "Laser");
    EXPECT_EQ(m_pShell->MainFrame(), nullptr);
    EXPECT_EQ(test::ReadFileBytes(path), before);
    EXPECT_TRUE(m_prompter.Messages().empty());
}

// A project file read in part is reported, and the user goes on as at a
// first start: the window shows with an empty project and the New Project
// dialog over it; cancelling there ends the program as closing it does.
TEST_F(AppShellTest, AProjectReadInPartAtStartIsFollowedByTheNewProjectDialogOverTheWindow) {
    const std::string broken = m_folder.File("work/broken.kmp");
    std::ofstream(broken, std::ios::binary) << "xy";
    m_prompter.ExpectMessage(Answer::kOk);
    bool shownWhenAsked = false;
    m_prompter.ExpectNewProjectDialog([this, &shownWhenAsked](CNewProjectDlg&) {
        shownWhenAsked = m_pShell->MainFrame() != nullptr && m_pShell->MainFrame()->IsShown();
        return kIdCancel;
    });
    EXPECT_TRUE(Start({broken}));
    EXPECT_FALSE(m_bAskedDuringStart);
    EXPECT_TRUE(shownWhenAsked);
    EXPECT_EQ(m_prompter.Messages()[0].text, Sj("予期しないﾌｧｲﾙ形式です。"));
    EXPECT_EQ(m_pShell->MainFrame(), nullptr);
    EXPECT_TRUE(m_prompter.ScriptDone());
}

// Which ends are the user's choice: a start that cannot open its project
// fails, a New Project dialog cancelled before the window does not.
TEST_F(AppShellTest, OnlyACancelledFirstDialogEndsTheStartAsTheUserChose) {
    const std::string folder = m_folder.File("work/folder.kmp");
    std::filesystem::create_directories(folder);
    m_prompter.ExpectMessage(Answer::kOk);
    EXPECT_FALSE(Start({folder}));
    EXPECT_FALSE(m_pShell->EndedByUser());
    EXPECT_EQ(m_pShell->MainFrame(), nullptr);

    WriteSettings(m_folder, [](CSettings& settings) { settings.WriteInt("System", "InitFile", 0); });
    m_prompter.ExpectNewProjectDialog([](CNewProjectDlg&) { return kIdCancel; });
    EXPECT_FALSE(Start());
    EXPECT_TRUE(m_pShell->EndedByUser());

    // A print start whose project is read in part asks nothing and prints nothing.
    const std::string broken = m_folder.File("work/broken.kmp");
    std::ofstream(broken, std::ios::binary) << "xy";
    bool printed = false;
    m_printStart = [&printed](CKelEditView&, const CCommandLineInfo&) { printed = true; };
    m_prompter.ExpectMessage(Answer::kOk);
    EXPECT_FALSE(Start({"/p", broken}));
    EXPECT_FALSE(printed);
    EXPECT_FALSE(m_pShell->EndedByUser());
    EXPECT_EQ(m_prompter.NewProjectDialogs(), 1);
    EXPECT_TRUE(m_prompter.ScriptDone());
}

// The New Project dialog that follows a project read in part makes the
// project the user goes on with; the program does not end under it.
TEST_F(AppShellTest, AProjectMadeAfterABrokenOneAtStartIsShown) {
    const std::string broken = m_folder.File("work/broken.kmp");
    std::ofstream(broken, std::ios::binary) << "xy";
    m_prompter.ExpectMessage(Answer::kOk);
    ExpectNewProject("fresh");
    ASSERT_TRUE(Start({broken}));
    ASSERT_NE(m_pShell->MainFrame(), nullptr);
    EXPECT_TRUE(Frame().IsShown());
    EXPECT_EQ(Doc().GetPathName(), ProjectPath("fresh"));
    EXPECT_TRUE(std::filesystem::exists(ProjectPath("fresh")));
    EXPECT_EQ(m_prompter.Messages()[0].text, Sj("予期しないﾌｧｲﾙ形式です。"));
}

// A right click in the translation opens the editor's menu for the editor,
// whichever pane had the focus.
TEST_F(AppShellTest, ARightClickOnTheEditorMakesItTheActivePaneForItsMenu) {
    StartWithNewProject("menu");
    Frame().SetActiveView(Frame().FormView());
    Pump();
    ASSERT_EQ(Frame().ActiveView(), static_cast<CPaneView*>(&Frame().FormView()));
    CPaneView* whileOpen = nullptr;
    bool opened = false;
    Frame().Bind(wxEVT_MENU_OPEN, [&](wxMenuEvent& event) {
        event.Skip();
        if (opened) return;
        opened = true;
        whileOpen = Frame().ActiveView();
        wxTheApp->CallAfter([] { wxUIActionSimulator().Char(WXK_ESCAPE); });
    });
    wxUIActionSimulator mouse;
    mouse.MouseMove(Editor().ClientToScreen(wxPoint(60, 30)));
    Pump();
    mouse.MouseClick(wxMOUSE_BTN_RIGHT);
    for (int i = 0; i < 200 && !opened; ++i) {
        Pump();
        wxMilliSleep(10);
    }
    Pump();
    ASSERT_TRUE(opened);
    EXPECT_EQ(whileOpen, static_cast<CPaneView*>(&Frame().EditView()));
}

TEST_F(AppShellTest, FilesDroppedOnTheWindowOpenOneAfterAnother) {
    const std::string first = WriteProjectWithText(m_folder, "a", "A");
    const std::string second = WriteProjectWithText(m_folder, "b", "B");
    const std::string third = WriteProjectWithText(m_folder, "c", "C");
    ASSERT_TRUE(Start({first}));

    auto* target = dynamic_cast<wxFileDropTarget*>(Frame().GetDropTarget());
    ASSERT_NE(target, nullptr);
    wxArrayString names;
    names.Add(wxString::FromUTF8(second));
    names.Add(wxString::FromUTF8(third));
    EXPECT_TRUE(target->OnDropFiles(10, 10, names));
    Pump();

    EXPECT_EQ(Doc().GetPathName(), third);
    const std::vector<CFilePath> expected = {third, second, first};
    EXPECT_EQ(Doc().RecentProjects().Entries(), expected);
    // Each project left behind was written as it was closed.
    EXPECT_EQ(ReadProjectFile(second)->m_strEditFile, m_folder.File("work/b.txt"));
}

TEST_F(AppShellTest, TheRecentListIsStoredWhenTheWindowCloses) {
    const std::string path = WriteProjectWithText(m_folder, "kept", "k");
    ASSERT_TRUE(Start({path}));
    EXPECT_TRUE(CloseWindow());
    Stop();
    CWxSettings stored(m_folder.File("home/.config/Morva"));
    EXPECT_EQ(stored.GetString("Recent File List", "File1", ""), path);
}

// Names with no Shift-JIS form, from the command line, a drop and an open
// request: each project opens with its translation, saves under its own
// names, never as "?", and stays in the recent list as it is.
TEST_F(AppShellTest, ProjectsAndTextsNamedWithoutAShiftJisFormOpenSaveAndStayRecent) {
    const auto write = [this](const std::string& name, const std::string& text) {
        CKelmioData data;
        data.m_strEditFile = CFilePath::FromNative(m_folder.File("work/" + name + ".txt"));
        std::ofstream(data.m_strEditFile.Native(), std::ios::binary) << text;
        const std::string path = m_folder.File("work/" + name + ".kmp");
        std::ofstream(path, std::ios::binary) << WriteProject(data);
        return path;
    };
    const std::string accent = write("é", "accent");
    const std::string emoji = write("\xF0\x9F\x98\x80", "emoji");
    const std::string raw = write("\xFF", "raw");
    ASSERT_TRUE(Start({accent}));
    EXPECT_EQ(Doc().GetPathName().Native(), accent);
    EXPECT_EQ(Frame().EditView().Editor().GetText(), "accent");

    Editor().AppendText("!");
    Send(ID_FILE_SAVE);
    EXPECT_EQ(test::ReadFileBytes(m_folder.File("work/é.txt")), "accent!");
    EXPECT_EQ(ReadProjectFile(accent)->m_strEditFile.Native(), m_folder.File("work/é.txt"));
    EXPECT_FALSE(std::filesystem::exists(m_folder.File("work/?.txt")));
    EXPECT_FALSE(std::filesystem::exists(m_folder.File("work/?.kmp")));

    auto* target = dynamic_cast<wxFileDropTarget*>(Frame().GetDropTarget());
    ASSERT_NE(target, nullptr);
    wxArrayString names;
    names.Add(wxString(emoji.c_str(), *wxConvFileName));
    EXPECT_TRUE(target->OnDropFiles(10, 10, names));
    Pump();
    EXPECT_EQ(Doc().GetPathName().Native(), emoji);
    EXPECT_EQ(Frame().EditView().Editor().GetText(), "emoji");

    EXPECT_TRUE(m_pShell->HandleRequest(MakeOpenRequest(CFilePath::FromNative(raw))));
    EXPECT_EQ(Doc().GetPathName().Native(), raw);
    EXPECT_EQ(Frame().EditView().Editor().GetText(), "raw");
    const std::vector<CFilePath> recent = {CFilePath::FromNative(raw), CFilePath::FromNative(emoji),
                                           CFilePath::FromNative(accent)};
    EXPECT_EQ(Doc().RecentProjects().Entries(), recent);

    EXPECT_TRUE(CloseWindow());
    Stop();
    CWxSettings stored(m_folder.File("home/.config/Morva"));
    EXPECT_EQ(stored.GetPath("Recent File List", "File1").Native(), raw);
    EXPECT_EQ(stored.GetPath("Recent File List", "File2").Native(), emoji);
    EXPECT_EQ(stored.GetPath("Recent File List", "File3").Native(), accent);
}

}  // namespace
}  // namespace kelmio

namespace kelmio {
namespace {

// The memo and dictionary commands as the menu sends them, whichever pane
// is active; what they leave in the saved project.
class AppShellMemoTest : public AppShellTest {};

TEST_F(AppShellMemoTest, MemoCommandsAndDictionarySettingsReachTheProjectFile) {
    StartWithNewProject("memos");
    ASSERT_EQ(Frame().ActiveView(), &Frame().EditView());
    // "メモの追加" from the editor: the document hands it to the memo pane.
    m_prompter.ExpectInput(Sj("用語"));
    Send(ID_MEMO_ADD);
    EXPECT_EQ(m_prompter.InputPrompts().back(), Sj("メモのタイトルを入力してください"));
    CKelFormView& memo = Frame().FormView();
    memo.MemoEdit().SetValue(U("訳語の控え"));
    EXPECT_TRUE(Doc().IsModified());

    // Rename and delete belong to the memo pane alone.
    EXPECT_FALSE(Frame().RouteQuery(ID_MEMO_RENAME).has_value());
    Send(ID_CURSOR_MEMO);
    m_prompter.ExpectInput(Sj("用語集"));
    Send(ID_MEMO_RENAME);
    EXPECT_EQ(m_prompter.InputValues().back(), Sj("用語"));

    m_prompter.ExpectDicOptDialog([](CDicOptDg& dialog) {
        dialog.m_nKind = kDicCustom;
        dialog.m_strPath = "/usr/bin/sdcv";
        dialog.m_strParam = "%s";
        return kIdOk;
    });
    Send(ID_DIC_SETTINGS);
    Send(ID_FILE_SAVE);
    EXPECT_TRUE(m_prompter.ScriptDone());

    const auto saved = ReadProjectFile(ProjectPath("memos"));
    ASSERT_TRUE(saved);
    ASSERT_EQ(saved->GetMemoCount(), 1u);
    EXPECT_EQ(saved->GetMemo(0).m_strTitle, Sj("用語集"));
    EXPECT_EQ(saved->GetMemo(0).m_strText, Sj("訳語の控え"));
    EXPECT_EQ(saved->m_nDicKind, kDicCustom);
    EXPECT_EQ(saved->m_strDicPath, "/usr/bin/sdcv");
    EXPECT_EQ(saved->m_strDicParam, "%s");
}

}  // namespace
}  // namespace kelmio
