// kelmio-cli: scriptable access to Kelmio's files.

#include <iostream>
#include <string_view>

#include "cli/commands.h"

namespace {

constexpr std::string_view kUsage = R"(Usage: kelmio-cli COMMAND [ARGS]

  project show FILE       print a project file as JSON
  project write FILE      write a project file from JSON on stdin
  keys show FILE          print a key file's bindings as JSON
  keys write FILE         write a key file from JSON on stdin
  text detect FILE        print a text source's encoding and line end
  text load FILE          print a text source as the source pane holds it
  text save FILE --encoding E --line-end L
                          write Shift-JIS text from stdin as a text source
  word POS                print the word at byte POS of the text on stdin
  recovery show PROJECT   print the project's recovery entry as JSON
  recovery text PROJECT   print the entry's translation text
  recovery write PROJECT  keep the Shift-JIS text on stdin as the project's
                          recovery entry, as the application does

JSON is UTF-8; texts on stdin and stdout are Shift-JIS bytes.
)";

struct Command {
    std::string_view name;
    int (*run)(const kelmio::cli::Args&);
};

constexpr Command kCommands[] = {
    {"project", kelmio::cli::RunProjectCommand},
    {"keys", kelmio::cli::RunKeysCommand},
    {"text", kelmio::cli::RunTextCommand},
    {"word", kelmio::cli::RunWordCommand},
    {"recovery", kelmio::cli::RunRecoveryCommand},
};

}  // namespace

int main(int argc, char** argv) {
    const kelmio::cli::Args all(argv + 1, argv + argc);
    if (all.empty() || all[0] == "--help" || all[0] == "-h") {
        std::cout << kUsage;
        return all.empty() ? 2 : 0;
    }
    for (const Command& command : kCommands) {
        if (all[0] != command.name) continue;
        const kelmio::cli::Args args(all.begin() + 1, all.end());
        return command.run(args);
    }
    return kelmio::cli::UsageError("unknown command: " + all[0]);
}
