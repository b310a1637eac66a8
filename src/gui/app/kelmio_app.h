#pragma once
// The application object: starts Kelmio in a fixed order, owns the
// settings store, the prompter and the project shell for the whole process,
// makes a second start hand its project to the first, and ends the program.

#include <wx/app.h>

#include <memory>
#include <string>
#include <vector>

#include "app/command_line.h"

class wxLocale;

namespace kelmio {

class CAppCommands;
class CAppShell;
class CHelpViewer;
class CKeycustArray;
class CMainFrame;
class CSPIControl;
class CSingleInstance;
class CWxPrompter;
class CWxSettings;

class CKelmioApp final : public wxApp {
public:
    CKelmioApp();
    ~CKelmioApp() override;

    bool Initialize(int& argc, wxChar** argv) override;
    bool OnInit() override;
    int OnRun() override;
    int OnExit() override;

    CMainFrame* MainFrame() const;
    // As the close box, once no dialog waits for an answer.
    void CloseMainWindow();
    bool EditKeysFirst() const { return m_bEditKeysFirst; }
    const std::string& HelpPath() const { return m_strHelpPath; }
    CKeycustArray& KeyTable() { return *m_pKeyTable; }
    // The image plug-ins loaded at start-up (none unless the settings ask).
    CSPIControl& Plugins() { return *m_pPlugins; }

private:
    CCommandLineInfo ReadCommandLine() const;
    void TakeRequest(const std::string& request);
    bool EndAtStartup();

    std::unique_ptr<wxLocale> m_pLocale;  // first in, last out: every text needs it
    std::unique_ptr<CWxSettings> m_pSettings;
    std::unique_ptr<CWxPrompter> m_pPrompter;
    std::unique_ptr<CKeycustArray> m_pKeyTable;  // needs the settings; goes before them
    std::unique_ptr<CSPIControl> m_pPlugins;      // unloaded when the program ends
    std::unique_ptr<CSingleInstance> m_pInstance;
    std::unique_ptr<CAppShell> m_pShell;
    std::unique_ptr<CHelpViewer> m_pHelp;
    std::unique_ptr<CAppCommands> m_pAppCommands;
    std::string m_strHelpPath;
    bool m_bEditKeysFirst = false;
    bool m_bHandedOff = false;  // a running Kelmio took this start's request
    bool m_bStarted = false;    // the first project is open (or the start waits for one)
    bool m_bEndedByUser = false;  // the user ended the program before it ran
    std::vector<std::string> m_arrEarlyRequests;  // arrived while starting
};

}  // namespace kelmio
