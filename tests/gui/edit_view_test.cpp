#include "gui/editor/kel_edit_view.h"

#include <gtest/gtest.h>
#include <wx/bookctrl.h>
#include <wx/clipbrd.h>
#include <wx/dataobj.h>
#include <wx/frame.h>
#include <wx/spinctrl.h>
#include <wx/uiaction.h>
#include <wx/statusbr.h>
#include <wx/time.h>
#include <wx/stc/stc.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <vector>

#include "commands/command_ids.h"
#include "gui/editor/editor_settings_dlg.h"
#include "gui/editor/page_setup_dlg.h"
#include "gui/editor/printer_setup.h"
#include "gui/editor/sjis_marks.h"
#include "gui/platform/caret_blink.h"
#include "gui/platform/gtk_style.h"
#include "gui/platform/toolkit_symbol.h"
#include "gui_support.h"
#include "platform/settings.h"
#include "support/file_bytes.h"
#include "support/sjis_literal.h"
#include "support/temp_dir.h"

namespace kelmio {
namespace {

using test::Sj;

class EditViewTest : public testing::Test {
protected:
    EditViewTest() : m_pFrame(new wxFrame(nullptr, wxID_ANY, "edit")) {
        m_pView = new CKelEditView(m_pFrame, m_settings, m_prompter);
        m_pFrame->SetSize(400, 300);
        m_pFrame->Show();
        test::Pump();
    }
    ~EditViewTest() override {
        m_pFrame->Destroy();
        test::Pump();
    }
    wxStyledTextCtrl& Widget() { return m_pView->Editor().Widget(); }

