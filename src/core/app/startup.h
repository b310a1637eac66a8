#pragma once
// Which project the program shows when it starts.

#include <string>

#include "app/command_line.h"

namespace kelmio {

class CSettings;

enum class StartupAction {
    kOpenRecent,       // open the most recent project
    kNewUntitled,      // set the start-up flag and start an empty project without a dialog
    kNewWithDialog,    // the New Project dialog before the main window
    kOpenFile,         // the project named on the command line
    kPrintFile,        // open the named project, print its translation, end
    kWaitForRequest,   // no window until an open request arrives
};

struct StartupDecision {
    StartupAction action = StartupAction::kNewUntitled;
    CFilePath path;  // the project to open or print
};

// `recentExists` tells whether the most recent project's file is still there.
StartupDecision DecideStartup(const CCommandLineInfo& commandLine, const CSettings& settings,
                              const CFilePath& mostRecent, bool recentExists);

}  // namespace kelmio
