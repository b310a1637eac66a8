#pragma once
// What the program was asked to do when it started: the command line, and
// the requests a second start (or the desktop) hands to a running Kelmio.

#include <optional>
#include <string>
#include <vector>

#include "platform/file_path.h"

namespace kelmio {

struct CCommandLineInfo {
    enum class Action {
        kFileNew,      // no file: start as configured
        kFileOpen,     // open m_strFileName
        kFilePrint,    // "/p": open m_strFileName, print it, end
        kFilePrintTo,  // "/pt": the same on the given printer
        kFileDde,      // "/dde": wait without a window for an open request
    };

    Action m_nShellCommand = Action::kFileNew;
    CFilePath m_strFileName;  // as the system names it
    std::string m_strPrinterName;
    std::string m_strDriverName;
    std::string m_strPortName;
};

// Parses the arguments after the program name. Flags start with "/" or "-"
// and are case-insensitive; the first plain argument is the file, later
// ones are the printer, driver and port of "/pt". The arguments are the
// system's own bytes (UTF-8 here): the file keeps them, the other names are
// turned into Shift-JIS.
CCommandLineInfo ParseCommandLine(const std::vector<std::string>& args);

// A request in the form the shell sends: [open("path")], [print("path")],
// [printto("path","printer","driver","port")]. Anything else is refused.
struct ShellRequest {
    std::string verb;  // "open", "print" or "printto", lower case
    std::vector<std::string> args;
};
std::optional<ShellRequest> ParseShellRequest(const std::string& text);

// The request that opens `path` in a running Kelmio.
std::string MakeOpenRequest(const CFilePath& path);

}  // namespace kelmio