    CMemorySettings m_settings;
    test::CRecordingPrompter m_prompter;
    test::TempDir m_folder;
    wxFrame* m_pFrame;
    CKelEditView* m_pView;
};

TEST_F(EditViewTest, LoadsAndSavesShiftJisWithCrLfAndCountsOffsetsInItsBytes) {
    const std::string bytes = Sj("訳文ポ\r\nsecond ｱ line\r\n");
    const std::string path = m_folder.File("text.txt");
    std::ofstream(path, std::ios::binary) << bytes;

    m_pView->LoadFile(path);
    EXPECT_FALSE(m_pView->GetModified());
    EXPECT_EQ(m_pView->Editor().GetText(), bytes);

    Widget().GotoLine(1);  // start of "second"
    EXPECT_EQ(m_pView->SelStart(), 8);
    m_pView->Editor().PutSelStart(3);  // inside the second character: its start
    EXPECT_EQ(m_pView->SelStart(), 2);
    m_pView->Editor().PutSelStart(15);
    m_pView->Editor().PutSelLength(3);  // "ｱ l": one byte for the kana
    EXPECT_EQ(m_pView->Editor().SelLength(), 3u);

    const std::string copy = m_folder.File("copy.txt");
    m_pView->SaveFile(copy);
    EXPECT_EQ(test::ReadFileBytes(copy), bytes);
    EXPECT_TRUE(m_prompter.m_messages.empty());
}

// The offsets are kept per line between queries; every kind of change must
// move the lines after it.
TEST_F(EditViewTest, OffsetsFollowEditsAnywhereInTheText) {
    std::string text;
    for (int line = 0; line < 50; ++line) text += Sj("行ｱa\r\n");
    m_pView->Editor().SetText(text);
    const auto expectCaretAtEnd = [&] {
        Widget().DocumentEnd();
        EXPECT_EQ(static_cast<std::size_t>(m_pView->SelStart()), m_pView->Editor().GetText().size());
    };
    expectCaretAtEnd();

    Widget().GotoPos(0);
    Widget().AddText(wxString::FromUTF8("日本\r\n"));  // typed on the first line
    expectCaretAtEnd();
    Widget().DeleteRange(Widget().PositionFromLine(10), Widget().PositionFromLine(13) - Widget().PositionFromLine(10));
    expectCaretAtEnd();
    Widget().Undo();
    expectCaretAtEnd();
    m_pView->Editor().SetText(Sj("短い"));
    expectCaretAtEnd();

    m_pView->SetCaret(2);  // from the Shift-JIS offset back to the widget
    EXPECT_EQ(Widget().GetCurrentPos(), 3);
}

TEST_F(EditViewTest, TypingMarksModifiedAndEnablesUndoLoadingDoesNot) {
    int notified = 0;
    m_pView->SetModifiedHandler([&] { ++notified; });
    m_pView->LoadFile(m_folder.File("missing.txt"));  // a new translation starts empty
    EXPECT_TRUE(m_prompter.m_messages.empty());
    EXPECT_EQ(notified, 0);
    EXPECT_FALSE(m_pView->QueryCommand(ID_EDIT_UNDO)->bEnabled);

    Widget().AddText(wxString::FromUTF8("翻訳"));
    EXPECT_TRUE(m_pView->GetModified());
    EXPECT_GT(notified, 0);
    EXPECT_TRUE(m_pView->QueryCommand(ID_EDIT_UNDO)->bEnabled);

    // Once saved, nothing is undone into the saved text.
    m_pView->PutModified(false);
    EXPECT_FALSE(m_pView->QueryCommand(ID_EDIT_UNDO)->bEnabled);
    EXPECT_FALSE(m_pView->QueryCommand(ID_EDIT_COPY)->bEnabled);
    ASSERT_TRUE(m_pView->OnCommand(ID_EDIT_SELECT_ALL));
    EXPECT_TRUE(m_pView->QueryCommand(ID_EDIT_COPY)->bEnabled);
    ASSERT_TRUE(m_pView->OnCommand(ID_EDIT_CLEAR));
    EXPECT_EQ(m_pView->Editor().GetText(), "");
}

// A character a save would turn into "?" is marked as it is typed, and the
// status bar says why.
TEST_F(EditViewTest, CharactersWithoutShiftJisFormAreMarkedWhenTyped) {
    m_pFrame->CreateStatusBar();
    Widget().AddText(wxString::FromUTF8("訳文 caf"));
    EXPECT_EQ(m_pView->CharsWithoutSjisForm(), 0u);
    EXPECT_EQ(m_pFrame->GetStatusBar()->GetStatusText(), "");
    Widget().AddText(wxString::FromUTF8("é ok 😀"));
    EXPECT_EQ(m_pView->CharsWithoutSjisForm(), 2u);
    const auto marked = [&](const char* utf8Before) {
        const int position = static_cast<int>(std::string(utf8Before).size());
        return Widget().IndicatorValueAt(CSjisMarks::kIndicator, position) != 0;
    };
    EXPECT_TRUE(marked("訳文 caf"));
    EXPECT_TRUE(marked("訳文 café ok "));
    EXPECT_FALSE(marked("訳文 ca"));
    EXPECT_FALSE(marked("訳"));
    EXPECT_FALSE(marked("訳文 café o"));
    EXPECT_EQ(m_pFrame->GetStatusBar()->GetStatusText(),
              wxString::FromUTF8("Shift-JIS で表せない文字です。保存すると「?」に置き換えられます。"));

    // Loaded text is marked too; deleting the characters takes the marks along.
    m_pView->Editor().SetText(Sj("a") + "?" + Sj("b"));
    EXPECT_EQ(m_pView->CharsWithoutSjisForm(), 0u);
    Widget().SetText(wxString::FromUTF8("x한y"));
    EXPECT_EQ(m_pView->CharsWithoutSjisForm(), 1u);
    EXPECT_TRUE(Widget().IndicatorValueAt(CSjisMarks::kIndicator, 1) != 0);
    Widget().SetText("xy");
    EXPECT_EQ(m_pView->CharsWithoutSjisForm(), 0u);
}

TEST_F(EditViewTest, FailuresAreReportedAndTheOldFileStays) {
    const std::string path = m_folder.File("kept.txt");
    std::ofstream(path, std::ios::binary) << "old";
    const EditSaveResult failed = m_pView->SaveFile(m_folder.File("no-such-folder/new.txt"));
    ASSERT_FALSE(failed.ok());
    EXPECT_EQ(failed.error->cause, FileErrorCause::kNotFound);
    EXPECT_NE(failed.error->path.find("no-such-folder"), std::string::npos);

    // A character without a Shift-JIS form is saved as "?" and counted, so
    // the document can tell the user.
    Widget().SetText(wxString::FromUTF8("a\xF0\x9F\x98\x80"));
    const EditSaveResult saved = m_pView->SaveFile(path);
    EXPECT_TRUE(saved.ok());
    EXPECT_EQ(saved.unconvertible, 1u);
    EXPECT_EQ(test::ReadFileBytes(path), "a?");
    EXPECT_TRUE(m_prompter.m_messages.empty());  // reporting is the document's
}

TEST_F(EditViewTest, WheelScrollsThreeLinesAndNeverAboveTheFirst) {
    std::string text;
    for (int line = 0; line < 200; ++line) text += "line\r\n";
    m_pView->Editor().SetText(text);
    test::Pump();
    wxMouseEvent wheel(wxEVT_MOUSEWHEEL);
    wheel.m_wheelRotation = -120;
    wheel.m_wheelDelta = 120;
    wheel.m_linesPerAction = 3;
    Widget().ProcessWindowEvent(wheel);
    EXPECT_EQ(m_pView->FirstVisibleLine(), 3);
    m_pView->Editor().ScrollTo(1);
    wheel.m_wheelRotation = 120;
    Widget().ProcessWindowEvent(wheel);
    EXPECT_EQ(m_pView->FirstVisibleLine(), 0);
    Widget().ProcessWindowEvent(wheel);
    EXPECT_EQ(m_pView->FirstVisibleLine(), 0);
}

}  // namespace
}  // namespace kelmio

