#include "kelmio_app.h"

#include <wx/stdpaths.h>
#include <wx/filename.h>

#include "key_dispatch_filter.h"
#include "keys/key_settings.h"
#include "keys/keycust_array.h"
#include "main_frame.h"
#include "wx_prompter.h"
#include "wx_settings.h"

namespace kelmio {
namespace {

constexpr std::string_view kSystemSection = "System";

}  // namespace

CKelmioApp::CKelmioApp() = default;
CKelmioApp::~CKelmioApp() = default;

bool CKelmioApp::OnInit() {
    SetAppName("Kelmio");

    // 1. Sockets need no start-up here.
    // 2. Nothing to initialise for hosting components.
    // 3. Imaging libraries: bound by the imaging service when it is present.

    // 4. The help book lives beside the executable.
    const wxFileName executable(wxStandardPaths::Get().GetExecutablePath());
    m_strHelpPath = (executable.GetPath() + "/Kelmio.htb").utf8_string();

    // 5. The settings store.
    m_pSettings = std::make_unique<CWxSettings>(CWxSettings::DefaultFolder());
    m_pPrompter = std::make_unique<CWxPrompter>([this] { return static_cast<wxWindow*>(m_pMainFrame); });

    // 6. Susie plug-ins: loaded by the plug-in host when it is present.
    // 7. The command names are a fixed table; the key bindings come from
    // the key file (none when it is missing or unreadable).
    m_pKeyTable = std::make_unique<CKeycustArray>(*m_pSettings, KeyFileFolders::FromSystem());
    m_pKeyTable->LoadAtStartup();

    // 8.
    m_bEditKeysFirst = ReadEditorKeysFirst(*m_pSettings);

    // 9. The main window with its three panes.
    m_pMainFrame = new CMainFrame(*m_pSettings, *m_pPrompter);
    m_pMainFrame->Bind(wxEVT_DESTROY, [this](wxWindowDestroyEvent& event) {
        if (event.GetEventObject() == m_pMainFrame) m_pMainFrame = nullptr;
        event.Skip();
    });
    AttachKeyTable(*m_pMainFrame, *m_pKeyTable, [this] { return m_bEditKeysFirst; });

    // 10. File-type registration is done by the install step.
    // 11.-12. Without a project on the command line or a recent project the
    // program starts on an empty, untitled project.
    m_bStartupFlag = true;

    // 13.
    m_pMainFrame->ShowWindow();
    m_pMainFrame->Update();
    return true;
}

int CKelmioApp::OnExit() {
    m_pKeyTable.reset();  // remembers the key file's path in the settings
    if (m_pSettings) m_pSettings->Flush();
    return wxApp::OnExit();
}

bool CKelmioApp::TakeStartupFlag() {
    const bool flag = m_bStartupFlag;
    m_bStartupFlag = false;
    return flag;
}

void CKelmioApp::PostCloseRequest() {
    if (m_pMainFrame != nullptr) m_pMainFrame->Close();
}

}  // namespace kelmio
