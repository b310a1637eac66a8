#include "gui/app/kelmio_app.h"

#include <wx/filename.h>
#include <wx/intl.h>
#include <wx/stdpaths.h>

#include <csignal>
#include <utility>

#include "gui/app/app_commands.h"
#include "gui/app/app_shell.h"
#include "gui/app/help_viewer.h"
#include "gui/app/main_frame.h"
#include "gui/keys/key_dispatch_filter.h"
#include "gui/platform/gtk_style.h"
#include "gui/platform/single_instance.h"
#include "gui/platform/ui_locale.h"
#include "gui/platform/wx_prompter.h"
#include "gui/platform/wx_settings.h"
#include "gui/platform/wx_text.h"
#include "imaging/image_library.h"
#include "imaging/spi_control.h"
#include "keys/key_settings.h"
#include "keys/keycust_array.h"
#include "platform/file_io.h"

namespace kelmio {
namespace {

// A project named relative to where Kelmio was started means the same file
// to a Kelmio started elsewhere and in the recent list.
CFilePath AbsolutePath(const CFilePath& path) {
    wxFileName name(ToWxPath(path));
    name.MakeAbsolute();
    return FromWxPath(name.GetFullPath());
}

// A session that ends asks the program to terminate: that is closing the
// main window, with the document's say about unsaved work. The toolkit calls
// this from its event loop, not from the signal.
void CloseOnTerminate(int) {
    // Only the Kelmio application installs this handler.
    static_cast<CKelmioApp*>(wxTheApp)->CloseMainWindow();
}

}  // namespace

CKelmioApp::CKelmioApp() = default;
CKelmioApp::~CKelmioApp() = default;

CMainFrame* CKelmioApp::MainFrame() const { return m_pShell ? m_pShell->MainFrame() : nullptr; }

void CKelmioApp::CloseMainWindow() {
    if (m_pShell) m_pShell->CloseWhenFree();
}

CCommandLineInfo CKelmioApp::ReadCommandLine() const {
    std::vector<std::string> args;
    // The arguments as the system passed them, so a file name is kept whole.
    for (int i = 1; i < argc; ++i) args.push_back(FromWxPath(argv[i]).Native());
    CCommandLineInfo info = ParseCommandLine(args);
    if (!info.m_strFileName.empty()) info.m_strFileName = AbsolutePath(info.m_strFileName);
    return info;
}

bool CKelmioApp::Initialize(int& argc, wxChar** argv) {
    const CDisplayWithoutOpenGl noOpenGl;
    return wxApp::Initialize(argc, argv);
}

bool CKelmioApp::OnInit() {
    SetAppName("Kelmio");
    m_pLocale = SetUpJapaneseLocale();

    // 1. Sockets need no start-up here.
    // 2. Nothing to initialise for hosting components.
    // 3. The imaging library, with the limits hostile pictures meet.
    EnsureImageLibrary();

    // 4. The help book lives beside the executable.
    const wxFileName executable(wxStandardPaths::Get().GetExecutablePath());
    m_strHelpPath = (executable.GetPath() + "/Kelmio.htb").utf8_string();

    // 5. The settings store; the project shell reads the recent projects.
    m_pSettings = std::make_unique<CWxSettings>(CWxSettings::DefaultFolder());
    m_pSettings->HoldWrites(true);  // until the program runs
    m_pPrompter = std::make_unique<CWxPrompter>([this] { return static_cast<wxWindow*>(MainFrame()); });

    // 6. Image plug-ins, when the settings ask for them.
    m_pPlugins = std::make_unique<CSPIControl>(MakeSystemModuleLoader());
    LoadSusiePlugins(*m_pPlugins, *m_pSettings);
    // 7. The command names are a fixed table; the key bindings come from
    // the key file (none when it is missing or unreadable).
    m_pKeyTable = std::make_unique<CKeycustArray>(*m_pSettings, KeyFileFolders::FromSystem());
    m_pKeyTable->LoadAtStartup();

    // 8.
    m_bEditKeysFirst = ReadEditorKeysFirst(*m_pSettings);

    // 9. The document and its window.
    m_pShell = std::make_unique<CAppShell>(*m_pSettings, *m_pPrompter, m_pPlugins.get());

    // 10.-11. File types are registered by the install step. A Kelmio that
    // runs already takes this start's project.
    const CCommandLineInfo commandLine = ReadCommandLine();
    m_pInstance = std::make_unique<CSingleInstance>();
    const StartRole role = DecideStartRole(
        m_pInstance->Claim(), commandLine, [this](const std::string& request) { return m_pInstance->Send(request); },
        m_pInstance->Folder(), *m_pPrompter);
    if (role != StartRole::kRun) {
        // The program ends without running and leaves the settings to the
        // Kelmio that runs: successfully when that one took the request.
        m_pSettings->KeepFileUnwritten();
        m_pShell.reset();
        if (role == StartRole::kEnd) return false;
        m_bHandedOff = true;
        return true;
    }
    // Listening before the first project opens, which may take long or ask
    // questions: a start made meanwhile hands over instead of running too.
    // Its request waits until the window is there.
    m_pInstance->Serve([this](const std::string& request) { TakeRequest(request); });
    if (const std::optional<std::string> problem = m_pSettings->ReadProblem()) {
        m_pPrompter->Message(*problem, MessageButtons::kOk, MessageIcon::kExclamation);
    }

    // 12.-13. The first project, then the window.
    if (!m_pShell->Start(commandLine)) {
        // Ended as the user chose: with success, as a closed window ends.
        if (m_pShell->EndedByUser()) {
            m_bEndedByUser = true;
            return true;
        }
        return EndAtStartup();
    }
    m_bStarted = true;
    for (const std::string& request : std::exchange(m_arrEarlyRequests, {})) m_pShell->HandleRequest(request);
    if (CMainFrame* frame = MainFrame()) {
        AttachKeyTable(*frame, *m_pKeyTable, [this] { return m_bEditKeysFirst; });
        m_pHelp = std::make_unique<CHelpViewer>(wxString::FromUTF8(m_strHelpPath), *m_pPrompter);
        m_pAppCommands = std::make_unique<CAppCommands>(
            *frame, CAppCommands::Services{*m_pKeyTable, *m_pSettings, *m_pPrompter, *m_pHelp,
                                           [this](bool on) { m_bEditKeysFirst = on; },
                                           CAppCommands::DesktopBrowser()});
        frame->SetAppTarget(m_pAppCommands.get());
    }
    SetSignalHandler(SIGTERM, CloseOnTerminate);
    return true;
}

void CKelmioApp::TakeRequest(const std::string& request) {
    if (!m_bStarted) {
        m_arrEarlyRequests.push_back(request);
    } else if (m_pShell) {
        m_pShell->HandleRequest(request);
    }
}

// The toolkit does not call OnExit when start-up fails: what the settings
// took so far is written here.
bool CKelmioApp::EndAtStartup() {
    m_pShell.reset();
    m_pSettings->Flush();
    return false;
}

int CKelmioApp::OnRun() {
    if (m_bHandedOff || m_bEndedByUser) return 0;
    // From now on every change is written as soon as the program is idle.
    m_pSettings->HoldWrites(false);
    return wxApp::OnRun();
}

int CKelmioApp::OnExit() {
    m_pInstance.reset();
    m_pShell.reset();
    m_pAppCommands.reset();
    m_pHelp.reset();
    m_pKeyTable.reset();  // remembers the key file's path in the settings
    if (m_pSettings) m_pSettings->Flush();
    return wxApp::OnExit();
}

}  // namespace kelmio
