// The key customisation dialogs driven as a user would, on the real main
// window: a new shortcut shows in the menu, runs its command at once, is
// saved with "保存して閉じる" and is there again after a restart.

#include <gtest/gtest.h>
#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/dcmemory.h>
#include <wx/dcscreen.h>
#include <wx/imagpng.h>
#include <wx/listbox.h>
#include <wx/menu.h>
#include <wx/toolbar.h>

#include <cstdlib>
#include <filesystem>
#include <functional>

#include "commands/command_ids.h"
#include "gui/app/app_commands.h"
#include "gui/app/help_viewer.h"
#include "gui/app/main_frame.h"
#include "gui/app/wx_command_ids.h"
#include "gui/keys/key_dispatch_filter.h"
#include "gui/keys/key_list_box.h"
#include "gui/keys/key_set_dialog.h"
#include "gui/keys/keycust_dialog.h"
#include "gui/platform/wx_settings.h"
#include "gui_support.h"
#include "keys/key_file.h"
#include "keys/keycust_array.h"
#include "support/file_bytes.h"
#include "support/sjis_literal.h"
#include "support/temp_dir.h"

namespace kelmio {
namespace {

using test::GrabFromScreen;
using test::PressKey;
using test::Pump;
using test::Sj;

wxString U(const char* utf8) { return wxString::FromUTF8(utf8); }

// The number a key binding stores for a command.
unsigned N(CommandId id) { return static_cast<unsigned>(CommandNumber(id)); }

template <typename T>
T* Find(wxWindow& window, int id) {
    return dynamic_cast<T*>(window.FindWindow(id));
}

template <typename Dialog>
Dialog* ShownDialog() {
    for (wxWindow* window : wxTopLevelWindows) {
        if (auto* dialog = dynamic_cast<Dialog*>(window); dialog != nullptr && dialog->IsModal()) return dialog;
    }
    return nullptr;
}

void Click(wxWindow& dialog, int id) {
    wxWindow* button = dialog.FindWindow(id);
    ASSERT_NE(button, nullptr) << id;
    wxCommandEvent click(wxEVT_BUTTON, id);
    click.SetEventObject(button);
    button->GetEventHandler()->ProcessEvent(click);
}

void Tick(wxDialog& dialog, int id, bool on) {
    auto* box = Find<wxCheckBox>(dialog, id);
    box->SetValue(on);
    wxCommandEvent event(wxEVT_CHECKBOX, id);
    event.SetInt(on ? 1 : 0);
    event.SetEventObject(box);
    box->GetEventHandler()->ProcessEvent(event);
}

void Select(wxDialog& dialog, int id, const wxString& text) {
    auto* list = Find<wxListBox>(dialog, id);
    const int index = list->FindString(text, true);
    ASSERT_NE(index, wxNOT_FOUND) << text.utf8_string();
    list->SetSelection(index);
    wxCommandEvent event(wxEVT_LISTBOX, id);
    event.SetInt(index);
    event.SetEventObject(list);
    list->GetEventHandler()->ProcessEvent(event);
}

// Runs `user` on the modal dialog of that class as soon as it is shown; a
// dialog the user left open is cancelled, so a failing test cannot hang.
template <typename Dialog>
void WhenShown(std::function<void(Dialog&)> user) {
    wxTheApp->CallAfter([user] {
        Dialog* dialog = ShownDialog<Dialog>();
        if (dialog == nullptr) {
            ADD_FAILURE() << "the dialog did not open";
            return;
        }
        user(*dialog);
        if (dialog->IsModal()) dialog->EndModal(wxID_CANCEL);
    });
}

// In the binding dialog: Ctrl and Shift ticked as asked, the key and the
// command chosen by their texts, then OK.
std::function<void(CKeycustDialog&)> BindKey(const char* keyText, bool ctrl, bool shift, const char* command) {
    return [=](CKeycustDialog& dialog) {
        Tick(dialog, CKeycustDialog::kCtrlId, ctrl);
        Tick(dialog, CKeycustDialog::kShiftId, shift);
        Select(dialog, CKeycustDialog::kKeyListId, U(keyText));
        Select(dialog, CKeycustDialog::kCommandListId, U(command));
        Click(dialog, wxID_OK);
    };
}

// What the screen shows of the window.
wxImage Grab(wxWindow& window) {
    window.Raise();
    window.Refresh();
    window.Update();
    // A dialog just shown may not be on the screen yet.
    for (int round = 0; round < 6; ++round) {
        Pump();
        wxMilliSleep(30);
    }
    return GrabFromScreen(window);
}

// Screenshots for the documentation, when a folder is named.
void SaveScreenshot(wxWindow& window, const char* name) {
    const char* folder = std::getenv("KELMIO_SCREENSHOT_DIR");
    if (folder == nullptr) return;
    if (wxImage::FindHandler(wxBITMAP_TYPE_PNG) == nullptr) wxImage::AddHandler(new wxPNGHandler);
    Grab(window).SaveFile((std::filesystem::path(folder) / name).string(), wxBITMAP_TYPE_PNG);
}

// The main window as the application puts it together, over a program
// folder and a settings folder of the test's own.
class KeyDialogsTest : public testing::Test {
protected:
    KeyDialogsTest() : m_settings(m_folder.File("config")) {
        std::filesystem::create_directory(m_folder.File("program"));
    }
    ~KeyDialogsTest() override { CloseWindow(); }