namespace kelmio {
namespace {

// The paste state is known without asking the clipboard at each query: it
// follows the clipboard as it changes hands.
TEST_F(EditViewTest, PasteStateFollowsTheClipboard) {
    const auto pasteEnabled = [this] { return m_pView->QueryCommand(ID_EDIT_PASTE)->bEnabled; };
    const auto settlesAt = [&](bool expected) {
        for (int wait = 0; wait < 200 && pasteEnabled() != expected; ++wait) test::Pump();
        return pasteEnabled() == expected;
    };
    {
        wxClipboardLocker locker;
        ASSERT_TRUE(!!locker);
        wxTheClipboard->SetData(new wxTextDataObject(wxString::FromUTF8("貼り付け")));
    }
    EXPECT_TRUE(settlesAt(true));
    Widget().SetReadOnly(true);
    EXPECT_FALSE(pasteEnabled());
    Widget().SetReadOnly(false);
    {
        wxClipboardLocker locker;
        wxTheClipboard->Clear();
    }
    EXPECT_TRUE(settlesAt(false));
    {
        wxClipboardLocker locker;
        wxTheClipboard->SetData(new wxTextDataObject("again"));
    }
    EXPECT_TRUE(settlesAt(true));
}

TEST_F(EditViewTest, EditorSettingsTakeEffectAndAreKept) {
    CEditorSettings settings = m_pView->Editor().GetEditorSettings();
    settings.m_nTabSize = 4;
    settings.m_bWordWrap = false;
    settings.m_bLineNumbers = true;
    settings.m_bShowLineEnds = true;
    m_pView->Editor().ApplySettings(settings);
    EXPECT_EQ(Widget().GetTabWidth(), 4);
    EXPECT_EQ(Widget().GetWrapMode(), wxSTC_WRAP_NONE);
    EXPECT_GT(Widget().GetMarginWidth(0), 0);
    EXPECT_TRUE(Widget().GetViewEOL());

    m_pView->Editor().SaveSettings(m_settings);
    CEditorSettings kept;
    kept.Load(m_settings);
    EXPECT_EQ(kept.m_nTabSize, 4);
    EXPECT_TRUE(kept.m_bLineNumbers);
    EXPECT_EQ(m_pView->PrintSource().nTabSize, 4);  // printing follows the editor
}

// The desktop's caret settings, changed for a test and put back after it.
class CDesktopCaretSettings {
public:
    CDesktopCaretSettings() { Get(m_blinks, m_cycle, m_timeout); }
    ~CDesktopCaretSettings() { Set(m_blinks, m_cycle, m_timeout); }
    CDesktopCaretSettings(const CDesktopCaretSettings&) = delete;
    CDesktopCaretSettings& operator=(const CDesktopCaretSettings&) = delete;

    static void Set(bool blinks, int cycle, int timeout) {
        const auto set = ToolkitFunction<void (*)(void*, const char*, ...)>("g_object_set");
        set(Settings(), "gtk-cursor-blink", static_cast<int>(blinks), "gtk-cursor-blink-time", cycle,
            "gtk-cursor-blink-timeout", timeout, nullptr);
    }

private:
    static void* Settings() { return ToolkitFunction<void* (*)()>("gtk_settings_get_default")(); }
    static void Get(int& blinks, int& cycle, int& timeout) {
        const auto get = ToolkitFunction<void (*)(void*, const char*, ...)>("g_object_get");
        get(Settings(), "gtk-cursor-blink", &blinks, "gtk-cursor-blink-time", &cycle, "gtk-cursor-blink-timeout",
            &timeout, nullptr);
    }

