#pragma once
// Runs kelmio-cli as a child process with the given stdin and collects its
// exit code, stdout and stderr.

#include <string>
#include <vector>

namespace kelmio::test {

struct CliResult {
    int exitCode = -1;
    std::string out;
    std::string err;
};

CliResult RunCli(const std::vector<std::string>& args, const std::string& input = "");

}  // namespace kelmio::test
