#include "shell_test.h"

#include <filesystem>

#include "app/command_line.h"
#include "gui/app/wx_command_ids.h"
#include "gui_support.h"
#include "project/new_project_dlg.h"
#include "support/file_bytes.h"

namespace kelmio::test {

ShellTest::ShellTest()
    : m_home("HOME", m_folder.File("home")),
      m_config("XDG_CONFIG_HOME", m_folder.File("home/.config")),
      m_data("XDG_DATA_HOME", m_folder.File("home/.local/share")),
      m_runtime("XDG_RUNTIME_DIR", m_folder.File("runtime")) {
    for (const char* folder : {"home/.config", "work", "runtime"}) std::filesystem::create_directories(m_folder.File(folder));
    std::filesystem::permissions(m_folder.File("runtime"), std::filesystem::perms::owner_all);
}

ShellTest::~ShellTest() { Stop(); }

void ShellTest::StartShell(const std::vector<std::string>& args) {
    m_pSettings = std::make_unique<CWxSettings>(m_folder.File("home/.config/Morva"));
    m_pShell = std::make_unique<CAppShell>(*m_pSettings, m_prompter);
    ASSERT_TRUE(m_pShell->Start(ParseCommandLine(args)));
}

void ShellTest::ExpectNewProject(const std::string& name) {
    m_prompter.ExpectNewProjectDialog([this, name](CNewProjectDlg& form) {
        form.OnNameChanged(name);
        form.m_strFolder = m_folder.File("work");
        return form.OnOK() ? kIdOk : kIdCancel;
    });
    m_prompter.ExpectMessage(Answer::kOk);
}

void ShellTest::Stop() {
    if (m_pShell && m_pShell->MainFrame() != nullptr) {
        m_pShell->MainFrame()->Close(true);
        Pump();
    }
    m_pShell.reset();
    Pump();
    m_pSettings.reset();
}

void ShellTest::Send(CommandId id) {
    wxCommandEvent event(wxEVT_MENU, ToWxId(id));
    event.SetEventObject(&Frame());
    Frame().ProcessWindowEvent(event);
    Pump();
}

std::string ShellTest::Write(const std::string& name, const std::string& bytes) {
    const std::string path = m_folder.File("work/" + name);
    WriteFileBytes(path, bytes);
    return path;
}

}  // namespace kelmio::test
