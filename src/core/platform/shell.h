#pragma once
// Starting programs and opening documents, as the desktop's shell does.
//
// `Execute` gets a file and a parameter string in the Windows manner: on
// Linux an executable file is started directly with the parameters split
// into arguments by the Windows command-line rules, never through a
// command interpreter; anything else (a document, a URL) goes to the
// desktop's default handler. Paths are Shift-JIS; they reach the system as
// UTF-8.

#include <string>
#include <string_view>

namespace kelmio {

enum class ShowMode { kNormal, kMinimized };

class CShell {
public:
    virtual ~CShell() = default;

    // True when the program or the handler was started.
    virtual bool Execute(std::string_view file, std::string_view parameters, ShowMode show) = 0;

    // The folder programs are installed under ("Program Files").
    virtual std::string ProgramFilesFolder() const = 0;
};

}  // namespace kelmio