    void Start() {
        m_pTable = std::make_unique<CKeycustArray>(
            m_settings, KeyFileFolders{m_folder.File("program"), m_folder.File("data")});
        m_pTable->LoadAtStartup();
        m_pFrame = new CMainFrame(m_settings, m_prompter);
        AttachKeyTable(*m_pFrame, *m_pTable, [this] { return m_bEditorKeysFirst; });
        m_pHelp = std::make_unique<CHelpViewer>(U(KELMIO_HELP_BOOK), m_prompter);
        m_pCommands = std::make_unique<CAppCommands>(
            *m_pFrame, CAppCommands::Services{*m_pTable, m_settings, m_prompter, *m_pHelp,
                                              [this](bool on) { m_bEditorKeysFirst = on; },
                                              [](const std::string&) { return true; }});
        m_pFrame->SetAppTarget(m_pCommands.get());
        m_pFrame->ShowWindow();
        Pump();
    }
    void CloseWindow() {
        if (m_pFrame == nullptr) return;
        m_pFrame->SetAppTarget(nullptr);
        m_pFrame->Close(true);
        Pump();
        m_pFrame = nullptr;
        m_pCommands.reset();
        m_pHelp.reset();
        m_pTable.reset();  // remembers the key file's path, as at the end of the program
    }
    void Send(CommandId id) {
        wxCommandEvent event(wxEVT_MENU, ToWxId(id));
        m_pFrame->ProcessWindowEvent(event);
        Pump();
    }
    bool Press(int wxKey, bool ctrl, bool shift) { return PressKey(*m_pFrame, wxKey, ctrl, shift); }
    wxString Caption(CommandId id) { return m_pFrame->GetMenuBar()->FindItem(ToWxId(id))->GetItemLabel(); }
    bool ToolbarShown() { return m_pFrame->GetToolBar()->IsShown(); }

