// The memo pane in a real window, with the real dictionary behind it: the
// bridge started as PDIC's program, the real IPC, the real result dialog,
// and the saved project read back by kelmio-cli.

#include "gui/memo/kel_form_view.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>
#include <sys/stat.h>
#include <wx/button.h>
#include <wx/choice.h>
#include <wx/dcmemory.h>
#include <wx/dcscreen.h>
#include <wx/frame.h>
#include <wx/image.h>
#include <wx/textctrl.h>
#include <wx/timer.h>
#include <wx/uiaction.h>

#include <cstdio>
#include <filesystem>
#include <functional>

#include "commands/command_ids.h"
#include "gui/dictionary/dic_answer_dialog.h"
#include "gui/memo/input_dlg.h"
#include "gui_support.h"
#include "ipc/wx_dde_transport.h"
#include "platform/ini_system_registry.h"
#include "platform/posix_shell.h"
#include "platform/settings.h"
#include "project/kelmio_doc.h"
#include "project/project_file.h"
#include "support/fake_panes.h"
#include "support/file_bytes.h"
#include "support/scoped_env.h"
#include "support/sjis_literal.h"
#include "support/temp_dir.h"
#include "gui/platform/wx_prompter.h"

namespace kelmio {
namespace {

using namespace kelmio::test;
namespace fs = std::filesystem;

wxString U(const char* utf8) { return wxString::FromUTF8(utf8); }

// What the result dialog showed before the test pressed one of its buttons.
struct AnswerSeen {
    wxString title;
    wxString word;
    wxString answer;
    int dialogs = 0;
};

// Presses `button` in the result dialog as soon as it is shown.
class CAnswerDialogDriver final : public wxTimer {
public:
    CAnswerDialogDriver(AnswerSeen& seen, int button) : m_seen(seen), m_button(button) { Start(30); }

    void Notify() override {
        for (wxWindow* window : wxTopLevelWindows) {
            auto* dialog = dynamic_cast<CDicAnswerDialog*>(window);
            if (dialog == nullptr || !dialog->IsModal()) continue;
            ++m_seen.dialogs;
            m_seen.title = dialog->GetTitle();
            m_seen.word = dynamic_cast<wxTextCtrl*>(dialog->FindWindow(CDicAnswerDialog::kWordId))->GetValue();
            m_seen.answer = dynamic_cast<wxTextCtrl*>(dialog->FindWindow(CDicAnswerDialog::kAnswerId))->GetValue();
            wxWindow* button = dialog->FindWindow(m_button);
            wxCommandEvent click(wxEVT_BUTTON, m_button);
            click.SetEventObject(button);
            button->GetEventHandler()->ProcessEvent(click);
            Stop();
            return;
        }
    }

private:
    AnswerSeen& m_seen;
    int m_button;
};

std::string RunCli(const std::string& arguments) {
    std::string output;
    FILE* pipe = ::popen((std::string(KELMIO_CLI_PATH) + " " + arguments).c_str(), "r");
    if (pipe == nullptr) return output;
    char buffer[4096];
    for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;) output.append(buffer, n);
    ::pclose(pipe);
    return output;
}

class MemoPaneTest : public ::testing::Test {
protected:
    MemoPaneTest()
        : runtimeEnv("XDG_RUNTIME_DIR", PrivateFolder(runtime)),
          configEnv("KELMIO_CONFIG_DIR", config.Path().string()),
          idleEnv("KELMIO_DICTBRIDGE_IDLE_SECONDS", "3"),
          prompter([this] { return static_cast<wxWindow*>(frame); }),
          transport(runtime.Path().string()),
          registry("", KELMIO_BRIDGE_PATH) {
        frame = new wxFrame(nullptr, wxID_ANY, "memo pane", wxDefaultPosition, wxSize(520, 360));
        view = new CKelFormView(frame, prompter);
        DicPlatform platform;
        platform.pTransport = &transport;
        platform.pShell = &shell;
        platform.pRegistry = &registry;
        doc.m_dic.SetPlatform(platform);
        doc.AttachViews(nullptr, nullptr, view);
        view->AttachDocument(&doc);
        frame->Show();
        Pump();
    }

    ~MemoPaneTest() override {
        doc.AttachViews(nullptr, nullptr, nullptr);
        view->AttachDocument(nullptr);
        frame->Destroy();
        Pump();
    }

    static std::string PrivateFolder(const TempDir& dir) {
        ::chmod(dir.Path().c_str(), 0700);
        return dir.Path().string();
    }

