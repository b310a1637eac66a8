#pragma once
// What the program was asked to do when it started: the command line, and
// the requests a second start (or the desktop) hands to a running Kelmio.

#include <optional>
#include <string>
#include <vector>

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
    std::string m_strFileName;
    std::string m_strPrinterName;
    std::string m_strDriverName;
    std::string m_strPortName;
};

// Parses the arguments after the program name. Flags start with "/" or "-"
// and are case-insensitive; the first plain argument is the file, later
// ones are the printer, driver and port of "/pt".
CCommandLineInfo ParseCommandLine(const std::vector<std::string>& args);

// A request in the form the shell sends: [open("path")], [print("path")],
// [printto("path","printer","driver","port")]. Anything else is refused.
struct ShellRequest {
    std::string verb;  // "open", "print" or "printto", lower case
    std::vector<std::string> args;
};
std::optional<ShellRequest> ParseShellRequest(const std::string& text);

// The request that opens `path` in a running Kelmio.
std::string MakeOpenRequest(const std::string& path);

}  // namespace kelmio
