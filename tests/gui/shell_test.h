#pragma once
// Tests that run the whole Kelmio shell as the program does: a home, a
// configuration folder, a data folder (recovery copies) and a private
// runtime folder of their own in a temporary folder, with work/ for projects and sources, every question
// answered by the scripted prompter.

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "commands/command_ids.h"
#include "gui/app/app_shell.h"
#include "gui/app/main_frame.h"
#include "gui/platform/wx_settings.h"
#include "gui/viewer/text_view.h"
#include "support/scoped_env.h"
#include "support/scripted_prompter.h"
#include "support/temp_dir.h"

namespace kelmio::test {

class ShellTest : public testing::Test {
protected:
    ShellTest();
    ~ShellTest() override;

    // Starts the shell with these command-line arguments.
    void StartShell(const std::vector<std::string>& args = {});
    // Queues the answers that create the project `name` in work/: the
    // new-project dialog and the message after it.
    void ExpectNewProject(const std::string& name);
    // Closes the main window and ends the shell; the settings are written.
    void Stop();

    CMainFrame& Frame() { return *m_pShell->MainFrame(); }
    CTextView& View() { return Frame().TextView(); }
    // Runs a command as its menu item does.
    void Send(CommandId id);
    // Writes work/`name` and returns its path.
    std::string Write(const std::string& name, const std::string& bytes);

    TempDir m_folder;
    ScopedEnv m_home;
    ScopedEnv m_config;
    ScopedEnv m_data;
    ScopedEnv m_runtime;
    CScriptedPrompter m_prompter;
    std::unique_ptr<CWxSettings> m_pSettings;
    std::unique_ptr<CAppShell> m_pShell;
};

}  // namespace kelmio::test