    test::TempDir m_folder;
    test::CRecordingPrompter m_prompter;
    CWxSettings m_settings;
    std::unique_ptr<CKeycustArray> m_pTable;
    std::unique_ptr<CHelpViewer> m_pHelp;
    std::unique_ptr<CAppCommands> m_pCommands;
    CMainFrame* m_pFrame = nullptr;
    bool m_bEditorKeysFirst = false;
};

TEST_F(KeyDialogsTest, NewShortcutShowsRunsIsSavedAndComesBackAfterARestart) {
    Start();
    ASSERT_TRUE(ToolbarShown());
    EXPECT_FALSE(Press('K', true, true));

    wxString captionWhileOpen;
    std::vector<KeyListRow> rows;
    WhenShown<CKeySetDialog>([&](CKeySetDialog& dialog) {
        EXPECT_EQ(dialog.GetTitle(), U("キーカスタマイズ"));
        WhenShown<CKeycustDialog>([](CKeycustDialog& binding) {
            EXPECT_EQ(binding.GetTitle(), U("キーカスタマイズの追加"));
            BindKey("Shift+Ctrl+K", true, true, "[表示]ツールバー")(binding);
        });
        Click(dialog, CKeySetDialog::kAddId);
        captionWhileOpen = Caption(ID_VIEW_TOOLBAR);
        Click(dialog, wxID_OK);  // 保存して閉じる
    });
    Send(ID_KEY_CUSTOMIZE);
    EXPECT_EQ(captionWhileOpen, U("ツールバー(&T)\tShift+Ctrl+K"));

    // The running dispatch takes the key at once.
    EXPECT_TRUE(Press('K', true, true));
    EXPECT_FALSE(ToolbarShown());
    EXPECT_TRUE(Press('K', true, true));
    EXPECT_TRUE(ToolbarShown());
    const std::string keyFile = m_folder.File("program/Kelmio.key");
    EXPECT_EQ(ReadKeyFile(test::ReadFileBytes(keyFile)),
              std::vector<CKeycust>{CKeycust::Of('K', false, true, true, N(ID_VIEW_TOOLBAR))});
    EXPECT_TRUE(m_prompter.m_messages.empty());

    CloseWindow();
    Start();
    EXPECT_EQ(m_pTable->GetPath(), keyFile);
    wxActivateEvent activate(wxEVT_ACTIVATE, true);
    m_pFrame->ProcessWindowEvent(activate);
    EXPECT_EQ(Caption(ID_VIEW_TOOLBAR), U("ツールバー(&T)\tShift+Ctrl+K"));
    EXPECT_TRUE(Press('K', true, true));
    EXPECT_FALSE(ToolbarShown());
}

TEST_F(KeyDialogsTest, GivingTheSameKeyToASecondCommandAsksAndMovesIt) {
    m_settings.WriteString("System", "Keycust", m_folder.File("program/Kelmio.key"));
    test::WriteFileBytes(m_folder.File("program/Kelmio.key"),
                         WriteKeyFile({CKeycust::Of('K', false, true, true, N(ID_VIEW_TOOLBAR))}));
    Start();
    WhenShown<CKeySetDialog>([&](CKeySetDialog& dialog) {
        WhenShown<CKeycustDialog>([](CKeycustDialog& binding) {
            Tick(binding, CKeycustDialog::kCtrlId, true);
            Tick(binding, CKeycustDialog::kShiftId, true);
            Select(binding, CKeycustDialog::kKeyListId, U("Shift+Ctrl+K"));
            // The key runs a command already: it is shown, and OK reads 変更.
            EXPECT_EQ(Find<wxListBox>(binding, CKeycustDialog::kCommandListId)->GetStringSelection(),
                      U("[表示]ツールバー"));
            EXPECT_EQ(Find<wxButton>(binding, wxID_OK)->GetLabel(), U("変更"));
            Select(binding, CKeycustDialog::kCommandListId, U("[表示]ステータスバー"));
            Click(binding, wxID_OK);
        });
        Click(dialog, CKeySetDialog::kAddId);
        dialog.Close();  // the close box: nothing is saved
    });
    Send(ID_KEY_CUSTOMIZE);
    ASSERT_EQ(m_prompter.m_messages.size(), 1u);
    EXPECT_EQ(m_prompter.m_messages[0], Sj("このキーは [表示]ツールバー に設定済みです。変更しますか？"));
    EXPECT_EQ(Caption(ID_VIEW_STATUS_BAR), U("ステータスバー(&S)\tShift+Ctrl+K"));
    EXPECT_EQ(Caption(ID_VIEW_TOOLBAR), U("ツールバー(&T)"));
    EXPECT_TRUE(Press('K', true, true));
    EXPECT_TRUE(ToolbarShown());
    EXPECT_FALSE(m_pFrame->GetStatusBar()->IsShown());
    // Closed with the close box: the file still holds the old binding.
    EXPECT_EQ(ReadKeyFile(test::ReadFileBytes(m_folder.File("program/Kelmio.key"))),
              std::vector<CKeycust>{CKeycust::Of('K', false, true, true, N(ID_VIEW_TOOLBAR))});
}

TEST_F(KeyDialogsTest, ListDrawsTwoColumnsAndTheSelectionNavyWithWhiteText) {
    m_settings.WriteString("System", "Keycust", m_folder.File("program/Kelmio.key"));
    test::WriteFileBytes(m_folder.File("program/Kelmio.key"),
                         WriteKeyFile({CKeycust::Of('S', false, false, true, N(ID_FILE_SAVE)),
                                       CKeycust::Of(114, false, false, false, N(ID_EDIT_REPEAT)),
                                       CKeycust::Of(114, false, true, false, N(ID_EDIT_FIND_PREV)),
                                       CKeycust::Of('D', false, false, true, N(ID_DIC_LOOKUP)),
                                       CKeycust::Of('1', false, false, true, N(ID_CURSOR_SOURCE)),
                                       CKeycust::Of('2', false, false, true, N(ID_CURSOR_EDIT)),
                                       CKeycust::Of('3', false, false, true, N(ID_CURSOR_MEMO)),
                                       CKeycust::Of(112, false, false, false, N(ID_HELP_FINDER)),
                                       CKeycust::Of('K', false, true, true, N(ID_FILE_SRC))}));
    Start();
    WhenShown<CKeySetDialog>([&](CKeySetDialog& dialog) {
        CKeyListBox& list = dialog.List();
        EXPECT_EQ(list.GetItemCount(), 9u);
        EXPECT_EQ(list.GetSelection(), 0);
        // The first line is selected: navy with white text and a white
        // column line; the second is white with black text.
        const wxRect row(0, 0, list.GetClientSize().x, list.GetItemRect(0).GetHeight());
        wxBitmap picture(row.width, row.height * 2);
        {
            wxMemoryDC dc(picture);
            list.DrawRow(dc, row, 0);
            list.DrawRow(dc, wxRect(0, row.height, row.width, row.height), 1);
        }
        const wxImage shown = picture.ConvertToImage();
        const auto colourAt = [&shown](int x, int y) {
            return wxColour(shown.GetRed(x, y), shown.GetGreen(x, y), shown.GetBlue(x, y));
        };
        const int line = list.ColumnLineOffset();
        EXPECT_EQ(colourAt(line - 4, row.height / 2), wxColour(0, 0, 128));
        EXPECT_EQ(colourAt(line, row.height / 2), *wxWHITE);
        EXPECT_EQ(colourAt(line - 4, row.height + row.height / 2), *wxWHITE);
        EXPECT_EQ(colourAt(line, row.height + row.height / 2), *wxBLACK);
        const auto anyPixel = [&](int top, const wxColour& colour) {
            for (int x = 0; x < line - 4; ++x) {
                for (int y = top; y < top + row.height; ++y) {
                    if (colourAt(x, y) == colour) return true;
                }
            }
            return false;
        };
        EXPECT_TRUE(anyPixel(0, *wxWHITE));           // the key text of the selected line
        EXPECT_TRUE(anyPixel(row.height, *wxBLACK));  // the key text of the other line
        SaveScreenshot(dialog, "key-dialog.png");
        WhenShown<CKeycustDialog>([](CKeycustDialog& binding) {
            EXPECT_EQ(binding.GetTitle(), U("キーカスタマイズの変更"));
            EXPECT_EQ(Find<wxListBox>(binding, CKeycustDialog::kKeyListId)->GetStringSelection(), "F1");
            EXPECT_EQ(Find<wxListBox>(binding, CKeycustDialog::kCommandListId)->GetStringSelection(),
                      U("[ﾍﾙﾌﾟ]ヘルプ"));
        });
        Click(dialog, CKeySetDialog::kChangeId);
        Click(dialog, wxID_OK);
    });
    Send(ID_KEY_CUSTOMIZE);
}

// Over a modal dialog the help viewer is modal too: the user reads the
// topic, closes it and is back in the dialog.
TEST_F(KeyDialogsTest, F1InTheBindingDialogShowsItsTopic) {
    Start();
    wxString shownPage;
    WhenShown<CKeySetDialog>([&](CKeySetDialog& dialog) {
        WhenShown<CKeycustDialog>([&](CKeycustDialog& binding) {
            wxTheApp->CallAfter([&] {
                for (int round = 0; round < 20 && m_pHelp->OpenedPage().empty(); ++round) Pump();
                shownPage = m_pHelp->OpenedPage();
                if (m_pHelp->Window() != nullptr) m_pHelp->Window()->Close();  // as its close box
            });
            wxKeyEvent f1(wxEVT_CHAR_HOOK);
            f1.m_keyCode = WXK_F1;
            f1.SetEventObject(&binding);
            binding.GetEventHandler()->ProcessEvent(f1);
            EXPECT_TRUE(binding.IsModal());
            Click(binding, wxID_CANCEL);
        });
        Click(dialog, CKeySetDialog::kAddId);
        dialog.Close();
    });
    Send(ID_KEY_CUSTOMIZE);
    EXPECT_TRUE(shownPage.EndsWith("keycust.html")) << shownPage;
    EXPECT_TRUE(m_prompter.m_messages.empty());
    wxTheApp->ProcessIdle();
}

}  // namespace
}  // namespace kelmio
