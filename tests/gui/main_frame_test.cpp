#include "gui/app/main_frame.h"

#include <gtest/gtest.h>
#include <wx/menu.h>
#include <wx/splitter.h>
#include <wx/statusbr.h>
#include <wx/toolbar.h>

#include <wx/dcmemory.h>
#include <wx/dcscreen.h>
#include <wx/image.h>

#include <cstdlib>
#include <memory>

#include "commands/command_ids.h"
#include "gui/app/wx_command_ids.h"
#include "gui/editor/kel_edit_view.h"
#include "gui/memo/kel_form_view.h"
#include "gui/platform/wx_settings.h"
#include "gui/viewer/text_view.h"
#include "gui_support.h"
#include "support/sjis_literal.h"
#include "support/temp_dir.h"

namespace kelmio {
namespace {

using test::Pump;

wxString U(const char* utf8) { return wxString::FromUTF8(utf8); }

// A main window over a settings file in a temporary folder, opened and
// closed as the application does.
class MainFrameTest : public testing::Test {
protected:
    void Open() {
        m_pSettings = std::make_unique<CWxSettings>(m_folder.Path().string());
        m_pFrame = new CMainFrame(*m_pSettings, m_prompter);
        m_pFrame->ShowWindow();
        Pump();
    }
    void CloseAndFlush() {
        m_pFrame->Close(true);
        Pump();
        m_pFrame = nullptr;
        m_pSettings.reset();  // writes the file
    }
    void TearDown() override {
        if (m_pFrame != nullptr) CloseAndFlush();
    }
    void Send(CommandId id) {
        wxCommandEvent event(wxEVT_MENU, ToWxId(id));
        event.SetEventObject(m_pFrame);
        m_pFrame->ProcessWindowEvent(event);
    }

