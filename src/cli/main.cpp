// kelmio-cli: scriptable access to Kelmio's files.

#include <iostream>
#include <string_view>

#include "cli/commands.h"
#include "platform/file_io.h"

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

// Files are named by the argument's own bytes. The recovery entries are
// still keyed by the project's Shift-JIS name, so there a name without one
// is refused rather than taken for the name of some other project.
bool NamesItsFileExactly(const Command& command, const kelmio::cli::Args& args) {
    if (command.name != "recovery" || args.size() < 2) return true;
    const kelmio::CFilePath path = kelmio::CFilePath::FromNative(args[1]);
    if (path.Sjis()) return true;
    kelmio::cli::PrintError(kelmio::BadPathMessage(path));
    return false;
}

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
        if (!NamesItsFileExactly(command, args)) return 1;
        return command.run(args);
    }
    return kelmio::cli::UsageError("unknown command: " + all[0]);
}
