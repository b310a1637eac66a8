#include "platform/command_line_args.h"

namespace kelmio {

std::vector<std::string> SplitCommandLine(std::string_view parameters) {
    std::vector<std::string> arguments;
    std::string current;
    bool inArgument = false;
    bool inQuotes = false;
    std::size_t i = 0;
    while (i < parameters.size()) {
        const char ch = parameters[i];
        if ((ch == ' ' || ch == '\t') && !inQuotes) {
            if (inArgument) arguments.push_back(std::move(current));
            current.clear();
            inArgument = false;
            ++i;
            continue;
        }
        inArgument = true;
        if (ch == '\\') {
            std::size_t count = 0;
            while (i < parameters.size() && parameters[i] == '\\') {
                ++count;
                ++i;
            }
            if (i < parameters.size() && parameters[i] == '"') {
                current.append(count / 2, '\\');
                if (count % 2 == 1) {
                    current += '"';
                    ++i;
                }
            } else {
                current.append(count, '\\');
            }
            continue;
        }
        if (ch == '"') {
            if (inQuotes && i + 1 < parameters.size() && parameters[i + 1] == '"') {
                current += '"';
                i += 2;
                continue;
            }
            inQuotes = !inQuotes;
            ++i;
            continue;
        }
        current += ch;
        ++i;
    }
    if (inArgument) arguments.push_back(std::move(current));
    return arguments;
}

}  // namespace kelmio
