// Unsaved work survives the program being killed: a first Kelmio (this test
// program started again) types into the translation, the second memo (left
// selected) and the text source, waits for its recovery copy and is killed
// with SIGKILL; the next start, with the same project, asks whether to
// restore and does what the answer says.

#include <gtest/gtest.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>
#include <wx/stc/stc.h>

#include <chrono>
#include <filesystem>
#include <memory>
#include <thread>

#include "app/command_line.h"
#include "commands/command_ids.h"
#include "gui/app/app_shell.h"
#include "gui/app/main_frame.h"
#include "gui/app/recovery_timer.h"
#include "gui/app/wx_command_ids.h"
#include "gui/editor/kel_edit_view.h"
#include "gui/memo/kel_form_view.h"
#include "gui/viewer/plain_edit_ctrl.h"
#include "gui/viewer/text_view.h"
#include "gui/platform/wx_settings.h"
#include "gui_support.h"
#include "project/project_file.h"
#include "recovery/recovery_store.h"
#include "support/file_bytes.h"
#include "support/scoped_env.h"
#include "support/scripted_prompter.h"
#include "support/sjis_literal.h"
#include "support/temp_dir.h"

extern char** environ;

namespace kelmio {
namespace {

using test::Pump;
using test::Sj;
using namespace std::chrono_literals;

// Set to the project path in the program started to be killed.
constexpr const char* kChildProject = "KELMIO_RECOVERY_CHILD_PROJECT";
constexpr const char* kTyped = "\r\n殺される前に打った訳文";
constexpr const char* kMemoTyped = "打ったメモ";
constexpr const char* kSourceText = "原文の一行目\r\n";
constexpr const char* kSourceTyped = "直した原文";

std::string Typed() { return Sj(kTyped); }

// The first Kelmio: opens the project, types, and runs until it is killed.
TEST(RecoveryChild, TypesThenRunsUntilKilled) {
    const char* project = std::getenv(kChildProject);
    if (project == nullptr) GTEST_SKIP() << "the program RecoveryProcessTest starts and kills";
    CWxSettings settings(std::string(std::getenv("XDG_CONFIG_HOME")) + "/Morva");
    test::CScriptedPrompter prompter;
    CAppShell shell(settings, prompter);
    ASSERT_TRUE(shell.Start(ParseCommandLine({project})));
    wxStyledTextCtrl& editor = shell.MainFrame()->EditView().Editor().Widget();
    editor.DocumentEnd();
    editor.AddText(wxString::FromUTF8(kTyped));
    CKelFormView& memos = shell.MainFrame()->FormView();
    memos.SelectMemo(1);
    memos.MemoEdit().SetValue(wxString::FromUTF8(kMemoTyped));
    auto* source = dynamic_cast<CPlainEditCtrl*>(shell.MainFrame()->TextView().TextPane());
    ASSERT_NE(source, nullptr) << "the text source is not shown as plain text";
    source->Control().DocumentEnd();
    source->Control().AddText(wxString::FromUTF8(kSourceTyped));
    for (;;) Pump();
}

class RecoveryProcessTest : public testing::Test {
protected:
    RecoveryProcessTest()
        : m_home("HOME", m_folder.File("home")),
          m_config("XDG_CONFIG_HOME", m_folder.File("home/.config")),
          m_data("XDG_DATA_HOME", m_folder.File("home/.local/share")) {
        std::filesystem::create_directories(m_folder.File("home/.config/Morva"));
        std::filesystem::create_directories(m_folder.File("work"));
        CKelmioData data;
        data.m_strEditFile = m_strTranslation;
        data.SetSource(m_strSource);
        data.AppendMemo({Sj("用語"), Sj("元のメモ")});
        data.AppendMemo({Sj("固有名詞"), Sj("二つ目のメモ")});
        test::WriteFileBytes(m_strProject, WriteProject(data));
        test::WriteFileBytes(m_strTranslation, Sj("元の訳文"));
        test::WriteFileBytes(m_strSource, Sj(kSourceText));
        m_strProjectBytes = test::ReadFileBytes(m_strProject);
        m_strTranslationBytes = test::ReadFileBytes(m_strTranslation);
        m_strSourceBytes = test::ReadFileBytes(m_strSource);
    }
    ~RecoveryProcessTest() override {
        m_pShell.reset();
        Pump();
    }

    std::optional<CRecoveryEntry> Entry() const { return CRecoveryStore(DefaultRecoveryFolder()).Load(m_strProject); }
    bool EntryFileExists() const {
        return std::filesystem::exists(CRecoveryStore(DefaultRecoveryFolder()).EntryPath(m_strProject).Native());
    }