    int m_blinks = 1;
    int m_cycle = 0;
    int m_timeout = 0;
};

TEST(EditorCaretTest, CaretBlinksAsTheDesktopAsks) {
    const CDesktopCaretSettings restore;
    std::vector<std::unique_ptr<CEditXCtrl>> editors;  // outlive their widgets, as in a view
    wxFrame* frame = new wxFrame(nullptr, wxID_ANY, "caret");
    const auto periodOfNewEditor = [frame, &editors] {
        editors.push_back(std::make_unique<CEditXCtrl>(frame));
        return editors.back()->Widget().GetCaretPeriod();
    };

    CDesktopCaretSettings::Set(false, 1200, 10);
    EXPECT_EQ(DesktopCaretBlink().nPeriod, 0);
    EXPECT_EQ(periodOfNewEditor(), 0);  // a steady caret

    CDesktopCaretSettings::Set(true, 1000, 7);
    EXPECT_EQ(DesktopCaretBlink().nTimeoutSeconds, 7);
    EXPECT_EQ(periodOfNewEditor(), 500);  // shown half the cycle, hidden half
    frame->Destroy();
    test::Pump();
}

void SendKeyDown(wxWindow& window) {
    wxKeyEvent key(wxEVT_KEY_DOWN);
    key.m_keyCode = 'A';
    key.SetEventObject(&window);
    window.GetEventHandler()->ProcessEvent(key);
}

TEST(EditorCaretTest, BlinkingStopsAWhileAfterTheLastKeyAndComesBackWithTheNext) {
    wxFrame* frame = new wxFrame(nullptr, wxID_ANY, "caret");
    auto* widget = new wxStyledTextCtrl(frame, wxID_ANY);
    frame->Show();
    {
        const CCaretBlink blink(*widget, CaretBlinkSettings{300, 1});
        EXPECT_EQ(widget->GetCaretPeriod(), 300);
        const wxLongLong start = wxGetLocalTimeMillis();
        while (widget->GetCaretPeriod() != 0 && wxGetLocalTimeMillis() - start < 5000) test::Pump();
        EXPECT_EQ(widget->GetCaretPeriod(), 0);  // rests, shown
        EXPECT_GE(wxGetLocalTimeMillis() - start, 900);
        SendKeyDown(*widget);
        EXPECT_EQ(widget->GetCaretPeriod(), 300);
    }
    // Gone before its widget: the widget's keys no longer reach it.
    SendKeyDown(*widget);

    // And a widget gone first takes its ties along.
    auto blink = std::make_unique<CCaretBlink>(*widget, CaretBlinkSettings{300, 1});
    widget->Destroy();
    test::Pump();
    blink.reset();
    frame->Destroy();
    test::Pump();
}

TEST_F(EditViewTest, SettingsDialogShowsThePagesAsked) {
    const CEditorSettings settings = m_pView->Editor().GetEditorSettings();
    CEditorSettingsDlg all(m_pFrame, settings, kAllPages);
    EXPECT_EQ(all.GetBookCtrl()->GetPageCount(), 3u);
    EXPECT_EQ(all.Result(), settings);  // untouched controls give the settings back
    CEditorSettingsDlg fontOnly(m_pFrame, settings, kPageFont);
    EXPECT_EQ(fontOnly.GetBookCtrl()->GetPageCount(), 1u);
}

}  // namespace
}  // namespace kelmio

namespace kelmio {
namespace {

class EditViewLookupTest : public testing::Test {
protected:
    EditViewLookupTest() : m_pFrame(new wxFrame(nullptr, wxID_ANY, "edit")) {
        m_pView = new CKelEditView(m_pFrame, m_settings, m_prompter);
        m_pView->SetLookupHandler([this](const std::string& word) {
            m_words.push_back(word);
            return false;
        });
        m_pFrame->Show();
        test::Pump();
    }
    ~EditViewLookupTest() override {
        m_pFrame->Destroy();
        test::Pump();
    }

