// The main window under a real window manager (the tests run only when
// run_with_window_manager.sh started one): restoring a window that started
// maximised, the same normal size after any number of starts, a window
// closed minimised, the toolbar at the first-start size, and the print
// preview taking the keyboard.

#include <gtest/gtest.h>
#include <wx/print.h>
#include <wx/splitter.h>
#include <wx/stc/stc.h>
#include <wx/toolbar.h>
#include <wx/uiaction.h>
#include <wx/weakref.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "commands/command_ids.h"
#include "gui/app/main_frame.h"
#include "gui/app/wx_command_ids.h"
#include "gui/editor/kel_edit_view.h"
#include "gui/platform/wx_settings.h"
#include "gui_support.h"
#include "support/temp_dir.h"

namespace kelmio {
namespace {

using test::Pump;

bool UnderWindowManager() {
    const char* wm = std::getenv("KELMIO_WINDOW_MANAGER");
    return wm != nullptr && *wm != '\0';
}

// Lets the window manager answer: it maps, maximises and restores
// asynchronously.
void Settle() {
    for (int round = 0; round < 10; ++round) Pump();
}

template <typename Predicate>
bool WaitFor(Predicate done) {
    for (int round = 0; round < 60 && !done(); ++round) Pump();
    return done();
}

class WindowManagerTest : public testing::Test {
protected:
    void SetUp() override {
        if (!UnderWindowManager()) GTEST_SKIP() << "needs a window manager (run_with_window_manager.sh)";
    }
    void Open() {
        m_pSettings = std::make_unique<CWxSettings>(m_folder.Path().string());
        m_pFrame = new CMainFrame(*m_pSettings, m_prompter);
        m_pFrame->ShowWindow();
        Settle();
    }
    void Close() {
        m_pFrame->Close(true);
        Settle();
        m_pFrame = nullptr;
        m_pSettings.reset();
    }
    void TearDown() override {
        if (m_pFrame != nullptr) Close();
    }

