#include "app/startup.h"

#include "platform/settings.h"

namespace kelmio {

StartupDecision DecideStartup(const CCommandLineInfo& commandLine, const CSettings& settings,
                              const CFilePath& mostRecent, bool recentExists) {
    using Action = CCommandLineInfo::Action;
    switch (commandLine.m_nShellCommand) {
    case Action::kFileOpen: return {StartupAction::kOpenFile, commandLine.m_strFileName};
    case Action::kFilePrint:
    case Action::kFilePrintTo: return {StartupAction::kPrintFile, commandLine.m_strFileName};
    case Action::kFileDde: return {StartupAction::kWaitForRequest, {}};
    case Action::kFileNew: break;
    }
    if (settings.GetInt("System", "InitFile", 1) == 0) return {StartupAction::kNewWithDialog, {}};
    if (!mostRecent.empty() && recentExists) return {StartupAction::kOpenRecent, mostRecent};
    return {StartupAction::kNewUntitled, {}};
}

}  // namespace kelmio