    test::TempDir m_folder;
    test::CRecordingPrompter m_prompter;
    std::unique_ptr<CWxSettings> m_pSettings;
    CMainFrame* m_pFrame = nullptr;
};

TEST_F(MainFrameTest, ThreePanesInTwoSplittersWithTheEditorActive) {
    Open();
    wxSplitterWindow& outer = m_pFrame->OuterSplitter();
    EXPECT_EQ(outer.GetSplitMode(), wxSPLIT_HORIZONTAL);
    EXPECT_EQ(outer.GetWindow1(), &m_pFrame->TextView());
    EXPECT_EQ(outer.GetWindow2(), &m_pFrame->InnerSplitter());
    EXPECT_EQ(m_pFrame->InnerSplitter().GetSplitMode(), wxSPLIT_VERTICAL);
    EXPECT_EQ(m_pFrame->InnerSplitter().GetWindow1(), &m_pFrame->EditView());
    EXPECT_EQ(m_pFrame->InnerSplitter().GetWindow2(), &m_pFrame->FormView());
    EXPECT_EQ(m_pFrame->ActiveView(), &m_pFrame->EditView());
    EXPECT_EQ(m_pFrame->GetTitle(), U("無題 - Kelmio"));
}

TEST_F(MainFrameTest, MenuBarToolbarAndStatusBarShowTheProductTexts) {
    Open();
    wxMenuBar* bar = m_pFrame->GetMenuBar();
    ASSERT_EQ(bar->GetMenuCount(), 5u);
    EXPECT_EQ(bar->GetMenuLabel(0), U("ﾌｧｲﾙ(&F)"));
    EXPECT_EQ(bar->GetMenuLabel(4), U("ﾍﾙﾌﾟ(&H)"));
    wxMenuItem* source = bar->FindItem(ToWxId(ID_FILE_SRC));
    ASSERT_NE(source, nullptr);
    EXPECT_EQ(source->GetItemLabel(), U("ソースファイルの指定(&R)..."));
    EXPECT_EQ(source->GetHelp(), U("ソースファイルの指定"));
    const wxMenuItemList& file = bar->GetMenu(0)->GetMenuItems();
    EXPECT_EQ(file.GetCount(), 26u);
    EXPECT_TRUE(file[4]->IsSeparator());
    EXPECT_EQ(FromWxId(file[25]->GetId()), ID_APP_EXIT);

    wxToolBar* toolbar = m_pFrame->GetToolBar();
    ASSERT_NE(toolbar, nullptr);
    EXPECT_EQ(toolbar->GetToolsCount(), 24u);
    EXPECT_EQ(toolbar->GetToolPos(ToWxId(ID_FILE_NEW)), 0);
    EXPECT_EQ(toolbar->GetToolPos(ToWxId(ID_FILE_SRC)), 4);
    EXPECT_EQ(toolbar->GetToolPos(ToWxId(ID_HELP_FINDER)), 23);
    EXPECT_EQ(toolbar->GetToolShortHelp(ToWxId(ID_FILE_SAVE)), U("保存"));
    EXPECT_EQ(toolbar->GetToolLongHelp(ToWxId(ID_FILE_SAVE)), U("作業中のﾌｧｲﾙを上書きして保存"));

    wxStatusBar* status = m_pFrame->GetStatusBar();
    EXPECT_EQ(status->GetFieldsCount(), 5);
    EXPECT_EQ(status->GetStatusText(0), U("ﾚﾃﾞｨ"));
}

TEST_F(MainFrameTest, CommandsWithoutTheirCodeAreDisabledNotHidden) {
    Open();
    wxMenuBar* bar = m_pFrame->GetMenuBar();
    bar->UpdateMenus();
    for (CommandId id : {ID_FILE_SRC, ID_FILE_SCAN, ID_IMAGE_ROTATE_ANY, ID_APP_ABOUT}) {
        wxMenuItem* item = bar->FindItem(ToWxId(id));
        ASSERT_NE(item, nullptr) << CommandNumber(id);
        EXPECT_FALSE(item->IsEnabled()) << CommandNumber(id);
    }
    EXPECT_TRUE(bar->FindItem(ToWxId(ID_CURSOR_MEMO))->IsEnabled());
    EXPECT_TRUE(bar->FindItem(ToWxId(ID_EDIT_SELECT_ALL))->IsEnabled());
    // The editor looks words up.
    EXPECT_TRUE(bar->FindItem(ToWxId(ID_DIC_LOOKUP))->IsEnabled());
    EXPECT_TRUE(bar->FindItem(ToWxId(ID_DIC_LOOKUP_CLIPBOARD))->IsEnabled());
    EXPECT_TRUE(bar->FindItem(ToWxId(ID_VIEW_TOOLBAR))->IsChecked());
    // A fresh text has nothing to undo.
    EXPECT_FALSE(bar->FindItem(ToWxId(ID_EDIT_UNDO))->IsEnabled());

    m_pFrame->GetToolBar()->UpdateWindowUI(wxUPDATE_UI_FROMIDLE);
    EXPECT_FALSE(m_pFrame->GetToolBar()->GetToolEnabled(ToWxId(ID_FILE_SCAN)));
    EXPECT_TRUE(m_pFrame->GetToolBar()->GetToolEnabled(ToWxId(ID_FILE_SRC)) == false);
}

TEST_F(MainFrameTest, PaneCommandsMoveTheActivePaneAndEditingFollowsIt) {
    Open();
    Send(ID_CURSOR_SOURCE);
    EXPECT_EQ(m_pFrame->ActiveView(), &m_pFrame->TextView());
    // The source viewer shows nothing, so it has nothing to select; the editor can.
    ASSERT_TRUE(m_pFrame->RouteQuery(ID_EDIT_SELECT_ALL).has_value());
    EXPECT_FALSE(m_pFrame->RouteQuery(ID_EDIT_SELECT_ALL)->bEnabled);
    Send(ID_CURSOR_MEMO);
    EXPECT_EQ(m_pFrame->ActiveView(), &m_pFrame->FormView());
    Send(ID_CURSOR_EDIT);
    EXPECT_EQ(m_pFrame->ActiveView(), &m_pFrame->EditView());
    EXPECT_TRUE(m_pFrame->RouteQuery(ID_EDIT_SELECT_ALL)->bEnabled);
    Send(ID_NEXT_PANE);
    EXPECT_EQ(m_pFrame->ActiveView(), &m_pFrame->FormView());
}

TEST_F(MainFrameTest, SplittersPlacementAndToolbarSurviveARestart) {
    Open();
    m_pFrame->SetSize(wxRect(40, 30, 900, 700));
    Pump();
    m_pFrame->OuterSplitter().SetSashPosition(211);
    m_pFrame->InnerSplitter().SetSashPosition(523);
    Send(ID_VIEW_TOOLBAR);
    EXPECT_FALSE(m_pFrame->GetToolBar()->IsShown());
    Pump();
    const wxRect rect = m_pFrame->GetRect();
    CloseAndFlush();

    CWxSettings stored(m_folder.Path().string());
    EXPECT_EQ(stored.GetInt("View", "PreviewHeight", 0), 211);
    EXPECT_EQ(stored.GetInt("View", "FormWidth", 0), 523);
    EXPECT_EQ(stored.GetInt("Window size", "ToolBar", 1), 0);
    EXPECT_EQ(stored.GetInt("Window size", "showCmd", 0), 1);

    Open();
    EXPECT_EQ(m_pFrame->GetRect(), rect);
    EXPECT_EQ(m_pFrame->OuterSplitter().GetSashPosition(), 211);
    EXPECT_EQ(m_pFrame->InnerSplitter().GetSashPosition(), 523);
    EXPECT_FALSE(m_pFrame->GetToolBar()->IsShown());
    EXPECT_TRUE(m_pFrame->GetStatusBar()->IsShown());
}

// Written while the program runs, so that a crash keeps them.
TEST_F(MainFrameTest, PlacementAndPaneSizesAreStoredSoonAfterTheyChange) {
    Open();
    m_pFrame->SetSize(wxRect(40, 30, 900, 700));
    Pump();
    m_pFrame->OuterSplitter().SetSashPosition(233);
    wxSplitterEvent moved(wxEVT_SPLITTER_SASH_POS_CHANGED, &m_pFrame->OuterSplitter());
    m_pFrame->OuterSplitter().ProcessWindowEvent(moved);
    for (int round = 0; round < 20; ++round) Pump();

    const CWxSettings stored(m_folder.Path().string());
    EXPECT_EQ(stored.GetInt("View", "PreviewHeight", 0), 233);
    EXPECT_EQ(stored.GetString("Window size", "Rect", "").rfind("40,30,940,730,", 0), 0u)
        << stored.GetString("Window size", "Rect", "");
}

// A window squeezed to almost nothing (as some window managers restore a
// window) keeps the pane sizes it had before.
TEST_F(MainFrameTest, PaneSizesOfASqueezedWindowAreNotStored) {
    Open();
    m_pFrame->SetSize(wxRect(40, 30, 900, 700));
    Pump();
    m_pFrame->OuterSplitter().SetSashPosition(211);
    m_pFrame->InnerSplitter().SetSashPosition(523);
    for (int round = 0; round < 20; ++round) Pump();
    m_pFrame->SetSize(wxSize(303, 25));
    for (int round = 0; round < 20; ++round) Pump();
    CloseAndFlush();

    const CWxSettings stored(m_folder.Path().string());
    EXPECT_EQ(stored.GetInt("View", "PreviewHeight", 0), 211);
    EXPECT_EQ(stored.GetInt("View", "FormWidth", 0), 523);
}

// Pane sizes stored on a larger screen than this one can never be placed;
// the user's own sash moves are then what is kept.
TEST_F(MainFrameTest, SashMovesAreKeptWhenTheStoredSizesNeverFit) {
    {
        CWxSettings settings(m_folder.Path().string());
        settings.WriteInt("View", "FormWidth", 5000);
        settings.WriteInt("View", "PreviewHeight", 4000);
    }
    Open();
    m_pFrame->SetSize(wxRect(40, 30, 900, 700));
    Pump();
    m_pFrame->OuterSplitter().SetSashPosition(211);
    m_pFrame->InnerSplitter().SetSashPosition(523);
    // As a drag ends: moving, then moved.
    for (wxSplitterWindow* splitter : {&m_pFrame->OuterSplitter(), &m_pFrame->InnerSplitter()}) {
        for (const wxEventType type : {wxEVT_SPLITTER_SASH_POS_CHANGING, wxEVT_SPLITTER_SASH_POS_CHANGED}) {
            wxSplitterEvent moved(type, splitter);
            moved.SetSashPosition(splitter->GetSashPosition());
            splitter->ProcessWindowEvent(moved);
        }
    }
    Pump();
    CloseAndFlush();

    const CWxSettings stored(m_folder.Path().string());
    EXPECT_EQ(stored.GetInt("View", "PreviewHeight", 0), 211);
    EXPECT_EQ(stored.GetInt("View", "FormWidth", 0), 523);
}

TEST_F(MainFrameTest, FirstStartSplitsHalfTheHeightAndThreeQuartersOfTheWidth) {
    Open();
    EXPECT_EQ(m_pFrame->GetRect(), wxRect(100, 100, 700, 500));
    const wxSize client = m_pFrame->GetClientSize();
    EXPECT_NEAR(m_pFrame->OuterSplitter().GetSashPosition(), client.y / 2, 2);
    EXPECT_NEAR(m_pFrame->InnerSplitter().GetSashPosition(), 3 * client.x / 4, 2);
}

// Window managers may lay a new window out smaller before it gets its own
// size; the stored pane sizes still win once there is room for them.
TEST_F(MainFrameTest, PanesKeepTheirSizesWhenTheWindowFirstComesUpSmall) {
    m_pSettings = std::make_unique<CWxSettings>(m_folder.Path().string());
    m_pFrame = new CMainFrame(*m_pSettings, m_prompter);
    const int formWidth = m_pFrame->InnerSplitter().GetSashPosition();
    m_pFrame->ShowWindow();
    m_pFrame->SetSize(wxSize(300, 250));
    Pump();
    m_pFrame->SetSize(wxSize(700, 500));
    Pump();
    EXPECT_EQ(m_pFrame->InnerSplitter().GetSashPosition(), formWidth);
}

}  // namespace
}  // namespace kelmio

namespace kelmio {
namespace {

using test::GrabFromScreen;
using test::Pump;
using test::SavePng;
using test::Sj;

// Writes a picture of the main window to $KELMIO_SCREENSHOT, for looking
// at what users see; does nothing without it.
TEST_F(MainFrameTest, ScreenshotWhenAsked) {
    const char* target = std::getenv("KELMIO_SCREENSHOT");
    if (target == nullptr) GTEST_SKIP() << "KELMIO_SCREENSHOT not set";
    Open();
    m_pFrame->EditView().Editor().SetText(Sj("これは訳文です。ｶﾀｶﾅ と English の混在。\r\n二行目\r\n"));
    m_pFrame->SetStatusText(wxString::FromUTF8("ﾚﾃﾞｨ"));
    Pump();
    m_pFrame->Refresh();
    m_pFrame->Update();
    Pump();
    EXPECT_TRUE(SavePng(GrabFromScreen(*m_pFrame), target));
}

}  // namespace
}  // namespace kelmio
