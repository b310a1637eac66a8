#include "cli/cli_runner.h"

#include <cstdio>
#include <sys/wait.h>

#include "support/file_bytes.h"
#include "support/temp_dir.h"

namespace kelmio::test {
namespace {

std::string Quote(const std::string& arg) {
    std::string quoted = "'";
    for (const char c : arg) {
        if (c == '\'') quoted += "'\\''";
        else quoted += c;
    }
    return quoted + "'";
}

}  // namespace

CliResult RunCli(const std::vector<std::string>& args, const std::string& input) {
    TempDir dir;
    const std::string in = dir.File("stdin");
    const std::string out = dir.File("stdout");
    const std::string err = dir.File("stderr");
    WriteFileBytes(in, input);

    std::string command = Quote(KELMIO_CLI_PATH);
    for (const std::string& arg : args) command += " " + Quote(arg);
    command += " <" + Quote(in) + " >" + Quote(out) + " 2>" + Quote(err);

    CliResult result;
    const int status = std::system(command.c_str());
    result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    result.out = test::ReadFileBytes(out);
    result.err = test::ReadFileBytes(err);
    return result;
}

}  // namespace kelmio::test
