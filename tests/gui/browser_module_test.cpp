// The browser module missing, broken or from another build: the loader
// says which file and why, and the source viewer goes on without pages.

#include "gui/viewer/browser_module.h"

#include <gtest/gtest.h>
#include <wx/log.h>
#include <wx/stc/stc.h>

#include <filesystem>
#include <memory>
#include <stdexcept>

#include "commands/command_ids.h"
#include "gui/app/main_frame.h"
#include "gui/viewer/plain_edit_ctrl.h"
#include "gui/viewer/text_view.h"
#include "gui_support.h"
#include "shell_test.h"
#include "support/file_bytes.h"
#include "support/scripted_prompter.h"
#include "support/sjis_literal.h"
#include "support/temp_dir.h"

namespace kelmio {
namespace {

using test::Pump;
using test::Sj;

bool Holds(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

class BrowserModuleTest : public testing::Test {
protected:
    BrowserModuleTest() {
        std::filesystem::create_directories(m_folder.File("first"));
        std::filesystem::create_directories(m_folder.File("second"));
    }
    // The module's file in `folder`, written with `bytes`.
    std::string PlaceModule(const std::string& folder, const std::string& bytes) {
        const std::string path = m_folder.File(folder + "/" + CBrowserModule::kFileName);
        test::WriteFileBytes(path, bytes);
        return path;
    }
    CBrowserModule Searching() {
        return CBrowserModule({wxString::FromUTF8(m_folder.File("first")), wxString::FromUTF8(m_folder.File("second"))});
    }

    test::TempDir m_folder;
};

TEST_F(BrowserModuleTest, MissingModuleNamesTheFileAndEveryFolderSearched) {
    CBrowserModule module = Searching();
    EXPECT_EQ(module.Create(nullptr), nullptr);
    const std::string& message = module.FailureMessage();
    EXPECT_TRUE(Holds(message, Sj("ブラウザー部品を読み込めません"))) << message;
    EXPECT_TRUE(Holds(message, "kelmio-browser.so")) << message;
    EXPECT_TRUE(Holds(message, m_folder.File("first"))) << message;
    EXPECT_TRUE(Holds(message, m_folder.File("second"))) << message;
}

TEST_F(BrowserModuleTest, BrokenModuleIsReportedWithTheLoadersOwnWordsAndNoLogWindow) {
    // Found in the second folder when the first has none.
    const std::string broken = PlaceModule("second", std::string(4096, 'x'));
    wxLog* const before = wxLog::GetActiveTarget();
    CBrowserModule module = Searching();
    EXPECT_EQ(module.Create(nullptr), nullptr);
    EXPECT_EQ(wxLog::GetActiveTarget(), before);
    const std::string& message = module.FailureMessage();
    EXPECT_TRUE(Holds(message, broken)) << message;
    // The system's words, in the user's language: they name the ELF header.
    EXPECT_TRUE(Holds(message, "ELF")) << message;
    // Asking again fails the same way; nothing was half loaded.
    EXPECT_EQ(module.Create(nullptr), nullptr);
    EXPECT_TRUE(Holds(module.FailureMessage(), "ELF"));
}

TEST_F(BrowserModuleTest, ModuleWithoutTheFactoryIsRefusedAsAnotherBuilds) {
    std::filesystem::copy_file(KELMIO_NO_FACTORY_MODULE, m_folder.File(std::string("first/") + CBrowserModule::kFileName));
    CBrowserModule module = Searching();
    EXPECT_EQ(module.Create(nullptr), nullptr);
    EXPECT_TRUE(Holds(module.FailureMessage(), kBrowserFactoryName)) << module.FailureMessage();
    EXPECT_TRUE(Holds(module.FailureMessage(), m_folder.File("first"))) << module.FailureMessage();
}

// The viewer with no module to load: told once, pages named in the text
// pane, other sources shown as ever.
class ViewWithoutBrowserTest : public test::ShellTest {
protected:
    ViewWithoutBrowserTest() { std::filesystem::create_directories(m_folder.File("nomodule")); }

    // A new project, browser mode on, the module searched for in an empty folder.
    void StartInBrowserMode() {
        ExpectNewProject("pages");
        StartShell();
        if (HasFatalFailure()) return;
        View().UseBrowserModule(CBrowserModule({wxString::FromUTF8(m_folder.File("nomodule"))}));
        Pump();
        if (!View().IsBrowserMode()) ToggleBrowserMode();
        ASSERT_TRUE(View().IsBrowserMode());
    }
    void ToggleBrowserMode() {
        // Browser mode is the viewer's own command: it acts while the viewer is active.
        Frame().SetActiveView(View());
        Send(ID_VIEW_BROWSER_MODE);
    }
    // Chooses a source as the source command does; `told` when a message
    // is expected on the way.
    void ChooseSource(const std::string& nativePath, bool told = false) {
        m_prompter.ExpectFile(FromNativePath(nativePath));
        if (told) m_prompter.ExpectMessage(Answer::kOk);
        Send(ID_FILE_SRC);
    }
    std::string PaneUtf8() {
        auto* plain = dynamic_cast<CPlainEditCtrl*>(View().TextPane());
        return plain != nullptr ? plain->Control().GetText().utf8_string() : std::string("(no text pane)");
    }
};

TEST_F(ViewWithoutBrowserTest, PagesAreNamedInTheTextPaneAndTheUserIsToldOnce) {
    StartInBrowserMode();
    const std::size_t before = m_prompter.Messages().size();
    const std::string page = Write("page.html", "<html><body>page</body></html>");
    ChooseSource(page, true);
    ASSERT_EQ(m_prompter.Messages().size(), before + 1);
    const std::string& told = m_prompter.Messages().back().text;
    EXPECT_TRUE(Holds(told, Sj("ブラウザー部品を読み込めません"))) << told;
    EXPECT_TRUE(Holds(told, m_folder.File("nomodule"))) << told;
    EXPECT_EQ(m_prompter.Messages().back().icon, MessageIcon::kStop);
    EXPECT_EQ(View().Mode(), ViewMode::kText);
    EXPECT_FALSE(View().IsBrowserShown());
    EXPECT_EQ(PaneUtf8(), "■ブラウザー部品を読み込めないため、ブラウザーで表示できません\r\n" + page + "\r\n");
    EXPECT_EQ(View().OpenBrowser(), nullptr);
    EXPECT_THROW(View().Browser(), std::runtime_error);

    // A preview page (a program file in browser mode) and another page:
    // no second message, each named in turn.
    const std::string program = Write("tool.exe", "MZ\x90");
    ChooseSource(program);
    EXPECT_TRUE(Holds(PaneUtf8(), program)) << PaneUtf8();
    const std::string other = Write("other.htm", "<p>other</p>");
    ChooseSource(other);
    EXPECT_TRUE(Holds(PaneUtf8(), other)) << PaneUtf8();
    EXPECT_EQ(m_prompter.Messages().size(), before + 1);

    // Browser mode off: a text is shown and edited as ever.
    ToggleBrowserMode();
    ChooseSource(Write("notes.txt", "plain notes\r\n"));
    EXPECT_EQ(View().Mode(), ViewMode::kText);
    EXPECT_EQ(PaneUtf8(), "plain notes\r\n");
    EXPECT_TRUE(m_prompter.ScriptDone());
}

}  // namespace
}  // namespace kelmio
