// Start-up from the command line on: which project comes first, and when
// the main window shows.

#include "app/startup.h"
#include "commands/command_ids.h"
#include "gui/app/app_shell.h"
#include "gui/app/main_frame.h"
#include "platform/file_io.h"

namespace kelmio {

bool CAppShell::Start(const CCommandLineInfo& commandLine) {
    // The window exists, hidden, before the first project, so that the
    // editor can show the project's text.
    CreateMainFrame();

    const std::vector<CFilePath>& recent = m_doc.RecentProjects().Entries();
    const CFilePath mostRecent = recent.empty() ? CFilePath() : recent.front();
    const StartupDecision decision =
        DecideStartup(commandLine, m_settings, mostRecent, !mostRecent.empty() && PathExists(mostRecent));

    switch (decision.action) {
        case StartupAction::kOpenRecent:
        case StartupAction::kOpenFile:
            // The document has said why it could not open the project.
            switch (m_doc.OpenFirstProject(decision.path)) {
                case CKelmioDoc::OpenOutcome::kOpened: break;
                case CKelmioDoc::OpenOutcome::kNotOpened: return EndNow(false);
                case CKelmioDoc::OpenOutcome::kReadInPart:
                    // The document is an empty untitled project now: the
                    // user goes on as at a first start, with a new project
                    // made over the window or the program ended.
                    ShowWithNewProjectDialog();
                    return true;
            }
            break;
        case StartupAction::kNewWithDialog:
            // Cancelled: the user chose to end.
            if (!m_doc.OnFileNew()) return EndNow(true);
            break;
        case StartupAction::kPrintFile:
            if (m_doc.OpenFirstProject(decision.path) != CKelmioDoc::OpenOutcome::kOpened) return EndNow(false);
            m_printStart(m_pFrame->EditView(), commandLine);
            return EndNow(false);
        case StartupAction::kWaitForRequest:
            // No window until a request opens a project.
            return true;
        case StartupAction::kNewUntitled:
            m_bStartupFlag = true;
            m_doc.OnFileNew();
            ShowWithNewProjectDialog();
            return true;
    }
    ShowMainFrame();
    return true;
}

void CAppShell::ShowWithNewProjectDialog() {
    ShowMainFrame();
    // Once the window is on the screen, the user is asked for the new
    // project's name and place; cancelling there ends the program.
    CMainFrame* frame = m_pFrame;
    frame->CallAfter([this, frame] {
        if (frame->IsBeingDeleted()) return;
        if (m_doc.GetPathName().empty()) frame->RouteCommand(ID_FILE_NEW);
    });
}

}  // namespace kelmio