    test::TempDir m_folder;
    test::CRecordingPrompter m_prompter;
    std::unique_ptr<CWxSettings> m_pSettings;
    CMainFrame* m_pFrame = nullptr;
};

// The first window of the process: GTK's warnings came with the first one.
TEST_F(WindowManagerTest, FirstStartSizeShowsTheWholeToolbarWithoutToolkitWarnings) {
    test::CapturedStderr captured;
    Open();
    const std::string warnings = captured.Take();
    wxToolBar* toolbar = m_pFrame->GetToolBar();
    ASSERT_NE(toolbar, nullptr);
    EXPECT_EQ(m_pFrame->GetSize(), wxSize(700, 500));
    EXPECT_LE(toolbar->GetBestSize().x, toolbar->GetClientSize().x)
        << "best " << toolbar->GetBestSize().x << " shown " << toolbar->GetClientSize().x;
    EXPECT_EQ(warnings.find("Gtk-"), std::string::npos) << warnings;
}

TEST_F(WindowManagerTest, RestoringAfterAMaximisedStartGivesTheStoredNormalRectangle) {
    Open();
    m_pFrame->SetSize(wxRect(60, 50, 820, 610));
    Settle();
    const wxSize normal = m_pFrame->GetSize();
    m_pFrame->Maximize();
    ASSERT_TRUE(WaitFor([&] { return m_pFrame->IsMaximized(); }));
    Close();

    Open();
    ASSERT_TRUE(WaitFor([&] { return m_pFrame->IsMaximized(); }));
    m_pFrame->Maximize(false);
    ASSERT_TRUE(WaitFor([&] { return !m_pFrame->IsMaximized() && m_pFrame->GetSize() == normal; }))
        << m_pFrame->GetSize().x << "x" << m_pFrame->GetSize().y;
    const int previewHeight = m_pFrame->OuterSplitter().GetSashPosition();
    Close();

    CWxSettings stored(m_folder.Path().string());
    EXPECT_GT(stored.GetInt("View", "PreviewHeight", 0), 40);
    EXPECT_GT(stored.GetInt("View", "FormWidth", 0), 40);
    EXPECT_EQ(stored.GetInt("View", "PreviewHeight", 0), previewHeight);
}

// One start of a placement cycle, run in a process of its own (the
// toolkit learns the size of the window manager's frame once a process):
// started maximised, the window is restored, its rectangle and client size
// are written to the file named by KELMIO_PLACEMENT_REPORT, and it is
// maximised again and closed.
TEST_F(WindowManagerTest, OneStartOfAPlacementCycle) {
    const char* folder = std::getenv("KELMIO_PLACEMENT_FOLDER");
    const char* report = std::getenv("KELMIO_PLACEMENT_REPORT");
    if (folder == nullptr || report == nullptr) GTEST_SKIP() << "run by MaximiseExitStartRestoreCyclesKeepTheNormalSize";
    m_pSettings = std::make_unique<CWxSettings>(folder);
    m_pFrame = new CMainFrame(*m_pSettings, m_prompter);
    m_pFrame->ShowWindow();
    Settle();
    ASSERT_TRUE(WaitFor([&] { return m_pFrame->IsMaximized(); }));
    m_pFrame->Maximize(false);
    ASSERT_TRUE(WaitFor([&] { return !m_pFrame->IsMaximized(); }));
    Settle();
    const wxRect rect = m_pFrame->GetRect();
    const wxSize client = m_pFrame->GetClientSize();
    std::ofstream(report, std::ios::app) << rect.x << ' ' << rect.y << ' ' << rect.width << ' ' << rect.height << ' '
                                         << client.x << ' ' << client.y << '\n';
    m_pFrame->Maximize();
    ASSERT_TRUE(WaitFor([&] { return m_pFrame->IsMaximized(); }));
    Settle();
    m_pFrame->Close(true);
    Settle();
    m_pFrame = nullptr;
}

TEST_F(WindowManagerTest, MaximiseExitStartRestoreCyclesKeepTheNormalSize) {
    {
        CWxSettings settings(m_folder.Path().string());
        settings.WriteString("Window size", "Rect", "100,100,1100,800,0,0,-1,-1");
        settings.WriteInt("Window size", "showCmd", 3);
    }
    const std::string report = m_folder.File("report.txt");
    const std::string self = std::filesystem::read_symlink("/proc/self/exe").string();
    const std::string command = "KELMIO_PLACEMENT_FOLDER='" + m_folder.Path().string() + "' KELMIO_PLACEMENT_REPORT='" +
                                report + "' '" + self + "' --gtest_filter=WindowManagerTest.OneStartOfAPlacementCycle" +
                                " >/dev/null 2>&1";
    for (int start = 0; start < 3; ++start) ASSERT_EQ(std::system(command.c_str()), 0) << "start " << start;

    std::ifstream lines(report);
    std::vector<std::string> starts;
    for (std::string line; std::getline(lines, line);) starts.push_back(line);
    ASSERT_EQ(starts.size(), 3u);
    EXPECT_EQ(starts[1], starts[0]);
    EXPECT_EQ(starts[2], starts[0]);
    // The restored window is the stored rectangle, its frame included.
    std::istringstream first(starts[0]);
    int x = 0, y = 0, width = 0, height = 0;
    first >> x >> y >> width >> height;
    EXPECT_EQ(wxSize(width, height), wxSize(1000, 700)) << starts[0];
    CWxSettings stored(m_folder.Path().string());
    EXPECT_EQ(stored.GetString("Window size", "Rect", ""), "100,100,1100,800,0,0,-1,-1");
    EXPECT_EQ(stored.GetInt("Window size", "showCmd", 0), 3);
}

// The next start is minimised, and the editor takes the keyboard once the
// window is brought back (focusing it at the start would have shown it).
TEST_F(WindowManagerTest, AWindowClosedMinimisedIsStoredSoAndComesBackWithItsRectangle) {
    Open();
    m_pFrame->SetSize(wxRect(80, 60, 900, 650));
    Settle();
    m_pFrame->Iconize();
    ASSERT_TRUE(WaitFor([&] { return m_pFrame->IsIconized(); }));
    Close();
    EXPECT_EQ(CWxSettings(m_folder.Path().string()).GetInt("Window size", "showCmd", 0), 2);

    Open();
    EXPECT_TRUE(WaitFor([&] { return m_pFrame->IsIconized(); }));
    Settle();
    EXPECT_TRUE(m_pFrame->IsIconized());
    m_pFrame->Iconize(false);
    EXPECT_TRUE(WaitFor([&] { return !m_pFrame->IsIconized() && m_pFrame->GetSize() == wxSize(900, 650); }))
        << m_pFrame->GetSize().x << "x" << m_pFrame->GetSize().y;
    EXPECT_TRUE(WaitFor([&] { return wxWindow::FindFocus() == static_cast<wxWindow*>(&m_pFrame->EditView().Editor().Widget()); }));
}

TEST_F(WindowManagerTest, PrintPreviewTakesTheKeyboardAndEscapeClosesIt) {
    Open();
    ASSERT_TRUE(WaitFor([&] { return m_pFrame->IsActive(); }));
    m_pFrame->EditView().Editor().SetText("A page to preview.");
    wxCommandEvent command(wxEVT_MENU, ToWxId(ID_FILE_PRINT_PREVIEW));
    m_pFrame->ProcessWindowEvent(command);
    wxWeakRef<wxFrame> preview;
    for (wxWindow* window : wxTopLevelWindows) {
        if (auto* frame = wxDynamicCast(window, wxPreviewFrame)) preview = frame;
    }
    ASSERT_TRUE(preview);
    EXPECT_TRUE(WaitFor([&] { return preview->IsActive(); }));
    wxWindow* focus = wxWindow::FindFocus();
    ASSERT_NE(focus, nullptr);
    EXPECT_EQ(wxGetTopLevelParent(focus), preview.get());

    // A real key from the keyboard, which goes where the window manager
    // put the focus.
    wxUIActionSimulator().Char(WXK_ESCAPE);
    EXPECT_TRUE(WaitFor([&] { return !preview; }));
    EXPECT_TRUE(m_pFrame->IsEnabled());
}

}  // namespace
}  // namespace kelmio
