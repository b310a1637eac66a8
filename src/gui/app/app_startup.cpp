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
            // The document has said why it could not open the project. A
            // project read in part is followed by the New Project dialog:
            // the project made there is worked on, not left behind.
            if (!m_doc.OpenDocumentFile(decision.path) && m_doc.GetPathName().empty()) return EndNow();
            break;
        case StartupAction::kNewWithDialog:
            if (!m_doc.OnFileNew()) return EndNow();
            break;
        case StartupAction::kPrintFile:
            if (!m_doc.OpenDocumentFile(decision.path)) return EndNow();
            m_printStart(m_pFrame->EditView(), commandLine);
            return EndNow();
        case StartupAction::kWaitForRequest:
            // No window until a request opens a project.
            return true;
        case StartupAction::kNewUntitled: {
            m_bStartupFlag = true;
            m_doc.OnFileNew();
            ShowMainFrame();
            // Once the window is on the screen, the user is asked for the
            // new project's name and place; cancelling there ends the program.
            CMainFrame* frame = m_pFrame;
            frame->CallAfter([this, frame] {
                if (frame->IsBeingDeleted()) return;
                if (m_doc.GetPathName().empty()) frame->RouteCommand(ID_FILE_NEW);
            });
            return true;
        }
    }
    ShowMainFrame();
    return true;
}

}  // namespace kelmio
