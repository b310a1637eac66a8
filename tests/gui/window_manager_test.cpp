// The main window under a real window manager (the tests run only when
// run_with_window_manager.sh started one): restoring a window that started
// maximised, and the toolbar at the first-start size.

#include <gtest/gtest.h>
#include <wx/splitter.h>
#include <wx/toolbar.h>

#include <cstdlib>
#include <memory>

#include "gui/app/main_frame.h"
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

}  // namespace
}  // namespace kelmio
