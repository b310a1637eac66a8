#pragma once
// The application object: starts Kelmio in a fixed order, owns the
// settings store and the prompter for the whole process, creates the main
// window and ends the program.

#include <wx/app.h>

#include <memory>
#include <string>

#include "platform/app_host.h"

namespace kelmio {

class CKeycustArray;
class CMainFrame;
class CWxPrompter;
class CWxSettings;

class CKelmioApp final : public wxApp, public CAppHost {
public:
    CKelmioApp();
    ~CKelmioApp() override;

    bool OnInit() override;
    int OnExit() override;

    // CAppHost
    bool TakeStartupFlag() override;
    void PostCloseRequest() override;

    CMainFrame* MainFrame() const { return m_pMainFrame; }
    bool EditKeysFirst() const { return m_bEditKeysFirst; }
    const std::string& HelpPath() const { return m_strHelpPath; }
    CKeycustArray& KeyTable() { return *m_pKeyTable; }

private:
    std::unique_ptr<CWxSettings> m_pSettings;
    std::unique_ptr<CWxPrompter> m_pPrompter;
    std::unique_ptr<CKeycustArray> m_pKeyTable;  // needs the settings; goes before them
    CMainFrame* m_pMainFrame = nullptr;  // owned by the toolkit once created
    std::string m_strHelpPath;
    bool m_bEditKeysFirst = false;
    bool m_bStartupFlag = false;
};

}  // namespace kelmio