    // Starts the first Kelmio, waits until its copy holds what it typed,
    // and kills it.
    void RunAndKillFirstProgram() {
        test::ScopedEnv child(kChildProject, m_strProject);
        std::string exe = std::filesystem::read_symlink("/proc/self/exe").string();
        std::string filter = "--gtest_filter=RecoveryChild.*";
        char* argv[] = {exe.data(), filter.data(), nullptr};
        pid_t pid = 0;
        ASSERT_EQ(::posix_spawn(&pid, exe.c_str(), nullptr, nullptr, argv, environ), 0);
        bool copied = false;
        for (auto waited = 0ms; waited < 30s && !copied; waited += 100ms) {
            std::this_thread::sleep_for(100ms);
            const std::optional<CRecoveryEntry> entry = Entry();
            copied = entry && entry->m_strEditText == Sj("元の訳文") + Typed() && entry->m_arrMemo.size() == 2 &&
                     entry->m_arrMemo[1].m_strText == Sj(kMemoTyped) && entry->m_nSelectedMemo == 1 &&
                     entry->m_source && entry->m_source->m_strText == Sj(kSourceText) + Sj(kSourceTyped);
        }
        ::kill(pid, SIGKILL);
        int status = 0;
        ::waitpid(pid, &status, 0);
        ASSERT_TRUE(copied) << "no recovery copy with the typed text within 30 s";
        ASSERT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL);
        EXPECT_EQ(test::ReadFileBytes(m_strProject), m_strProjectBytes);
        EXPECT_EQ(test::ReadFileBytes(m_strTranslation), m_strTranslationBytes);
        EXPECT_EQ(test::ReadFileBytes(m_strSource), m_strSourceBytes);
    }

    void Start() { StartWith(m_strProject); }
    void StartWith(const std::string& project) {
        m_pSettings = std::make_unique<CWxSettings>(m_folder.File("home/.config/Morva"));
        m_pShell = std::make_unique<CAppShell>(*m_pSettings, m_prompter);
        ASSERT_TRUE(m_pShell->Start(ParseCommandLine({project})));
        Pump();
    }
    // Ends the program as a crash would: nothing saved, nothing removed.
    void Drop() {
        m_pShell.reset();
        Pump();
    }

    CKelEditView& EditView() { return m_pShell->MainFrame()->EditView(); }
    CTextView& TextView() { return m_pShell->MainFrame()->TextView(); }
    std::string SourcePaneText() { return TextView().TextPane() ? TextView().TextPane()->TextUtf8() : std::string(); }
    CKelmioDoc& Doc() { return m_pShell->Document(); }

