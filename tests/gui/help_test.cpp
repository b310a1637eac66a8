// The help entries, the about box and its links on the real main window.

#include <gtest/gtest.h>
#include <wx/dcmemory.h>
#include <wx/dcscreen.h>
#include <wx/imagpng.h>
#include <wx/stattext.h>

#include <filesystem>
#include <functional>

#include "app/about_info.h"
#include "app/help_topics.h"
#include "commands/command_ids.h"
#include "gui/app/about_dlg.h"
#include "gui/app/app_commands.h"
#include "gui/app/help_viewer.h"
#include "gui/app/main_frame.h"
#include "gui/app/wx_command_ids.h"
#include "gui/platform/wx_settings.h"
#include "gui_support.h"
#include "keys/keycust_array.h"
#include "support/file_bytes.h"
#include "support/sjis_literal.h"
#include "support/temp_dir.h"

namespace kelmio {
namespace {

using test::GrabFromScreen;
using test::Pump;
using test::SavePng;
using test::Sj;

wxString U(const char* utf8) { return wxString::FromUTF8(utf8); }

class HelpTest : public testing::Test {
protected:
    HelpTest()
        : m_settings(m_folder.File("config")),
          m_table(m_settings, KeyFileFolders{m_folder.File("program"), m_folder.File("data")}) {}
    ~HelpTest() override {
        if (m_pHelp) m_pHelp->Close();
        wxTheApp->ProcessIdle();  // the help window is deleted when idle
        if (m_pFrame != nullptr) {
            m_pFrame->SetAppTarget(nullptr);
            m_pFrame->Close(true);
        }
        Pump();
    }

    void Start(const wxString& book) {
        m_pFrame = new CMainFrame(m_settings, m_prompter);
        m_pHelp = std::make_unique<CHelpViewer>(book, m_prompter);
        m_pCommands = std::make_unique<CAppCommands>(
            *m_pFrame, CAppCommands::Services{m_table, m_settings, m_prompter, *m_pHelp, {},
                                              [this](const std::string& address) {
                                                  m_opened.push_back(address);
                                                  return true;
                                              }});
        m_pFrame->SetAppTarget(m_pCommands.get());
        m_pFrame->ShowWindow();
        Pump();
    }
    void Send(CommandId id) {
        wxCommandEvent event(wxEVT_MENU, ToWxId(id));
        m_pFrame->ProcessWindowEvent(event);
        Pump();
    }
    bool HelpShown() const { return m_pHelp->Window() != nullptr && m_pHelp->Window()->IsShown(); }