    CMemorySettings m_settings;
    test::CRecordingPrompter m_prompter;
    wxFrame* m_pFrame;
    CKelEditView* m_pView;
    std::vector<std::string> m_words;
};

TEST_F(EditViewLookupTest, WordAtTheCaretOrTheSelectionGoesToTheLookup) {
    m_pView->Editor().SetText(test::Sj("the dog 猫です"));
    m_pView->Editor().PutSelStart(5);
    ASSERT_TRUE(m_pView->QueryCommand(ID_DIC_LOOKUP)->bEnabled);
    ASSERT_TRUE(m_pView->OnCommand(ID_DIC_LOOKUP));
    m_pView->Editor().PutSelStart(8);
    m_pView->Editor().PutSelLength(2);
    m_pView->OnCommand(ID_DIC_LOOKUP);
    EXPECT_EQ(m_words, (std::vector<std::string>{"dog", test::Sj("猫")}));
}

TEST_F(EditViewLookupTest, ClipboardTextGoesToTheLookupAndNoTextDoesNothing) {
    {
        wxClipboardLocker locker;
        ASSERT_TRUE(!!locker);
        wxTheClipboard->SetData(new wxTextDataObject(wxString::FromUTF8("猫 cat")));
    }
    ASSERT_TRUE(m_pView->OnCommand(ID_DIC_LOOKUP_CLIPBOARD));
    ASSERT_EQ(m_words.size(), 1u);
    EXPECT_EQ(m_words[0], test::Sj("猫 cat"));
    {
        wxClipboardLocker locker;
        wxTheClipboard->Clear();
    }
    m_pView->OnCommand(ID_DIC_LOOKUP_CLIPBOARD);
    EXPECT_EQ(m_words.size(), 1u);
}

}  // namespace
}  // namespace kelmio

namespace kelmio {
namespace {

// The text of the project shown before must not stay under the name of a
// file that could not be read: the next save would write it there.
TEST_F(EditViewTest, AFileThatCannotBeReadLeavesTheEditorEmpty) {
    const std::string shown = m_folder.File("shown.txt");
    std::ofstream(shown, std::ios::binary) << "text of the project shown before";
    m_pView->LoadFile(shown);
    const std::string unreadable = m_folder.File("unreadable.txt");
    std::filesystem::create_directory(unreadable);  // exists, yet gives no bytes

    m_pView->LoadFile(unreadable);
    EXPECT_EQ(m_pView->Editor().GetText(), "");
    EXPECT_FALSE(m_pView->GetModified());
    ASSERT_EQ(m_prompter.m_messages.size(), 1u);
}

// Enter in a number field confirms the dialog, with the number typed.
TEST_F(EditViewTest, EnterInANumberFieldConfirmsTheSettingsAndPageSetupDialogs) {
    CEditorSettingsDlg settings(m_pFrame, m_pView->Editor().GetEditorSettings(), kAllPages);
    CPrinterSetup printer;
    CPageSetupDlg pageSetup(m_pFrame, printer, CPrintMargins());
    for (wxDialog* dialog : {static_cast<wxDialog*>(&settings), static_cast<wxDialog*>(&pageSetup)}) {
        dialog->CallAfter([dialog] {
            wxWindow* field = nullptr;
            wxWindowList pending = dialog->GetChildren();
            while (field == nullptr && !pending.empty()) {
                wxWindow* window = pending.front();
                pending.pop_front();
                if (wxDynamicCast(window, wxSpinCtrl) || wxDynamicCast(window, wxSpinCtrlDouble)) field = window;
                for (wxWindow* child : window->GetChildren()) pending.push_back(child);
            }
            if (field == nullptr) {
                dialog->EndModal(wxID_CANCEL);
                return;
            }
            field->SetFocus();
            test::Pump();
            wxUIActionSimulator keyboard;
            keyboard.Char('A', wxMOD_CONTROL);
            keyboard.Text("6");
            keyboard.Char(WXK_RETURN);
            for (int i = 0; i < 100 && dialog->IsModal(); ++i) test::Pump();
            if (dialog->IsModal()) dialog->EndModal(wxID_CANCEL);
        });
        EXPECT_EQ(dialog->ShowModal(), wxID_OK);
    }
    EXPECT_EQ(settings.Result().m_nTabSize, 6);
    EXPECT_EQ(pageSetup.Margins().m_nTop, 600);
}

}  // namespace
}  // namespace kelmio
