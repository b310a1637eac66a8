#include "platform/posix_shell.h"

#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cctype>
#include <thread>

#include "platform/command_line_args.h"
#include "platform/file_io.h"

extern char** environ;

namespace kelmio {
namespace {

bool IsExecutableFile(const std::string& native) {
    struct stat info {};
    return ::stat(native.c_str(), &info) == 0 && S_ISREG(info.st_mode) && ::access(native.c_str(), X_OK) == 0;
}

}  // namespace

bool IsUrl(std::string_view file) {
    const std::size_t colon = file.find(':');
    if (colon == std::string_view::npos || colon < 2) return false;  // "C:" is a drive, not a scheme
    for (std::size_t i = 0; i < colon; ++i) {
        const auto ch = static_cast<unsigned char>(file[i]);
        if (!std::isalnum(ch) && ch != '+' && ch != '-' && ch != '.') return false;
    }
    return std::isalpha(static_cast<unsigned char>(file[0])) != 0;
}

bool SpawnDetached(const std::vector<std::string>& argv, bool search) {
    if (argv.empty()) return false;
    std::vector<char*> pointers;
    pointers.reserve(argv.size() + 1);
    for (const std::string& argument : argv) pointers.push_back(const_cast<char*>(argument.c_str()));
    pointers.push_back(nullptr);
    pid_t pid = 0;
    const int error = search ? ::posix_spawnp(&pid, pointers[0], nullptr, nullptr, pointers.data(), environ)
                             : ::posix_spawn(&pid, pointers[0], nullptr, nullptr, pointers.data(), environ);
    if (error != 0) return false;
    std::thread([pid] {
        int status = 0;
        ::waitpid(pid, &status, 0);
    }).detach();
    return true;
}

bool CPosixShell::Execute(std::string_view file, std::string_view parameters, ShowMode) {
    if (file.empty()) return false;
    const std::string native = ToNativePath(file);
    if (IsExecutableFile(native)) {
        std::vector<std::string> argv{native};
        for (const std::string& argument : SplitCommandLine(parameters)) argv.push_back(ToNativePath(argument));
        return SpawnDetached(argv, false);
    }
    // A document or a URL: the handler gets it without the parameters, as
    // the shell opens a document. Something that is neither is not started.
    if (!IsUrl(file) && !PathExists(file)) return false;
    return SpawnDetached({"gio", "open", "--", native}, true);
}

}  // namespace kelmio