    test::TempDir m_folder;
    test::CRecordingPrompter m_prompter;
    CWxSettings m_settings;
    CKeycustArray m_table;
    std::unique_ptr<CHelpViewer> m_pHelp;
    std::unique_ptr<CAppCommands> m_pCommands;
    std::vector<std::string> m_opened;
    CMainFrame* m_pFrame = nullptr;
};

TEST_F(HelpTest, HowToOpensTheHelpWindowOnItsTopic) {
    Start(U(KELMIO_HELP_BOOK));
    Send(ID_HELP_HOWTO);
    EXPECT_TRUE(m_prompter.m_messages.empty()) << m_prompter.m_messages.front();
    ASSERT_TRUE(HelpShown()) << (m_pHelp->Window() == nullptr);
    EXPECT_TRUE(m_pHelp->OpenedPage().EndsWith("howto.html")) << m_pHelp->OpenedPage();
    EXPECT_TRUE(m_prompter.m_messages.empty());

    if (const char* folder = std::getenv("KELMIO_SCREENSHOT_DIR")) {
        wxWindow& window = *m_pHelp->Window();
        window.SetSize(wxSize(900, 640));
        window.Raise();
        Pump();
        wxMilliSleep(300);
        Pump();
        SavePng(GrabFromScreen(window), (std::filesystem::path(folder) / "help-window.png").string());
    }

    // The other entries open the same book: its first page, and the index.
    Send(ID_HELP_FINDER);
    EXPECT_TRUE(m_pHelp->OpenedPage().EndsWith("index.html")) << m_pHelp->OpenedPage();
    Send(ID_HELP_KEYWORD);
    EXPECT_TRUE(HelpShown());
    EXPECT_TRUE(m_prompter.m_messages.empty());
}

TEST_F(HelpTest, MissingBookIsNamedWithItsFullPath) {
    const std::string book = m_folder.File("bin/Kelmio.htb");
    std::filesystem::create_directories(m_folder.File("bin"));
    std::filesystem::copy_file(KELMIO_HELP_BOOK, book);
    Start(wxString::FromUTF8(book));
    Send(ID_HELP_HOWTO);
    ASSERT_TRUE(HelpShown());
    m_pHelp->Window()->Hide();

    std::filesystem::remove(book);
    Send(ID_HELP_HOWTO);
    ASSERT_EQ(m_prompter.m_messages.size(), 1u);
    EXPECT_EQ(m_prompter.m_messages[0], Sj("ヘルプファイルがありません：") + book);
    EXPECT_FALSE(HelpShown());
    Send(ID_HELP_KEYWORD);
    EXPECT_EQ(m_prompter.m_messages.size(), 2u);
}

TEST_F(HelpTest, DamagedBookGivesAClearMessage) {
    const std::string book = m_folder.File("Kelmio.htb");
    std::string bytes = test::ReadFileBytes(KELMIO_HELP_BOOK);
    bytes.resize(bytes.size() / 3);  // cut off, central directory and all
    test::WriteFileBytes(book, bytes);
    Start(wxString::FromUTF8(book));
    Send(ID_HELP_FINDER);
    ASSERT_EQ(m_prompter.m_messages.size(), 1u);
    EXPECT_EQ(m_prompter.m_messages[0], Sj("ヘルプファイルを読み込めません：") + book);

    test::WriteFileBytes(book, "not a book at all");
    CHelpViewer other(wxString::FromUTF8(book), m_prompter);
    other.ShowHelp(HelpCommand::kContext, kHelpTopicHowTo);
    EXPECT_EQ(m_prompter.m_messages.size(), 2u);
}

TEST_F(HelpTest, ToolkitHelpRequestsShowNothing) {
    Start(U(KELMIO_HELP_BOOK));
    wxHelpEvent request(wxEVT_HELP, ToWxId(ID_FILE_SRC));
    request.SetEventObject(m_pFrame);
    m_pFrame->ProcessWindowEvent(request);
    Pump();
    EXPECT_EQ(m_pHelp->Window(), nullptr);
    EXPECT_TRUE(m_prompter.m_messages.empty());
}

TEST_F(HelpTest, HomePageOpensTheMakersWebPage) {
    Start(U(KELMIO_HELP_BOOK));
    Send(ID_HELP_HOMEPAGE);
    EXPECT_EQ(m_opened, std::vector<std::string>{std::string(kMakerContact.webPage)});
}

TEST(AboutBox, ShowsTheVersionAndTurnsAFollowedLinkPurple) {
    std::vector<wxString> opened;
    bool desktopAnswers = false;
    CAboutDlg about(nullptr, [&](const wxString& target) {
        opened.push_back(target);
        return desktopAnswers;
    });
    EXPECT_EQ(about.GetTitle(), U("Kelmioのﾊﾞｰｼﾞｮﾝ情報"));
    bool versionShown = false;
    for (wxWindow* child : about.GetChildren()) {
        if (auto* text = dynamic_cast<wxStaticText*>(child)) versionShown |= text->GetLabel() == "Kelmio Version 1.01";
    }
    EXPECT_TRUE(versionShown);

    CStaticLink& web = about.WebLink();
    EXPECT_EQ(web.GetId(), CAboutDlg::kWebLinkId);
    EXPECT_EQ(web.Target(), wxString::FromUTF8(std::string(kMakerContact.webPage)));
    EXPECT_EQ(about.MailLink().Target(), wxString::FromUTF8(MailLinkTarget()));
    EXPECT_EQ(web.GetNormalColour(), wxColour(0, 0, 255));
    EXPECT_EQ(web.GetCursor().IsOk(), true);

    web.Follow();  // the desktop could not open it: still blue
    EXPECT_EQ(web.GetNormalColour(), wxColour(0, 0, 255));
    desktopAnswers = true;
    web.Follow();
    EXPECT_EQ(web.GetNormalColour(), wxColour(128, 0, 128));
    EXPECT_EQ(opened.size(), 2u);
}

}  // namespace
}  // namespace kelmio
