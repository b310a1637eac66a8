#pragma once
// The kelmio-cli command groups. Each takes the arguments after its own
// name and returns the process exit code.

#include "cli/cli_io.h"

namespace kelmio::cli {

int RunProjectCommand(const Args& args);
int RunKeysCommand(const Args& args);
int RunTextCommand(const Args& args);
int RunWordCommand(const Args& args);
int RunRecoveryCommand(const Args& args);

}  // namespace kelmio::cli
