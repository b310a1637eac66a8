#pragma once
// The shell seam on Linux: executables are started with posix_spawn and
// their parameter string split by the Windows rules (no command interpreter
// ever sees the word being looked up); documents and URLs go to the
// desktop's default handler through "gio open".

#include <string>
#include <string_view>
#include <vector>

#include "platform/shell.h"

namespace kelmio {

class CPosixShell final : public CShell {
public:
    explicit CPosixShell(std::string programFiles = "/opt") : m_strProgramFiles(std::move(programFiles)) {}

    bool Execute(std::string_view file, std::string_view parameters, ShowMode show) override;
    std::string ProgramFilesFolder() const override { return m_strProgramFiles; }

private:
    std::string m_strProgramFiles;
};

// Starts `argv` (native UTF-8 strings, argv[0] the program) without a
// shell; `search` looks the program up on PATH. The child is reaped by a
// detached waiter, so no zombie is left behind. True when it started.
bool SpawnDetached(const std::vector<std::string>& argv, bool search);

// True when `file` looks like a URL ("scheme:..."), which only the
// desktop's handler can open.
bool IsUrl(std::string_view file);

}  // namespace kelmio