    // Opens a project file with the given memos.
    std::string OpenProject(std::initializer_list<std::pair<const char*, const char*>> memos) {
        CKelmioData data;
        for (const auto& [title, text] : memos) data.AppendMemo(CKelmioMemo{Sj(title), Sj(text)});
        const std::string path = project.File("test.kmp");
        WriteFileBytes(path, WriteProject(data));
        EXPECT_TRUE(doc.OpenDocumentFile(path));
        Pump();
        return path;
    }

    // Looks the word in the lookup box up and answers the result dialog.
    AnswerSeen PressEnterAndAnswer(int button) {
        AnswerSeen seen;
        CAnswerDialogDriver driver(seen, button);
        wxCommandEvent enter(wxEVT_TEXT_ENTER, CKelFormView::kLookupBoxId);
        enter.SetEventObject(&view->LookupBox());
        view->LookupBox().GetEventHandler()->ProcessEvent(enter);
        Pump();
        return seen;
    }

    TempDir runtime;
    TempDir config;
    TempDir project;
    ScopedEnv runtimeEnv;
    ScopedEnv configEnv;
    ScopedEnv idleEnv;
    wxFrame* frame = nullptr;
    CKelFormView* view = nullptr;
    CWxPrompter prompter;
    CWxDdeTransport transport;
    CPosixShell shell;
    CIniSystemRegistry registry;
    CMemorySettings settings;
    FakeAppHost app;
    CKelmioDoc doc{settings, prompter, app};
};

TEST_F(MemoPaneTest, TypedWordAndEnterShowTheAnswerAndKeepingItAddsTheMemoAndEmptiesTheBox) {
    if (!fs::exists("/usr/share/dictd/freedict-eng-jpn.index")) GTEST_SKIP() << "freedict is not installed";
    const std::string path = OpenProject({{"notes", "first line"}});
    EXPECT_EQ(view->MemoList().GetCount(), 2u);
    EXPECT_EQ(view->MemoList().GetString(1), U("新規追加..."));
    EXPECT_EQ(view->MemoEdit().GetValue(), "first line");

    // Typed for real: the keys go to the lookup box, Enter presses "辞書".
    view->LookupBox().SetFocus();
    Pump();
    AnswerSeen seen;
    {
        CAnswerDialogDriver driver(seen, wxID_OK);
        wxUIActionSimulator keyboard;
        keyboard.Text("Cat");
        Pump();
        ASSERT_EQ(view->LookupBox().GetValue(), "Cat");
        keyboard.Char(WXK_RETURN);
        for (int i = 0; i < 300 && seen.dialogs == 0; ++i) Pump();
    }
    ASSERT_EQ(seen.dialogs, 1);
    EXPECT_EQ(seen.title, U("辞書検索結果"));
    EXPECT_EQ(seen.word, "cat");
    EXPECT_NE(seen.answer.Find(U("猫")), wxNOT_FOUND);
    EXPECT_EQ(view->LookupBox().GetValue(), "");
    ASSERT_EQ(view->MemoList().GetCount(), 3u);
    EXPECT_EQ(view->MemoList().GetString(1), "Cat");
    EXPECT_EQ(view->MemoList().GetSelection(), 1);
    EXPECT_EQ(view->MemoEdit().GetValue(), seen.answer);
    EXPECT_TRUE(view->MemoEdit().IsEnabled());

    // A Japanese word, then "閉じる": nothing is kept and the word stays.
    view->LookupBox().SetValue(U("猫"));
    const AnswerSeen closed = PressEnterAndAnswer(wxID_CANCEL);
    EXPECT_EQ(closed.dialogs, 1);
    EXPECT_NE(closed.answer.Find("cat"), wxNOT_FOUND);
    EXPECT_EQ(view->LookupBox().GetValue(), U("猫"));
    EXPECT_EQ(doc.m_data.GetMemoCount(), 2u);
    const AnswerSeen kept = PressEnterAndAnswer(wxID_OK);
    EXPECT_EQ(kept.dialogs, 1);
    ASSERT_EQ(doc.m_data.GetMemoCount(), 3u);

    ASSERT_TRUE(doc.OnFileSave());
    const nlohmann::json shown = nlohmann::json::parse(RunCli("project show '" + path + "'"));
    ASSERT_EQ(shown["memos"].size(), 3u);
    EXPECT_EQ(shown["memos"][0]["text"], "first line");
    EXPECT_EQ(shown["memos"][1]["title"], "Cat");
    wxString text = wxString::FromUTF8(shown["memos"][1]["text"].get<std::string>());
    text.Replace("\r\n", "\n");
    EXPECT_EQ(text, seen.answer);
    EXPECT_EQ(shown["memos"][2]["title"], "猫");
    EXPECT_NE(shown["memos"][2]["text"].get<std::string>().find("cat"), std::string::npos);
}

TEST_F(MemoPaneTest, EnterInTheMemoEditIsALineBreak) {
    OpenProject({{"a", ""}});
    view->MemoEdit().SetFocus();
    Pump();
    wxUIActionSimulator keyboard;
    keyboard.Text("x");
    keyboard.Char(WXK_RETURN);
    keyboard.Text("y");
    Pump();
    EXPECT_EQ(view->MemoEdit().GetValue(), "x\ny");
    EXPECT_EQ(doc.m_data.GetMemoCount(), 1u);
    EXPECT_TRUE(doc.IsModified());
    view->SaveMemoText();
    EXPECT_EQ(doc.m_data.GetMemo(0).m_strText, "x\r\ny");
}

// A memo title (or a URL) is typed and confirmed with Enter.
TEST(InputDlgTest, EnterConfirmsTheTypedValue) {
    CInputDlg dialog(nullptr, Sj("メモのタイトルを入力してください"), "");
    EXPECT_EQ(dialog.GetDefaultItem(), dialog.FindWindow(wxID_OK));
    dialog.CallAfter([&dialog] {
        dialog.FindWindow(1015)->SetFocus();  // the value's edit
        Pump();
        wxUIActionSimulator keyboard;
        keyboard.Text("terms");
        keyboard.Char(WXK_RETURN);
        for (int i = 0; i < 100 && dialog.IsModal(); ++i) Pump();
        if (dialog.IsModal()) dialog.EndModal(wxID_CANCEL);
    });
    EXPECT_EQ(dialog.ShowModal(), wxID_OK);
    EXPECT_EQ(dialog.Value(), "terms");
}

// An address typed into the dialog keeps characters Shift-JIS has no form
// for; the Shift-JIS value of a title shows each as "?".
TEST(InputDlgTest, TypedAddressKeepsEveryCharacter) {
    const CFilePath start = CFilePath::FromNative("https://fr.wikipedia.org/wiki/\u00c9t\u00e9");
    CInputDlg dialog(nullptr, Sj("URLを指定してください"), "");
    dialog.SetPathValue(start);
    auto* edit = dynamic_cast<wxTextCtrl*>(dialog.FindWindow(1015));
    ASSERT_NE(edit, nullptr);
    EXPECT_EQ(edit->GetValue(), wxString::FromUTF8("https://fr.wikipedia.org/wiki/\u00c9t\u00e9"));
    edit->SetValue(wxString::FromUTF8("https://de.wikipedia.org/wiki/M\u00fcller \u6e90\u6c0f"));
    EXPECT_EQ(dialog.PathValue().Native(), "https://de.wikipedia.org/wiki/M\u00fcller \u6e90\u6c0f");
    EXPECT_EQ(dialog.Value(), Sj("https://de.wikipedia.org/wiki/M?ller 源氏"));
}

TEST_F(MemoPaneTest, LayoutAndEditCommandsOnTheFocusedControl) {
    OpenProject({{"a", "memo text"}});
    frame->SetClientSize(400, 300);
    Pump();
    const wxSize client = view->GetClientSize();
    const wxRect button = view->DicButton().GetRect();
    EXPECT_EQ(button.GetRight() + 1, client.x);
    EXPECT_EQ(button.y, 0);
    EXPECT_EQ(view->LookupBox().GetRect().width, client.x - button.width);
    EXPECT_EQ(view->MemoList().GetRect().y, button.height);
    EXPECT_EQ(view->MemoEdit().GetRect().y, button.height + view->MemoList().GetRect().height);
    EXPECT_EQ(view->MemoEdit().GetRect().GetBottom() + 1, client.y);

    view->LookupBox().ChangeValue("word");
    view->LookupBox().SetFocus();
    Pump();
    ASSERT_EQ(wxWindow::FindFocus(), &view->LookupBox());
    ASSERT_TRUE(view->OnCommand(ID_EDIT_SELECT_ALL));
    long from = -1, to = -1;
    view->LookupBox().GetSelection(&from, &to);
    EXPECT_EQ(to - from, 4);
    view->MemoEdit().SetFocus();
    Pump();
    ASSERT_TRUE(view->OnCommand(ID_EDIT_GOTO_END));
    EXPECT_EQ(view->MemoEdit().GetInsertionPoint(), view->MemoEdit().GetLastPosition());
    ASSERT_TRUE(view->OnCommand(ID_EDIT_SELECT_ALL));
    view->MemoEdit().GetSelection(&from, &to);
    EXPECT_EQ(to - from, 9);
    EXPECT_FALSE(view->OnCommand(ID_EDIT_REDO));
}

// Typed for real, then 元に戻す: the memo edit and the lookup box each take
// back their last edit, and a second undo brings it again.
TEST_F(MemoPaneTest, UndoTakesBackTheLastEditOfTheFocusedBox) {
    OpenProject({{"a", "first line"}, {"b", "other"}});
    view->MemoEdit().SetFocus();
    view->MemoEdit().SetInsertionPointEnd();
    Pump();
    wxUIActionSimulator keyboard;
    keyboard.Char(WXK_RETURN);
    keyboard.Text("second");
    Pump();
    ASSERT_EQ(view->MemoEdit().GetValue(), "first line\nsecond");
    ASSERT_TRUE(view->OnCommand(ID_EDIT_UNDO));
    EXPECT_EQ(view->MemoEdit().GetValue(), "first line");
    EXPECT_EQ(view->MemoEdit().GetInsertionPoint(), 10);
    ASSERT_TRUE(view->OnCommand(ID_EDIT_UNDO));
    EXPECT_EQ(view->MemoEdit().GetValue(), "first line\nsecond");
    ASSERT_TRUE(view->OnCommand(ID_EDIT_UNDO));
    view->SaveMemoText();
    EXPECT_EQ(doc.m_data.GetMemo(0).m_strText, "first line");
    EXPECT_TRUE(doc.IsModified());

    view->LookupBox().SetFocus();
    Pump();
    keyboard.Text("ot");
    Pump();
    ASSERT_EQ(view->LookupBox().GetValue(), "ot");
    ASSERT_TRUE(view->OnCommand(ID_EDIT_UNDO));
    EXPECT_EQ(view->LookupBox().GetValue(), "");
    EXPECT_EQ(view->MemoEdit().GetValue(), "first line");

    // Another memo shown: nothing of the former one to undo, even when the
    // two hold the same text.
    view->SelectMemo(1);
    view->MemoEdit().SetFocus();
    Pump();
    ASSERT_TRUE(view->OnCommand(ID_EDIT_UNDO));
    EXPECT_EQ(view->MemoEdit().GetValue(), "other");
    keyboard.Text("x");
    Pump();
    keyboard.Char(WXK_BACK);
    Pump();
    ASSERT_EQ(view->MemoEdit().GetValue(), "other");
    doc.m_data.AppendMemo(CKelmioMemo{"c", "other"});
    view->SelectMemo(2);
    ASSERT_TRUE(view->OnCommand(ID_EDIT_UNDO));
    EXPECT_EQ(view->MemoEdit().GetValue(), "other");
}

// What the boxes show is what the memo keeps: a character without a
// Shift-JIS form shows as "?" as soon as it is typed or pasted.
TEST_F(MemoPaneTest, CharactersWithoutAShiftJisFormShowAsTheQuestionMarkTheyAreKeptAs) {
    OpenProject({{"a", ""}});
    view->MemoEdit().SetValue(U("10〜20 件"));  // wave dash and all: kept as typed
    Pump();
    EXPECT_EQ(view->MemoEdit().GetValue(), U("10〜20 件"));
    view->MemoEdit().SetFocus();
    view->MemoEdit().SetInsertionPoint(0);
    view->MemoEdit().WriteText(U("Müller\n"));
    Pump();
    EXPECT_EQ(view->MemoEdit().GetValue(), U("M?ller\n10～20 件"));
    EXPECT_EQ(view->MemoEdit().GetInsertionPoint(), 7);
    view->SaveMemoText();
    EXPECT_EQ(doc.m_data.GetMemo(0).m_strText, Sj("M?ller\r\n10～20 件"));
    // Undo takes back the paste, not the "?".
    ASSERT_TRUE(view->OnCommand(ID_EDIT_UNDO));
    EXPECT_EQ(view->MemoEdit().GetValue(), U("10〜20 件"));

    view->LookupBox().SetValue(U("café"));
    Pump();
    EXPECT_EQ(view->LookupBox().GetValue(), "caf?");
}

TEST_F(MemoPaneTest, ScreenshotWhenAsked) {
    const char* target = std::getenv("KELMIO_SCREENSHOT_MEMO");
    if (target == nullptr) GTEST_SKIP() << "KELMIO_SCREENSHOT_MEMO not set";
    OpenProject({{"用語メモ", "訳語：ねこ\r\n二行目"}, {"second", ""}});
    view->LookupBox().ChangeValue(U("cat"));
    Pump();
    EXPECT_TRUE(SavePng(GrabFromScreen(*frame), target));
}

}  // namespace
}  // namespace kelmio
