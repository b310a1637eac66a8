// kelmio-cli word POS: the word at byte position POS of the Shift-JIS text
// on standard input, printed as the same bytes.

#include "cli/commands.h"
#include "text/word.h"

namespace kelmio::cli {

int RunWordCommand(const Args& args) {
    if (args.size() != 1) return UsageError("word needs one argument: POS");
    const std::optional<unsigned long long> pos = ParseUnsigned(args[0]);
    if (!pos) return UsageError("POS must be a byte position: " + args[0]);
    WriteStdout(GetWordAt(ReadStdin(), static_cast<std::size_t>(*pos)));
    return 0;
}

}  // namespace kelmio::cli