    test::TempDir m_folder;
    test::ScopedEnv m_home;
    test::ScopedEnv m_config;
    test::ScopedEnv m_data;
    std::string m_strProject = m_folder.File("work/job.kmp");
    std::string m_strTranslation = m_folder.File("work/job.txt");
    std::string m_strSource = m_folder.File("work/source.txt");
    std::string m_strSourceBytes;
    std::string m_strProjectBytes;
    std::string m_strTranslationBytes;
    test::CScriptedPrompter m_prompter;
    std::unique_ptr<CWxSettings> m_pSettings;
    std::unique_ptr<CAppShell> m_pShell;
};

TEST_F(RecoveryProcessTest, RestoreBringsTheTypedTextAndMemoBackAsUnsavedChanges) {
    RunAndKillFirstProgram();
    m_prompter.ExpectMessage(Answer::kYes);
    Start();
    ASSERT_EQ(m_prompter.Messages().size(), 1u);
    const test::MessageRecord& question = m_prompter.Messages()[0];
    EXPECT_EQ(question.buttons, MessageButtons::kYesNoCancel);
    EXPECT_NE(question.text.find(m_strProject), std::string::npos);
    EXPECT_NE(question.text.find(Sj("復元しますか？")), std::string::npos);

    EXPECT_EQ(EditView().Editor().GetText(), Sj("元の訳文") + Typed());
    EXPECT_TRUE(EditView().GetModified());
    EXPECT_TRUE(Doc().IsModified());
    ASSERT_EQ(Doc().m_data.GetMemoCount(), 2u);
    EXPECT_EQ(Doc().m_data.GetMemo(1).m_strText, Sj(kMemoTyped));
    // The memo that was selected is shown, its text in the edit.
    EXPECT_EQ(m_pShell->MainFrame()->FormView().SelectedMemo(), 1);
    EXPECT_EQ(m_pShell->MainFrame()->FormView().MemoEdit().GetValue().utf8_string(), kMemoTyped);
    // The source's edit is back as an unsaved edit of the same source.
    EXPECT_EQ(SourcePaneText(), std::string(kSourceText) + kSourceTyped);
    EXPECT_TRUE(TextView().IsTextModified());
    // Nothing is written into the project until the user saves.
    EXPECT_EQ(test::ReadFileBytes(m_strProject), m_strProjectBytes);
    EXPECT_EQ(test::ReadFileBytes(m_strTranslation), m_strTranslationBytes);
    EXPECT_EQ(test::ReadFileBytes(m_strSource), m_strSourceBytes);

    // Saving writes the work and the copy goes.
    m_pShell->MainFrame()->RouteCommand(ID_FILE_SAVE);
    Pump();
    EXPECT_EQ(test::ReadFileBytes(m_strTranslation), Sj("元の訳文") + Typed());
    // The memo pane shows the restored memo, so saving keeps it.
    CKelmioData saved;
    ASSERT_TRUE(ReadProject(test::ReadFileBytes(m_strProject), saved));
    ASSERT_EQ(saved.GetMemoCount(), 2u);
    EXPECT_EQ(saved.GetMemo(1).m_strText, Sj(kMemoTyped));
    m_pShell->Recovery()->Keeper().Flush();
    EXPECT_FALSE(EntryFileExists());
    EXPECT_TRUE(m_prompter.ScriptDone());
}

TEST_F(RecoveryProcessTest, DiscardRemovesTheCopyAndLeavesTheProjectFilesAsTheyWere) {
    RunAndKillFirstProgram();
    m_prompter.ExpectMessage(Answer::kNo);
    Start();
    EXPECT_EQ(m_prompter.Messages().size(), 1u);
    EXPECT_EQ(EditView().Editor().GetText(), Sj("元の訳文"));
    EXPECT_FALSE(EditView().GetModified());
    EXPECT_EQ(Doc().m_data.GetMemo(1).m_strText, Sj("二つ目のメモ"));
    EXPECT_EQ(SourcePaneText(), kSourceText);
    EXPECT_FALSE(TextView().IsTextModified());
    m_pShell->Recovery()->Keeper().Flush();
    EXPECT_FALSE(EntryFileExists());
    Drop();
    EXPECT_EQ(test::ReadFileBytes(m_strProject), m_strProjectBytes);
    EXPECT_EQ(test::ReadFileBytes(m_strTranslation), m_strTranslationBytes);
    EXPECT_EQ(test::ReadFileBytes(m_strSource), m_strSourceBytes);

    // Asked once: the next start has nothing to offer.
    Start();
    EXPECT_EQ(m_prompter.Messages().size(), 1u);
}

TEST_F(RecoveryProcessTest, CancelKeepsTheCopyUntouchedForTheNextStart) {
    RunAndKillFirstProgram();
    const std::string copy = test::ReadFileBytes(CRecoveryStore(DefaultRecoveryFolder()).EntryPath(m_strProject).Native());
    m_prompter.ExpectMessage(Answer::kCancel);
    Start();
    EXPECT_EQ(EditView().Editor().GetText(), Sj("元の訳文"));
    // Typing on does not write over the copy kept for later.
    EditView().Editor().Widget().AddText("more");
    EXPECT_FALSE(m_pShell->Recovery()->Keeper().Tick(CRecoverySchedule::Clock::now() + 1h, true));
    m_pShell->Recovery()->Keeper().Flush();
    Drop();
    EXPECT_EQ(test::ReadFileBytes(CRecoveryStore(DefaultRecoveryFolder()).EntryPath(m_strProject).Native()), copy);

    m_prompter.ExpectMessage(Answer::kYes);
    Start();
    EXPECT_EQ(m_prompter.Messages().size(), 2u);
    EXPECT_EQ(EditView().Editor().GetText(), Sj("元の訳文") + Typed());
}

// ｷｬﾝｾﾙ keeps the copy for the next start also when the user goes on and
// saves the project, which leaves the project's files newer than the copy.
TEST_F(RecoveryProcessTest, ACopyKeptIsOfferedAgainAfterTheProjectWasSaved) {
    const auto hourAgo = std::filesystem::file_time_type::clock::now() - 1h;
    for (const std::string& path : {m_strProject, m_strTranslation, m_strSource}) {
        std::filesystem::last_write_time(path, hourAgo);
    }
    const CRecoveryStore store(DefaultRecoveryFolder());
    CRecoveryEntry left;
    left.m_writer = {77, 1234};  // a process long gone
    left.m_nCopyTime = std::chrono::duration_cast<std::chrono::milliseconds>(
                           std::chrono::system_clock::now().time_since_epoch() - 30min)
                           .count();
    left.m_strProject = m_strProject;
    left.m_strEditFile = m_strTranslation;
    left.m_strEditText = Sj("控えの訳文");
    ASSERT_FALSE(store.Save(left));

    m_prompter.ExpectMessage(Answer::kCancel);
    Start();
    EditView().Editor().Widget().DocumentEnd();
    EditView().Editor().Widget().AddText("saved");
    m_pShell->MainFrame()->RouteCommand(ID_FILE_SAVE);
    Pump();
    m_pShell->Recovery()->Keeper().Flush();
    EXPECT_EQ(test::ReadFileBytes(m_strTranslation), Sj("元の訳文") + "saved");
    EXPECT_EQ(store.Load(m_strProject), left);
    Drop();

    m_prompter.ExpectMessage(Answer::kCancel);
    Start();
    Drop();
    m_prompter.ExpectMessage(Answer::kYes);
    Start();
    EXPECT_EQ(m_prompter.Messages().size(), 3u);
    EXPECT_EQ(EditView().Editor().GetText(), Sj("控えの訳文"));
    EXPECT_TRUE(m_prompter.ScriptDone());
}

TEST_F(RecoveryProcessTest, AProjectOpenedLaterIsOfferedToo) {
    RunAndKillFirstProgram();
    const std::string other = m_folder.File("work/other.kmp");
    test::WriteFileBytes(other, WriteProject(CKelmioData()));
    StartWith(other);
    EXPECT_TRUE(m_prompter.Messages().empty());

    m_prompter.ExpectMessage(Answer::kYes);
    ASSERT_TRUE(Doc().OpenDocumentFile(m_strProject));
    ASSERT_EQ(m_prompter.Messages().size(), 1u);
    EXPECT_EQ(EditView().Editor().GetText(), Sj("元の訳文") + Typed());
    EXPECT_TRUE(EditView().GetModified());
}

// A project named "é.kmp" has no Shift-JIS form: its copy is its own, is
// offered under the name it shows as, and later copies go to it, not to
// the entry of "?.kmp".
TEST_F(RecoveryProcessTest, AProjectNamedWithoutAShiftJisFormKeepsAndGetsBackItsCopy) {
    const CFilePath accent = CFilePath::FromNative(m_folder.File("work/é.kmp"));
    const CFilePath shown = m_folder.File("work/?.kmp");
    CKelmioData data;
    data.m_strEditFile = CFilePath::FromNative(m_folder.File("work/é.txt"));
    test::WriteFileBytes(data.m_strEditFile.Native(), Sj("元の訳文"));
    test::WriteFileBytes(accent.Native(), WriteProject(data));
    const CRecoveryStore store(DefaultRecoveryFolder());
    CRecoveryEntry left;
    left.m_writer = {77, 1234};  // a process long gone
    left.m_nCopyTime = std::chrono::duration_cast<std::chrono::milliseconds>(
                           std::chrono::system_clock::now().time_since_epoch() + 1h)
                           .count();
    left.m_strProject = accent;
    left.m_strEditFile = data.m_strEditFile;
    left.m_strEditText = Sj("控えの訳文");
    ASSERT_FALSE(store.Save(left));

    m_prompter.ExpectMessage(Answer::kYes);
    StartWith(accent.Native());
    ASSERT_EQ(m_prompter.Messages().size(), 1u);
    EXPECT_NE(m_prompter.Messages()[0].text.find(shown.Native()), std::string::npos);
    EXPECT_EQ(EditView().Editor().GetText(), Sj("控えの訳文"));
    EXPECT_TRUE(EditView().GetModified());

    EditView().Editor().Widget().DocumentEnd();
    EditView().Editor().Widget().AddText("more");
    EXPECT_EQ(m_pShell->Recovery()->Keeper().Project(), accent);
    // The timer takes the copy a few seconds after typing stops.
    std::optional<CRecoveryEntry> copy;
    for (auto waited = 0ms; waited < 15s && !(copy && copy->m_strEditText == Sj("控えの訳文") + "more");
         waited += 100ms) {
        std::this_thread::sleep_for(100ms);
        Pump();
        copy = store.Load(accent);
    }
    ASSERT_TRUE(copy);
    EXPECT_EQ(copy->m_strEditText, Sj("控えの訳文") + "more");
    EXPECT_EQ(copy->m_strEditFile, data.m_strEditFile);
    EXPECT_FALSE(store.Load(shown));
    EXPECT_FALSE(std::filesystem::exists(store.EntryPath(shown).Native()));
}

}  // namespace
}  // namespace kelmio
